#include "world/Ambience.h"

#include "audio/Audio.h"
#include "core/Hash.h"
#include "core/Noise.h"
#include "core/Random.h"
#include "graphics/Lights.h"
#include "world/Effects.h"
#include "world/GameSettings.h"
#include "world/Images.h"
#include "world/Map.h"
#include "world/WorldView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace tvl {

bool replantRequested = false;
AmbienceLevels ambienceLevels;
sf::Vector2f shorePoint;

const char* const ambientVoiceNames[ambientChannelCount] = {
    "AMB_RAIN_LOOP",  "AMB_WIND_LOOP",  "AMB_MEADOW_LOOP", "AMB_FOREST_LOOP",    "AMB_JUNGLE_LOOP",
    "AMB_CITY_LOOP",  "AMB_WATER_LOOP", "AMB_SHORE_LOOP",  "AMB_UNDERWATER_LOOP"};

namespace {

constexpr float boxHalf = 200.0f; // the measured box is 400 x 400 world pixels
constexpr float boxArea = 160000.0f;
constexpr float pi = 3.14159265358979f;

AmbienceMap loadedMap;
AmbienceSounds sounds;
std::array<WildlifeGroup, wildlifeKindCount> groups;
PlantIds ids;
std::array<uint8_t, grassPlantTableSize> grassPlantTable;
PlantPlacementState placement;

Ground groundOfName(uint32_t hash)
{
    static const uint32_t grass = kv::hashName("Grass"), water = kv::hashName("Water"),
                          tree = kv::hashName("Tree");
    return hash == grass ? Ground::Grass : hash == water ? Ground::Water : hash == tree ? Ground::Tree : Ground::Other;
}

// The tiles of the 400 x 400 box around centre: [x0, x1) x [y0, y1). False for a centre that
// is not a finite number.
bool boxTiles(sf::Vector2f centre, int& x0, int& y0, int& x1, int& y1)
{
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || std::fabs(centre.x) > 1e8f ||
        std::fabs(centre.y) > 1e8f)
        return false;
    x0 = int(std::floor((centre.x - boxHalf) / tileSize));
    y0 = int(std::floor((centre.y - boxHalf) / tileSize));
    x1 = int(std::floor((centre.x + boxHalf) / tileSize));
    y1 = int(std::floor((centre.y + boxHalf) / tileSize));
    return true;
}

// Four octaves (or two) of value noise, each at twice the frequency and half the weight of
// the one before, normalised to 0 .. 1.
double octaveNoise(double x, double y, uint32_t seed, int octaves)
{
    double sum = 0, weight = 1, total = 0, scale = 1;
    for (int k = 0; k < octaves; ++k) {
        sum += kv::valueNoise2D(x * scale, y * scale, seed) * weight;
        total += 256.0 * weight;
        weight *= 0.5;
        scale *= 2.0;
    }
    return sum / total;
}

