#include "core/Hash.h"
#include "support/TempDir.h"
#include "world/Images.h"
#include "world/Map.h"
#include "world/MapWriter.h"
#include "world/Minimap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class MapTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir.enter();
        tvl::unloadMap();
        tvl::resetImageTables();
        tvl::imageIndexByName[kv::hashName("(none)")] = 0;
        tvl::imageIndexByName[kv::hashName("Tree")] = 1;
        tvl::imageCount = 2;
    }
    void TearDown() override
    {
        tvl::unloadMap();
        tvl::resetImageTables();
    }

    void write(const std::string& name, const tvl::MapFileData& map)
    {
        std::string bytes;
        ASSERT_TRUE(tvl::encodeMapFile(map, bytes));
        dir.write("Base/Maps/" + name, bytes);
    }

    static tvl::MapFileData sample()
    {
        tvl::MapFileData map;
        map.width = 3;
        map.height = 2;
        map.tiles = {5, 6, 7, 8, 9, 1023};
        map.sprites = {{"Tree", 10.0f, 20.0f, 90.0f},
                       {"Rock", 1.0f, 2.0f, 0.0f},
                       {"tree.PNG", -4.5f, 1e6f, -180.0f},
                       {std::string("Tree\0junk", 9), 7.0f, 8.0f, 0.0f}};
        return map;
    }

    testsupport::TempDir dir;
};

} // namespace

TEST_F(MapTest, LoadsTilesAndSpritesInFileOrder)
{
    write("Sample.map", sample());
    tvl::tileMinimapColours[9] = sf::Color(200, 10, 20, 255);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(tvl::loadMap("Sample.map")) << tvl::mapError;
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("addMapSprite: No such sprite type Rock"), std::string::npos) << log;

    EXPECT_TRUE(tvl::mapLoaded);
    EXPECT_EQ(tvl::mapWidth, 3);
    EXPECT_EQ(tvl::mapHeight, 2);
    EXPECT_EQ(tvl::mapWorldSize, sf::Vector2f(48, 32));
    EXPECT_EQ(tvl::mapTiles, (std::vector<uint16_t>{5, 6, 7, 8, 9, 1023}));
    EXPECT_EQ(tvl::currentMapFile, "Sample.map");
    ASSERT_EQ(tvl::mapSprites.size(), 3u) << "the unknown type is skipped, the rest load";
    EXPECT_EQ(tvl::mapSprites[0].x, 10.0f);
    EXPECT_EQ(tvl::mapSprites[0].y, 20.0f);
    EXPECT_NEAR(tvl::mapSprites[0].angle, 1.5707963f, 1e-6);
    EXPECT_EQ(tvl::mapSprites[0].targetAngle, tvl::mapSprites[0].angle);
    EXPECT_EQ(tvl::mapSprites[0].turnTimer, 0.0f);
    EXPECT_EQ(tvl::mapSprites[0].imageIndex, 1);
    EXPECT_EQ(tvl::mapSprites[1].y, 1e6f);
    EXPECT_EQ(tvl::mapSprites[2].x, 7.0f) << "the name ends at its NUL";
    EXPECT_EQ(tvl::minimapImage.getSize(), sf::Vector2u(3, 2));
    EXPECT_EQ(tvl::minimapImage.getPixel(1, 1), sf::Color(200, 10, 20, 255)) << "tile (1,1) is 9";
    tvl::tileMinimapColours[9] = sf::Color();
}

