#include "world/Hud.h"

#include "support/HudScene.h"
#include "world/Player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using tvl::ItemType;

// The runtime tree's fonts and pictures; the ship is 32 x 48.
tvl::HudMetrics metrics() { return hudtest::realMetrics(); }

bool inside(const sf::FloatRect& r, sf::Vector2f view)
{
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= view.x && r.top + r.height <= view.y;
}

sf::FloatRect around(sf::Vector2f centre, sf::Vector2f size)
{
    return {centre.x - size.x / 2, centre.y - size.y / 2, size.x, size.y};
}

const sf::Vector2f commonViews[] = {{640, 480}, {1280, 720}, {1920, 1080}};

TEST(HudLayout, PartsStayOnScreenAndApartAtCommonSizes)
{
    for (sf::Vector2f view : commonViews) {
        tvl::HudLayout l = tvl::hudLayoutFor(view, metrics());
        sf::FloatRect label(l.nitroLabel.x, l.nitroLabel.y, 39, 21);
        EXPECT_TRUE(inside(l.nitroBar, view)) << view.x;
        EXPECT_TRUE(inside(label, view)) << view.x;
        EXPECT_TRUE(inside(l.headingBox, view)) << view.x;
        EXPECT_FALSE(l.nitroBar.intersects(label)) << view.x;
        EXPECT_FALSE(l.nitroBar.intersects(l.headingBox)) << view.x;
        EXPECT_FALSE(label.intersects(l.headingBox)) << view.x;
        EXPECT_FLOAT_EQ(l.nitroLabel.x + 39, l.nitroBar.left + l.nitroBar.width); // right-aligned
    }
}

// A busy moment: four players with long names, every item held, three effects running.
TEST(HudLayout, ABusyScreenHasNoOverlapsAtCommonSizes)
{
    const tvl::HudMetrics m = metrics();
    const float labelWidth = 150; // "Computer 3: 25/25"
    const sf::Vector2f itemSizes[tvl::itemTypeCount] = {{64, 64}, {24, 64}, {64, 64}, {64, 64},
                                                        {64, 64}, {64, 64}, {64, 64}};
    const int counts[tvl::itemTypeCount] = {1, 2, 1, 1, 1, 3, 1};
    const float timers[tvl::effectTimerCount] = {1, 2, 0, 1, 0, 0};
    for (sf::Vector2f view : commonViews) {
        SCOPED_TRACE(testing::Message() << view.x << " x " << view.y);
        const tvl::HudLayout l = tvl::hudLayoutFor(view, m);
        std::vector<std::pair<std::string, sf::FloatRect>> parts = {
            {"nitro bar", l.nitroBar},
            {"nitro label", {l.nitroLabel.x, l.nitroLabel.y, m.nitroTextWidth, m.lineSpacing18}},
            {"heading", l.headingBox},
        };
        for (int row = 0; row < 4; row++) {
            const float y = 10 + row * l.rowStep;
            const std::string n = std::to_string(row);
            parts.push_back({"icon " + n, {10, y, m.shipImageSize.x * l.iconScale, m.shipImageSize.y * l.iconScale}});
            parts.push_back({"token bar " + n, {l.tokenBar.left, y + 1, l.tokenBar.width, l.tokenBar.height}});
            parts.push_back({"score " + n, {l.tokenBar.left + l.tokenBar.width + 6, y, labelWidth, m.lineSpacing18}});
        }
        tvl::ItemSlot slots[tvl::itemTypeCount];
        const int items = tvl::itemColumnFor(counts, tvl::Gun, itemSizes, view.x, l.itemColumnTop, slots);
        ASSERT_EQ(items, 7);
        for (int i = 0; i < items; i++)
            parts.push_back({"item " + std::to_string(i), around(slots[i].centre, itemSizes[slots[i].type] * slots[i].scale)});
        const float nameWidth = 36; // "Gun"
        const tvl::ItemSlot& gun = slots[5];
        parts.push_back({"item name", {gun.centre.x - 32 - 6 - nameWidth, gun.centre.y - m.lineSpacing18 / 2, nameWidth,
                                       m.lineSpacing18}});
        // The token straight right of the player in the middle of the screen.
        const sf::FloatRect column = tvl::itemColumnBox(slots, items, itemSizes, nameWidth, m.lineSpacing18);
        const sf::Vector2f halfArrow(32, 32);
        const sf::Vector2f arrow = tvl::targetArrowPoint(view / 2.0f, 90, halfArrow, view, {&column, 1});
        parts.push_back({"target arrow", around(arrow, halfArrow * 2.0f)});
        const float textWidth = 100; // "56M BRG 090"
        const sf::Vector2f anchor =
            tvl::targetTextAnchor({true, false, arrow}, textWidth, {64, 64}, m.lineSpacing16, view, {&column, 1});
        parts.push_back({"target texts", {anchor.x - textWidth / 2, anchor.y, textWidth,
                                          tvl::targetTextLines * m.lineSpacing16}});
        tvl::EffectBarSlot bars[tvl::effectTimerCount];
        const int effects = tvl::effectBarsFor(timers, view.y, bars);
        ASSERT_EQ(effects, 3);
        for (int i = 0; i < effects; i++) {
            const float left = view.x / 2 - l.effectBarSize.x / 2;
            const sf::Vector2f iconCentre(left + 64 + 4 - 36, bars[i].centreY + l.effectBarSize.y / 2);
            parts.push_back({"effect icon " + std::to_string(i), around(iconCentre, {56, 56})});
            parts.push_back({"effect bar " + std::to_string(i),
                             {left + 68, bars[i].centreY, l.effectBarSize.x - 68, l.effectBarSize.y}});
        }
        for (size_t a = 0; a < parts.size(); a++) {
            EXPECT_TRUE(inside(parts[a].second, view)) << parts[a].first;
            for (size_t b = a + 1; b < parts.size(); b++)
                EXPECT_FALSE(parts[a].second.intersects(parts[b].second)) << parts[a].first << " / " << parts[b].first;
        }
    }
}