float distance(sf::Vector2f a, sf::Vector2f b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The plants of grid point p. The seeds wrap in 32 bits so that big maps give the same plants
// on every machine.
void plantAt(const PlantGround& g, sf::Vector2f p, PlantSink sink, void* context)
{
    const PlantIds& id = *g.ids;
    const uint32_t xy = uint32_t(int(p.x)) * uint32_t(int(p.y));
    const double n = octaveNoise(p.x, p.y, g.noiseSeed, 4);
    if (n >= 0.5) {
        const float shift = float(16.0 * n);
        const sf::Vector2f q(p.x + shift, p.y + shift);
        const Ground ground = g.map->atWorld(q);
        if (ground == Ground::Grass) {
            const int v = g.grassTable[kv::randomInt(0, int(grassPlantTableSize) - 1, true, xy)];
            if (v <= 2)
                sink(id.grass[v], q, context);
            else if (v >= 10 && v <= 16)
                sink(id.flower[v - 10], q, context);
            else
                sink(id.stone[kv::randomInt(0, 6, true, xy + 500u)], q, context);
        } else if (ground == Ground::Water) {
            const int v = kv::randomInt(0, 1000, true, xy - 20000u);
            uint32_t plant = 0;
            if (v <= 6)
                plant = id.waterStone[v];
            else if (v == 10 || v == 11)
                plant = id.seaweed[v - 10];
            else if (v == 12 || v == 13)
                plant = id.coral[v - 12];
            else if (v == 14)
                plant = id.starfish;
            if (plant)
                sink(plant, q, context);
        }
    }
    if (!(g.forest > 0))
        return;
    const uint32_t s = xy * 3u;
    if (!(g.forest * 0.5f > kv::randomFloat(0.0f, 1.0f, true, s)))
        return;
    const double m = octaveNoise(0.2 * p.x, 0.2 * p.y, g.noiseSeed + 3000u, 2);
    const float shift = float(48.0 * m);
    const sf::Vector2f r(p.x + shift, p.y + shift);
    if (g.map->atWorld(r) != Ground::Grass)
        return;
    uint32_t plant = 0;
    if (m > 0.92)
        plant = id.toadstool[kv::randomInt(0, 2, true, s)];
    else if (m > 0.85)
        plant = id.mushroom[kv::randomInt(0, 2, true, s)];
    else if (m > 0.5)
        plant = id.leaf[kv::randomInt(0, 6, true, s)];
    else if (m > 0.45)
        plant = id.firCone;
    else if (m > 0.43)
        plant = id.fern;
    else {
        const int b = kv::randomInt(0, 2, true, s);
        plant = b < 2 ? id.bluebell[b] : 0;
    }
    if (plant)
        sink(plant, r, context);
}

sf::Vector2f viewCentre()
{
    const float scale = worldView.worldRenderScale;
    return {worldView.scroll.x + float(worldView.pixelSize.x) * 0.5f / scale,
            worldView.scroll.y + float(worldView.pixelSize.y) * 0.5f / scale};
}

void spawnWildlifeAround(sf::Vector2f centre)
{
    const std::array<int, wildlifeKindCount> targets = wildlifeTargets(ambienceLevels, kv::ambientLightLevel);
    for (int kind = 0; kind < wildlifeKindCount; ++kind) {
        const WildlifeGroup& group = groups[size_t(kind)];
        int live = 0;
        for (int i = 0; i < group.idCount; ++i)
            live += wildlifeCount(group.ids[size_t(i)]);
        for (int i = live; i < targets[size_t(kind)]; ++i) {
            const uint32_t id = group.idCount > 1 ? group.ids[size_t(kv::randomInt(1, group.idCount) - 1)] : group.ids[0];
            const float angle = kv::randomFloat(0.0f, 2.0f * pi);
            const float d = kv::randomFloat(group.minDistance, 1000.0f);
            const sf::Vector2f position(centre.x + std::cos(angle) * d, centre.y + std::sin(angle) * d);
            spawnWildlife(&position, id);
        }
    }
}

void spawnPlantSink(uint32_t definitionId, sf::Vector2f position, void*) { spawnPlant(&position, definitionId); }

void updatePlantPlacement(sf::Vector2f centre)
{
    if (replantRequested) {
        replantRequested = false;
        for (PlantParticle& plant : plantParticles)
            plant.fadingOut = true;
        placement.plantsPlaced = false;
    }
    const float radius = plantRadius(worldView.pixelSize, worldView.worldRenderScale);
    const PlantGround ground{&loadedMap, &ids, grassPlantTable.data(), mapNoiseSeed, ambienceLevels.forest};
    if (!placePlants(ground, placement, centre, radius, spawnPlantSink, nullptr))
        return;
    for (auto it = plantParticles.begin(); it != plantParticles.end();) {
        if (!it->fadingOut && distance(it->position, centre) > radius)
            it->fadingOut = true;
        if (it->fadingOut && it->fade <= 0.0f)
            it = plantParticles.erase(it);
        else
            ++it;
    }
}

} // namespace

Ground AmbienceMap::atTile(int tx, int ty) const
{
    if (!tiles || tx < 0 || ty < 0 || tx >= width || ty >= height)
        return outside;
    const int16_t index = int16_t(tiles[size_t(ty) * size_t(width) + size_t(tx)]);
    return index < 0 || index >= tileCount ? outside : groundByTile[size_t(index)];
}