TEST_F(MapTest, RefusedFilesAndNamesLeaveTheMapAsItWas)
{
    write("Good.map", sample());
    ASSERT_TRUE(tvl::loadMap("Good.map"));
    const std::vector<uint16_t> tiles = tvl::mapTiles;

    std::string good;
    ASSERT_TRUE(tvl::encodeMapFile(sample(), good));
    std::string badSignature = good;
    badSignature[11] = '\0';
    std::string version2 = good;
    version2[12] = 2;
    std::string huge = good.substr(0, 14) + std::string("\xFF\xFF\xFF\xFF", 4) + good.substr(18);
    tvl::MapFileData nan = sample();
    nan.sprites[1].y = std::numeric_limits<float>::quiet_NaN();
    std::string nanBytes;
    ASSERT_TRUE(tvl::encodeMapFile(nan, nanBytes));
    std::string manySprites = good.substr(0, 30) + "\xFF\xFF";
    auto noTiles = [](uint16_t width, uint16_t height) {
        tvl::MapFileData map;
        map.width = width;
        map.height = height;
        map.sprites = {{"Tree", 1, 2, 0}};
        std::string bytes;
        EXPECT_TRUE(tvl::encodeMapFile(map, bytes));
        return bytes;
    };

    struct Case {
        std::string name;
        std::string bytes; // empty: no file written
        std::string error;
    };
    const Case cases[] = {
        {"Sig.map", badSignature, "Sig.map is not a valid map file"},
        {"Ver.map", version2, "Ver.map is not a valid map file"},
        {"Short.map", good.substr(0, 10), "Short.map is not a valid map file"},
        {"Body.map", good.substr(0, 25), "Body.map is truncated"},
        {"Sprite.map", good.substr(0, good.size() - 3), "Sprite.map is truncated"},
        {"Huge.map", huge, "Huge.map is truncated"},
        {"Many.map", manySprites, "Many.map is truncated"},
        {"Nan.map", nanBytes, "Nan.map is not a valid map file"},
        {"Empty.map", noTiles(0, 0), "Empty.map is not a valid map file"},
        {"Flat.map", noTiles(3, 0), "Flat.map is not a valid map file"},
        {"Thin.map", noTiles(0, 2), "Thin.map is not a valid map file"},
        {"Missing.map", "", "Unable to open Missing.map"},
        {"../Good.map", "", "../Good.map is not a valid map file name"},
        {"Sub\\..\\..\\Good.map", "", "Sub\\..\\..\\Good.map is not a valid map file name"},
        {"/etc/passwd", "", "/etc/passwd is not a valid map file name"},
        {"\\Good.map", "", "\\Good.map is not a valid map file name"},
        {"C:Good.map", "", "C:Good.map is not a valid map file name"},
        {"..", "", ".. is not a valid map file name"},
        {"", "", " is not a valid map file name"},
    };
    for (const Case& c : cases) {
        if (!c.bytes.empty())
            dir.write("Base/Maps/" + c.name, c.bytes);
        EXPECT_FALSE(tvl::loadMap(c.name)) << c.name;
        EXPECT_EQ(tvl::mapError, c.error);
        EXPECT_TRUE(tvl::mapLoaded);
        EXPECT_EQ(tvl::mapTiles, tiles) << c.name;
        EXPECT_EQ(tvl::mapSprites.size(), 3u) << c.name;
        EXPECT_EQ(tvl::currentMapFile, "Good.map") << c.name;
    }

    write("Sub/Deep..er.map", sample());
    EXPECT_TRUE(tvl::loadMap("Sub\\Deep..er.map")) << tvl::mapError;
}

TEST_F(MapTest, GroundVariantsAndSheepAtTheFront)
{
    tvl::MapFileData map;
    map.width = 250;
    map.height = 200;
    map.tiles.assign(250 * 200, 0);
    map.sprites = {{"Tree", 1, 2, 0}};
    write("Meadow.map", map);

    ASSERT_TRUE(tvl::loadMap("Meadow.map"));
    int seen[5] = {};
    for (uint16_t t : tvl::mapTiles) {
        ASSERT_LT(t, 5);
        seen[t]++;
    }
    for (int v = 0; v < 5; v++)
        EXPECT_GT(seen[v], 0) << v;
    EXPECT_EQ(tvl::mapSprites.size(), 1u) << "no sheep without a Sheep image";

    tvl::imageIndexByName[kv::hashName("sheep")] = 2;
    tvl::imageCount = 3;
    ASSERT_TRUE(tvl::loadMap("Meadow.map"));
    ASSERT_GT(tvl::mapSprites.size(), 1u);
    EXPECT_EQ(tvl::mapSprites.back().imageIndex, 1) << "the map's own sprite comes last";
    for (std::size_t i = 0; i + 1 < tvl::mapSprites.size(); i++) {
        const tvl::MapSprite& s = tvl::mapSprites[i];
        EXPECT_EQ(s.imageIndex, 2);
        EXPECT_EQ(std::fmod(s.x, 16.0f), 8.0f);
        EXPECT_EQ(std::fmod(s.y, 16.0f), 8.0f);
    }
}

TEST_F(MapTest, NoMapAndNoiseSeed)
{
    tvl::MapFileData tiny;
    tiny.width = 1;
    tiny.height = 1;
    tiny.tiles = {0};
    write("Tiny.map", tiny);
    ASSERT_TRUE(tvl::loadMap("Tiny.map"));
    tvl::unloadMap();
    EXPECT_EQ(tvl::mapWorldSize, sf::Vector2f(0, 0));
    EXPECT_TRUE(tvl::mapTiles.empty());
    sf::Vector2f anywhere(0, 0);
    EXPECT_EQ(tvl::tileMaterialAtWorld(&anywhere), &tvl::tileMaterials[0]);

    write("Maps/Forest.map", tiny);
    write("forest.MAP", tiny);
    ASSERT_TRUE(tvl::loadMap("Maps/Forest.map"));
    uint32_t seed = tvl::mapNoiseSeed;
    ASSERT_TRUE(tvl::loadMap("forest.MAP"));
    EXPECT_EQ(tvl::mapNoiseSeed, seed);
    EXPECT_EQ(seed, kv::hashName("forest.map"));
}