hudtest::Scene sceneAt(sf::Vector2f view, const char* kind)
{
    const hudtest::TextWidths& w = hudtest::textWidths;
    hudtest::Scene s;
    s.view = view;
    const std::string k = kind;
    if (k == "begun") { // two players, nothing held or running
        s.rowTexts = {w.player, w.computer};
        return s;
    }
    s.currentItem = tvl::Gun;
    s.itemNameWidth = w.gun;
    s.hint = s.fps = true;
    if (k == "winning") { // the moment the computer wins, just zoomed, two items held
        s.rowTexts = {w.player, w.computer};
        s.itemCounts[tvl::Gun] = 1;
        s.itemCounts[tvl::Missile] = 2;
        s.timers[1] = 2; // hit by a pulse
    } else if (k == "crowded") { // eight players, every item held, three effects running
        s.rowTexts.assign(tvl::maxPlayers, w.computer3);
        for (int& count : s.itemCounts)
            count = 1;
        s.timers[0] = s.timers[2] = s.timers[5] = 1;
    } else { // every effect at once
        s.rowTexts = {w.player, w.computer};
        for (float& timer : s.timers)
            timer = 1;
        s.itemCounts[tvl::Gun] = 1;
    }
    return s;
}

// In a game just begun, at a win with the hint and the frame rate up, in a crowded game and under
// every effect at once, at each common size: no part of the HUD lies over another or off the
// view, wherever the token lies off screen: the arrow swept round every edge in quarter degrees
// from the middle of the view and two places off it (a camera held at the map's edge), straight
// above and below included.
TEST(HudLayout, NoPartLiesOverAnotherWhereverTheTokenIs)
{
    const sf::Vector2f half = hudtest::arrowSize * 0.5f;
    const float textWidth = hudtest::textWidths.targetTexts;
    const float lineSpacing = metrics().lineSpacing16;
    for (sf::Vector2f view : commonViews) {
        for (const char* kind : {"begun", "winning", "crowded", "every effect"}) {
            SCOPED_TRACE(testing::Message() << view.x << " x " << view.y << ", " << kind);
            std::vector<sf::FloatRect> keepClear;
            const std::vector<hudtest::NamedBox> parts = hudtest::fixedParts(sceneAt(view, kind), keepClear);
            for (size_t a = 0; a < parts.size(); a++) {
                EXPECT_TRUE(inside(parts[a].box, view)) << parts[a].name;
                for (size_t b = a + 1; b < parts.size(); b++)
                    EXPECT_FALSE(parts[a].box.intersects(parts[b].box)) << parts[a].name << " / " << parts[b].name;
            }
            int faults = 0;
            for (sf::Vector2f start : {view * 0.5f, sf::Vector2f(view.x * 0.2f, view.y * 0.8f),
                                       sf::Vector2f(view.x * 0.85f, view.y * 0.1f)}) {
                for (int quarter = 0; quarter < 4 * 360 && faults < 5; quarter++) {
                    const float bearing = quarter / 4.0f;
                    const sf::Vector2f spot = tvl::targetArrowPoint(start, bearing, half, view, keepClear);
                    const tvl::TargetMarker marker{true, false, spot, 0, int(bearing)};
                    const sf::Vector2f anchor =
                        tvl::targetTextAnchor(marker, textWidth, hudtest::arrowSize, lineSpacing, view, keepClear);
                    const sf::FloatRect arrow = around(marker.spot, hudtest::arrowSize);
                    const sf::FloatRect texts = tvl::targetTextBox(anchor, textWidth, lineSpacing);
                    std::string fault;
                    if (!inside(arrow, view) || !inside(texts, view))
                        fault = "off the view";
                    if (arrow.intersects(texts))
                        fault = "the arrow over its texts";
                    for (const hudtest::NamedBox& part : parts) {
                        if (arrow.intersects(part.box))
                            fault = "the arrow over " + part.name;
                        if (texts.intersects(part.box))
                            fault = "the texts over " + part.name;
                    }
                    // From the middle it still shows the way: ahead of the player, not behind.
                    const float radians = bearing * 3.14159265f / 180;
                    const sf::Vector2f way = marker.spot - start;
                    if (start == view * 0.5f && way.x * std::sin(radians) - way.y * std::cos(radians) <= 0)
                        fault = "the arrow behind the player";
                    if (!fault.empty()) {
                        ADD_FAILURE() << fault << " from " << start.x << ", " << start.y << " at " << bearing
                                      << " degrees: arrow " << marker.spot.x << ", " << marker.spot.y << ", texts "
                                      << anchor.x << ", " << anchor.y;
                        faults++;
                    }
                }
            }
        }
    }
}

