// base/Tiles/Tileset.png and its materials file. Row 0 holds the pure grounds (cells 0..4 the
// plain ground the loader varies), the two key-colour cells and the conveyors; the rows below
// hold one 16-cell transition set per pair of grounds, indexed by which corners are overlay.
// Every texture tiles at 16 pixels, and a transition's edge depends only on the two corners
// of the cell edge it crosses, so neighbouring cells always meet without a seam.
#include "Content.h"
#include "WorldArt.h"

#include "core/IniFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace content {

// --- noise ---

uint32_t hash32(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t hash2(int x, int y, uint32_t seed)
{
    return hash32(static_cast<uint32_t>(x) * 0x9E3779B1U ^ hash32(static_cast<uint32_t>(y) + seed * 0x85EBCA77U));
}

float hashUnit(int x, int y, uint32_t seed) { return (hash2(x, y, seed) >> 8) * (1.0f / 16777216.0f); }

float valueNoise(float x, float y, uint32_t seed, int period)
{
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float fx = x - ix, fy = y - iy;
    auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    auto at = [&](int dx, int dy) { return hashUnit(wrap(ix + dx), wrap(iy + dy), seed); };
    float u = fx * fx * (3 - 2 * fx), v = fy * fy * (3 - 2 * fy);
    float top = at(0, 0) + (at(1, 0) - at(0, 0)) * u;
    float bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * u;
    return top + (bottom - top) * v;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves, int period)
{
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + i * 101, period) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}

// --- layout ---

const TerrainPair kTerrainPairs[] = {
    {Grass, Sand},     {Sand, Water},     {Grass, Water},  {Grass, Forest}, {Grass, Road},
    {Grass, Concrete}, {Concrete, Acid},  {Concrete, Road}, {Forest, Road}, {Grass, Acid},
    {Concrete, Water}, {Grass, Lush},     {Sand, Road},    {Forest, Water}, {Lush, Forest},
    {Lush, Water},     {Lush, Road},      {Sand, Concrete}, {Lush, Sand},
};
const int kTerrainPairCount = static_cast<int>(sizeof(kTerrainPairs) / sizeof(kTerrainPairs[0]));

int pureTile(Terrain t, int variant)
{
    switch (t) {
    case Grass: return 0;
    case Water: return 25;
    case Acid: return 26;
    default: return 5 + (static_cast<int>(t) - 1) * kPureVariants + variant % kPureVariants;
    }
}

int transitionTile(int pair, int mask) { return (1 + pair / 2) * 32 + (pair % 2) * 16 + mask; }

int findTerrainPair(Terrain a, Terrain b, bool* swapped)
{
    for (int i = 0; i < kTerrainPairCount; ++i) {
        if (kTerrainPairs[i].base == a && kTerrainPairs[i].overlay == b) {
            *swapped = false;
            return i;
        }
        if (kTerrainPairs[i].base == b && kTerrainPairs[i].overlay == a) {
            *swapped = true;
            return i;
        }
    }
    return -1;
}

const char* terrainMaterial(Terrain t)
{
    switch (t) {
    case Sand: return "Sand";
    case Forest: return "Tree";
    case Road: return "Road";
    case Concrete: return "Concrete";
    case Water: return "Water";
    case Acid: return "Acid";
    default: return "Grass";
    }
}