Ground AmbienceMap::atWorld(sf::Vector2f position) const
{
    const float tx = position.x / tileSize, ty = position.y / tileSize;
    // Checked as floats first: NaN and huge values must not reach the integer conversion.
    if (!(tx > -1.0f && tx < float(width) && ty > -1.0f && ty < float(height)))
        return outside;
    return atTile(int(tx), int(ty));
}

void fillGroundFromMaterials(AmbienceMap& map)
{
    for (int t = 0; t < tileCount; ++t)
        map.groundByTile[size_t(t)] = groundOfName(tileMaterials[tileMaterialIndex[t]].name.hash);
    map.outside = groundOfName(tileMaterials[0].name.hash);
}

void readLoadedAmbienceMap(AmbienceMap& map)
{
    map.width = mapWidth;
    map.height = mapHeight;
    map.tiles = mapTiles.empty() ? nullptr : mapTiles.data();
    fillGroundFromMaterials(map);
    map.trees.clear();
    if (mapSprites.empty() || imageCount <= 0)
        return;
    for (const MapSprite& sprite : mapSprites) {
        if (sprite.imageIndex < 0 || sprite.imageIndex >= imageCount)
            continue;
        const ImageRecord& image = (*images)[size_t(sprite.imageIndex)];
        if (image.isTree)
            map.trees.emplace_back(sprite.x - image.width * 0.5f, sprite.y - image.height * 0.5f,
                                   float(image.width), float(image.height));
    }
}

float groundShare(const AmbienceMap& map, sf::Vector2f centre, Ground ground)
{
    int x0, y0, x1, y1;
    if (!boxTiles(centre, x0, y0, x1, y1))
        return 0;
    int matching = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            matching += map.atTile(x, y) == ground;
    return float(matching) / float(std::max(1, (x1 - x0) * (y1 - y0)));
}

float treeCover(const AmbienceMap& map, sf::Vector2f centre)
{
    float cover = groundShare(map, centre, Ground::Tree);
    if (cover < 1.0f && std::isfinite(centre.x) && std::isfinite(centre.y)) {
        const sf::FloatRect box(centre.x - boxHalf, centre.y - boxHalf, 2 * boxHalf, 2 * boxHalf);
        sf::FloatRect overlap;
        for (const sf::FloatRect& tree : map.trees)
            if (box.intersects(tree, overlap))
                cover += overlap.width * overlap.height / boxArea;
    }
    return std::clamp(cover, 0.0f, 1.0f);
}

float shoreProximity(const AmbienceMap& map, sf::Vector2f centre, sf::Vector2f* shorePoint)
{
    constexpr float step = 40.0f;
    constexpr int maxSteps = 10;
    const bool wet = map.atWorld(centre) == Ground::Water;
    float best = -1;
    sf::Vector2f found(0, 0);
    for (int direction = 0; direction < 8 && best != 0.0f; ++direction) {
        const float angle = float(direction) * pi / 4.0f;
        const sf::Vector2f unit(std::cos(angle), std::sin(angle));
        for (int taken = 0; taken < maxSteps; ++taken) {
            const float d = step * float(taken);
            if (best >= 0 && d >= best)
                break; // no nearer edge along this direction
            const sf::Vector2f walker(centre.x + unit.x * (d + step), centre.y + unit.y * (d + step));
            if ((map.atWorld(walker) == Ground::Water) != wet) {
                best = d;
                found = walker;
                break;
            }
        }
    }
    *shorePoint = found;
    return best < 0 ? 0.0f : std::clamp(1.0f - best / 400.0f, 0.0f, 1.0f);
}

AmbienceLevels measureAmbience(const AmbienceMap& map, sf::Vector2f centre, float windSpeed,
                               sf::Vector2f* shorePoint)
{
    AmbienceLevels levels;
    levels.meadow = groundShare(map, centre, Ground::Grass);
    levels.forest = treeCover(map, centre);
    levels.jungle = levels.city = levels.underwater = levels.rain = 0;
    levels.water = groundShare(map, centre, Ground::Water);
    levels.shore = shoreProximity(map, centre, shorePoint);
    const float wind = windSpeed / 33.0f;
    levels.wind = wind > 0 ? std::min(wind, 1.0f) : 0.0f;
    return levels;
}