TEST_F(MapTest, TileMaterialLookups)
{
    tvl::MapFileData map;
    map.width = 2;
    map.height = 2;
    map.tiles = {10, 1024, 12, 0xFFFF};
    write("Small.map", map);
    ASSERT_TRUE(tvl::loadMap("Small.map"));
    tvl::tileMaterialIndex[10] = 1;
    tvl::tileMaterialIndex[12] = 2;

    struct Case {
        sf::Vector2f position;
        int material;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {{-5, 20}, 2},     {{0, 0}, 1},        {{31.9f, 0}, 0} /* 1024 */,
        {{16, 16}, 0} /* negative as i16 */,   {{32, 0}, 0} /* world width */,
        {{0, -16}, 0},     {{nan, 0}, 0},      {{1e30f, 1e30f}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::tileMaterialAtWorld(&c.position), &tvl::tileMaterials[c.material])
            << c.position.x << "," << c.position.y;
    sf::Vector2i outside(-1, 0);
    EXPECT_EQ(tvl::tileMaterialAt(&outside), &tvl::tileMaterials[0]);
    tvl::tileMaterialIndex[10] = 0;
    tvl::tileMaterialIndex[12] = 0;
}

TEST_F(MapTest, ReadMapSizeFromTheHeader)
{
    write("Sample.map", sample());
    dir.write("Base/Maps/Text.map", "not a map at all, just text");
    tvl::MapFileData empty;
    empty.width = 7;
    write("Empty.map", empty);
    EXPECT_EQ(tvl::readMapSize("Sample.map"), sf::Vector2u(3, 2));

    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::readMapSize("Nope.map"), sf::Vector2u(0, 0));
    EXPECT_EQ(tvl::readMapSize("Text.map"), sf::Vector2u(0, 0));
    EXPECT_EQ(tvl::readMapSize("Empty.map"), sf::Vector2u(0, 0));
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Unable to open map file: Base\\Maps\\Nope.map"), std::string::npos) << log;
    EXPECT_NE(log.find("Text.map is not a valid map file"), std::string::npos) << log;
    EXPECT_NE(log.find("Empty.map is not a valid map file"), std::string::npos) << log;
}

TEST(MapWind, FollowsSpeedAndDirectionAtOnce)
{
    tvl::windDirection = 0;
    tvl::windSpeed = 3;
    EXPECT_EQ(*tvl::getWindVector(), sf::Vector2f(0, 3));
    tvl::windSpeed = 5;
    EXPECT_EQ(*tvl::getWindVector(), sf::Vector2f(0, 5));
    tvl::windDirection = -1.5707964f; // a quarter turn back: wind towards +x
    sf::Vector2f w = *tvl::getWindVector();
    EXPECT_NEAR(w.x, 5.0f, 1e-5);
    EXPECT_NEAR(w.y, 0.0f, 1e-5);
}

TEST(MapWriter, RefusesWhatTheFormatCannotHold)
{
    tvl::MapFileData map;
    map.width = 2;
    map.height = 2;
    map.tiles = {1, 2, 3};
    std::string out = "kept", error;
    EXPECT_FALSE(tvl::encodeMapFile(map, out, &error));
    EXPECT_EQ(out, "kept");
    map.tiles.push_back(4);
    map.sprites = {{std::string(70000, 'x'), 0, 0, 0}};
    EXPECT_FALSE(tvl::encodeMapFile(map, out, &error));
    map.sprites.clear();
    ASSERT_TRUE(tvl::encodeMapFile(map, out));
    EXPECT_EQ(out.size(), 18u + 8u + 2u);
}

TEST(Minimap, LayoutFitsTheView)
{
    struct Case {
        int w, h;
        sf::Vector2f view;
        sf::Vector2u size;
    };
    const Case cases[] = {
        {100, 60, {1920, 1080}, {100, 60}},
        {500, 500, {1920, 1080}, {1080, 1080}},
        {128, 64, {1920, 1080}, {1920, 960}},
        {0, 10, {1920, 1080}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::minimapLayoutFor(c.w, c.h, c.view).size, c.size) << c.w << "x" << c.h;
}