namespace {

const sf::Color kKeyA(115, 113, 255, 255);
const sf::Color kKeyB(131, 255, 131, 255);

Rgba shade(Rgba c, float f) { return {c.r * f, c.g * f, c.b * f, c.a}; }

// The minimap colour of each terrain: the cell's centre pixel is set to it.
Rgba meanColour(Terrain t)
{
    switch (t) {
    case Grass: return rgb(86, 128, 54);
    case Lush: return rgb(60, 108, 40);
    case Sand: return rgb(206, 186, 134);
    case Forest: return rgb(46, 70, 34);
    case Road: return rgb(72, 74, 78);
    case Concrete: return rgb(150, 150, 144);
    default: return rgb(128, 128, 128);
    }
}

// The ground's own texture at (x, y) in cell pixels (it repeats every 16). variant changes
// the fine grain only, so that variants of one ground meet seamlessly.
Rgba groundColour(Terrain t, int x, int y, uint32_t variant)
{
    float fx = x + 0.5f, fy = y + 0.5f;
    float broad = fractalNoise(fx / 8, fy / 8, 11 + t, 2, 2);
    float grain = hashUnit(x, y, 1000 + t * 31 + variant * 7);
    float grain2 = hashUnit(x, y, 5000 + t * 17 + variant * 13);
    switch (t) {
    case Grass: {
        Rgba c = mix(rgb(72, 114, 46), rgb(98, 140, 60), broad);
        if (grain < 0.16f)
            c = mix(c, rgb(54, 92, 36), 0.7f);
        else if (grain > 0.9f)
            c = mix(c, rgb(128, 166, 74), 0.6f);
        if (grain2 > 0.994f)
            c = mix(c, variant % 2 ? rgb(232, 220, 120) : rgb(226, 226, 214), 0.7f); // a tiny flower
        return c;
    }
    case Lush: {
        Rgba c = mix(rgb(44, 92, 32), rgb(66, 118, 42), broad);
        if (grain < 0.3f)
            c = mix(c, rgb(30, 70, 24), 0.7f);
        else if (grain > 0.85f)
            c = mix(c, rgb(96, 148, 58), 0.7f);
        return c;
    }
    case Sand: {
        Rgba c = mix(rgb(194, 172, 122), rgb(216, 198, 148), broad);
        c = shade(c, 0.94f + grain * 0.1f);
        if (grain2 > 0.975f)
            c = rgb(150, 134, 104); // a pebble
        return c;
    }
    case Forest: {
        Rgba c = mix(rgb(40, 40, 26), rgb(62, 60, 36), broad);
        if (grain < 0.22f)
            c = mix(c, rgb(92, 70, 36), 0.65f); // needles and leaf litter
        else if (grain > 0.8f)
            c = mix(c, rgb(48, 78, 34), 0.7f); // moss
        if (grain2 > 0.97f)
            c = rgb(112, 84, 44);
        return c;
    }
    case Road: {
        Rgba c = mix(rgb(62, 64, 68), rgb(78, 80, 84), broad);
        c = shade(c, 0.9f + grain * 0.2f);
        float crack = fractalNoise(fx / 5, fy / 5, 77 + variant, 2, 0);
        if (std::fabs(crack - 0.5f) < 0.012f)
            c = shade(c, 0.7f);
        return c;
    }
    case Concrete: {
        Rgba c = mix(rgb(140, 140, 134), rgb(162, 162, 156), broad);
        c = shade(c, 0.96f + grain * 0.08f);
        float stain = fractalNoise(fx / 6, fy / 6, 300 + variant, 2, 0);
        if (stain > 0.7f)
            c = mix(c, rgb(110, 108, 98), (stain - 0.7f) * 2);
        if (x == 0 || y == 0)
            c = shade(c, 0.78f); // slab joints
        return c;
    }
    default:
        return meanColour(t);
    }
}

sf::Color toColour(Rgba c)
{
    auto byte = [](float v) { return static_cast<sf::Uint8>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    return {byte(c.r), byte(c.g), byte(c.b), 255};
}

// A painted ground pixel never matches a key colour by accident.
sf::Color groundPixel(Rgba c)
{
    sf::Color out = toColour(c);
    if (out == kKeyA || out == kKeyB)
        out.r ^= 1;
    return out;
}

void paintPure(sf::Image& image, int tile, Terrain t, uint32_t variant)
{
    int left = (tile % 32) * 16, top = (tile / 32) * 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            sf::Color c = t == Water ? kKeyA : t == Acid ? kKeyB : groundPixel(groundColour(t, x, y, variant));
            image.setPixel(left + x, top + y, c);
        }
    if (t != Water && t != Acid)
        image.setPixel(left + 8, top + 8, groundPixel(meanColour(t)));
}

// The transition field at (x, y): positive on the overlay side. Corner values are blended
// bilinearly (diagonal edges then run straight across cells) and the edge is pushed about by noise that repeats every cell.
float transitionField(int mask, float x, float y, Terrain overlay, int px, int py)
{
    float u = std::clamp(x / 16, 0.0f, 1.0f), v = std::clamp(y / 16, 0.0f, 1.0f);
    float c00 = mask & 1, c10 = (mask >> 1) & 1, c01 = (mask >> 2) & 1, c11 = (mask >> 3) & 1;
    float f = (c00 + (c10 - c00) * u) * (1 - v) + (c01 + (c11 - c01) * u) * v;
    float wobble = fractalNoise(x / 4, y / 4, 900 + overlay, 2, 4) - 0.5f;
    float amount = overlay == Road || overlay == Concrete ? 0.12f : 0.35f;
    float threshold = 0.5f + wobble * amount;
    if (overlay == Sand || overlay == Forest || overlay == Lush)
        threshold += (hashUnit(px, py, 4242 + overlay) - 0.5f) * 0.22f; // a grainy edge
    return f - threshold;
}

void paintTransition(sf::Image& image, int tile, const TerrainPair& pair, int mask)
{
    int left = (tile % 32) * 16, top = (tile / 32) * 16;
    const Terrain base = pair.base, over = pair.overlay;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float g = transitionField(mask, fx, fy, over, x, y);
            float gx = transitionField(mask, fx + 0.5f, fy, over, x, y) - transitionField(mask, fx - 0.5f, fy, over, x, y);
            float gy = transitionField(mask, fx, fy + 0.5f, over, x, y) - transitionField(mask, fx, fy - 0.5f, over, x, y);
            float slope = std::max(std::sqrt(gx * gx + gy * gy), 0.02f);
            float d = g / slope; // about the distance to the edge in pixels, positive inside
            Rgba under = groundColour(base, x, y, tile);
            Rgba top2 = groundColour(over, x, y, tile);
            sf::Color out;
            switch (over) {
            case Water:
                if (d >= 0)
                    out = kKeyA;
                else if (d > -1.3f)
                    out = groundPixel(mix(rgb(206, 222, 226), under, 0.25f)); // foam
                else if (base != Sand && base != Concrete && d > -3.2f)
                    out = groundPixel(mix(rgb(118, 100, 70), under, 0.35f)); // a muddy bank
                else
                    out = groundPixel(shade(under, 0.72f + 0.28f * std::clamp((-d - 1.3f) / 4.0f, 0.0f, 1.0f)));
                if (base == Concrete && d < 0 && d > -1.3f)
                    out = groundPixel(rgb(96, 96, 92)); // the quay's wet edge
                break;
            case Acid:
                if (d >= 0)
                    out = kKeyB;
                else if (d > -1.4f)
                    out = groundPixel(rgb(196, 214, 64));
                else
                    out = groundPixel(mix(rgb(66, 58, 30), under, std::clamp((-d - 1.4f) / 4.0f, 0.0f, 1.0f)));
                break;
            case Road:
            case Concrete:
                if (d >= 1.0f)
                    out = groundPixel(top2);
                else if (d >= 0)
                    out = groundPixel(over == Road ? rgb(150, 150, 146) : mix(top2, rgb(200, 200, 194), 0.6f));
                else if (d > -1.6f)
                    out = groundPixel(shade(under, 0.62f));
                else
                    out = groundPixel(under);
                break;
            default:
                if (d >= 0)
                    out = groundPixel(top2);
                else
                    out = groundPixel(over == Forest && d > -3 ? shade(under, 0.82f) : under);
                break;
            }
            image.setPixel(left + x, top + y, out);
        }
    sf::Color centre = image.getPixel(left + 8, top + 8);
    if (centre != kKeyA && centre != kKeyB) {
        bool overlayAtCentre = transitionField(mask, 8.5f, 8.5f, over, 8, 8) >= 0;
        image.setPixel(left + 8, top + 8, groundPixel(meanColour(overlayAtCentre ? over : base)));
    }
}