std::array<int, wildlifeKindCount> wildlifeTargets(const AmbienceLevels& l, float light)
{
    const bool day = light > 0.02f;
    const float green = std::max(l.meadow, l.forest);
    std::array<int, wildlifeKindCount> t{};
    t[Fly] = int(10 * l.city + 40 * std::max(green, l.jungle));
    t[Bee] = day ? int(10 * l.meadow) : 0;
    t[Butterfly] = day ? int(3 * l.meadow) : 0;
    t[Firefly] = day ? 0 : int(10 * l.jungle + 5 * green);
    t[Fish] = int(30 * l.water);
    t[Crab] = int(1 * l.water);
    t[Bird] = int(2 * green);
    for (int& n : t)
        n = std::max(n, 0);
    return t;
}

std::array<WildlifeGroup, wildlifeKindCount> wildlifeGroups()
{
    auto group = [](std::initializer_list<const char*> names, float minDistance) {
        WildlifeGroup g;
        for (const char* name : names)
            g.ids[size_t(g.idCount++)] = kv::hashName(std::string("Wildlife_") + name + ".ini");
        g.minDistance = minDistance;
        return g;
    };
    std::array<WildlifeGroup, wildlifeKindCount> g;
    g[Fly] = group({"Fly01"}, 0);
    g[Bee] = group({"Bee01"}, 0);
    g[Butterfly] = group({"Butterfly01", "Butterfly02", "Butterfly03"}, 0);
    g[Firefly] = group({"Firefly01"}, 0);
    g[Fish] = group({"Fish01", "Fish02"}, 0);
    g[Crab] = group({"Crab01"}, 0);
    g[Bird] = group({"Bird01"}, 750);
    return g;
}

PlantIds plantIds()
{
    auto fill = [](uint32_t* out, int count, const char* name) {
        for (int i = 0; i < count; ++i) {
            char file[48];
            std::snprintf(file, sizeof file, "Plant_%s%02d.ini", name, i + 1);
            out[i] = kv::hashName(file);
        }
    };
    PlantIds p{};
    fill(p.grass, 3, "Grass");
    fill(p.flower, 7, "Flower");
    fill(p.stone, 7, "Stone");
    fill(p.waterStone, 7, "WaterStone");
    fill(p.seaweed, 2, "WaterSeaweed");
    fill(p.coral, 2, "WaterCoral");
    fill(&p.starfish, 1, "WaterStarfish");
    fill(p.bluebell, 2, "Bluebell");
    fill(&p.fern, 1, "Fern");
    fill(&p.firCone, 1, "FirCone");
    fill(p.leaf, 7, "Leaf");
    fill(p.mushroom, 3, "Mushroom");
    fill(p.toadstool, 3, "Toadstool");
    return p;
}

std::array<uint8_t, grassPlantTableSize> makeGrassPlantTable()
{
    std::array<uint8_t, grassPlantTableSize> table{};
    size_t i = 0;
    for (uint8_t grass = 0; grass < 3; ++grass)
        for (int n = 0; n < 42; ++n)
            table[i++] = grass;
    for (uint8_t v : {10, 10, 10, 11, 11, 11, 12, 13, 14, 15, 15, 16, 20})
        table[i++] = v;
    return table;
}

bool placePlants(const PlantGround& ground, PlantPlacementState& state, sf::Vector2f centre,
                 float radius, PlantSink sink, void* context)
{
    if (state.plantsPlaced && distance(centre, state.lastPlantCentre) < 32.0f)
        return false;
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || !(radius >= 0) || radius > 1000.0f)
        return false;
    const float left = centre.x - radius, top = centre.y - radius;
    const float x0 = left - std::fmod(left, 16.0f), y0 = top - std::fmod(top, 16.0f);
    const int columns = int((centre.x + radius - x0) / 16.0f), rows = int((centre.y + radius - y0) / 16.0f);
    for (int row = 0; row <= rows; ++row)
        for (int column = 0; column <= columns; ++column) {
            const sf::Vector2f p(x0 + 16.0f * float(column), y0 + 16.0f * float(row));
            if (!(distance(p, centre) < radius))
                continue;
            if (state.plantsPlaced && distance(p, state.lastPlantCentre) < radius)
                continue; // already planted
            plantAt(ground, p, sink, context);
        }
    state.lastPlantCentre = centre;
    state.plantsPlaced = true;
    return true;
}

