// The icon sheet: 16 x 16 cells of 64 pixels, icon n in cell (n % 16, n / 16), its 32 x 32
// picture at +16,+16 in the cell; the separator (140) is 12 wide at +26. Icons are light
// pictograms with a dark rim on transparent, so that they read on any button; on a dark theme
// the icon program inverts their greys into dark pictograms with a light rim. A few carry a
// touch of colour (palette, lamps, screens), which the program leaves alone. Cells of numbers
// nothing uses stay empty.
#include "Content.h"
#include "Draw.h"

#include <algorithm>
#include <cmath>

namespace content {

namespace {

constexpr int kCell = 64;
constexpr int kIconSize = 32;
constexpr int kSeparator = 140;
constexpr int kSeparatorWidth = 12;

const Rgba kInk = rgb(22, 26, 34);
const Rgba kLight = rgb(252, 253, 255);
const Rgba kLightShade = rgb(190, 198, 212);

Paint iconPaint() { return linear({0, 4}, kLight, {0, 29}, kLightShade); }

// A light pictogram: soft drop shadow, dark rim, shaded fill and a rounded-off edge.
void pictogram(Canvas& c, const Shape& s)
{
    c.shadow(grow(s, 1.4f), {1.0f, 1.5f}, 1.2f, withAlpha(kInk, 0.35f));
    c.outlined(s, iconPaint(), 1.5f, kInk);
    c.bevel(s, 2.0f, 0.25f);
}

// Dark detail drawn over a pictogram.
void ink(Canvas& c, const Shape& s) { c.fill(s, kInk); }

// A triangular arrow head with its tip at tip, pointing along dirDeg (clockwise, 0 = up).
Shape arrowHead(Vec tip, float dirDeg, float length, float halfWidth)
{
    float a = dirDeg * 3.14159265f / 180.0f;
    Vec dir = {std::sin(a), -std::cos(a)}, side = {-dir.y, dir.x};
    Vec base = tip - dir * length;
    return polygon({tip, base + side * halfWidth, base - side * halfWidth});
}

Shape upArrow() { return polygon({{16, 4}, {27, 15}, {20.5f, 15}, {20.5f, 28}, {11.5f, 28}, {11.5f, 15}, {5, 15}}); }

// The hooked arrow of "back in history", pointing left.
Shape hookArrow()
{
    return unite({line({11, 10.5f}, {17, 10.5f}, 4.5f), arc({17, 17.5f}, 7, 4.5f, 0, 180),
                  line({17, 24.5f}, {12, 24.5f}, 4.5f), arrowHead({3, 10.5f}, 270, 9, 7)});
}

Shape fastForward()
{
    return unite(grow(polygon({{5, 8.5f}, {14.5f, 16}, {5, 23.5f}}), 1.2f),
                 grow(polygon({{16.5f, 8.5f}, {26, 16}, {16.5f, 23.5f}}), 1.2f));
}

Shape folder()
{
    return unite(rect(3, 6, 14, 12, 1.5f), rect(3, 9, 29, 27, 2));
}

// --- the icons ---

void iconBack(Canvas& c) { pictogram(c, turned(upArrow(), {16, 16}, 270)); }
void iconMoveDown(Canvas& c) { pictogram(c, turned(upArrow(), {16, 16}, 180)); }
void iconMoveUp(Canvas& c) { pictogram(c, upArrow()); }

void iconCancel(Canvas& c) { pictogram(c, unite(line({8, 8}, {24, 24}, 6), line({24, 8}, {8, 24}, 6))); }

void iconOk(Canvas& c) { pictogram(c, polyline({{6.5f, 16.5f}, {13, 23}, {25.5f, 9}}, 6)); }

void iconNo(Canvas& c)
{
    pictogram(c, unite(ring({16, 16}, 10.5f, 4.5f), intersect(line({8, 8}, {24, 24}, 4.5f), circle({16, 16}, 11))));
}

void iconPlay(Canvas& c) { pictogram(c, grow(polygon({{10.5f, 7.5f}, {25, 16}, {10.5f, 24.5f}}), 2)); }

void iconPause(Canvas& c) { pictogram(c, unite(rect(8, 6, 14, 26, 1.5f), rect(18, 6, 24, 26, 1.5f))); }

void iconStop(Canvas& c) { pictogram(c, rect(7, 7, 25, 25, 2.5f)); }

void iconSkipForward(Canvas& c) { pictogram(c, fastForward()); }
void iconSkipBackward(Canvas& c) { pictogram(c, mirrored(fastForward(), 16)); }

void iconHelp(Canvas& c)
{
    pictogram(c, circle({16, 16}, 13));
    Vec hookEnd = {16 + 4.6f * 0.7071f, 12 + 4.6f * 0.7071f};
    ink(c, unite({arc({16, 12}, 4.6f, 3.4f, 270, 495), polyline({hookEnd, {16, 17.5f}, {16, 19.5f}}, 3.4f),
                  circle({16, 24}, 2.1f)}));
}

void iconReset(Canvas& c)
{
    // An arrow running clockwise nearly round a circle, its head at the top right.
    const Vec centre = {16, 16.5f};
    const float r = 9.5f, endDeg = 20;
    float a = endDeg * 3.14159265f / 180.0f;
    Vec end = {centre.x + r * std::sin(a), centre.y - r * std::cos(a)};
    Vec tangent = {std::cos(a), std::sin(a)};
    pictogram(c, unite(arc(centre, r, 4.5f, endDeg + 70, endDeg + 360), arrowHead(end + tangent * 5.5f, endDeg + 90, 8, 6.5f)));
}

void iconHistoryBack(Canvas& c) { pictogram(c, hookArrow()); }
void iconHistoryForward(Canvas& c) { pictogram(c, mirrored(hookArrow(), 16)); }

void iconCopy(Canvas& c)
{
    pictogram(c, rect(4, 3, 19, 22, 1.5f));
    pictogram(c, rect(12, 10, 27, 29, 1.5f));
    ink(c, unite({line({15.5f, 15}, {23.5f, 15}, 1.6f), line({15.5f, 19}, {23.5f, 19}, 1.6f),
                  line({15.5f, 23}, {20.5f, 23}, 1.6f)}));
}

void iconTrash(Canvas& c)
{
    Shape handle = subtract(rect(11.5f, 2.5f, 20.5f, 8, 2), rect(14, 5, 18, 8));
    Shape lid = rect(5, 6.5f, 27, 10, 1.2f);
    Shape body = polygon({{7.5f, 11.5f}, {24.5f, 11.5f}, {23, 28.5f}, {9, 28.5f}});
    pictogram(c, unite({handle, lid, body}));
    ink(c, unite({line({12.5f, 14.5f}, {13, 25.5f}, 1.7f), line({16, 14.5f}, {16, 25.5f}, 1.7f),
                  line({19.5f, 14.5f}, {19, 25.5f}, 1.7f), line({6, 11}, {26, 11}, 1.2f)}));
}

void iconEdit(Canvas& c)
{
    // A pencil, drawn upright and then tilted.
    Shape body = rect(12.5f, 3, 19.5f, 22, 1);
    Shape tip = polygon({{12.5f, 22}, {19.5f, 22}, {16, 29.5f}});
    Shape lead = polygon({{14.6f, 26.5f}, {17.4f, 26.5f}, {16, 29.5f}});
    Vec pivot = {16, 16};
    pictogram(c, turned(unite(body, tip), pivot, 45));
    ink(c, turned(unite({lead, line({12.5f, 7.5f}, {19.5f, 7.5f}, 1.5f), line({12.5f, 22}, {19.5f, 22}, 1.2f),
                         line({16, 8.5f}, {16, 21}, 1.0f)}),
                  pivot, 45));
}

void iconExit(Canvas& c)
{
    pictogram(c, rect(4, 3, 18, 29, 1.5f));
    ink(c, rect(7, 6, 15, 29));
    pictogram(c, unite(rect(10, 13, 21, 19), polygon({{19.5f, 7.5f}, {29, 16}, {19.5f, 24.5f}})));
}

void iconFolderUp(Canvas& c)
{
    pictogram(c, folder());
    ink(c, polygon({{16, 11.5f}, {22, 17.5f}, {18.3f, 17.5f}, {18.3f, 24.5f}, {13.7f, 24.5f}, {13.7f, 17.5f},
                    {10, 17.5f}}));
}

void iconLoadMusic(Canvas& c)
{
    pictogram(c, folder());
    // Two beamed quavers.
    Shape heads = unite(turned(ellipse({12.5f, 23}, 3, 2.2f), {12.5f, 23}, -20),
                        turned(ellipse({20.5f, 21.5f}, 3, 2.2f), {20.5f, 21.5f}, -20));
    Shape stems = unite(line({15.2f, 22.2f}, {15.2f, 13.5f}, 1.6f), line({23.2f, 20.7f}, {23.2f, 12}, 1.6f));
    Shape beam = polygon({{14.4f, 12.5f}, {24, 11}, {24, 14}, {14.4f, 15.5f}});
    ink(c, unite({heads, stems, beam}));
}

void iconTarget(Canvas& c)
{
    pictogram(c, unite({ring({16, 16}, 9, 3), circle({16, 16}, 2.6f), line({16, 2.5f}, {16, 7}, 3),
                        line({16, 25}, {16, 29.5f}, 3), line({2.5f, 16}, {7, 16}, 3), line({25, 16}, {29.5f, 16}, 3)}));
}

void iconMove(Canvas& c)
{
    pictogram(c, unite({line({16, 8}, {16, 24}, 3), line({8, 16}, {24, 16}, 3), arrowHead({16, 2.5f}, 0, 7, 5.5f),
                        arrowHead({29.5f, 16}, 90, 7, 5.5f), arrowHead({16, 29.5f}, 180, 7, 5.5f),
                        arrowHead({2.5f, 16}, 270, 7, 5.5f)}));
}

void iconCrosshair(Canvas& c)
{
    pictogram(c, unite({line({16, 3}, {16, 12}, 3), line({16, 20}, {16, 29}, 3), line({3, 16}, {12, 16}, 3),
                        line({20, 16}, {29, 16}, 3), circle({16, 16}, 1.8f)}));
}

void iconPlayer(Canvas& c)
{
    pictogram(c, intersect(ellipse({16, 30}, 12, 11.5f), rect(0, 0, 32, 28.5f)));
    pictogram(c, circle({16, 10.5f}, 6.5f));
}

void iconGamepad(Canvas& c)
{
    pictogram(c, unite({rect(4, 9, 28, 21, 5), circle({9, 20.5f}, 5), circle({23, 20.5f}, 5)}));
    ink(c, unite({rect(8.8f, 11.5f, 11.2f, 19.5f, 0.6f), rect(6, 14.3f, 14, 16.7f, 0.6f), circle({21, 13.5f}, 1.7f),
                  circle({24.5f, 16.5f}, 1.7f), circle({17.5f, 16.5f}, 1.2f)}));
}

void iconPalette(Canvas& c)
{
    Shape blob = subtract(ellipse({16, 16}, 13.5f, 11.5f), circle({20.5f, 22}, 3.2f));
    pictogram(c, subtract(blob, circle({27, 24}, 4.5f)));
    const Rgba dots[] = {rgb(230, 60, 60), rgb(250, 200, 40), rgb(70, 190, 90), rgb(60, 130, 235)};
    const Vec at[] = {{8.5f, 14}, {12.5f, 8.5f}, {19, 8}, {24.5f, 12.5f}};
    for (int i = 0; i < 4; ++i)
        c.outlined(circle(at[i], 2.4f), solid(dots[i]), 1.0f, kInk);
}

void iconConnect(Canvas& c)
{
    Shape prongs = unite(rect(11.5f, 3, 14.5f, 10, 0.8f), rect(17.5f, 3, 20.5f, 10, 0.8f));
    Shape body = unite(rect(8.5f, 9.5f, 23.5f, 19.5f, 2.5f), polygon({{11, 19}, {21, 19}, {18.5f, 24.5f}, {13.5f, 24.5f}}));
    pictogram(c, unite({prongs, body, line({16, 24}, {16, 30}, 3.5f)}));
    ink(c, line({11.5f, 13.5f}, {20.5f, 13.5f}, 1.4f));
}

void iconServer(Canvas& c)
{
    pictogram(c, rect(4, 4, 19, 29, 2));
    for (float y : {8.5f, 15.5f, 22.5f}) {
        ink(c, line({6.5f, y + 3}, {16.5f, y + 3}, 1.2f));
        ink(c, line({7.5f, y}, {12.5f, y}, 1.8f));
        c.fill(circle({15.5f, y}, 1.4f), rgb(90, 220, 110));
    }
    pictogram(c, unite(arc({19, 10}, 5.5f, 2.6f, 35, 115), arc({19, 10}, 10, 2.6f, 35, 115)));
}

void iconSpeaker(Canvas& c)
{
    pictogram(c, grow(polygon({{4, 12.5f}, {9.5f, 12.5f}, {16, 6}, {16, 26}, {9.5f, 19.5f}, {4, 19.5f}}), 0.8f));
    pictogram(c, unite(arc({16, 16}, 5.5f, 2.8f, 50, 130), arc({16, 16}, 10.5f, 2.8f, 45, 135)));
}

void iconMonitor(Canvas& c)
{
    pictogram(c, unite({rect(2.5f, 4, 29.5f, 23, 2), rect(14, 22, 18, 27), rect(8.5f, 26, 23.5f, 29.5f, 1.5f)}));
    c.fill(rect(5.5f, 7, 26.5f, 20, 0.8f), linear({0, 7}, rgb(40, 60, 96), {0, 20}, rgb(18, 24, 40)));
    c.fill(polygon({{5.5f, 7}, {16, 7}, {5.5f, 15}}), withAlpha(kLight, 0.22f));
}

void iconTerminal(Canvas& c)
{
    pictogram(c, rect(2.5f, 4, 29.5f, 28, 2));
    c.fill(rect(5, 8.5f, 27, 25.5f, 0.8f), rgb(24, 30, 44));
    c.fill(unite(polyline({{8, 12}, {12.5f, 16.5f}, {8, 21}}, 2.4f), line({15, 21.5f}, {21.5f, 21.5f}, 2.4f)),
           rgb(150, 240, 160));
    c.fill(unite({circle({6.5f, 6.3f}, 0.9f), circle({9.5f, 6.3f}, 0.9f), circle({12.5f, 6.3f}, 0.9f)}), kInk);
}

void iconSelectAll(Canvas& c)
{
    // A dashed frame: a corner piece at each corner and one dash along each edge.
    c.fill(rect(5, 5, 27, 27), withAlpha(kLight, 0.35f));
    const float t = 1.5f; // half the dash thickness
    std::vector<Shape> dashes;
    for (float a : {5.0f, 27.0f})
        for (float b : {5.0f, 27.0f}) {
            float armA = a < 16 ? a + 5 : a - 5, armB = b < 16 ? b + 5 : b - 5;
            dashes.push_back(rect(std::min(a, armA) - t, b - t, std::max(a, armA) + t, b + t));
            dashes.push_back(rect(a - t, std::min(b, armB) - t, a + t, std::max(b, armB) + t));
        }
    for (float a : {5.0f, 27.0f}) {
        dashes.push_back(rect(14, a - t, 18, a + t));
        dashes.push_back(rect(a - t, 14, a + t, 18));
    }
    pictogram(c, unite(dashes));
}

void iconClipboard(Canvas& c)
{
    pictogram(c, rect(5.5f, 5, 26.5f, 29.5f, 2));
    ink(c, unite({line({9.5f, 14}, {22.5f, 14}, 1.6f), line({9.5f, 18.5f}, {22.5f, 18.5f}, 1.6f),
                  line({9.5f, 23}, {18, 23}, 1.6f)}));
    pictogram(c, subtract(rect(11, 2.5f, 21, 9, 2), circle({16, 4.2f}, 1.3f)));
}

void iconSeparator(Canvas& c) { pictogram(c, line({6, 4}, {6, 28}, 2)); }

struct IconDrawing {
    int number;
    void (*draw)(Canvas&);
};

const IconDrawing kIcons[] = {
    {3, iconBack},           {10, iconCancel},         {17, iconPalette},     {19, iconConnect},
    {21, iconCopy},          {24, iconTrash},          {30, iconMoveDown},    {34, iconEdit},
    {38, iconExit},          {52, iconFolderUp},       {61, iconTarget},      {70, iconHistoryBack},
    {72, iconLoadMusic},     {84, iconMove},           {91, iconNo},          {95, iconSkipForward},
    {102, iconPlayer},       {106, iconClipboard},     {108, iconPause},      {110, iconPlay},
    {111, iconGamepad},      {121, iconSkipBackward},  {122, iconHelp},       {128, iconReset},
    {130, iconHistoryForward}, {134, iconTerminal},    {138, iconSelectAll},  {140, iconSeparator},
    {141, iconServer},       {144, iconSpeaker},       {149, iconStop},       {160, iconMoveUp},
    {164, iconCrosshair},    {167, iconMonitor},       {175, iconOk},
};

} // namespace

bool generateIcons(const std::string& gameDir)
{
    sf::Image sheet;
    sheet.create(16 * kCell, 16 * kCell, sf::Color::Transparent);
    for (const IconDrawing& icon : kIcons) {
        bool separator = icon.number == kSeparator;
        Canvas canvas(separator ? kSeparatorWidth : kIconSize, kIconSize);
        icon.draw(canvas);
        int left = (icon.number % 16) * kCell + (separator ? 26 : 16);
        int top = (icon.number / 16) * kCell + 16;
        canvas.copyTo(sheet, left, top);
    }
    return writeImage(sheet, gameDir, "kvui3/Textures/Icons.png");
}

} // namespace content
