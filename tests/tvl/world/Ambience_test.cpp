// The ambience's decisions over small fake maps, and the plants of a real map file.
#include "world/Ambience.h"

#include "core/Hash.h"
#include "platform/FileSystem.h"
#include "world/Effects.h"
#include "world/GameSettings.h"
#include "world/Map.h"
#include "world/MapFile.h"
#include "world/WorldView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace tvl;

namespace {

// Tile index = ground: 0 grass, 1 water, 2 tree, 3 anything else.
struct FakeMap {
    std::vector<uint16_t> tiles;
    AmbienceMap map;

    FakeMap(int width, int height, Ground fill = Ground::Grass)
        : tiles(size_t(width) * size_t(height), uint16_t(fill) - 1)
    {
        map.width = width;
        map.height = height;
        map.tiles = tiles.data();
        map.groundByTile.fill(Ground::Other);
        map.groundByTile[0] = Ground::Grass;
        map.groundByTile[1] = Ground::Water;
        map.groundByTile[2] = Ground::Tree;
        map.outside = Ground::Other;
    }
    // Tiles x0 <= x < x1, y0 <= y < y1 become ground.
    void paint(int x0, int y0, int x1, int y1, Ground ground)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                tiles[size_t(y) * size_t(map.width) + size_t(x)] = uint16_t(uint8_t(ground) - 1);
    }
};

// The centre whose box is exactly tiles 0 .. 24 both ways.
const sf::Vector2f boxAtOrigin(200.0f, 200.0f);

