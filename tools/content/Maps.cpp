// base/Maps/: each map grows from its plan, base/Maps/<name>.ini (committed under data/ and
// copied into the game folder before the tool runs): a style, a size, a seed and a few
// weights. The ground is decided per tile corner, then every tile takes the cell of the tile
// set that joins its four corners; corners that the tile set cannot join are nudged towards
// a neighbour it can. Sprites are scattered by a seeded jittered grid. Each map gets its
// preview picture beside it, painted by the game's own minimap code from the tiles.
#include "Content.h"
#include "WorldArt.h"

#include "core/IniFile.h"
#include "core/StringUtils.h"
#include "world/Map.h"
#include "world/MapWriter.h"
#include "world/Minimap.h"
#include "world/Tileset.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

namespace content {

namespace {

constexpr float kPi = 3.14159265f;

struct Plan {
    std::string name; // the plan's file name without extension; also the map's
    std::string style;
    int width = 128, height = 128; // tiles
    uint32_t seed = 1;
    float water = 0.5f, forest = 0.5f, trees = 0.5f, rocks = 0.5f, roads = 1, acid = 0.5f, conveyors = 12,
          machines = 0.5f;
};

float number(kv::IniFile& ini, const char* key, float fallback)
{
    const std::string& value = ini.getValue(key);
    return value.empty() ? fallback : kv::stringToFloat(value);
}

bool readPlan(const std::filesystem::path& path, Plan& plan)
{
    kv::IniFile ini;
    if (!ini.load(path.string())) {
        std::fprintf(stderr, "tvl_content: %s\n", ini.lastError.c_str());
        return false;
    }
    ini.setSection("map");
    plan.name = path.stem().string();
    plan.style = ini.getValue("style");
    plan.width = std::clamp(static_cast<int>(number(ini, "width", 128)), 16, 512);
    plan.height = std::clamp(static_cast<int>(number(ini, "height", 128)), 16, 512);
    plan.seed = static_cast<uint32_t>(number(ini, "seed", 1));
    plan.water = number(ini, "water", plan.water);
    plan.forest = number(ini, "forest", plan.forest);
    plan.trees = number(ini, "trees", plan.trees);
    plan.rocks = number(ini, "rocks", plan.rocks);
    plan.roads = number(ini, "roads", plan.roads);
    plan.acid = number(ini, "acid", plan.acid);
    plan.conveyors = number(ini, "conveyors", plan.conveyors);
    plan.machines = number(ini, "machines", plan.machines);
    return true;
}

// The ground at every tile corner, (width + 1) x (height + 1).
struct Corners {
    int w = 0, h = 0; // in corners
    std::vector<Terrain> t;
    Terrain& at(int x, int y) { return t[static_cast<size_t>(y) * w + x]; }
    Terrain get(int x, int y) const
    {
        return t[static_cast<size_t>(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    }
};

float noiseAt(const Plan& plan, float x, float y, float scale, int salt, int octaves = 4)
{
    return fractalNoise(x / scale + 1000, y / scale + 1000, plan.seed * 7919 + salt, octaves);
}

// A winding line across the map, as corner points: from one edge to the opposite one.
std::vector<Vec> windingPath(const Plan& plan, int salt, bool horizontal, float at)
{
    std::vector<Vec> pts;
    const float length = horizontal ? plan.width : plan.height;
    for (float s = -4; s <= length + 4; s += 4) {
        float wobble = (noiseAt(plan, s, float(salt) * 50, 40, salt, 2) - 0.5f) * (horizontal ? plan.height : plan.width) * 0.3f;
        pts.push_back(horizontal ? Vec{s, at + wobble} : Vec{at + wobble, s});
    }
    return pts;
}

float distanceToPath(Vec p, const std::vector<Vec>& path)
{
    float best = 1e9f;
    for (size_t i = 1; i < path.size(); ++i) {
        Vec a = path[i - 1], b = path[i], ab = b - a, ap = p - a;
        float t = std::clamp((ap.x * ab.x + ap.y * ab.y) / (ab.x * ab.x + ab.y * ab.y), 0.0f, 1.0f);
        Vec d = ap - ab * t;
        best = std::min(best, std::sqrt(d.x * d.x + d.y * d.y));
    }
    return best;
}

void paintPath(Corners& c, const std::vector<Vec>& path, float halfWidth, Terrain t, bool overWater)
{
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if ((overWater || (c.at(x, y) != Water && c.at(x, y) != Acid)) && distanceToPath({float(x), float(y)}, path) <= halfWidth)
                c.at(x, y) = t;
}

// Land by height: water below waterLevel, a beach, grass, lush grass and forest.
Terrain landAt(const Plan& plan, float e, float x, float y, float waterLevel)
{
    if (e < waterLevel)
        return Water;
    if (e < waterLevel + 0.025f)
        return Sand;
    if (noiseAt(plan, x, y, 22, 3) > 1.0f - plan.forest * 0.5f)
        return Forest;
    if (noiseAt(plan, x, y, 14, 4) > 0.62f)
        return Lush;
    return Grass;
}

// A district of the works: concrete with acid pools and roads between the blocks.
void paintWorks(const Plan& plan, Corners& c, Vec centre, Vec half)
{
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            float edge = std::max(std::fabs(x - centre.x) / half.x, std::fabs(y - centre.y) / half.y);
            edge += (noiseAt(plan, x, y, 8, 20, 2) - 0.5f) * 0.12f;
            if (edge >= 1)
                continue;
            c.at(x, y) = Concrete;
            if (edge < 0.85f && noiseAt(plan, x, y, 12, 21) > 0.8f - plan.acid * 0.25f)
                c.at(x, y) = Acid;
        }
    const int blocks = 3;
    for (int i = 1; i < blocks; ++i) {
        float fx = centre.x - half.x + 2 * half.x * i / blocks, fy = centre.y - half.y + 2 * half.y * i / blocks;
        paintPath(c, {{fx, centre.y - half.y}, {fx, centre.y + half.y}}, 1.2f, Road, false);
        paintPath(c, {{centre.x - half.x, fy}, {centre.x + half.x, fy}}, 1.2f, Road, false);
    }
}

void shapeGround(const Plan& plan, Corners& c)
{
    const float W = plan.width, H = plan.height;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            float e = noiseAt(plan, x, y, 40, 1, 5);
            Terrain t = Grass;
            if (plan.style == "meadow") {
                // One lake, off centre, its rim broken up by the noise.
                Vec lake = {W * 0.56f, H * 0.42f};
                float d = std::hypot((x - lake.x) / (W * 0.24f), (y - lake.y) / (H * 0.2f)) + (e - 0.5f) * 0.9f;
                t = d < 1 ? Water : d < 1.08f ? Sand : landAt(plan, 1, x, y, 0);
            } else if (plan.style == "forest") {
                float clearing = noiseAt(plan, x, y, 26, 5);
                t = clearing > 0.6f ? (clearing > 0.7f ? Lush : Grass) : Forest;
                if (noiseAt(plan, x, y, 30, 6) > 0.8f - plan.water * 0.3f)
                    t = Water;
            } else if (plan.style == "islands") {
                // Land rises in a few islands and sinks towards the edges.
                float edge = std::min({x / W, (W - x) / W, y / H, (H - y) / H});
                t = landAt(plan, e - 0.3f + std::min(edge * 3, 0.3f), x, y, 0.43f + plan.water * 0.2f);
            } else if (plan.style == "works") {
                t = landAt(plan, e, x, y, 0.2f);
            } else { // mixed
                t = landAt(plan, e, x, y, 0.2f + plan.water * 0.2f);
            }
            c.at(x, y) = t;
        }
    if (plan.style == "works")
        paintWorks(plan, c, {W * 0.5f, H * 0.5f}, {W * 0.4f, H * 0.4f});
    if (plan.style == "mixed")
        paintWorks(plan, c, {W * 0.74f, H * 0.72f}, {W * 0.16f, H * 0.16f});
    // Roads and forest paths.
    Terrain road = Road;
    for (int i = 0; i < static_cast<int>(plan.roads); ++i) {
        bool horizontal = i % 2 == 0;
        float at = (horizontal ? H : W) * (0.25f + 0.5f * hashUnit(i, 7, plan.seed));
        paintPath(c, windingPath(plan, 30 + i, horizontal, at), 1.3f, road, false);
    }
}

bool joinable(Terrain a, Terrain b)
{
    bool swapped;
    return a == b || findTerrainPair(a, b, &swapped) >= 0;
}

// A ground the tile set joins to both a and b, or a itself when there is none.
Terrain bridge(Terrain a, Terrain b)
{
    for (int m = 0; m < TerrainCount; ++m)
        if (joinable(a, Terrain(m)) && joinable(Terrain(m), b) && m != a && m != b)
            return Terrain(m);
    return a;
}

// Nudges the corners of every tile the tile set cannot draw: two grounds at most per tile,
// and a pair that has transition cells.
void relax(Corners& c)
{
    for (int pass = 0; pass < 12; ++pass) {
        bool changed = false;
        for (int y = 0; y + 1 < c.h; ++y)
            for (int x = 0; x + 1 < c.w; ++x) {
                Terrain* k[4] = {&c.at(x, y), &c.at(x + 1, y), &c.at(x, y + 1), &c.at(x + 1, y + 1)};
                int count[TerrainCount] = {};
                for (Terrain* t : k)
                    ++count[*t];
                Terrain dominant = *k[0];
                for (Terrain* t : k)
                    if (count[*t] > count[dominant])
                        dominant = *t;
                Terrain second = dominant;
                for (Terrain* t : k)
                    if (*t != dominant && (second == dominant || count[*t] > count[second]))
                        second = *t;
                for (Terrain* t : k) {
                    if (*t == dominant || (*t == second && joinable(dominant, second)))
                        continue;
                    Terrain next = second == dominant || !joinable(dominant, second) ? bridge(dominant, *t) : dominant;
                    if (next != *t) {
                        *t = next;
                        changed = true;
                    }
                }
            }
        if (!changed)
            return;
    }
}

std::vector<uint16_t> resolveTiles(const Plan& plan, const Corners& c)
{
    std::vector<uint16_t> tiles(static_cast<size_t>(plan.width) * plan.height);
    for (int y = 0; y < plan.height; ++y)
        for (int x = 0; x < plan.width; ++x) {
            Terrain k[4] = {c.get(x, y), c.get(x + 1, y), c.get(x, y + 1), c.get(x + 1, y + 1)};
            int variant = static_cast<int>(hash2(x, y, plan.seed) % kPureVariants);
            Terrain other = k[0];
            for (Terrain t : k)
                if (t != k[0])
                    other = t;
            int tile = pureTile(k[0], variant);
            if (other != k[0]) {
                bool swapped = false;
                int pair = findTerrainPair(k[0], other, &swapped);
                Terrain overlay = pair >= 0 ? kTerrainPairs[pair].overlay : k[0];
                int mask = 0;
                for (int i = 0; i < 4; ++i)
                    mask |= (k[i] == overlay) << i;
                // A tile the relaxing could not mend takes its first corner's ground.
                bool clean = pair >= 0;
                for (Terrain t : k)
                    clean = clean && (t == k[0] || t == other);
                tile = clean ? transitionTile(pair, mask) : pureTile(k[0], variant);
            }
            tiles[static_cast<size_t>(y) * plan.width + x] = static_cast<uint16_t>(tile);
        }
    return tiles;
}

bool isPure(const std::vector<uint16_t>& tiles, const Plan& plan, int x, int y, Terrain t)
{
    if (x < 0 || y < 0 || x >= plan.width || y >= plan.height)
        return false;
    int tile = tiles[static_cast<size_t>(y) * plan.width + x];
    for (int v = 0; v < kPureVariants; ++v)
        if (tile == pureTile(t, v))
            return true;
    return false;
}

// Straight belts on open concrete, laid in pairs running opposite ways.
void layConveyors(const Plan& plan, std::vector<uint16_t>& tiles)
{
    int laid = 0;
    for (int attempt = 0; attempt < 400 && laid < static_cast<int>(plan.conveyors); ++attempt) {
        bool horizontal = hashUnit(attempt, 1, plan.seed + 99) < 0.6f;
        int length = 8 + static_cast<int>(hashUnit(attempt, 2, plan.seed + 99) * 16);
        int x0 = static_cast<int>(hashUnit(attempt, 3, plan.seed + 99) * plan.width);
        int y0 = static_cast<int>(hashUnit(attempt, 4, plan.seed + 99) * plan.height);
        bool fits = true;
        for (int i = -1; i <= length && fits; ++i)
            for (int lane = -1; lane <= 2 && fits; ++lane) {
                int x = horizontal ? x0 + i : x0 + lane, y = horizontal ? y0 + lane : y0 + i;
                fits = isPure(tiles, plan, x, y, Concrete);
            }
        if (!fits)
            continue;
        for (int i = 0; i < length; ++i)
            for (int lane = 0; lane < 2; ++lane) {
                int x = horizontal ? x0 + i : x0 + lane, y = horizontal ? y0 + lane : y0 + i;
                int tile = horizontal ? (lane ? kConveyorLeft : kConveyorRight) : (lane ? kConveyorUp : kConveyorDown);
                tiles[static_cast<size_t>(y) * plan.width + x] = static_cast<uint16_t>(tile);
            }
        ++laid;
    }
}

struct SpriteRule {
    Terrain ground;
    float density;  // chance per grid cell
    float spacing;  // grid cell size in world pixels
    std::vector<const char*> kinds;
};

void scatter(const Plan& plan, const Corners& c, const std::vector<uint16_t>& tiles, const SpriteRule& rule, int salt,
             std::vector<tvl::MapFileSprite>& sprites)
{
    const float worldW = plan.width * 16.0f, worldH = plan.height * 16.0f;
    int cells = 0;
    for (float gy = 0; gy < worldH; gy += rule.spacing)
        for (float gx = 0; gx < worldW; gx += rule.spacing, ++cells) {
            int ix = static_cast<int>(gx / rule.spacing), iy = static_cast<int>(gy / rule.spacing);
            if (hashUnit(ix, iy, plan.seed * 31 + salt) >= rule.density)
                continue;
            float x = gx + hashUnit(ix, iy, plan.seed * 37 + salt) * rule.spacing;
            float y = gy + hashUnit(ix, iy, plan.seed * 41 + salt) * rule.spacing;
            // Stand on the ground asked for, away from other grounds and from belts.
            bool ok = x > 24 && y > 24 && x < worldW - 24 && y < worldH - 24;
            for (int dy = -1; dy <= 1 && ok; ++dy)
                for (int dx = -1; dx <= 1 && ok; ++dx) {
                    int cx = static_cast<int>(std::lround(x / 16)) + dx, cy = static_cast<int>(std::lround(y / 16)) + dy;
                    ok = c.get(cx, cy) == rule.ground;
                    int tx = std::clamp(static_cast<int>(x / 16) + dx, 0, plan.width - 1);
                    int ty = std::clamp(static_cast<int>(y / 16) + dy, 0, plan.height - 1);
                    int tile = tiles[static_cast<size_t>(ty) * plan.width + tx];
                    ok = ok && (tile < kConveyorUp || tile > kConveyorRight);
                }
            if (!ok)
                continue;
            const char* kind = rule.kinds[hash2(ix, iy, plan.seed + salt) % rule.kinds.size()];
            float angle = 0;
            if (std::string(kind) == "Crane" || std::string(kind) == "Radar" || std::string(kind) == "Fan")
                angle = hashUnit(ix, iy, salt + 5) * 360;
            sprites.push_back({kind, x, y, angle});
        }
}

std::vector<tvl::MapFileSprite> placeSprites(const Plan& plan, const Corners& c, const std::vector<uint16_t>& tiles)
{
    std::vector<tvl::MapFileSprite> sprites;
    const float t = plan.trees, r = plan.rocks, m = plan.machines;
    const SpriteRule rules[] = {
        {Forest, 0.9f * t, 22, {"Tree03", "Tree03", "Tree04", "Tree01", "Tree03", "Tree04"}},
        {Grass, 0.05f * t, 40, {"Tree01", "Tree02", "Tree02", "Tree05"}},
        {Lush, 0.12f * t, 36, {"Tree01", "Tree02", "Tree04"}},
        {Sand, 0.06f * r, 40, {"Rock01", "Rock02", "Rock03"}},
        {Grass, 0.015f * r, 48, {"Rock01", "Rock02", "Rock03"}},
        {Forest, 0.05f * r, 48, {"Rock02", "Rock03"}},
        {Concrete, 0.10f * m, 40, {"Fan", "Fan", "Fan", "Radar"}},
        {Concrete, 0.012f * m, 96, {"Crane"}},
    };
    int salt = 0;
    for (const SpriteRule& rule : rules)
        scatter(plan, c, tiles, rule, 100 + 17 * salt++, sprites);
    return sprites;
}

// The menu's preview: the game's minimap picture of the map, enlarged to about 512 pixels.
sf::Image preview(const Plan& plan, const std::vector<uint16_t>& tiles)
{
    tvl::mapWidth = plan.width;
    tvl::mapHeight = plan.height;
    tvl::mapWorldSize = sf::Vector2f(plan.width * 16.0f, plan.height * 16.0f);
    tvl::mapTiles = tiles;
    tvl::buildMinimap();
    const sf::Image& small = tvl::minimapImage;
    const unsigned scale = std::max(1u, 512u / std::max(small.getSize().x, small.getSize().y));
    sf::Image big;
    big.create(small.getSize().x * scale, small.getSize().y * scale);
    for (unsigned y = 0; y < big.getSize().y; ++y)
        for (unsigned x = 0; x < big.getSize().x; ++x)
            big.setPixel(x, y, small.getPixel(x / scale, y / scale));
    tvl::unloadMap();
    return big;
}

void blendPixel(sf::Image& image, int x, int y, sf::Color c, float alpha)
{
    if (x < 0 || y < 0 || x >= static_cast<int>(image.getSize().x) || y >= static_cast<int>(image.getSize().y) || alpha <= 0)
        return;
    sf::Color d = image.getPixel(x, y);
    auto lerp = [alpha](sf::Uint8 a, sf::Uint8 b) { return static_cast<sf::Uint8>(a + (b - a) * alpha); };
    image.setPixel(x, y, sf::Color(lerp(d.r, c.r), lerp(d.g, c.g), lerp(d.b, c.b), 255));
}

// The map as the game shows it, at one texel a world pixel: tiles, with the water and acid
// surfaces where the key colours are, then the sprites turned about their centres.
sf::Image renderArea(const std::string& gameDir, const tvl::MapFileData& map, int left, int top, int width, int height)
{
    sf::Image tileset = makeTilesetImage(), water, acid;
    water.loadFromFile(gameDir + "/base/Textures/Water.png");
    acid.loadFromFile(gameDir + "/base/Textures/Acid.png");
    const sf::Color keyA(115, 113, 255, 255), keyB(131, 255, 131, 255);
    sf::Image out;
    out.create(width, height, sf::Color::Black);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int wx = left + x, wy = top + y;
            int tx = std::clamp(wx / 16, 0, map.width - 1), ty = std::clamp(wy / 16, 0, map.height - 1);
            int tile = map.tiles[static_cast<size_t>(ty) * map.width + tx];
            sf::Color c = tileset.getPixel((tile % 32) * 16 + wx % 16, (tile / 32) * 16 + wy % 16);
            if (c == keyA && water.getSize().x)
                c = water.getPixel(wx % water.getSize().x, wy % water.getSize().y);
            else if (c == keyB && acid.getSize().x)
                c = acid.getPixel(wx % acid.getSize().x, wy % acid.getSize().y);
            out.setPixel(x, y, c);
        }
    std::map<std::string, sf::Image> pictures;
    for (const tvl::MapFileSprite& s : map.sprites) {
        sf::Image& picture = pictures[s.typeName];
        if (picture.getSize().x == 0 && !picture.loadFromFile(gameDir + "/base/images/" + s.typeName + ".png"))
            continue;
        const float pw = picture.getSize().x, ph = picture.getSize().y, reach = std::hypot(pw, ph) / 2;
        const float sx = s.x - left, sy = s.y - top;
        if (sx < -reach || sy < -reach || sx > width + reach || sy > height + reach)
            continue;
        const float a = s.angleDegrees * kPi / 180, ca = std::cos(a), sa = std::sin(a);
        for (int y = static_cast<int>(sy - reach); y <= static_cast<int>(sy + reach); ++y)
            for (int x = static_cast<int>(sx - reach); x <= static_cast<int>(sx + reach); ++x) {
                float dx = x + 0.5f - sx, dy = y + 0.5f - sy;
                float u = dx * ca + dy * sa + pw / 2, v = -dx * sa + dy * ca + ph / 2;
                if (u < 0 || v < 0 || u >= pw || v >= ph)
                    continue;
                sf::Color c = picture.getPixel(static_cast<unsigned>(u), static_cast<unsigned>(v));
                blendPixel(out, x, y, c, c.a / 255.0f);
            }
    }
    return out;
}

// The menu's background: a stretch of the largest map by night, lit here and there.
sf::Image menuBackground(const std::string& gameDir, const tvl::MapFileData& map)
{
    const int width = 1024, height = 768;
    const int left = std::clamp(map.width * 16 * 88 / 100 - width / 2, 0, std::max(0, map.width * 16 - width));
    const int top = std::clamp(map.height * 16 * 70 / 100 - height / 2, 0, std::max(0, map.height * 16 - height));
    sf::Image image = renderArea(gameDir, map, left, top, width, height);
    // Pools of warm light, as if from lamps, in a cold dark night.
    const Vec lamps[] = {{300, 260}, {720, 420}, {520, 640}, {880, 160}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float light = 0.28f;
            for (Vec l : lamps) {
                float d = std::hypot(x - l.x, y - l.y) / 210;
                light += 0.55f * std::exp(-d * d);
            }
            float vx = (x - width / 2.0f) / (width / 2.0f), vy = (y - height / 2.0f) / (height / 2.0f);
            light *= 1 - 0.5f * std::min(1.0f, 0.5f * (vx * vx + vy * vy));
            float fog = fractalNoise(x / 160.0f, y / 160.0f, 808, 3);
            sf::Color c = image.getPixel(x, y);
            float r = c.r * light * 0.8f + 40 * fog * 0.3f, g = c.g * light * 0.85f + 50 * fog * 0.3f,
                  b = c.b * light + 80 * fog * 0.35f;
            float warm = std::clamp(light - 0.35f, 0.0f, 1.0f);
            r += warm * 40;
            g += warm * 22;
            image.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(std::min(255.0f, r)), static_cast<sf::Uint8>(std::min(255.0f, g)),
                                           static_cast<sf::Uint8>(std::min(255.0f, b)), 255));
        }
    return image;
}

