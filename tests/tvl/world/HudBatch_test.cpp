#include "world/HudBatch.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Without a window: shapes and drawables only (a texture needs GL); the pictures' batching is
// checked in HudBatch_display_test.

// A part drawn as it is; the batch never looks inside.
struct Opaque : sf::Drawable {
    void draw(sf::RenderTarget&, sf::RenderStates) const override {}
};

sf::RectangleShape solid(sf::FloatRect box, sf::Color colour = sf::Color::Red)
{
    sf::RectangleShape r({box.width, box.height});
    r.setPosition(box.left, box.top);
    r.setFillColor(colour);
    return r;
}

sf::FloatRect boundsOf(const std::vector<sf::Vertex>& vertices)
{
    float left = std::numeric_limits<float>::max(), top = left, right = -left, bottom = -left;
    for (const sf::Vertex& v : vertices) {
        left = std::min(left, v.position.x);
        top = std::min(top, v.position.y);
        right = std::max(right, v.position.x);
        bottom = std::max(bottom, v.position.y);
    }
    return {left, top, right - left, bottom - top};
}

// A shape's triangles cover what SFML says it covers: the fill fanned from its middle, then the
// outline around it; a transparent fill or outline adds nothing.
TEST(HudBatch, ShapesAreTheirFillThenTheirOutline)
{
    tvl::HudBatch batch;
    sf::RectangleShape bar({40, 10});
    bar.setPosition(20.5f, 30);
    bar.setFillColor(sf::Color(10, 20, 30, 220));
    bar.setOutlineThickness(1);
    bar.setOutlineColor(sf::Color::Black);
    batch.addShape(bar);
    ASSERT_EQ(batch.drawCount(), 1u);
    const std::vector<sf::Vertex>& v = batch.verticesOf(0);
    ASSERT_EQ(v.size(), 4u * 3 + 8u * 3); // four fan triangles, two for each side of the outline
    EXPECT_EQ(v[0].position, sf::Vector2f(40.5f, 35)) << "the fan starts in the middle";
    for (size_t i = 0; i < 12; i++)
        EXPECT_EQ(v[i].color, bar.getFillColor());
    for (size_t i = 12; i < v.size(); i++)
        EXPECT_EQ(v[i].color, sf::Color::Black);
    const std::vector<sf::Vertex> fill(v.begin(), v.begin() + 12), outline(v.begin() + 12, v.end());
    EXPECT_EQ(boundsOf(fill), sf::FloatRect(20.5f, 30, 40, 10));
    EXPECT_EQ(boundsOf(outline), bar.getGlobalBounds());

    tvl::HudBatch frame;
    frame.addRect({5, 5}, {20, 10}, sf::Color::White, false, 2);
    ASSERT_EQ(frame.drawCount(), 1u);
    EXPECT_EQ(frame.verticesOf(0).size(), 8u * 3) << "only the border of an unfilled rectangle";
    EXPECT_EQ(boundsOf(frame.verticesOf(0)), sf::FloatRect(3, 3, 24, 14));

    // A turned marker: the points placed by the shape's own transform.
    tvl::HudBatch marker;
    sf::CircleShape triangle(8, 3);
    triangle.setOrigin(8, 8);
    triangle.setPosition(100, 50);
    triangle.setRotation(90);
    triangle.setFillColor(sf::Color::Blue);
    marker.addShape(triangle);
    ASSERT_EQ(marker.drawCount(), 1u);
    const std::vector<sf::Vertex>& t = marker.verticesOf(0);
    ASSERT_EQ(t.size(), 3u * 3);
    for (size_t i = 0; i < 3; i++) {
        const sf::Vector2f expected = triangle.getTransform().transformPoint(triangle.getPoint(i));
        EXPECT_NEAR(t[3 * i + 1].position.x, expected.x, 1e-4f) << i;
        EXPECT_NEAR(t[3 * i + 1].position.y, expected.y, 1e-4f) << i;
    }
    const sf::FloatRect drawn = boundsOf(t), sfml = triangle.getGlobalBounds();
    EXPECT_NEAR(drawn.left, sfml.left, 1e-4f);
    EXPECT_NEAR(drawn.top, sfml.top, 1e-4f);
    EXPECT_NEAR(drawn.width, sfml.width, 1e-4f);
    EXPECT_NEAR(drawn.height, sfml.height, 1e-4f);

    tvl::HudBatch nothing;
    nothing.addRect({0, 0}, {10, 10}, sf::Color::Transparent, true, 0);
    nothing.addShape(sf::CircleShape(5, 2)); // fewer than three points
    EXPECT_EQ(nothing.drawCount(), 0u);
}

// Drawing empties the batch for the next frame; a part at no number keeps its place.
TEST(HudBatch, ANewFrameStartsEmptyAndAPartAtNoNumberMovesNothingPastIt)
{
    tvl::HudBatch batch;
    batch.addShape(solid({0, 0, 10, 10}));
    batch.clear();
    EXPECT_EQ(batch.drawCount(), 0u);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    batch.addShape(solid({0, 0, 10, 10}));
    batch.addShape(solid({nan, 0, 10, 10}, sf::Color::Blue));
    batch.addShape(solid({500, 500, 10, 10}));
    EXPECT_EQ(batch.drawCount(), 1u) << "a solid at no number shares the one draw";

    Opaque text;
    tvl::HudBatch textAtNoNumber;
    textAtNoNumber.addShape(solid({0, 0, 10, 10}));
    textAtNoNumber.addDrawable(text, {0, nan, 10, 10});
    textAtNoNumber.addShape(solid({500, 500, 10, 10}));
    EXPECT_EQ(textAtNoNumber.drawCount(), 3u);
    tvl::HudBatch solidAtNoNumber;
    solidAtNoNumber.addShape(solid({0, 0, 10, 10}));
    solidAtNoNumber.addDrawable(text, {500, 500, 10, 10});
    solidAtNoNumber.addShape(solid({nan, 0, 10, 10}));
    EXPECT_EQ(solidAtNoNumber.drawCount(), 3u);
}

} // namespace