float plantRadius(sf::Vector2u pixelSize, float renderScale)
{
    const float diagonal = std::hypot(float(pixelSize.x), float(pixelSize.y)) / renderScale;
    return std::min(std::floor(diagonal * 0.6f), 1000.0f);
}

int ambientLoopVoices(const AmbienceLevels& l, const AmbienceSounds& s, float gain,
                      std::array<AmbientVoice, ambientChannelCount>& out)
{
    const int windIndex = l.wind < 0.2f ? 0 : l.wind < 0.4f ? 1 : l.wind < 0.6f ? 2 : l.wind < 0.8f ? 3 : 4;
    const struct {
        float level;
        int32_t sound;
    } channels[ambientChannelCount] = {{l.rain, s.rain},   {l.wind, s.wind[size_t(windIndex)]},
                                       {l.meadow, s.meadow}, {l.forest, s.forest},
                                       {l.jungle, s.jungle}, {l.city, s.city},
                                       {l.water, s.water},   {l.shore, s.shore},
                                       {l.underwater, s.underwater}};
    constexpr int shoreChannel = 7;
    int count = 0;
    for (int c = 0; c < ambientChannelCount; ++c) {
        if (!(channels[c].level > 0) || channels[c].sound < 0)
            continue;
        const bool shore = c == shoreChannel;
        out[size_t(count++)] = {c, channels[c].sound, shore ? l.shore * l.water : channels[c].level * gain, shore};
    }
    return count;
}

void initAmbience()
{
    auto sound = [](const char* name) { return kv::Audio::getSoundNumber(std::string("ambience\\") + name, false); };
    sounds.meadow = sound("Meadow_A");
    sounds.forest = sound("Forest_A");
    sounds.jungle = sound("Jungle_C");
    sounds.city = sound("City_B");
    sounds.water = sound("Water_A");
    sounds.underwater = sound("Underwater_A");
    sounds.shore = sound("Shore_A");
    sounds.rain = sound("Rain_B");
    const char* winds[5] = {"Wind_A", "Wind_B", "Wind_C", "Wind_D", "Wind_E"};
    for (size_t i = 0; i < 5; ++i)
        sounds.wind[i] = sound(winds[i]);
    groups = wildlifeGroups();
    ids = plantIds();
    grassPlantTable = makeGrassPlantTable();
    for (int32_t loop : {sounds.meadow, sounds.forest, sounds.water, sounds.shore})
        if (loop >= 0)
            kv::Audio::loadSoundBuffers(loop, -1);
    readLoadedAmbienceMap(loadedMap);
    ambienceLevels = AmbienceLevels{};
    shorePoint = sf::Vector2f(0, 0);
    placement = PlantPlacementState{};
}

void playAmbientLoops()
{
    // Built once: a voice name is longer than a short string, and this runs every frame.
    static const std::array<std::string, ambientChannelCount> names = [] {
        std::array<std::string, ambientChannelCount> n;
        for (int c = 0; c < ambientChannelCount; ++c)
            n[size_t(c)] = ambientVoiceNames[c];
        return n;
    }();
    std::array<AmbientVoice, ambientChannelCount> voices;
    const int count = ambientLoopVoices(ambienceLevels, sounds, gameSettings.ambientSoundsGain, voices);
    for (int i = 0; i < count; ++i) {
        const AmbientVoice& v = voices[size_t(i)];
        kv::Audio::playSound(v.sound, v.positional ? shorePoint : kv::Audio::listenerPosition,
                             {.loop = true, .voiceName = names[size_t(v.channel)], .positional = v.positional,
                              .volume = v.volume});
    }
}

void updateAmbience()
{
    if (!gameSettings.ambient)
        return;
    const sf::Vector2f centre = viewCentre();
    ambienceLevels = measureAmbience(loadedMap, centre, windSpeed, &shorePoint);
    if (gameSettings.wildlife)
        spawnWildlifeAround(centre);
    if (gameSettings.plants)
        updatePlantPlacement(centre);
}

} // namespace tvl