TEST(HudLayout, RenderScaleHintStandsUnderTheScoreboard)
{
    const tvl::HudMetrics m = metrics();
    const tvl::HudLayout l = tvl::hudLayoutFor({640, 480}, m);
    // One row ends at 10 + 21 + 1: the hint keeps its place at (50, 50). Below that it follows.
    EXPECT_EQ(tvl::renderScaleHintPosition(l, m, 0), sf::Vector2f(50, 50));
    EXPECT_EQ(tvl::renderScaleHintPosition(l, m, 1), sf::Vector2f(50, 50));
    EXPECT_EQ(tvl::renderScaleHintPosition(l, m, 2), sf::Vector2f(50, 10 + 27 + 22 + 6));
    EXPECT_EQ(tvl::renderScaleHintPosition(l, m, 8), sf::Vector2f(50, 10 + 7 * 27 + 22 + 6));
    // Its box holds the outline and the shadow, and stays on the view.
    EXPECT_EQ(tvl::renderScaleHintBox({50, 65}, m, {640, 480}), sf::FloatRect(49, 64, 159 + 4 + 2 + 8, 21 + 4 + 2 + 8));
    EXPECT_EQ(tvl::renderScaleHintBox({600, 470}, m, {640, 480}).left + 163, 640 - 1);
}

TEST(HudLayout, ScoreboardRowsFollowTheIcon)
{
    const tvl::HudLayout l = tvl::hudLayoutFor({1280, 720}, metrics());
    EXPECT_FLOAT_EQ(l.iconScale, 22.0f / 48);
    EXPECT_FLOAT_EQ(l.tokenBar.left, 32 * 22.0f / 48 + 15);
    EXPECT_FLOAT_EQ(l.tokenBar.top, 11);
    EXPECT_FLOAT_EQ(l.tokenBar.width, 100);
    EXPECT_FLOAT_EQ(l.rowStep, 27.0f);
    EXPECT_FLOAT_EQ(l.effectBarSize.x, 256);

    tvl::HudMetrics noShip = metrics();
    noShip.shipImageSize = {0, 0};
    EXPECT_EQ(tvl::hudLayoutFor({1280, 720}, noShip).iconScale, 0.0f) << "no division by a missing image";
}

