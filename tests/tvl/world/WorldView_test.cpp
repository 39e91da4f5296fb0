#include "world/WorldView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using tvl::clampRenderScale;
using tvl::visibleWorldRect;

TEST(WorldViewMaths, RenderScaleIsClamped)
{
    struct Case {
        float in, out;
    } cases[] = {{0.05f, 0.1f}, {0.1f, 0.1f}, {1.5f, 1.5f}, {100.0f, 100.0f}, {250.0f, 100.0f},
                 {-3.0f, 0.1f}, {std::numeric_limits<float>::quiet_NaN(), 0.1f}};
    for (const Case& c : cases)
        EXPECT_EQ(clampRenderScale(c.in), c.out) << c.in;
}

TEST(WorldViewMaths, VisibleWorldIsThePixelSizeOverTheScale)
{
    const sf::FloatRect at2 = visibleWorldRect({100, 50}, {1280, 720}, 2.0f);
    EXPECT_EQ(at2, sf::FloatRect(100, 50, 640, 360));
    // floor, never rounded up
    EXPECT_EQ(visibleWorldRect({0, 0}, {1280, 720}, 1.5f), sf::FloatRect(0, 0, 853, 480));
    EXPECT_EQ(visibleWorldRect({0, 0}, {1280, 720}, 0.5f), sf::FloatRect(0, 0, 2560, 1440));
}

TEST(WorldViewMaths, VisibilityOverlapIsStrict)
{
    const sf::FloatRect visible = visibleWorldRect({0, 0}, {1280, 720}, 2.0f); // 640 x 360
    struct Case {
        sf::FloatRect rect;
        bool visible;
    } cases[] = {
        {{640, 0, 10, 10}, false},  // touching the right edge
        {{639, 0, 10, 10}, true},   // one pixel in
        {{-10, -10, 10, 10}, false}, // touching the top-left corner
        {{-10, -10, 11, 11}, true},
        {{0, 360, 5, 5}, false},
        {{100, 100, 0, 0}, false},  // empty
    };
    for (const Case& c : cases)
        EXPECT_EQ(visible.intersects(c.rect), c.visible) << c.rect.left << "," << c.rect.top;
}

TEST(WorldViewMaths, ObjectRectanglesTurnWithTheObject)
{
    // Unturned: size centred on the centre.
    EXPECT_EQ(tvl::objectWorldRect({100, 100}, {20, 10}, 0.0f), sf::FloatRect(90, 95, 20, 10));
    // A quarter turn swaps the sides.
    const sf::FloatRect quarter = tvl::objectWorldRect({100, 100}, {20, 10}, 1.5707964f);
    EXPECT_NEAR(quarter.width, 10, 1e-3);
    EXPECT_NEAR(quarter.height, 20, 1e-3);
    EXPECT_NEAR(quarter.left, 95, 1e-3);
    // Turned by 45 degrees a 20 x 20 box reaches 14.1 out from its centre: a centre 12 pixels
    // left of the view reaches in only when turned.
    const sf::FloatRect visible = visibleWorldRect({0, 0}, {640, 360}, 1.0f);
    EXPECT_TRUE(visible.intersects(tvl::objectWorldRect({-9, 100}, {20, 20}, 0.0f)));
    EXPECT_FALSE(visible.intersects(tvl::objectWorldRect({-12, 100}, {20, 20}, 0.0f)));
    EXPECT_TRUE(visible.intersects(tvl::objectWorldRect({-12, 100}, {20, 20}, 0.7853982f)));
}

TEST(WorldViewMaths, WorldToTextureToWindow)
{
    const sf::Vector2f scroll(200, 100);
    const sf::Vector2f t = tvl::worldToTexture({250, 130}, scroll, 2.0f);
    EXPECT_EQ(t, sf::Vector2f(100, 60));
    // A 640 x 360 texture shown at (10, 20) over 1280 x 720: draw scale 0.5.
    const sf::FloatRect screen(10, 20, 1280, 720);
    EXPECT_EQ(tvl::worldDrawScale({640, 360}, screen), sf::Vector2f(0.5f, 0.5f));
    EXPECT_EQ(tvl::textureToWindow(t, {640, 360}, screen), sf::Vector2f(210, 140));
    // Shown 1:1 at the origin the window position is the texture position.
    EXPECT_EQ(tvl::textureToWindow(t, {1280, 720}, sf::FloatRect(0, 0, 1280, 720)), t);
    // A zero-sized screen rectangle does not divide by zero.
    EXPECT_EQ(tvl::worldDrawScale({640, 360}, sf::FloatRect(0, 0, 0, 0)), sf::Vector2f(1, 1));
}

TEST(WorldViewMaths, CameraStaysOnTheMap)
{
    const sf::Vector2f view(640, 360), map(2048, 1024);
    struct Case {
        sf::Vector2f focus, scroll;
    } cases[] = {
        {{1000, 500}, {680, 320}},  // free
        {{100, 100}, {0, 0}},       // left and top edges
        {{2040, 1020}, {2048 - 640 - 1, 1024 - 360 - 1}}, // right and bottom edges
        {{1728, 844}, {2048 - 640 - 1, 1024 - 360 - 1}},  // far edge exactly at the map's
        {{1727, 843}, {1407, 663}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::cameraScroll(c.focus, view, map), c.scroll) << c.focus.x << "," << c.focus.y;
    // A map narrower than the view stays at its left edge instead of scrolling negative.
    EXPECT_EQ(tvl::cameraScroll({300, 900}, view, {320, 2048}), sf::Vector2f(0, 720));
}

TEST(WorldViewMaths, FogFallbackAlphaIsDensityTimes255)
{
    struct Case {
        float density;
        int alpha;
    } cases[] = {{0.0f, 0}, {-1.0f, 0}, {0.5f, 127}, {1.0f, 255}, {3.0f, 255},
                 {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const Case& c : cases)
        EXPECT_EQ(tvl::fogFallbackAlpha(c.density), c.alpha) << c.density;
}