bool generateMap(const std::string& gameDir, const Plan& plan, tvl::MapFileData& map)
{
    Corners c;
    c.w = plan.width + 1;
    c.h = plan.height + 1;
    c.t.assign(static_cast<size_t>(c.w) * c.h, Grass);
    shapeGround(plan, c);
    relax(c);
    map.width = static_cast<uint16_t>(plan.width);
    map.height = static_cast<uint16_t>(plan.height);
    map.tiles = resolveTiles(plan, c);
    layConveyors(plan, map.tiles);
    map.sprites = placeSprites(plan, c, map.tiles);
    std::string error;
    const std::string path = gameDir + "/base/Maps/" + plan.name + ".map";
    if (!tvl::writeMapFile(path, map, &error)) {
        std::fprintf(stderr, "tvl_content: cannot write %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    std::printf("tvl_content: %s.map %dx%d, %zu sprites\n", plan.name.c_str(), plan.width, plan.height, map.sprites.size());
    return writeImage(preview(plan, map.tiles), gameDir, "base/Maps/" + plan.name + ".png");
}

} // namespace

bool generateMaps(const std::string& gameDir)
{
    // The minimap colours come from the tile set exactly as the game analyses it.
    sf::Image tileset = makeTilesetImage();
    if (!tvl::analyseTilesetImage(tileset))
        return false;
    std::vector<std::filesystem::path> plans;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(gameDir) / "base/Maps", error))
        if (entry.is_regular_file() && kv::equalsIgnoreCase(entry.path().extension().string(), ".ini"))
            plans.push_back(entry.path());
    std::sort(plans.begin(), plans.end());
    if (plans.empty()) {
        std::fprintf(stderr, "tvl_content: no map plans in %s/base/Maps\n", gameDir.c_str());
        return false;
    }
    tvl::MapFileData largest;
    for (const auto& path : plans) {
        Plan plan;
        tvl::MapFileData map;
        if (!readPlan(path, plan) || !generateMap(gameDir, plan, map))
            return false;
        if (map.tiles.size() > largest.tiles.size())
            largest = std::move(map);
    }
    return writeImage(menuBackground(gameDir, largest), gameDir, "base/Textures/menuback.png");
}

} // namespace content