TEST(AmbienceLevels, SharesOfGrassWaterAndTheWind)
{
    FakeMap allGrass(50, 50);
    FakeMap leftWater(50, 50);
    leftWater.paint(0, 0, 10, 50, Ground::Water); // 10 of the box's 25 columns
    FakeMap offMap(50, 50);
    struct Case {
        const char* name;
        const FakeMap* map;
        sf::Vector2f centre;
        float wind;
        float meadow, water, windLevel;
    } cases[] = {
        {"all grass", &allGrass, boxAtOrigin, 20.0f, 1.0f, 0.0f, 0.606f},
        {"water on the left", &leftWater, boxAtOrigin, 0.0f, 0.6f, 0.4f, 0.0f},
        // A box reaching past the top-left corner: 15 x 15 of its tiles lie on the map.
        {"corner", &offMap, {40.0f, 40.0f}, 50.0f, 225.0f / 625.0f, 0.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sf::Vector2f shore;
        const AmbienceLevels l = measureAmbience(c.map->map, c.centre, c.wind, &shore);
        EXPECT_FLOAT_EQ(l.meadow, c.meadow);
        EXPECT_FLOAT_EQ(l.water, c.water);
        EXPECT_NEAR(l.wind, c.windLevel, 0.0005f);
        EXPECT_EQ(l.jungle, 0.0f);
        EXPECT_EQ(l.city, 0.0f);
        EXPECT_EQ(l.underwater, 0.0f);
        EXPECT_EQ(l.rain, 0.0f);
    }
}

TEST(AmbienceLevels, TreeCoverFromTilesAndTreeSprites)
{
    const sf::FloatRect inside(100, 100, 100, 100); // 10000 px inside the box
    const sf::FloatRect onCorner(-50, -50, 100, 100); // a quarter of it inside
    const sf::FloatRect huge(-1000, -1000, 3000, 3000);
    struct Case {
        const char* name;
        int treeRows; // of the box's 25
        std::vector<sf::FloatRect> trees;
        float cover;
    } cases[] = {
        {"nothing", 0, {}, 0.0f},
        {"tiles only", 5, {}, 0.2f},
        {"tiles and a sprite", 5, {inside}, 0.2f + 10000.0f / 160000.0f},
        {"a sprite over the edge", 0, {onCorner}, 2500.0f / 160000.0f},
        {"clamped", 5, {huge, huge}, 1.0f},
        {"all tree tiles", 25, {inside}, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMap fake(50, 50);
        fake.paint(0, 0, 50, c.treeRows, Ground::Tree);
        fake.map.trees = c.trees;
        EXPECT_FLOAT_EQ(treeCover(fake.map, boxAtOrigin), c.cover);
    }
}

TEST(AmbienceLevels, ShoreProximityFindsTheNearestEdge)
{
    FakeMap lake(60, 60);
    lake.paint(15, 0, 60, 60, Ground::Water); // water from x = 240 on
    FakeMap meadow(60, 60);
    struct Case {
        const char* name;
        const FakeMap* map;
        sf::Vector2f centre, point;
        float proximity;
    } cases[] = {
        // East: 140, 180, 220 are grass, 260 is water: three steps before the change.
        {"grass towards water", &lake, {100, 480}, {260, 480}, 1.0f - 120.0f / 400.0f},
        // West from 300: 260 is water, 220 grass: one step before the change.
        {"water towards grass", &lake, {300, 480}, {220, 480}, 1.0f - 40.0f / 400.0f},
        // On the water's edge: the first step finds the change.
        {"at the edge", &lake, {230, 480}, {270, 480}, 1.0f},
        {"no edge", &meadow, {480, 480}, {0, 0}, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sf::Vector2f point(-1, -1);
        EXPECT_FLOAT_EQ(shoreProximity(c.map->map, c.centre, &point), c.proximity);
        EXPECT_NEAR(point.x, c.point.x, 0.01f);
        EXPECT_NEAR(point.y, c.point.y, 0.01f);
    }
}

TEST(AmbienceWildlife, TargetsFollowTheLevelsAndTheLight)
{
    AmbienceLevels meadow{1, 0, 0, 0, 0, 0, 0, 0, 0};
    AmbienceLevels halfWater{0, 0, 0, 0, 0.5f, 0, 0, 0, 0};
    AmbienceLevels fullWater{0, 0, 0, 0, 1, 0, 0, 0, 0};
    AmbienceLevels wood{0, 0.5f, 0, 0, 0, 0, 0, 0, 0};
    using Targets = std::array<int, wildlifeKindCount>;
    struct Case {
        const char* name;
        AmbienceLevels levels;
        float light;
        Targets targets; // Fly, Bee, Butterfly, Firefly, Fish, Crab, Bird
    } cases[] = {
        {"meadow by day", meadow, 1.0f, {40, 10, 3, 0, 0, 0, 2}},
        {"meadow at dusk", meadow, 0.021f, {40, 10, 3, 0, 0, 0, 2}},
        {"meadow by night", meadow, 0.02f, {40, 0, 0, 5, 0, 0, 2}},
        {"half water", halfWater, 1.0f, {0, 0, 0, 0, 15, 0, 0}},
        {"all water", fullWater, 1.0f, {0, 0, 0, 0, 30, 1, 0}},
        {"wood by night", wood, 0.0f, {20, 0, 0, 2, 0, 0, 1}},
        {"before the first measure", AmbienceLevels{}, 1.0f, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wildlifeTargets(c.levels, c.light), c.targets);
    }
}

TEST(AmbienceWildlife, GroupsNameTheirDefinitionFiles)
{
    const auto groups = wildlifeGroups();
    EXPECT_EQ(groups[Butterfly].idCount, 3);
    EXPECT_EQ(groups[Butterfly].ids[2], kv::hashName("Wildlife_Butterfly03.ini"));
    EXPECT_EQ(groups[Fish].idCount, 2);
    EXPECT_EQ(groups[Fish].ids[1], kv::hashName("Wildlife_Fish02.ini"));
    EXPECT_EQ(groups[Crab].ids[0], kv::hashName("Wildlife_Crab01.ini"));
    EXPECT_EQ(groups[Bird].minDistance, 750.0f);
    EXPECT_EQ(groups[Fly].minDistance, 0.0f);
    int ids = 0;
    for (const WildlifeGroup& g : groups)
        ids += g.idCount;
    EXPECT_EQ(ids, 10);
}

TEST(AmbienceLoops, VolumesFollowTheLevels)
{
    AmbienceSounds sounds;
    sounds.rain = 1, sounds.meadow = 2, sounds.forest = 3, sounds.jungle = 4, sounds.city = 5;
    sounds.water = 6, sounds.shore = 7, sounds.underwater = 8;
    sounds.wind = {10, 11, 12, 13, 14};
    AmbienceLevels levels{0.5f, 0, 0, 0, 0.25f, 0.8f, 0, 0, 20.0f / 33.0f};
    std::array<AmbientVoice, ambientChannelCount> voices;
    ASSERT_EQ(ambientLoopVoices(levels, sounds, 0.6f, voices), 4);
    struct Expected {
        const char* name;
        int32_t sound;
        float volume;
        bool positional;
    } expected[] = {
        {"AMB_WIND_LOOP", 13, 20.0f / 33.0f * 0.6f, false}, // Wind_D
        {"AMB_MEADOW_LOOP", 2, 0.5f * 0.6f, false},
        {"AMB_WATER_LOOP", 6, 0.25f * 0.6f, false},
        {"AMB_SHORE_LOOP", 7, 0.8f * 0.25f, true}, // shore x water, no gain
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_STREQ(ambientVoiceNames[voices[i].channel], expected[i].name);
        EXPECT_EQ(voices[i].sound, expected[i].sound);
        EXPECT_FLOAT_EQ(voices[i].volume, expected[i].volume);
        EXPECT_EQ(voices[i].positional, expected[i].positional);
    }

    // Each wind strength has its sound.
    const std::pair<float, int32_t> winds[] = {{0.1f, 10}, {0.2f, 11}, {0.45f, 12}, {0.79f, 13}, {0.8f, 14}, {1.0f, 14}};
    for (const auto& [level, sound] : winds) {
        const AmbienceLevels wind{0, 0, 0, 0, 0, 0, 0, 0, level};
        ASSERT_EQ(ambientLoopVoices(wind, sounds, 1.0f, voices), 1);
        EXPECT_EQ(voices[0].sound, sound) << level;
    }
    // A missing sound stays silent; so does every channel before the first measure.
    AmbienceSounds missing = sounds;
    missing.meadow = -1;
    EXPECT_EQ(ambientLoopVoices(levels, missing, 0.6f, voices), 3);
    EXPECT_EQ(ambientLoopVoices(AmbienceLevels{}, sounds, 0.6f, voices), 0);
}

TEST(AmbiencePlants, GrassPlantTableLayout)
{
    const auto table = makeGrassPlantTable();
    std::vector<uint8_t> expected;
    for (uint8_t grass = 0; grass < 3; ++grass)
        expected.insert(expected.end(), 42, grass);
    expected.insert(expected.end(), {10, 10, 10, 11, 11, 11, 12, 13, 14, 15, 15, 16, 20});
    EXPECT_EQ(std::vector<uint8_t>(table.begin(), table.end()), expected);
}

TEST(AmbiencePlants, RadiusIsSixTenthsOfTheViewDiagonal)
{
    EXPECT_EQ(plantRadius({800, 600}, 1.0f), 600.0f);
    EXPECT_EQ(plantRadius({1024, 768}, 1.5f), 512.0f);
    EXPECT_EQ(plantRadius({4000, 3000}, 1.0f), 1000.0f);
}

struct Placed {
    uint32_t id;
    sf::Vector2f position;
};

void collect(uint32_t id, sf::Vector2f position, void* context)
{
    static_cast<std::vector<Placed>*>(context)->push_back({id, position});
}

// A grass plant sits 8 to 16 pixels down and right of its grid point.
sf::Vector2f gridPointOf(sf::Vector2f q) { return {std::floor((q.x - 8) / 16) * 16, std::floor((q.y - 8) / 16) * 16}; }

TEST(AmbiencePlants, ShortMovesPlantNothingAndLongerOnesOnlyTheNewGround)
{
    FakeMap grass(200, 200);
    const PlantIds ids = plantIds();
    const auto table = makeGrassPlantTable();
    const PlantGround ground{&grass.map, &ids, table.data(), 12345u, 0.0f};
    const float radius = 160.0f;
    const sf::Vector2f first(1000, 1000), near(1031, 1000), far(1032, 1000);

    PlantPlacementState state;
    std::vector<Placed> placed;
    ASSERT_TRUE(placePlants(ground, state, first, radius, collect, &placed));
    EXPECT_GT(placed.size(), 20u);

    placed.clear();
    EXPECT_FALSE(placePlants(ground, state, near, radius, collect, &placed));
    EXPECT_TRUE(placed.empty());
    EXPECT_EQ(state.lastPlantCentre, first);

    ASSERT_TRUE(placePlants(ground, state, far, radius, collect, &placed));
    EXPECT_EQ(state.lastPlantCentre, far);
    // Exactly what a fresh placement at far puts outside the first circle.
    PlantPlacementState fresh;
    std::vector<Placed> all;
    placePlants(ground, fresh, far, radius, collect, &all);
    std::vector<Placed> ring;
    for (const Placed& p : all) {
        const sf::Vector2f g = gridPointOf(p.position);
        if (std::hypot(g.x - first.x, g.y - first.y) >= radius)
            ring.push_back(p);
    }
    ASSERT_FALSE(ring.empty());
    ASSERT_EQ(placed.size(), ring.size());
    for (size_t i = 0; i < ring.size(); ++i) {
        EXPECT_EQ(placed[i].id, ring[i].id);
        EXPECT_EQ(placed[i].position, ring[i].position);
    }
}

TEST(AmbiencePlants, FarGroundPlantsTheSameOnEveryRun)
{
    // Beyond 26755 pixels x * y * 3 no longer fits in 31 bits: the seeds wrap instead.
    FakeMap tiny(1, 1);
    tiny.map.outside = Ground::Grass;
    const PlantIds ids = plantIds();
    const auto table = makeGrassPlantTable();
    const PlantGround ground{&tiny.map, &ids, table.data(), 777u, 1.0f};
    std::vector<Placed> runs[2];
    for (std::vector<Placed>& placed : runs) {
        PlantPlacementState state;
        ASSERT_TRUE(placePlants(ground, state, {40000, 40000}, 64.0f, collect, &placed));
    }
    ASSERT_GT(runs[0].size(), 10u);
    ASSERT_EQ(runs[0].size(), runs[1].size());
    for (size_t i = 0; i < runs[0].size(); ++i) {
        EXPECT_EQ(runs[0][i].id, runs[1][i].id);
        EXPECT_EQ(runs[0][i].position, runs[1][i].position);
    }
}

// "Plant_Grass02.ini" for an id of plantIds().
std::string plantName(uint32_t id)
{
    static const std::map<uint32_t, std::string> names = [] {
        std::map<uint32_t, std::string> n;
        const std::pair<const char*, int> families[] = {
            {"Grass", 3}, {"Flower", 7}, {"Stone", 7}, {"WaterStone", 7}, {"WaterSeaweed", 2},
            {"WaterCoral", 2}, {"WaterStarfish", 1}, {"Bluebell", 2}, {"Fern", 1}, {"FirCone", 1},
            {"Leaf", 7}, {"Mushroom", 3}, {"Toadstool", 3}};
        for (const auto& [family, count] : families)
            for (int i = 1; i <= count; ++i) {
                char file[48];
                std::snprintf(file, sizeof file, "Plant_%s%02d.ini", family, i);
                n[kv::hashName(file)] = file;
            }
        return n;
    }();
    auto it = names.find(id);
    return it == names.end() ? "?" : it->second;
}

// The content tool's lake map, its materials as the game reads them.
struct LakeMap : testing::Test {
    MapFileData data;
    AmbienceMap map;
    void SetUp() override
    {
        std::string bytes;
        ASSERT_TRUE(kv::readWholeFile(TVL_GAME_DIR "/base/Maps/Meadow.map", bytes));
        ASSERT_EQ(parseMapFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), data), MapFileStatus::Ok);
        loadTileMaterials(TVL_GAME_DIR "/base/Tiles/Tileset.ini");
        map.width = data.width;
        map.height = data.height;
        map.tiles = data.tiles.data();
        fillGroundFromMaterials(map);
    }
    void TearDown() override { loadTileMaterials(""); }
};

TEST_F(LakeMap, TheSameMapGrowsTheSamePlants)
{
    // A stretch of the lake's west shore, with the forest floor let in: written from a first
    // run and checked by eye (grass and flowers on the grass, a water stone in the lake).
    const struct {
        const char* name;
        float x, y;
    } golden[] = {
        {"Plant_Grass02.ini", 508.492f, 780.492f},    {"Plant_Leaf07.ini", 526.600f, 798.600f},
        {"Plant_Grass03.ini", 568.392f, 776.392f},    {"Plant_Bluebell01.ini", 495.944f, 799.945f},
        {"Plant_Grass01.ini", 506.979f, 794.979f},    {"Plant_Grass03.ini", 571.996f, 795.996f},
        {"Plant_Grass03.ini", 472.517f, 808.517f},    {"Plant_Flower06.ini", 508.333f, 812.333f},
        {"Plant_Grass01.ini", 472.629f, 824.629f},    {"Plant_Grass03.ini", 489.258f, 825.258f},
        {"Plant_Bluebell02.ini", 494.311f, 830.312f}, {"Plant_WaterStone07.ini", 555.625f, 827.625f},
        {"Plant_Flower01.ini", 473.233f, 841.233f},   {"Plant_Flower02.ini", 488.779f, 840.779f},
        {"Plant_Grass01.ini", 504.558f, 840.558f},    {"Plant_Grass01.ini", 478.217f, 878.217f},
        {"Plant_Bluebell01.ini", 477.666f, 877.666f}, {"Plant_Grass02.ini", 488.271f, 872.271f},
        {"Plant_Grass01.ini", 507.900f, 875.900f},    {"Plant_Grass01.ini", 493.575f, 893.575f},
    };
    const PlantIds ids = plantIds();
    const auto table = makeGrassPlantTable();
    const PlantGround ground{&map, &ids, table.data(), kv::hashName("Meadow.map"), 0.6f};
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        std::vector<Placed> placed;
        PlantPlacementState state;
        ASSERT_TRUE(placePlants(ground, state, {528, 832}, 80.0f, collect, &placed));
        ASSERT_EQ(placed.size(), std::size(golden));
        for (size_t i = 0; i < placed.size(); ++i) {
            const std::string name = plantName(placed[i].id);
            SCOPED_TRACE(name);
            EXPECT_EQ(name, golden[i].name);
            EXPECT_NEAR(placed[i].position.x, golden[i].x, 0.01f);
            EXPECT_NEAR(placed[i].position.y, golden[i].y, 0.01f);
            const bool watery = name.rfind("Plant_Water", 0) == 0;
            EXPECT_EQ(map.atWorld(placed[i].position), watery ? Ground::Water : Ground::Grass);
        }
    }
}

} // namespace