// A belt moving up; the other directions are turned copies. Ribs repeat every 8 pixels, so
// the belt scrolls seamlessly over its 16-pixel texture.
Rgba conveyorUpColour(int x, int y)
{
    if (x < 2 || x > 13) {
        Rgba steel = rgb(122, 126, 134);
        if (x == 1 || x == 14)
            steel = x == 1 ? rgb(170, 174, 182) : rgb(86, 88, 96);
        if ((y % 8) == 4)
            steel = rgb(70, 72, 78); // rivet
        return steel;
    }
    if (x == 2 || x == 13)
        return rgb(24, 24, 28);
    int phase = ((y - std::abs(2 * x - 15) / 2) % 8 + 8) % 8; // the point leads, upwards
    if (phase < 2)
        return phase == 0 ? rgb(214, 170, 40) : rgb(150, 118, 30); // chevron
    return (y % 2) ? rgb(44, 46, 50) : rgb(38, 40, 44);
}

void paintConveyor(sf::Image& image, int tile, int direction)
{
    int left = (tile % 32) * 16, top = (tile / 32) * 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            int ux = x, uy = y; // coordinates in the upward belt
            switch (direction) {
            case 1: uy = 15 - y; break;           // down
            case 2: ux = y; uy = x; break;        // left
            case 3: ux = y; uy = 15 - x; break;   // right
            default: break;
            }
            image.setPixel(left + x, top + y, groundPixel(conveyorUpColour(ux, uy)));
        }
}

