// base/Effects/ (smoke, fire and pulse puffs, the spark frames, the wildlife and plant atlases) and base/Textures/ (water,
// acid, the UI sheet). Puffs are near white: the game tints them with each particle's colour.
// The UI sprites are light grey on a dark rim for the same reason: the menu and the HUD tint
// them with their plain and highlight colours.
#include "Content.h"
#include "WorldArt.h"

#include <algorithm>
#include <cmath>

namespace content {

namespace {

constexpr float kPi = 3.14159265f;

sf::Color byteColour(Rgba c)
{
    auto byte = [](float v) { return static_cast<sf::Uint8>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    return {byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

// A soft round puff: alpha falls off from the centre and is broken up by noise.
sf::Image puff(uint32_t seed, Rgba (*colourAt)(float r, float n))
{
    sf::Image image;
    image.create(128, 128, sf::Color::Transparent);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            float dx = (x + 0.5f - 64) / 60, dy = (y + 0.5f - 64) / 60;
            float n = fractalNoise(x / 16.0f, y / 16.0f, seed, 4);
            float r = std::sqrt(dx * dx + dy * dy) + (n - 0.5f) * 0.35f;
            if (r < 1)
                image.setPixel(x, y, byteColour(colourAt(r, n)));
        }
    return image;
}

Rgba smokeAt(float r, float n)
{
    float a = std::pow(1 - std::clamp(r, 0.0f, 1.0f), 1.6f) * (0.55f + 0.45f * n);
    return withAlpha(mix(rgb(250, 250, 250), rgb(196, 196, 200), n), a);
}

Rgba fireAt(float r, float n)
{
    float t = std::clamp(r, 0.0f, 1.0f);
    Rgba c = t < 0.35f ? mix(rgb(255, 255, 236), rgb(255, 232, 140), t / 0.35f) : mix(rgb(255, 232, 140), rgb(255, 150, 60), (t - 0.35f) / 0.65f);
    return withAlpha(c, std::pow(1 - t, 1.3f) * (0.7f + 0.3f * n));
}

Rgba pulseAt(float r, float)
{
    float t = std::clamp(r, 0.0f, 1.0f);
    return withAlpha(rgb(255, 255, 255), std::exp(-t * t * 9) * 0.9f + (1 - t) * 0.1f);
}

// Six frames of electric arcs crackling from the centre of each 128 x 128 cell.
sf::Image sparks()
{
    sf::Image image;
    image.create(384, 256, sf::Color::Transparent);
    for (int frame = 0; frame < 6; ++frame) {
        Canvas c(128, 128);
        std::vector<Shape> arcs;
        for (int a = 0; a < 4; ++a) {
            float heading = (a * 90 + hashUnit(frame, a, 3) * 70) * kPi / 180;
            std::vector<Vec> pts = {{64, 64}};
            float reach = 30 + 26 * hashUnit(frame, a, 4);
            for (int s = 1; s <= 6; ++s) {
                float d = reach * s / 6, wobble = (hashUnit(frame * 10 + a, s, 5) - 0.5f) * 16;
                pts.push_back({64 + std::sin(heading) * d + std::cos(heading) * wobble,
                               64 - std::cos(heading) * d + std::sin(heading) * wobble});
            }
            arcs.push_back(polyline(pts, 1.6f));
        }
        Shape all = unite(arcs);
        c.glow(all, 9, rgb(90, 150, 255, 200));
        c.fill(grow(all, 0.8f), rgb(150, 200, 255));
        c.fill(all, rgb(250, 252, 255));
        c.glow(circle({64, 64}, 4), 10, rgb(200, 225, 255, 230));
        c.copyTo(image, (frame % 3) * 128, (frame / 3) * 128);
    }
    return image;
}

// A liquid surface that tiles at 512: broad swells with bright caustic ridges.
sf::Image liquid(Rgba deep, Rgba shallow, Rgba ridge, uint32_t seed, bool bubbles)
{
    sf::Image image;
    image.create(512, 512, sf::Color::Black);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            float swell = fractalNoise(x / 64.0f, y / 64.0f, seed, 3, 8);
            float cells = fractalNoise(x / 32.0f, y / 32.0f, seed + 50, 2, 16);
            float caustic = 1 - std::clamp(std::fabs(cells - 0.5f) * 14, 0.0f, 1.0f);
            Rgba c = mix(deep, shallow, swell);
            c = mix(c, ridge, caustic * caustic * 0.55f);
            image.setPixel(x, y, byteColour(withAlpha(c, 1)));
        }
    if (bubbles)
        for (int i = 0; i < 140; ++i) {
            float bx = hashUnit(i, 0, seed) * 512, by = hashUnit(i, 1, seed) * 512, br = 2 + hashUnit(i, 2, seed) * 6;
            for (int y = int(by - br - 2); y <= int(by + br + 2); ++y)
                for (int x = int(bx - br - 2); x <= int(bx + br + 2); ++x) {
                    float d = std::hypot(x + 0.5f - bx, y + 0.5f - by) - br;
                    float rim = std::clamp(1 - std::fabs(d) / 1.2f, 0.0f, 1.0f);
                    if (rim <= 0)
                        continue;
                    unsigned px = (x + 512) % 512, py = (y + 512) % 512;
                    sf::Color under = image.getPixel(px, py);
                    float k = rim * 0.7f;
                    image.setPixel(px, py, sf::Color(sf::Uint8(under.r + (ridge.r * 255 - under.r) * k),
                                                     sf::Uint8(under.g + (ridge.g * 255 - under.g) * k),
                                                     sf::Uint8(under.b + (ridge.b * 255 - under.b) * k), 255));
                }
        }
    return image;
}

// Block capitals on a 4 x 6 grid, as strokes; enough letters for "PAUSED".
std::vector<std::vector<Vec>> glyph(char letter)
{
    switch (letter) {
    case 'P': return {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}};
    case 'A': return {{{0, 6}, {0, 1.5f}, {1.5f, 0}, {2.5f, 0}, {4, 1.5f}, {4, 6}}, {{0, 3.5f}, {4, 3.5f}}};
    case 'U': return {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}};
    case 'S': return {{{4, 0.8f}, {3.2f, 0}, {0.8f, 0}, {0, 0.8f}, {0, 2.2f}, {0.8f, 3}, {3.2f, 3}, {4, 3.8f}, {4, 5.2f}, {3.2f, 6}, {0.8f, 6}, {0, 5.2f}}};
    case 'E': return {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
    case 'D': return {{{0, 0}, {0, 6}, {2.5f, 6}, {4, 4.5f}, {4, 1.5f}, {2.5f, 0}, {0, 0}}};
    default: return {};
    }
}

Shape word(const char* text, Vec origin, float scale, float width)
{
    std::vector<Shape> strokes;
    for (int i = 0; text[i]; ++i)
        for (const auto& stroke : glyph(text[i])) {
            std::vector<Vec> pts;
            for (Vec p : stroke)
                pts.push_back(origin + Vec{(i * 6.0f + p.x) * scale, p.y * scale});
            strokes.push_back(polyline(pts, width));
        }
    return unite(strokes);
}

const Rgba kUiRim = rgb(16, 18, 24);
const Rgba kUiLight = rgb(250, 250, 252);
const Rgba kUiShade = rgb(200, 204, 212);

sf::Image uiSheet()
{
    sf::Image image;
    image.create(512, 512, sf::Color::Transparent);
    {
        // uiSprite0 (0, 0, 300 x 100): the paused picture.
        Canvas c(300, 100);
        Shape text = word("PAUSED", {42, 22}, 7.2f, 6.5f);
        c.glow(text, 12, rgb(0, 0, 0, 140));
        c.fill(grow(text, 3), kUiRim);
        c.fill(text, linear({0, 20}, kUiLight, {0, 70}, rgb(170, 200, 250)));
        c.copyTo(image, 0, 0);
    }
    {
        // uiSprite1 (0, 128, 64 x 64): the off-screen arrow, pointing up.
        Canvas c(64, 64);
        Shape arrow = polygon({{32, 6}, {56, 36}, {42, 36}, {42, 58}, {22, 58}, {22, 36}, {8, 36}});
        c.fill(grow(arrow, 2.5f), kUiRim);
        c.fill(arrow, linear({0, 6}, kUiLight, {0, 58}, kUiShade));
        c.bevel(arrow, 3, 0.3f);
        c.copyTo(image, 0, 128);
    }
    {
        // uiSprite2 (0, 196, 32 x 32): the target marker.
        Canvas c(32, 32);
        Shape marker = unite({ring({16, 16}, 9, 2.6f), line({16, 1.5f}, {16, 7}, 2.6f), line({16, 25}, {16, 30.5f}, 2.6f),
                              line({1.5f, 16}, {7, 16}, 2.6f), line({25, 16}, {30.5f, 16}, 2.6f)});
        c.fill(grow(marker, 1.2f), kUiRim);
        c.fill(marker, kUiLight);
        c.fill(circle({16, 16}, 2), kUiLight);
        c.copyTo(image, 0, 196);
    }
    {
        // uiSprite3 (128, 128, 256 x 256): the carousel arrow, pointing right ("next").
        Canvas c(256, 256);
        Shape chevron = polyline({{86, 40}, {178, 128}, {86, 216}}, 34);
        c.glow(chevron, 18, rgb(0, 0, 0, 120));
        c.fill(grow(chevron, 5), kUiRim);
        c.fill(chevron, linear({80, 40}, kUiLight, {180, 216}, kUiShade));
        c.bevel(chevron, 8, 0.3f);
        c.copyTo(image, 128, 128);
    }
    {
        // uiSprite4 (0, 256, 65 x 65): the back button, a cross in a ring.
        Canvas c(65, 65);
        const Vec centre = {32.5f, 32.5f};
        Shape button = unite(ring(centre, 26, 5), unite(line({22, 22}, {43, 43}, 6), line({43, 22}, {22, 43}, 6)));
        c.fill(grow(button, 2.2f), kUiRim);
        c.fill(button, linear({0, 6}, kUiLight, {0, 59}, kUiShade));
        c.copyTo(image, 0, 256);
    }
    return image;
}

// Wildlife.png (256 x 256), the frames facing up, for the particle files to cut:
//   row y 0, 32 x 32: Bird01 wings up, level, down, level (x 0, 32, 64, 96)
//   row y 32, 16 x 16: Butterfly01, 02, 03, two frames each (x 0 .. 80, open then folded),
//                      Bee01 (x 96, 112), Fly01 8 x 8 (x 128, 136), Firefly01 lit, dark (x 144, 160),
//                      Crab01 (x 176, 192)
//   row y 48, 16 x 32: Fish01 (x 0, 16), Fish02 (x 32, 48), two frames of the tail
sf::Image wildlife()
{
    sf::Image image;
    image.create(256, 256, sf::Color::Transparent);
    const Rgba rim = rgb(20, 18, 16);
    for (int f = 0; f < 4; ++f) {
        Canvas c(32, 32);
        float span = f == 0 ? 0.55f : f == 2 ? 1.0f : 0.8f;
        Shape wings = unite(polygon({{16, 14}, {16 - 14 * span, 11 + 6 * (1 - span)}, {16 - 12 * span, 17}, {16, 19}}),
                            polygon({{16, 14}, {16 + 14 * span, 11 + 6 * (1 - span)}, {16 + 12 * span, 17}, {16, 19}}));
        Shape body = unite({ellipse({16, 16}, 2.6f, 7), circle({16, 9}, 2.4f), polygon({{14, 22}, {18, 22}, {19.5f, 26}, {12.5f, 26}})});
        c.fill(grow(unite(wings, body), 0.8f), rim);
        c.fill(wings, linear({0, 10}, rgb(120, 104, 90), {0, 19}, rgb(70, 58, 50)));
        c.fill(body, rgb(96, 84, 74));
        c.fill(polygon({{16, 5}, {17.2f, 7.5f}, {14.8f, 7.5f}}), rgb(230, 170, 40));
        c.copyTo(image, f * 32, 0);
    }
    const Rgba butterflies[] = {rgb(250, 150, 40), rgb(120, 170, 255), rgb(250, 240, 120)};
    for (int k = 0; k < 3; ++k)
        for (int f = 0; f < 2; ++f) {
            Canvas c(16, 16);
            float w = f == 0 ? 1.0f : 0.45f;
            Shape wings = unite({ellipse({8 - 3.6f * w, 6}, 3.4f * w, 3.4f), ellipse({8 + 3.6f * w, 6}, 3.4f * w, 3.4f),
                                 ellipse({8 - 2.6f * w, 11}, 2.4f * w, 2.6f), ellipse({8 + 2.6f * w, 11}, 2.4f * w, 2.6f)});
            c.fill(grow(wings, 0.6f), rim);
            c.fill(wings, butterflies[k]);
            c.fill(intersect(wings, unite(circle({8 - 3.8f * w, 5}, 1), circle({8 + 3.8f * w, 5}, 1))), rgb(30, 30, 30));
            c.fill(line({8, 3}, {8, 13}, 1.2f), rim);
            c.copyTo(image, (k * 2 + f) * 16, 32);
        }
    for (int f = 0; f < 2; ++f) {
        Canvas c(16, 16);
        Shape wings = unite(ellipse({5.5f, 6.5f - f}, 2.6f, 1.8f), ellipse({10.5f, 6.5f - f}, 2.6f, 1.8f));
        c.fill(wings, rgb(230, 240, 255, 150));
        Shape body = ellipse({8, 8.5f}, 2.3f, 3.8f);
        c.fill(grow(body, 0.6f), rim);
        c.fill(body, rgb(240, 190, 30));
        c.fill(intersect(body, unite(line({5, 8.5f}, {11, 8.5f}, 0.9f), line({5, 10.5f}, {11, 10.5f}, 0.9f))), rim);
        c.copyTo(image, 96 + f * 16, 32);
    }
    for (int f = 0; f < 2; ++f) {
        Canvas c(8, 8);
        c.fill(unite(ellipse({2.5f, 3.5f - f * 0.5f}, 1.5f, 1), ellipse({5.5f, 3.5f - f * 0.5f}, 1.5f, 1)), rgb(220, 230, 240, 140));
        c.fill(ellipse({4, 4.5f}, 1.1f, 1.8f), rgb(24, 24, 28));
        c.copyTo(image, 128 + f * 8, 32);
    }
    for (int f = 0; f < 2; ++f) {
        Canvas c(16, 16);
        if (f == 0)
            c.glow(circle({8, 9}, 1.5f), 6, rgb(200, 255, 90, 220));
        c.fill(ellipse({8, 8}, 1.3f, 2.6f), rgb(40, 36, 24));
        c.fill(circle({8, 10}, 1.3f), f == 0 ? rgb(240, 255, 150) : rgb(90, 100, 50));
        c.copyTo(image, 144 + f * 16, 32);
    }
    for (int f = 0; f < 2; ++f) {
        Canvas c(16, 16);
        float claw = f * 1.0f;
        Shape legs = unite({line({4, 8}, {1, 6}, 1), line({4, 10}, {1, 11}, 1), line({4, 12}, {1.5f, 14}, 1),
                            line({12, 8}, {15, 6}, 1), line({12, 10}, {15, 11}, 1), line({12, 12}, {14.5f, 14}, 1)});
        Shape claws = unite(circle({4.5f - claw, 3.5f}, 2), circle({11.5f + claw, 3.5f}, 2));
        Shape shell = ellipse({8, 9.5f}, 4.8f, 3.8f);
        c.fill(grow(unite({legs, claws, shell}), 0.6f), rim);
        c.fill(unite(legs, claws), rgb(200, 70, 40));
        c.fill(shell, radial({7, 8}, 6, rgb(240, 120, 70), rgb(170, 50, 30)));
        c.copyTo(image, 176 + f * 16, 32);
    }
    const Rgba fishes[][2] = {{rgb(250, 150, 50), rgb(255, 230, 190)}, {rgb(120, 140, 160), rgb(210, 220, 230)}};
    for (int k = 0; k < 2; ++k)
        for (int f = 0; f < 2; ++f) {
            Canvas c(16, 32);
            float swing = f ? 2.5f : -2.5f;
            Shape body = ellipse({8, 12}, 4, 9);
            Shape tail = polygon({{8, 19}, {8 + swing - 5, 29}, {8 + swing + 5, 29}});
            c.fill(grow(unite(body, tail), 0.6f), withAlpha(rim, 0.6f));
            c.fill(tail, fishes[k][0]);
            c.fill(body, linear({4, 0}, fishes[k][1], {12, 0}, fishes[k][0]));
            c.fill(unite(circle({6, 6}, 0.9f), circle({10, 6}, 0.9f)), rim);
            c.copyTo(image, (k * 2 + f) * 16, 48);
        }
    return image;
}

// Plants.png (256 x 256), 16 x 16 cells, 16 a row, in the order of kPlantNames.
const char* const kPlantNames[] = {
    "Grass01", "Grass02", "Grass03", "Flower01", "Flower02", "Flower03", "Flower04", "Flower05", "Flower06",
    "Flower07", "Stone01", "Stone02", "Stone03", "Stone04", "Stone05", "Stone06", "Stone07", "WaterStone01",
    "WaterStone02", "WaterStone03", "WaterStone04", "WaterStone05", "WaterStone06", "WaterStone07",
    "WaterSeaweed01", "WaterSeaweed02", "WaterCoral01", "WaterCoral02", "WaterStarfish01", "Bluebell01",
    "Bluebell02", "Fern01", "FirCone01", "Leaf01", "Leaf02", "Leaf03", "Leaf04", "Leaf05", "Leaf06", "Leaf07",
    "Mushroom01", "Mushroom02", "Mushroom03", "Toadstool01", "Toadstool02", "Toadstool03",
};

sf::Image plant(int index)
{
    Canvas c(16, 16);
    const Vec centre = {8, 8};
    const std::string name = kPlantNames[index];
    const float h = hashUnit(index, 0, 9);
    auto blades = [&](Rgba colour, int count) {
        for (int i = 0; i < count; ++i) {
            float a = (i - (count - 1) / 2.0f) * 22 + (hashUnit(index, i, 3) - 0.5f) * 14;
            c.fill(line({8, 15}, {8 + std::sin(a * kPi / 180) * 7, 15 - std::cos(a * kPi / 180) * (8 + 5 * hashUnit(i, index, 4))}, 1.3f), colour);
        }
    };
    if (name.rfind("Grass", 0) == 0) {
        blades(rgb(60, 110, 40), 5 + index);
        blades(rgb(110, 160, 60), 3);
    } else if (name.rfind("Flower", 0) == 0) {
        const Rgba petals[] = {rgb(250, 240, 240), rgb(250, 220, 60), rgb(230, 60, 60), rgb(180, 110, 240),
                               rgb(250, 150, 200), rgb(90, 150, 250), rgb(250, 150, 40)};
        Rgba p = petals[(index - 3) % 7];
        for (int i = 0; i < 5; ++i)
            c.fill(circle({8 + std::sin(i * 1.2566f) * 3, 8 - std::cos(i * 1.2566f) * 3}, 2.3f), p);
        c.fill(circle(centre, 1.6f), rgb(240, 200, 40));
    } else if (name.rfind("Stone", 0) == 0 || name.rfind("WaterStone", 0) == 0) {
        bool wet = name[0] == 'W';
        Shape stone = ellipse(centre, 3 + 3 * h, 2.5f + 2.5f * hashUnit(index, 1, 9));
        c.fill(grow(stone, 0.7f), rgb(40, 40, 40, 200));
        c.fill(stone, radial({6, 6}, 7, wet ? rgb(150, 160, 150) : rgb(190, 186, 176), wet ? rgb(70, 90, 80) : rgb(100, 98, 92)));
    } else if (name.rfind("WaterSeaweed", 0) == 0) {
        for (int i = 0; i < 3; ++i)
            c.fill(polyline({{6.0f + i * 2, 15}, {4.0f + i * 3, 10}, {7.0f + i * 2, 5}, {5.0f + i * 3, 1}}, 1.5f), rgb(40, 120 + 30 * (index % 2), 60));
    } else if (name.rfind("WaterCoral", 0) == 0) {
        Rgba coral = index % 2 ? rgb(240, 110, 120) : rgb(250, 170, 80);
        c.fill(unite({line({8, 15}, {8, 5}, 1.6f), line({8, 10}, {4, 4}, 1.4f), line({8, 9}, {12, 3}, 1.4f), line({4, 7}, {2, 3}, 1.2f)}), coral);
    } else if (name.rfind("WaterStarfish", 0) == 0) {
        std::vector<Vec> pts;
        for (int i = 0; i < 10; ++i) {
            float r = i % 2 ? 2.2f : 6.5f;
            pts.push_back({8 + std::sin(i * kPi / 5) * r, 8 - std::cos(i * kPi / 5) * r});
        }
        c.fill(polygon(pts), rgb(240, 120, 60));
    } else if (name.rfind("Bluebell", 0) == 0) {
        blades(rgb(50, 100, 40), 2);
        for (int i = 0; i < 3 + index % 2; ++i)
            c.fill(ellipse({5.0f + i * 2.5f, 4.0f + (i % 2) * 3}, 1.4f, 1.8f), rgb(100, 110, 230));
    } else if (name.rfind("Fern", 0) == 0) {
        for (int i = 0; i < 6; ++i)
            c.fill(line(centre, {8 + std::sin(i * 1.047f) * 7.5f, 8 - std::cos(i * 1.047f) * 7.5f}, 2.2f), rgb(60, 130, 50));
    } else if (name.rfind("FirCone", 0) == 0) {
        c.fill(ellipse(centre, 2.6f, 4.5f), rgb(110, 70, 36));
        c.fill(intersect(ellipse(centre, 2.6f, 4.5f), unite(line({5, 6}, {11, 6}, 0.7f), line({5, 9}, {11, 9}, 0.7f))), rgb(60, 36, 18));
    } else if (name.rfind("Leaf", 0) == 0) {
        const Rgba leaves[] = {rgb(200, 110, 30), rgb(220, 170, 40), rgb(160, 60, 30), rgb(120, 90, 40), rgb(180, 140, 50), rgb(140, 110, 50), rgb(210, 90, 40)};
        Shape leaf = turned(ellipse(centre, 2.6f, 5), centre, h * 180);
        c.fill(leaf, leaves[(index - 33) % 7]);
        c.fill(intersect(leaf, turned(line({8, 3}, {8, 13}, 0.6f), centre, h * 180)), rgb(90, 50, 20));
    } else { // mushrooms and toadstools
        bool toad = name[0] == 'T';
        float r = 3 + 2 * h;
        c.fill(circle(centre, r + 0.7f), rgb(40, 30, 20, 200));
        c.fill(circle(centre, r), radial({7, 7}, r * 1.4f, toad ? rgb(240, 60, 40) : rgb(220, 190, 150), toad ? rgb(150, 20, 10) : rgb(140, 100, 60)));
        if (toad)
            for (int i = 0; i < 4; ++i)
                c.fill(circle({8 + std::sin(i * 1.7f) * r * 0.55f, 8 - std::cos(i * 1.7f) * r * 0.55f}, 0.8f), rgb(250, 250, 240));
    }
    return c.toImage();
}

sf::Image plants()
{
    sf::Image image;
    image.create(256, 256, sf::Color::Transparent);
    const int count = static_cast<int>(sizeof(kPlantNames) / sizeof(kPlantNames[0]));
    for (int i = 0; i < count; ++i)
        image.copy(plant(i), (i % 16) * 16, (i / 16) * 16);
    return image;
}

sf::Image smoke() { return puff(7, smokeAt); }
sf::Image fire() { return puff(17, fireAt); }
sf::Image pulse() { return puff(27, pulseAt); }
sf::Image water() { return liquid(rgb(22, 66, 110), rgb(38, 104, 146), rgb(140, 206, 232), 61, false); }
sf::Image acid() { return liquid(rgb(52, 128, 16), rgb(104, 188, 28), rgb(214, 250, 110), 71, true); }

struct Picture {
    const char* path;
    sf::Image (*draw)();
};

const Picture kPictures[] = {
    {"base/Effects/Smoke.png", smoke}, {"base/Effects/Fire.png", fire},     {"base/Effects/Pulse.png", pulse},
    {"base/Effects/Sparks.png", sparks}, {"base/Textures/Water.png", water}, {"base/Textures/Acid.png", acid},
    {"base/Textures/UI.png", uiSheet}, {"base/Effects/Wildlife.png", wildlife}, {"base/Effects/Plants.png", plants},
};

} // namespace

bool generateEffectTextures(const std::string& gameDir)
{
    for (const Picture& picture : kPictures)
        if (!writeImage(picture.draw(), gameDir, picture.path))
            return false;
    return true;
}

} // namespace content