namespace {

TEST(AmbienceGame, TheAmbientSettingOffLeavesTheLevelsAtMinusOne)
{
    const GameSettings savedSettings = gameSettings;
    const sf::Vector2u savedPixels = worldView.pixelSize;
    gameSettings = GameSettings();
    worldView.pixelSize = {800, 600};
    mapWidth = mapHeight = 100;
    mapTiles.assign(100 * 100, 0);
    for (bool ambient : {false, true}) {
        SCOPED_TRACE(ambient ? "on" : "off");
        clearEffects();
        gameSettings.ambient = ambient;
        initAmbience();
        for (int tick = 0; tick < 3; ++tick)
            updateAmbience();
        const AmbienceLevels& l = ambienceLevels;
        const float levels[] = {l.meadow, l.forest, l.jungle, l.city, l.water, l.shore, l.underwater, l.rain, l.wind};
        for (float level : levels)
            EXPECT_EQ(level == -1.0f, !ambient);
        if (!ambient) {
            EXPECT_TRUE(wildlifeParticles.empty());
            EXPECT_TRUE(plantParticles.empty());
            AmbienceSounds every;
            every.meadow = every.forest = every.water = every.shore = every.rain = 1;
            every.wind = {1, 1, 1, 1, 1};
            std::array<AmbientVoice, ambientChannelCount> voices;
            EXPECT_EQ(ambientLoopVoices(ambienceLevels, every, 1.0f, voices), 0);
        }
    }
    clearEffects();
    mapTiles.clear();
    mapWidth = mapHeight = 0;
    gameSettings = savedSettings;
    worldView.pixelSize = savedPixels;
}

} // namespace