int overlayCorners(int mask) { return (mask & 1) + ((mask >> 1) & 1) + ((mask >> 2) & 1) + ((mask >> 3) & 1); }

} // namespace

sf::Image makeTilesetImage()
{
    sf::Image image;
    // Unused cells stay plain ground, opaque like every other ground cell.
    image.create(512, 512, sf::Color::Black);
    for (int tile = 0; tile < 1024; ++tile)
        paintPure(image, tile, Grass, tile);
    for (int variant = 0; variant < kPlainGroundVariants; ++variant)
        paintPure(image, variant, Grass, variant);
    for (int t = Lush; t < TerrainCount; ++t)
        for (int variant = 0; variant < kPureVariants; ++variant)
            paintPure(image, pureTile(static_cast<Terrain>(t), variant), static_cast<Terrain>(t), variant);
    for (int direction = 0; direction < 4; ++direction)
        paintConveyor(image, kConveyorUp + direction, direction);
    for (int pair = 0; pair < kTerrainPairCount; ++pair)
        for (int mask = 0; mask < 16; ++mask)
            paintTransition(image, transitionTile(pair, mask), kTerrainPairs[pair], mask);
    return image;
}

bool generateTileset(const std::string& gameDir)
{
    if (!writeImage(makeTilesetImage(), gameDir, "base/Tiles/Tileset.png"))
        return false;

    struct Material {
        const char* name;
        float shine;
    };
    // Grass first: material 0 is what every failed lookup and the world outside the map get.
    const Material materials[] = {{"Grass", 0.0f}, {"Water", 0.6f},    {"Tree", 0.0f},  {"Sand", 0.05f},
                                  {"Road", 0.15f}, {"Concrete", 0.25f}, {"Acid", 0.5f}, {"Metal", 0.7f}};
    kv::IniFile ini;
    ini.setSection("info");
    ini.setValue("numMats", std::to_string(sizeof(materials) / sizeof(materials[0])));
    int index = 0;
    for (const Material& m : materials) {
        ini.setSection("mat" + std::to_string(index++));
        ini.setValue("name", m.name);
        char shine[32];
        std::snprintf(shine, sizeof shine, "%.2f", m.shine);
        ini.setValue("shine", shine);
    }
    ini.setSection("tileMats");
    auto setMaterial = [&ini](int tile, const char* name) {
        if (std::string(name) != "Grass")
            ini.setValue(std::to_string(tile), name);
    };
    for (int t = Lush; t < TerrainCount; ++t)
        for (int variant = 0; variant < kPureVariants; ++variant)
            setMaterial(pureTile(static_cast<Terrain>(t), variant), terrainMaterial(static_cast<Terrain>(t)));
    for (int pair = 0; pair < kTerrainPairCount; ++pair)
        for (int mask = 0; mask < 16; ++mask) {
            const TerrainPair& p = kTerrainPairs[pair];
            setMaterial(transitionTile(pair, mask), terrainMaterial(overlayCorners(mask) >= 2 ? p.overlay : p.base));
        }
    for (int direction = 0; direction < 4; ++direction)
        setMaterial(kConveyorUp + direction, "Metal");
    ini.setSection("tileSpecials");
    const char* specials[] = {"ConveyorUp", "ConveyorDown", "ConveyorLeft", "ConveyorRight"};
    for (int direction = 0; direction < 4; ++direction)
        ini.setValue(std::to_string(kConveyorUp + direction), specials[direction]);
    const std::string path = gameDir + "/base/Tiles/Tileset.ini";
    if (!ini.save(path)) {
        std::fprintf(stderr, "tvl_content: %s\n", ini.lastError.c_str());
        return false;
    }
    return true;
}

} // namespace content