TEST(HudEffectBars, RunningTimersStackUpwardInTableOrder)
{
    struct Case {
        float timers[tvl::effectTimerCount];
        std::vector<ItemType> icons;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0}, {}},
        {{0, 2.5f, 0, 0.1f, 0, 3}, {tvl::Gun, tvl::Drone, tvl::TimeWarp}},
        {{1, 1, 1, 1, 1, 1}, {tvl::Bomb, tvl::Gun, tvl::Missile, tvl::Drone, tvl::EMP, tvl::TimeWarp}},
        {{-1, std::numeric_limits<float>::quiet_NaN(), 0, 0, 0.5f, 0}, {tvl::EMP}}, // only timers above 0
    };
    for (const Case& c : cases) {
        tvl::EffectBarSlot out[tvl::effectTimerCount];
        const int n = tvl::effectBarsFor(c.timers, 1080, out);
        ASSERT_EQ(n, int(c.icons.size()));
        for (int i = 0; i < n; i++) {
            EXPECT_EQ(out[i].icon, c.icons[i]) << i;
            EXPECT_FLOAT_EQ(out[i].centreY, 1080 - 60 - 60.0f * i) << i;
        }
    }
    const float one[tvl::effectTimerCount] = {0, 0, 1.25f, 0, 0, 0};
    tvl::EffectBarSlot out[tvl::effectTimerCount];
    ASSERT_EQ(tvl::effectBarsFor(one, 480, out), 1);
    EXPECT_FLOAT_EQ(out[0].value, 1.25f);
    EXPECT_FLOAT_EQ(out[0].maximum, 2.0f) << "a missile hit lasts 2 s";
}

TEST(HudItemColumn, ShownOnlyWhileTheCurrentItemIsHeld)
{
    const sf::Vector2f sizes[tvl::itemTypeCount] = {{64, 64}, {24, 64}, {64, 64}, {64, 64},
                                                    {64, 64}, {64, 64}, {64, 64}};
    const int none[tvl::itemTypeCount] = {0, 0, 0, 0, 0, 0, 0};
    const int others[tvl::itemTypeCount] = {0, 1, 0, 2, 0, 0, 0};
    tvl::ItemSlot out[tvl::itemTypeCount];
    EXPECT_EQ(tvl::itemColumnFor(none, tvl::Nitro, sizes, 640, 60, out), 0);
    EXPECT_EQ(tvl::itemColumnFor(others, tvl::Nitro, sizes, 640, 60, out), 0) << "the current item is not held";
    EXPECT_EQ(tvl::itemColumnFor(others, 7, sizes, 640, 60, out), 0);
    EXPECT_EQ(tvl::itemColumnFor(others, -1, sizes, 640, 60, out), 0);

    ASSERT_EQ(tvl::itemColumnFor(others, tvl::EMP, sizes, 640, 60, out), 2);
    EXPECT_EQ(out[0].type, tvl::Missile);
    EXPECT_EQ(out[0].scale, 0.5f);
    EXPECT_EQ(out[0].centre, sf::Vector2f(640 - 6 - 10, 60 + 16));
    EXPECT_EQ(out[1].type, tvl::EMP);
    EXPECT_EQ(out[1].scale, 1.0f);
    EXPECT_EQ(out[1].centre, sf::Vector2f(640 - 32 - 10, 60 + 32 + 10 + 32));
}

TEST(HudTargetArrow, RestsOnTheEdgeAlongTheBearing)
{
    const sf::Vector2f view(640, 480), half(16, 16);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    struct Case {
        sf::Vector2f start;
        float bearing;
        sf::Vector2f expected;
    } cases[] = {
        {{320, 240}, 0, {320, 16}},    // straight up from the centre
        {{320, 240}, 180, {320, 463}}, // behind: straight down
        {{320, 240}, 90, {623, 240}},  // right
        {{320, 240}, 270, {16, 240}},  // left
        {{16, 16}, 315, {16, 16}},     // already in the corner it heads for
        {{-500, 900}, 90, {623, 463}}, // far off screen: clamped, then along the bottom edge
        {{100, 100}, 135, {463, 463}}, // diagonal to the bottom edge
        {{nan, 100}, 90, {320, 240}},  // nothing to go by: the centre
        {{100, inf}, 90, {320, 240}},
        {{100, 100}, nan, {320, 240}},
    };
    for (const Case& c : cases) {
        sf::Vector2f p = tvl::targetArrowPoint(c.start, c.bearing, half, view);
        EXPECT_NEAR(p.x, c.expected.x, 0.01f) << c.start.x << ", " << c.start.y << " at " << c.bearing;
        EXPECT_NEAR(p.y, c.expected.y, 0.01f) << c.start.x << ", " << c.start.y << " at " << c.bearing;
    }
}

