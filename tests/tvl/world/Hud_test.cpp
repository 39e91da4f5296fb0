#include "world/Hud.h"

#include <gtest/gtest.h>

namespace {

bool inside(const sf::FloatRect& r, sf::Vector2f view)
{
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= view.x && r.top + r.height <= view.y;
}

TEST(HudLayout, PartsStayOnScreenAndApartAtCommonSizes)
{
    for (sf::Vector2f view : {sf::Vector2f(640, 480), sf::Vector2f(1280, 720),
                              sf::Vector2f(1920, 1080)}) {
        tvl::HudLayout l = tvl::hudLayoutFor(view, 21, 40, 19, 44);
        sf::FloatRect label(l.nitroLabel.x, l.nitroLabel.y, 40, 21);
        EXPECT_TRUE(inside(l.nitroBar, view)) << view.x;
        EXPECT_TRUE(inside(label, view)) << view.x;
        EXPECT_TRUE(inside(l.headingBox, view)) << view.x;
        EXPECT_FALSE(l.nitroBar.intersects(label)) << view.x;
        EXPECT_FALSE(l.nitroBar.intersects(l.headingBox)) << view.x;
        EXPECT_FALSE(label.intersects(l.headingBox)) << view.x;
        EXPECT_FLOAT_EQ(l.nitroLabel.x + 40, l.nitroBar.left + l.nitroBar.width); // right-aligned
    }
}

TEST(HudTargetArrow, RestsOnTheEdgeAlongTheBearing)
{
    const sf::Vector2f view(640, 480), half(16, 16);
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
    };
    for (const Case& c : cases) {
        sf::Vector2f p = tvl::targetArrowPoint(c.start, c.bearing, half, view);
        EXPECT_NEAR(p.x, c.expected.x, 0.01f) << c.bearing;
        EXPECT_NEAR(p.y, c.expected.y, 0.01f) << c.bearing;
    }
}

} // namespace
