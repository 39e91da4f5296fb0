// The map sprites under base/images/: trees, rocks and the machines of the works. The game
// draws map sprites without a shadow of its own, so each carries a soft one, cast towards the
// lower right like the light on its shading. Trees and rocks are placed unturned so that
// light and shadow agree; the machines that turn keep their shadow close and round.
// Their behaviour (isTree, rotateSpeed, randomTurn) is in the .ini files beside them, authored
// under data/base/images/.
#include "Content.h"
#include "WorldArt.h"

#include <algorithm>
#include <cmath>

namespace content {

namespace {

constexpr float kPi = 3.14159265f;
const Rgba kShadow = rgb(0, 0, 0, 110);

// Leafy shading: dark below and to the right, clumps of light from the upper left.
Paint foliage(Vec centre, float radius, Rgba dark, Rgba light, uint32_t seed)
{
    return [=](Vec p) {
        float lx = (p.x - centre.x) / radius, ly = (p.y - centre.y) / radius;
        float lit = std::clamp(0.55f - 0.45f * (lx + ly), 0.0f, 1.0f);
        float clumps = fractalNoise(p.x / 5, p.y / 5, seed, 3);
        return mix(dark, light, std::clamp(lit * 0.75f + (clumps - 0.5f) * 0.9f, 0.0f, 1.0f));
    };
}

Vec around(Vec centre, float radius, float degrees)
{
    float a = degrees * kPi / 180;
    return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

sf::Image broadleaf(int size, int lobes, Rgba dark, Rgba light, uint32_t seed)
{
    Canvas c(size, size);
    const Vec centre = {size / 2.0f, size / 2.0f};
    const float radius = size * 0.36f;
    std::vector<Shape> parts = {circle(centre, radius * 0.7f)};
    for (int i = 0; i < lobes; ++i) {
        float jitter = hashUnit(i, 1, seed);
        parts.push_back(circle(around(centre, radius * (0.5f + 0.15f * jitter), i * 360.0f / lobes + jitter * 20),
                               radius * (0.45f + 0.12f * hashUnit(i, 2, seed))));
    }
    Shape canopy = unite(parts);
    c.shadow(canopy, {size * 0.07f, size * 0.09f}, size * 0.06f, kShadow);
    c.fill(grow(canopy, 1.0f), mix(dark, rgb(0, 0, 0), 0.5f));
    c.fill(canopy, foliage(centre, radius, dark, light, seed));
    // Each lobe catches the light on its upper left.
    for (size_t i = 1; i < parts.size(); ++i) {
        float jitter = hashUnit(static_cast<int>(i), 1, seed);
        Vec lobe = around(centre, radius * (0.5f + 0.15f * jitter), (i - 1) * 360.0f / lobes + jitter * 20);
        c.fill(intersect(canopy, circle(lobe - Vec{2, 2}, radius * 0.25f)), withAlpha(light, 0.35f));
    }
    c.bevel(canopy, 3, 0.25f);
    return c.toImage();
}

sf::Image conifer(int size, Rgba dark, Rgba light, uint32_t seed)
{
    Canvas c(size, size);
    const Vec centre = {size / 2.0f, size / 2.0f};
    auto starShape = [&](float outer, float inner, int points, float twist) {
        std::vector<Vec> pts;
        for (int i = 0; i < points * 2; ++i) {
            float r = i % 2 ? inner : outer * (0.9f + 0.1f * hashUnit(i, static_cast<int>(outer), seed));
            pts.push_back(around(centre, r, twist + i * 180.0f / points));
        }
        return polygon(pts);
    };
    float r = size * 0.45f;
    Shape outline = starShape(r, r * 0.72f, 11, 0);
    c.shadow(outline, {size * 0.08f, size * 0.1f}, size * 0.05f, kShadow);
    c.fill(grow(outline, 0.8f), mix(dark, rgb(0, 0, 0), 0.55f));
    // Layers of branches, each tier lighter and smaller, turned against the one below.
    const int tiers = 4;
    for (int t = 0; t < tiers; ++t) {
        float k = 1.0f - t * 0.22f;
        Shape tier = starShape(r * k, r * k * 0.72f, 11 - t, t * 9.0f);
        Rgba tone = mix(dark, light, t / float(tiers));
        c.fill(tier, foliage(centre, r * k, mix(tone, rgb(0, 0, 0), 0.25f), tone, seed + t));
        c.fill(subtract(grow(tier, 0.6f), tier), withAlpha(rgb(0, 0, 0), 0.25f));
    }
    c.fill(circle(centre - Vec{0.5f, 0.5f}, size * 0.045f), light);
    return c.toImage();
}

sf::Image rock(int width, int height, int corners, uint32_t seed)
{
    Canvas c(width, height);
    const Vec centre = {width / 2.0f, height / 2.0f};
    std::vector<Vec> pts;
    for (int i = 0; i < corners; ++i) {
        float a = (i + 0.3f * hashUnit(i, 0, seed)) * 2 * kPi / corners;
        float k = 0.78f + 0.22f * hashUnit(i, 1, seed);
        pts.push_back({centre.x + std::sin(a) * width * 0.4f * k, centre.y - std::cos(a) * height * 0.4f * k});
    }
    Shape body = polygon(pts);
    c.shadow(body, {2.5f, 3.0f}, 2.0f, kShadow);
    c.fill(grow(body, 1.0f), rgb(34, 34, 36));
    Paint stone = [=](Vec p) {
        float lit = std::clamp(0.6f - 0.5f * ((p.x - centre.x) / width + (p.y - centre.y) / height) * 2, 0.0f, 1.0f);
        float grain = fractalNoise(p.x / 3, p.y / 3, seed, 3);
        return mix(rgb(84, 84, 86), rgb(176, 174, 168), std::clamp(lit + (grain - 0.5f) * 0.5f, 0.0f, 1.0f));
    };
    c.fill(body, stone);
    c.bevel(body, 4, 0.4f);
    Vec a = pts[1], b = pts[corners / 2 + 1];
    c.fill(intersect(body, polyline({a * 0.3f + centre * 0.7f, centre + Vec{1, -1}, b * 0.4f + centre * 0.6f}, 0.8f)),
           withAlpha(rgb(40, 40, 42), 0.7f));
    return c.toImage();
}

// A radar dish on its round plinth, turning steadily; the dish's face looks up.
sf::Image radar()
{
    Canvas c(48, 48);
    const Vec centre = {24, 24};
    c.shadow(circle(centre, 12), {2, 2.5f}, 2.5f, kShadow);
    c.outlined(circle(centre, 11), radial({21, 21}, 14, rgb(150, 154, 160), rgb(70, 74, 82)), 1, rgb(26, 28, 32));
    Shape dish = ellipse({24, 21}, 21, 8);
    Shape back = ellipse({24, 24}, 18, 4);
    c.shadow(dish, {1.5f, 2}, 1.5f, kShadow);
    c.fill(grow(back, 1), rgb(26, 28, 32));
    c.fill(back, rgb(96, 100, 108));
    c.fill(grow(dish, 1), rgb(26, 28, 32));
    c.fill(dish, linear({24, 13}, rgb(236, 238, 240), {24, 29}, rgb(150, 156, 164)));
    for (float x : {10.0f, 17.0f, 24.0f, 31.0f, 38.0f})
        c.fill(intersect(dish, line({x, 12}, {x, 30}, 0.7f)), withAlpha(rgb(110, 116, 126), 0.7f));
    c.fill(line({24, 21}, {24, 8}, 1.6f), rgb(60, 62, 68));
    c.outlined(circle({24, 8}, 2), solid(rgb(230, 60, 40)), 0.8f, rgb(26, 28, 32));
    c.fill(circle(centre, 3), radial({23, 23}, 4, rgb(200, 204, 210), rgb(80, 84, 92)));
    return c.toImage();
}

// A roof fan in its round housing; only the blades look turned when it spins.
sf::Image fan()
{
    Canvas c(32, 32);
    const Vec centre = {16, 16};
    c.shadow(circle(centre, 14), {1.5f, 2}, 1.5f, kShadow);
    c.fill(circle(centre, 15), rgb(26, 28, 32));
    c.fill(ring(centre, 13.2f, 2.6f), radial({12, 12}, 18, rgb(170, 174, 180), rgb(84, 88, 96)));
    c.fill(circle(centre, 11.8f), rgb(22, 24, 26));
    for (int i = 0; i < 5; ++i) {
        Shape blade = turned(ellipse({16, 9.5f}, 3.4f, 6.2f), centre, i * 72.0f);
        blade = turned(blade, around(centre, 6.5f, i * 72.0f), 25);
        c.fill(grow(blade, 0.6f), rgb(20, 20, 22));
        c.fill(blade, linear({8, 8}, rgb(180, 184, 190), {24, 24}, rgb(96, 100, 108)));
    }
    c.outlined(circle(centre, 3.2f), radial({15, 15}, 4, rgb(220, 190, 60), rgb(140, 100, 20)), 0.8f, rgb(20, 20, 22));
    for (int i = 0; i < 4; ++i)
        c.fill(line(around(centre, 11.5f, i * 90.0f + 45), around(centre, 4, i * 90.0f + 45), 0.8f), withAlpha(rgb(60, 62, 68), 0.8f));
    return c.toImage();
}

// A tower crane from above, its jib forward (up) and the counterweight behind, turning about
// its mast at the picture's centre.
sf::Image crane()
{
    Canvas c(96, 96);
    const Rgba kYellow = rgb(236, 180, 30), kYellowDark = rgb(150, 104, 10), kRim = rgb(30, 26, 20);
    Shape jib = rect(44.5f, 3, 51.5f, 50);
    Shape counterJib = rect(44, 46, 52, 74);
    Shape weight = rect(41, 66, 55, 78, 1.5f);
    Shape cab = rect(42, 42, 54, 54, 1.5f);
    Shape whole = unite({jib, counterJib, weight, cab});
    c.shadow(whole, {3, 3}, 2, withAlpha(kShadow, 0.35f));
    c.fill(grow(whole, 1), kRim);
    c.fill(jib, kYellowDark);
    c.fill(counterJib, kYellowDark);
    // Lattice: chords along both sides and diagonals between them.
    c.fill(unite(rect(44.5f, 3, 46, 50), rect(50, 3, 51.5f, 50)), kYellow);
    for (float y = 4; y < 48; y += 6)
        c.fill(intersect(jib, unite(line({45, y}, {51, y + 3}, 1.1f), line({51, y + 3}, {45, y + 6}, 1.1f))), kYellow);
    c.fill(rect(47, 20, 49, 24), rgb(60, 60, 64)); // the trolley
    c.fill(line({48, 24}, {48, 30}, 0.6f), rgb(40, 40, 44));
    c.fill(weight, linear({41, 66}, rgb(176, 176, 170), {55, 78}, rgb(110, 110, 106)));
    c.fill(unite(line({41, 70}, {55, 70}, 0.6f), line({41, 74}, {55, 74}, 0.6f)), withAlpha(kRim, 0.6f));
    c.fill(cab, linear({42, 42}, kYellow, {54, 54}, kYellowDark));
    c.fill(rect(44, 43.5f, 52, 47, 1), linear({44, 43}, rgb(150, 220, 250), {52, 47}, rgb(30, 80, 130)));
    c.bevel(unite(cab, weight), 2, 0.3f);
    c.fill(circle({48, 3.5f}, 1.3f), rgb(255, 60, 40));
    return c.toImage();
}

struct Picture {
    const char* fileName;
    sf::Image (*draw)();
};

sf::Image tree01() { return broadleaf(64, 7, rgb(22, 58, 24), rgb(104, 156, 58), 11); }
sf::Image tree02() { return broadleaf(48, 6, rgb(38, 76, 26), rgb(150, 186, 72), 23); }
sf::Image tree03() { return conifer(64, rgb(14, 44, 30), rgb(62, 118, 70), 37); }
sf::Image tree04() { return conifer(40, rgb(18, 50, 30), rgb(78, 132, 76), 41); }
sf::Image tree05() { return broadleaf(56, 8, rgb(92, 50, 16), rgb(232, 160, 60), 53); }
sf::Image rock01() { return rock(32, 28, 7, 5); }
sf::Image rock02() { return rock(24, 22, 6, 9); }
sf::Image rock03() { return rock(44, 34, 9, 13); }

const Picture kPictures[] = {
    {"Tree01.png", tree01}, {"Tree02.png", tree02}, {"Tree03.png", tree03}, {"Tree04.png", tree04},
    {"Tree05.png", tree05}, {"Rock01.png", rock01}, {"Rock02.png", rock02}, {"Rock03.png", rock03},
    {"Radar.png", radar},   {"Fan.png", fan},       {"Crane.png", crane},
};

} // namespace

bool generateMapSprites(const std::string& gameDir)
{
    for (const Picture& picture : kPictures)
        if (!writeImage(picture.draw(), gameDir, std::string("base/images/") + picture.fileName))
            return false;
    return true;
}

} // namespace content