TEST(HudItemColumn, BoxHoldsThePicturesAndTheCurrentName)
{
    const sf::Vector2f sizes[tvl::itemTypeCount] = {{64, 64}, {24, 64}, {64, 64}, {64, 64},
                                                    {64, 64}, {64, 64}, {64, 64}};
    const int counts[tvl::itemTypeCount] = {0, 1, 0, 2, 0, 0, 0};
    tvl::ItemSlot out[tvl::itemTypeCount];
    ASSERT_EQ(tvl::itemColumnFor(counts, tvl::EMP, sizes, 640, 60, out), 2);
    // The missile at half size 60..92, the EMP 102..166 with its 40 px name 6 left of it.
    EXPECT_EQ(tvl::itemColumnBox(out, 2, sizes, 40, 20), sf::FloatRect(640 - 10 - 64 - 6 - 40, 60, 64 + 6 + 40, 106));
    EXPECT_EQ(tvl::itemColumnBox(out, 0, sizes, 40, 20), sf::FloatRect());
}

TEST(HudTargetArrow, KeepsClearOfTheItemColumn)
{
    const sf::Vector2f view(640, 480), half(16, 16);
    struct Case {
        const char* what;
        sf::Vector2f start;
        float bearing;
        sf::FloatRect column;
        sf::Vector2f expected;
    } cases[] = {
        {"no column", {320, 240}, 90, {}, {623, 240}},
        {"right edge, nearer below", {320, 240}, 90, {560, 100, 70, 200}, {623, 320}},
        {"right edge, nearer above", {320, 150}, 90, {560, 100, 70, 200}, {623, 80}},
        {"right edge, no room above or below", {320, 240}, 90, {560, 20, 70, 440}, {540, 240}},
        {"top edge, beside the column", {320, 240}, 45, {560, 20, 70, 200}, {540, 16}},
        {"clear of it already", {320, 240}, 90, {560, 300, 70, 100}, {623, 240}},
    };
    for (const Case& c : cases) {
        const sf::Vector2f p = tvl::targetArrowPoint(c.start, c.bearing, half, view, {&c.column, 1});
        EXPECT_NEAR(p.x, c.expected.x, 0.01f) << c.what;
        EXPECT_NEAR(p.y, c.expected.y, 0.01f) << c.what;
    }
}

TEST(HudTargetArrow, StepsBackTowardThePlayerWhereThatIsShorter)
{
    const sf::Vector2f view(640, 480), half(32, 32);
    const sf::FloatRect heading(301, 15, 38, 19), scoreboard(10, 8, 270, 110);
    struct Case {
        const char* what;
        float bearing;
        sf::Vector2f expected;
    } cases[] = {
        {"straight up to the heading box: under it, 38 back, not 55 aside", 0, {320, 70}},
        {"up left into the scoreboard: back down the line, clear below it", 315, {234, 154}},
        {"straight left, under the scoreboard already", 270, {32, 240}},
    };
    const sf::FloatRect parts[] = {heading, scoreboard};
    for (const Case& c : cases) {
        const sf::Vector2f p = tvl::targetArrowPoint({320, 240}, c.bearing, half, view, parts);
        EXPECT_NEAR(p.x, c.expected.x, 0.01f) << c.what;
        EXPECT_NEAR(p.y, c.expected.y, 0.01f) << c.what;
    }
}

