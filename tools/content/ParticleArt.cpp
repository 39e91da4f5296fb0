// The map's wildlife and plants: base/Effects/Wildlife.png and Plants.png, and one definition
// file per kind in base/Particles that cuts its frames from them. Each kind's cells are placed
// from one table, so a drawing and the rects that cut it cannot drift apart. Animals face up,
// the way they move; everything has a dark rim so it reads on grass, sand and water alike.
#include "Content.h"
#include "WorldArt.h"

#include "core/IniFile.h"
#include "core/StringUtils.h"

#include <cmath>
#include <string>
#include <vector>

namespace content {

namespace {

constexpr float kPi = 3.14159265f;
const Rgba kRim = rgb(20, 18, 16);

// --- wildlife ---

void bird(Canvas& c, int frame)
{
    // Wings up (foreshortened), level, down (full span), level.
    const float span = frame == 0 ? 0.55f : frame == 2 ? 1.0f : 0.8f;
    auto wing = [&](float side) {
        return polygon({{16, 11.5f}, {16 + side * 7 * span, 10 + 2 * (1 - span)}, {16 + side * 14 * span, 13 + 3 * (1 - span)},
                        {16 + side * 8 * span, 16.5f}, {16, 18}});
    };
    Shape wings = unite(wing(-1), wing(1));
    Shape tail = polygon({{14.5f, 20}, {17.5f, 20}, {20, 27}, {16, 28.5f}, {12, 27}});
    Shape body = unite({ellipse({16, 15}, 2.8f, 6.5f), circle({16, 8.5f}, 2.6f), tail});
    c.fill(grow(unite(wings, body), 0.8f), kRim);
    c.fill(wings, linear({0, 10}, rgb(132, 112, 94), {0, 18}, rgb(74, 60, 50)));
    c.fill(intersect(wings, unite(line({16 - 13 * span, 14}, {6, 15}, 1.2f), line({16 + 13 * span, 14}, {26, 15}, 1.2f))),
           rgb(50, 40, 34));
    c.fill(body, rgb(100, 86, 74));
    c.fill(circle({16, 8.5f}, 1.6f), rgb(70, 60, 52));
    c.fill(polygon({{16, 4.2f}, {17.3f, 6.6f}, {14.7f, 6.6f}}), rgb(236, 176, 40));
}

void butterfly(Canvas& c, int frame, Rgba colour)
{
    // Open, then folded towards the body.
    const float w = frame == 0 ? 1.0f : 0.45f;
    Shape wings = unite({ellipse({8 - 3.6f * w, 6}, 3.4f * w, 3.4f), ellipse({8 + 3.6f * w, 6}, 3.4f * w, 3.4f),
                         ellipse({8 - 2.6f * w, 11}, 2.4f * w, 2.6f), ellipse({8 + 2.6f * w, 11}, 2.4f * w, 2.6f)});
    c.fill(grow(wings, 0.6f), kRim);
    c.fill(wings, colour);
    c.fill(intersect(wings, unite(circle({8 - 3.8f * w, 5}, 1), circle({8 + 3.8f * w, 5}, 1))), rgb(30, 30, 30));
    c.fill(line({8, 3}, {8, 13}, 1.2f), kRim);
    c.fill(unite(line({8, 3.5f}, {6.5f, 1}, 0.6f), line({8, 3.5f}, {9.5f, 1}, 0.6f)), kRim);
}

void butterfly01(Canvas& c, int frame) { butterfly(c, frame, rgb(250, 150, 40)); }
void butterfly02(Canvas& c, int frame) { butterfly(c, frame, rgb(120, 170, 255)); }
void butterfly03(Canvas& c, int frame) { butterfly(c, frame, rgb(250, 240, 120)); }

void bee(Canvas& c, int frame)
{
    Shape wings = unite(ellipse({5.5f, 6.5f - frame}, 2.6f, 1.8f), ellipse({10.5f, 6.5f - frame}, 2.6f, 1.8f));
    c.fill(grow(wings, 0.5f), withAlpha(kRim, 0.5f));
    c.fill(wings, rgb(230, 240, 255, 170));
    Shape body = ellipse({8, 8.5f}, 2.3f, 3.8f);
    c.fill(grow(body, 0.6f), kRim);
    c.fill(body, rgb(240, 190, 30));
    c.fill(intersect(body, unite(line({5, 8.5f}, {11, 8.5f}, 0.9f), line({5, 10.5f}, {11, 10.5f}, 0.9f))), kRim);
    c.fill(circle({8, 4.8f}, 1.3f), kRim);
}

void fly(Canvas& c, int frame)
{
    c.fill(unite(ellipse({2.5f, 3.5f - frame * 0.5f}, 1.5f, 1), ellipse({5.5f, 3.5f - frame * 0.5f}, 1.5f, 1)),
           rgb(220, 230, 240, 150));
    c.fill(ellipse({4, 4.5f}, 1.1f, 1.8f), rgb(24, 24, 28));
}

void firefly(Canvas& c, int frame)
{
    // Lit, then dark: the tail glows in the first frame only.
    if (frame == 0)
        c.glow(circle({8, 9.5f}, 1.5f), 6, rgb(200, 255, 90, 220));
    c.fill(grow(ellipse({8, 8}, 1.3f, 2.8f), 0.5f), kRim);
    c.fill(ellipse({8, 8}, 1.3f, 2.8f), rgb(60, 52, 34));
    c.fill(circle({8, 10}, 1.3f), frame == 0 ? rgb(240, 255, 150) : rgb(90, 100, 50));
}

void crab(Canvas& c, int frame)
{
    // The claws open and close.
    const float claw = frame * 1.0f;
    Shape legs = unite({line({4, 8}, {1, 6}, 1), line({4, 10}, {1, 11}, 1), line({4, 12}, {1.5f, 14}, 1),
                        line({12, 8}, {15, 6}, 1), line({12, 10}, {15, 11}, 1), line({12, 12}, {14.5f, 14}, 1)});
    Shape claws = unite(circle({4.5f - claw, 3.5f}, 2), circle({11.5f + claw, 3.5f}, 2));
    Shape shell = ellipse({8, 9.5f}, 4.8f, 3.8f);
    c.fill(grow(unite({legs, claws, shell}), 0.6f), kRim);
    c.fill(unite(legs, claws), rgb(200, 70, 40));
    c.fill(shell, radial({7, 8}, 6, rgb(240, 120, 70), rgb(170, 50, 30)));
    c.fill(unite(circle({6.5f, 6.5f}, 0.7f), circle({9.5f, 6.5f}, 0.7f)), kRim);
}

void fish(Canvas& c, int frame, Rgba back, Rgba belly)
{
    // The tail swings left, then right.
    const float swing = frame ? 2.5f : -2.5f;
    Shape body = ellipse({8, 12}, 4, 9);
    Shape fins = unite(polygon({{4.5f, 9}, {1, 14}, {4.5f, 13}}), polygon({{11.5f, 9}, {15, 14}, {11.5f, 13}}));
    Shape tail = polygon({{8, 19}, {8 + swing - 5, 29}, {8 + swing, 26.5f}, {8 + swing + 5, 29}});
    c.fill(grow(unite({body, fins, tail}), 0.6f), withAlpha(kRim, 0.7f));
    c.fill(unite(tail, fins), back);
    c.fill(body, linear({4, 0}, belly, {12, 0}, back));
    c.fill(unite(circle({6, 6}, 0.9f), circle({10, 6}, 0.9f)), kRim);
}

void fish01(Canvas& c, int frame) { fish(c, frame, rgb(250, 150, 50), rgb(255, 230, 190)); }
void fish02(Canvas& c, int frame) { fish(c, frame, rgb(110, 130, 155), rgb(215, 225, 235)); }

// Frames are cells of one size side by side in a row of the atlas.
struct Strip {
    int left, top, width, height, count;
    float duration; // seconds a frame
};

struct Wildlife {
    const char* file;
    const char* name;
    const char* terrain; // "air", "water" or "land"
    float minScale, maxScale, minSpeed, maxSpeed, minLifetime, maxLifetime;
    float randomAngleChance, turnSpeed, windInfluence;
    bool castShadow;
    Strip strip;
    void (*draw)(Canvas&, int frame);
    bool glows; // one light on the tail
};

// Wildlife.png (256 x 256): the bird's four 32 x 32 frames in row 0, the 16 x 16 insects and
// the crab in row 32, the 16 x 32 fish in row 48.
const Wildlife kWildlife[] = {
    {"Wildlife_Bee01.ini", "Bee", "air", 0.8f, 1.0f, 40, 80, 8, 20, 0.08f, 360, 0.2f, true, {96, 32, 16, 16, 2, 0.05f}, bee, false},
    {"Wildlife_Bird01.ini", "Bird", "air", 0.8f, 1.2f, 80, 160, 15, 40, 0.01f, 60, 0.1f, true, {0, 0, 32, 32, 4, 0.12f}, bird, false},
    {"Wildlife_Butterfly01.ini", "Butterfly", "air", 0.8f, 1.1f, 20, 45, 10, 25, 0.06f, 180, 0.4f, true, {0, 32, 16, 16, 2, 0.15f}, butterfly01, false},
    {"Wildlife_Butterfly02.ini", "Butterfly", "air", 0.8f, 1.1f, 20, 45, 10, 25, 0.06f, 180, 0.4f, true, {32, 32, 16, 16, 2, 0.15f}, butterfly02, false},
    {"Wildlife_Butterfly03.ini", "Butterfly", "air", 0.8f, 1.1f, 20, 45, 10, 25, 0.06f, 180, 0.4f, true, {64, 32, 16, 16, 2, 0.15f}, butterfly03, false},
    {"Wildlife_Firefly01.ini", "Firefly", "air", 0.8f, 1.0f, 8, 20, 8, 16, 0.05f, 120, 0.3f, false, {144, 32, 16, 16, 2, 0.6f}, firefly, true},
    {"Wildlife_Fish01.ini", "Fish", "water", 0.7f, 1.2f, 20, 60, 15, 30, 0.03f, 90, 0, false, {0, 48, 16, 32, 2, 0.25f}, fish01, false},
    {"Wildlife_Fish02.ini", "Fish", "water", 0.7f, 1.2f, 20, 60, 15, 30, 0.03f, 90, 0, false, {32, 48, 16, 32, 2, 0.25f}, fish02, false},
    {"Wildlife_Crab01.ini", "Crab", "land", 0.8f, 1.1f, 10, 25, 10, 20, 0.05f, 90, 0, true, {176, 32, 16, 16, 2, 0.2f}, crab, false},
    {"Wildlife_Fly01.ini", "Fly", "air", 0.9f, 1.1f, 50, 100, 5, 12, 0.15f, 540, 0.3f, true, {128, 32, 8, 8, 2, 0.04f}, fly, false},
};

// --- plants ---

const char* const kPlantNames[] = {
    "Grass01", "Grass02", "Grass03", "Flower01", "Flower02", "Flower03", "Flower04", "Flower05", "Flower06",
    "Flower07", "Stone01", "Stone02", "Stone03", "Stone04", "Stone05", "Stone06", "Stone07", "WaterStone01",
    "WaterStone02", "WaterStone03", "WaterStone04", "WaterStone05", "WaterStone06", "WaterStone07",
    "WaterSeaweed01", "WaterSeaweed02", "WaterCoral01", "WaterCoral02", "WaterStarfish01", "Bluebell01",
    "Bluebell02", "Fern01", "FirCone01", "Leaf01", "Leaf02", "Leaf03", "Leaf04", "Leaf05", "Leaf06", "Leaf07",
    "Mushroom01", "Mushroom02", "Mushroom03", "Toadstool01", "Toadstool02", "Toadstool03",
};
constexpr int kPlantCount = static_cast<int>(sizeof(kPlantNames) / sizeof(kPlantNames[0]));
constexpr int kPlantCell = 16;

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Plants are seen from above: tufts and leaves spread from the middle of the cell.
void plant(Canvas& c, int index)
{
    const Vec centre = {8, 8};
    const std::string name = kPlantNames[index];
    const float h = hashUnit(index, 0, 9);
    const Rgba rim = withAlpha(kRim, 0.85f);
    auto spokes = [&](int count, float length, float width, float turn) {
        std::vector<Shape> lines;
        for (int i = 0; i < count; ++i) {
            float a = (i * 360.0f / count + turn + (hashUnit(index, i, 3) - 0.5f) * 20) * kPi / 180;
            float r = length * (0.7f + 0.3f * hashUnit(i, index, 4));
            lines.push_back(line(centre, {8 + std::sin(a) * r, 8 - std::cos(a) * r}, width));
        }
        return unite(lines);
    };
    if (startsWith(name, "Grass")) {
        Shape tuft = spokes(7 + index * 2, 7, 1.3f, h * 60);
        c.outlined(tuft, solid(rgb(60, 112, 40)), 0.6f, rim);
        c.fill(spokes(4, 5, 1.0f, h * 90 + 20), rgb(118, 170, 64));
    } else if (startsWith(name, "Flower")) {
        const Rgba petals[] = {rgb(250, 240, 240), rgb(250, 220, 60), rgb(230, 60, 60), rgb(180, 110, 240),
                               rgb(250, 150, 200), rgb(90, 150, 250), rgb(250, 150, 40)};
        std::vector<Shape> circles;
        for (int i = 0; i < 5; ++i)
            circles.push_back(circle({8 + std::sin(i * 1.2566f) * 3, 8 - std::cos(i * 1.2566f) * 3}, 2.3f));
        c.outlined(unite(circles), solid(petals[(index - 3) % 7]), 0.6f, rim);
        c.fill(circle(centre, 1.6f), rgb(240, 200, 40));
    } else if (startsWith(name, "Stone") || startsWith(name, "WaterStone")) {
        const bool wet = name[0] == 'W';
        Shape stone = turned(ellipse(centre, 3 + 3 * h, 2.5f + 2.5f * hashUnit(index, 1, 9)), centre, h * 50 - 25);
        c.outlined(stone, radial({6, 6}, 7, wet ? rgb(150, 166, 150) : rgb(194, 190, 180), wet ? rgb(66, 90, 78) : rgb(100, 98, 92)),
                   0.7f, rim);
        if (wet)
            c.fill(intersect(stone, ellipse({9, 10}, 3, 2)), rgb(70, 130, 60, 150)); // moss
    } else if (startsWith(name, "WaterSeaweed")) {
        std::vector<Shape> fronds;
        for (int i = 0; i < 3; ++i)
            fronds.push_back(polyline({{6.0f + i * 2, 15}, {4.0f + i * 3, 10}, {7.0f + i * 2, 5}, {5.0f + i * 3, 1}}, 1.5f));
        c.outlined(unite(fronds), solid(rgb(40, 120 + 30 * (index % 2), 60)), 0.6f, rim);
    } else if (startsWith(name, "WaterCoral")) {
        Shape coral = unite({line({8, 15}, {8, 5}, 1.6f), line({8, 10}, {4, 4}, 1.4f), line({8, 9}, {12, 3}, 1.4f),
                             line({4, 7}, {2, 3}, 1.2f), line({12, 6}, {14, 3}, 1.2f)});
        c.outlined(coral, solid(index % 2 ? rgb(240, 110, 120) : rgb(250, 170, 80)), 0.6f, rim);
    } else if (startsWith(name, "WaterStarfish")) {
        std::vector<Vec> pts;
        for (int i = 0; i < 10; ++i) {
            float r = i % 2 ? 2.4f : 6.5f;
            pts.push_back({8 + std::sin(i * kPi / 5) * r, 8 - std::cos(i * kPi / 5) * r});
        }
        c.outlined(polygon(pts), radial(centre, 6, rgb(255, 160, 90), rgb(220, 90, 40)), 0.6f, rim);
    } else if (startsWith(name, "Bluebell")) {
        c.outlined(spokes(4, 6.5f, 1.1f, 45), solid(rgb(56, 110, 44)), 0.5f, rim);
        std::vector<Shape> bells;
        for (int i = 0; i < 3 + index % 2; ++i) {
            float a = (i * 100.0f + h * 60) * kPi / 180;
            bells.push_back(circle({8 + std::sin(a) * 3.5f, 8 - std::cos(a) * 3.5f}, 1.8f));
        }
        c.outlined(unite(bells), solid(rgb(104, 116, 236)), 0.5f, rim);
    } else if (startsWith(name, "Fern")) {
        std::vector<Shape> fronds;
        for (int i = 0; i < 6; ++i) {
            float a = i * 1.047f;
            fronds.push_back(turned(ellipse({8, 4.3f}, 1.5f, 3.8f), centre, a * 180 / kPi));
        }
        c.outlined(unite(fronds), solid(rgb(64, 136, 52)), 0.5f, rim);
        c.fill(spokes(6, 7, 0.5f, 0), rgb(36, 90, 30));
    } else if (startsWith(name, "FirCone")) {
        Shape cone = ellipse(centre, 2.8f, 4.8f);
        c.outlined(cone, solid(rgb(120, 76, 38)), 0.6f, rim);
        c.fill(intersect(cone, unite({line({5, 5.5f}, {11, 5.5f}, 0.7f), line({5, 8}, {11, 8}, 0.7f), line({5, 10.5f}, {11, 10.5f}, 0.7f)})),
               rgb(62, 38, 18));
    } else if (startsWith(name, "Leaf")) {
        const Rgba leaves[] = {rgb(200, 110, 30), rgb(220, 170, 40), rgb(160, 60, 30), rgb(120, 90, 40),
                               rgb(180, 140, 50), rgb(140, 110, 50), rgb(210, 90, 40)};
        Shape leaf = turned(unite(ellipse(centre, 2.8f, 5), line({8, 12}, {8, 14.5f}, 0.8f)), centre, h * 180);
        c.outlined(leaf, solid(leaves[(index - 33) % 7]), 0.5f, rim);
        c.fill(intersect(leaf, turned(line({8, 3}, {8, 13}, 0.6f), centre, h * 180)), rgb(90, 50, 20));
    } else { // mushrooms and toadstools, caps from above
        const bool toad = name[0] == 'T';
        const float r = 3 + 2 * h;
        c.outlined(circle(centre, r),
                   radial({7, 7}, r * 1.4f, toad ? rgb(240, 60, 40) : rgb(224, 194, 154), toad ? rgb(150, 20, 10) : rgb(140, 100, 60)),
                   0.7f, rim);
        if (toad)
            for (int i = 0; i < 4; ++i)
                c.fill(circle({8 + std::sin(i * 1.7f) * r * 0.55f, 8 - std::cos(i * 1.7f) * r * 0.55f}, 0.8f), rgb(250, 250, 240));
        else
            c.fill(circle({6.8f, 6.8f}, r * 0.35f), rgb(250, 236, 210, 120));
    }
}

bool isWaterPlant(const std::string& name) { return startsWith(name, "Water"); }

struct PlantLook {
    float minScale, maxScale, windInfluence;
};

// How a plant grows and sways: grass and flowers move in the wind, stones never do.
PlantLook plantLook(const std::string& name)
{
    if (startsWith(name, "Grass"))
        return {0.8f, 1.4f, 1.0f};
    if (startsWith(name, "Flower") || startsWith(name, "Bluebell"))
        return {0.7f, 1.1f, 0.8f};
    if (startsWith(name, "WaterSeaweed"))
        return {0.8f, 1.5f, 0.5f};
    if (startsWith(name, "Fern"))
        return {0.8f, 1.6f, 0.6f};
    if (startsWith(name, "Leaf"))
        return {0.7f, 1.1f, 0.3f};
    if (startsWith(name, "Stone") || startsWith(name, "WaterStone"))
        return {0.6f, 1.5f, 0};
    return {0.7f, 1.2f, 0.05f}; // coral, starfish, cones, mushrooms, toadstools
}

// --- the files ---

std::string rectText(int left, int top, int width, int height)
{
    return kv::formatString("%d,%d,%d,%d", left, top, width, height);
}

bool writeIni(const kv::IniFile& ini, const std::string& gameDir, const std::string& file)
{
    const std::string text = ini.saveToText();
    return writeBytes(std::vector<uint8_t>(text.begin(), text.end()), gameDir, "base/Particles/" + file);
}

bool writeWildlife(const Wildlife& w, const std::string& gameDir)
{
    kv::IniFile ini;
    ini.setSection("particle");
    ini.setValue("type", "wildlife");
    ini.setValue("name", w.name);
    ini.setValue("minScale", kv::floatToString(w.minScale));
    ini.setValue("maxScale", kv::floatToString(w.maxScale));
    ini.setValue("uniformScale", "true");
    ini.setValue("terrainType", w.terrain);
    ini.setValue("minSpeed", kv::floatToString(w.minSpeed));
    ini.setValue("maxSpeed", kv::floatToString(w.maxSpeed));
    ini.setValue("minLifetime", kv::floatToString(w.minLifetime));
    ini.setValue("maxLifetime", kv::floatToString(w.maxLifetime));
    ini.setValue("randomAngleChance", kv::floatToString(w.randomAngleChance));
    ini.setValue("turnSpeed", kv::floatToString(w.turnSpeed));
    ini.setValue("castShadow", w.castShadow ? "true" : "false");
    ini.setValue("windInfluence", kv::floatToString(w.windInfluence));
    ini.setValue("framesCount", std::to_string(w.strip.count));
    ini.setValue("lightsCount", w.glows ? "1" : "0");
    for (int f = 0; f < w.strip.count; ++f) {
        ini.setSection("frame" + std::to_string(f));
        ini.setValue("rect", rectText(w.strip.left + f * w.strip.width, w.strip.top, w.strip.width, w.strip.height));
        ini.setValue("duration", kv::floatToString(w.strip.duration));
    }
    if (w.glows) {
        ini.setSection("light0");
        ini.setValue("pos", "0,2");
        ini.setColour("colour", sf::Color(200, 255, 90, 200));
        ini.setValue("size", "32,32");
        ini.setValue("effectLight", "true");
    }
    return writeIni(ini, gameDir, w.file);
}

bool writePlant(int index, const std::string& gameDir)
{
    const std::string name = kPlantNames[index];
    const PlantLook look = plantLook(name);
    kv::IniFile ini;
    ini.setSection("particle");
    ini.setValue("type", "plant");
    ini.setValue("name", name);
    ini.setValue("minScale", kv::floatToString(look.minScale));
    ini.setValue("maxScale", kv::floatToString(look.maxScale));
    ini.setValue("uniformScale", "true");
    ini.setValue("randomiseAngle", "true"); // seen from above, any way round looks right
    ini.setValue("underwater", isWaterPlant(name) ? "true" : "false");
    ini.setValue("windInfluence", kv::floatToString(look.windInfluence));
    ini.setValue("framesCount", "1");
    ini.setSection("frame0");
    ini.setValue("rect", rectText((index % 16) * kPlantCell, (index / 16) * kPlantCell, kPlantCell, kPlantCell));
    ini.setValue("duration", "0");
    return writeIni(ini, gameDir, "Plant_" + name + ".ini");
}

sf::Image wildlifeAtlas()
{
    sf::Image image;
    image.create(256, 256, sf::Color::Transparent);
    for (const Wildlife& w : kWildlife)
        for (int f = 0; f < w.strip.count; ++f) {
            Canvas c(w.strip.width, w.strip.height);
            w.draw(c, f);
            c.copyTo(image, w.strip.left + f * w.strip.width, w.strip.top);
        }
    return image;
}

// 16 x 16 cells, 16 a row, in the order of kPlantNames.
sf::Image plantsAtlas()
{
    sf::Image image;
    image.create(256, 256, sf::Color::Transparent);
    for (int i = 0; i < kPlantCount; ++i) {
        Canvas c(kPlantCell, kPlantCell);
        plant(c, i);
        c.copyTo(image, (i % 16) * kPlantCell, (i / 16) * kPlantCell);
    }
    return image;
}

} // namespace

bool generateParticles(const std::string& gameDir)
{
    if (!writeImage(wildlifeAtlas(), gameDir, "base/Effects/Wildlife.png") ||
        !writeImage(plantsAtlas(), gameDir, "base/Effects/Plants.png"))
        return false;
    for (const Wildlife& w : kWildlife)
        if (!writeWildlife(w, gameDir))
            return false;
    for (int i = 0; i < kPlantCount; ++i)
        if (!writePlant(i, gameDir))
            return false;
    return true;
}

} // namespace content
