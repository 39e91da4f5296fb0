// base/Effects/ (smoke, fire and pulse puffs, the spark frames) and base/Textures/ (water,
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
    {"base/Textures/UI.png", uiSheet},
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