TEST(HudTargetMarker, TextsKeepClearOfTheItemColumn)
{
    const sf::Vector2f view(1280, 720);
    const sf::FloatRect column(1100, 60, 170, 320);
    struct Case {
        const char* what;
        sf::Vector2f spot;
        sf::Vector2f anchor;
    } cases[] = {
        {"arrow below the column", {1247, 416}, {1160, 416}},
        {"lines meeting the column: down beside the arrow", {1247, 370}, {1160, 384}},
        {"beside an arrow left of the column", {1064, 240}, {978, 240}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::targetTextAnchor({true, false, c.spot}, 100, {64, 64}, 20, view, {&column, 1}), c.anchor)
            << c.what;
}

// A 1280 x 720 view at render scale 2 over the world from (1000, 1000): 640 x 360 world pixels,
// the inner rectangle x 1064..1576, y 1036..1324, the player in the middle at screen (640, 360).
tvl::TargetView testView()
{
    tvl::TargetView v;
    v.scroll = {1000, 1000};
    v.renderScale = 2;
    v.pixelSize = {1280, 720};
    v.screenRect = {0, 0, 1280, 720};
    v.viewSize = {1280, 720};
    return v;
}

TEST(HudTargetMarker, InsideOutsideBehindAndCorner)
{
    const sf::Vector2f player(1320, 1180), halfArrow(32, 32);
    struct Case {
        const char* what;
        sf::Vector2f target;
        bool inside;
        sf::Vector2f spot;
        int distance, bearing;
    } cases[] = {
        {"on screen", {1400, 1100}, true, {800, 200}, 7, 45},
        {"10 px right of the inner rectangle", {1586, 1180}, false, {1247, 360}, 16, 90},
        {"behind", {1320, 2000}, false, {640, 687}, 51, 180},
        {"toward the top-left corner", {1320 - 608 * 5, 1180 - 328 * 5}, false, {32, 32}, 215, 298},
    };
    for (const Case& c : cases) {
        const tvl::TargetMarker m = tvl::targetMarkerFor(c.target, player, testView(), false, halfArrow);
        EXPECT_TRUE(m.shown) << c.what;
        EXPECT_EQ(m.inside, c.inside) << c.what;
        EXPECT_NEAR(m.spot.x, c.spot.x, 0.05f) << c.what;
        EXPECT_NEAR(m.spot.y, c.spot.y, 0.05f) << c.what;
        EXPECT_EQ(m.distance, c.distance) << c.what;
        EXPECT_EQ(m.bearing, c.bearing) << c.what;
        // With the map view open an arrow still points the way; a marker on screen is left out.
        EXPECT_EQ(tvl::targetMarkerFor(c.target, player, testView(), true, halfArrow).shown, !c.inside) << c.what;
    }
}

TEST(HudTargetMarker, PointsThatAreNotFiniteShowNothing)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const sf::Vector2f player(1320, 1180);
    EXPECT_FALSE(tvl::targetMarkerFor({nan, 1100}, player, testView(), false, {32, 32}).shown);
    EXPECT_FALSE(tvl::targetMarkerFor({1400, -inf}, player, testView(), false, {32, 32}).shown);
    EXPECT_FALSE(tvl::targetMarkerFor({1400, 1100}, {inf, 0}, testView(), false, {32, 32}).shown);

    const tvl::TargetMarker far = tvl::targetMarkerFor({3e38f, 3e38f}, player, testView(), false, {32, 32});
    EXPECT_TRUE(far.shown);
    EXPECT_EQ(far.distance, 1000000000) << "held where an int holds it";
    EXPECT_EQ(far.bearing, 135);
}

TEST(HudTargetMarker, TextsHangUnderTheMarkerAndClearOfTheEdges)
{
    const sf::Vector2f view(1280, 720);
    tvl::TargetMarker m;
    m.shown = true;
    m.inside = true;
    m.spot = {5, 700};
    EXPECT_EQ(tvl::targetTextAnchor(m, 100, {64, 64}, 20, view), sf::Vector2f(5, 730)) << "inside: 1.5 lines down";

    struct Case {
        sf::Vector2f spot;
        float arrowWidth;
        sf::Vector2f anchor;
    } cases[] = {
        {{32, 32}, 32, {96, 72}},       // corner: half the text + 46 in, 112 - 2 lines down
        {{1247, 687}, 32, {1184, 620}}, // bottom right: 140 - 2 lines up
        {{1247, 360}, 64, {1160, 360}}, // beside a wide arrow: half the text + its width + 6 in
        {{640, 360}, 64, {640, 396}},   // clear of the edges, but under the arrow, not over it
        {{640, 687}, 64, {640, 606}},   // bottom edge: the lines end above the arrow
    };
    for (const Case& c : cases) {
        const sf::Vector2f arrow(c.arrowWidth, c.arrowWidth);
        EXPECT_EQ(tvl::targetTextAnchor({true, false, c.spot}, 100, arrow, 20, view), c.anchor) << c.spot.x;
    }
}

} // namespace
