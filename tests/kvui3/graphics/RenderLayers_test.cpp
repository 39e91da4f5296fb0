#include "graphics/RenderLayers.h"
#include "graphics/VertexArray.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <gtest/gtest.h>

using namespace kv;

namespace {

// No window in unit tests: every layer is without a target, so only the bookkeeping runs.
class RenderLayersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        while (clipDepth() > 0)
            endClipRect();
        currentRenderLayer = &layerRedirect;
        layerRedirected = false;
        ground().clear(sf::Color::Transparent);
    }
    RenderLayer& ground() { return renderLayers[layerGround - 1]; }
    RenderLayer& display() { return renderLayers[layerDisplay - 1]; }
};

TEST_F(RenderLayersTest, IdsMapToTheirLayers)
{
    struct Case {
        RenderLayerId id;
        RenderLayer* expected;
    } cases[] = {
        {0, &layerRedirect},
        {1, &display()},
        {12, &display()},
        {0xFFFFFFFFu, &display()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(getRenderLayer(c.id, false), c.expected) << c.id;
    for (RenderLayerId id = 2; id <= 11; ++id)
        EXPECT_EQ(getRenderLayer(id, false), &renderLayers[id - 1]) << id;
    EXPECT_STREQ(getRenderLayer(layerUI)->name, "layerUI");
    EXPECT_EQ(getRenderLayer(layerUI)->mode, modeTexture);
    EXPECT_EQ(getRenderLayer(layerAir)->mode, modeDeferred);
}

TEST_F(RenderLayersTest, ClipRedirectsEveryIdUnlessIgnored)
{
    beginClipRect(&display(), {10, 10}, {50, 20}, false);
    EXPECT_TRUE(layerRedirected);
    EXPECT_EQ(getRenderLayer(layerGround, false), &display());
    EXPECT_EQ(getRenderLayer(layerUI, false), &display());
    EXPECT_EQ(getRenderLayer(layerGround, true), &ground());
    endClipRect();
    EXPECT_FALSE(layerRedirected);
    EXPECT_EQ(currentRenderLayer, &layerRedirect);
    EXPECT_EQ(getRenderLayer(layerGround, false), &ground());
}

TEST_F(RenderLayersTest, NestedClipsRestoreTheOuterClip)
{
    beginClipRect(&display(), {0, 0}, {100, 100}, false);
    beginClipRect(&layerRedirect, {10, 10}, {20, 20}, true);
    EXPECT_EQ(clipDepth(), 2);
    EXPECT_EQ(currentRenderLayer, &layerRedirect);
    endClipRect();
    EXPECT_TRUE(layerRedirected);
    EXPECT_EQ(currentRenderLayer, &display());
    endClipRect();
    EXPECT_FALSE(layerRedirected);
    EXPECT_EQ(currentRenderLayer, &layerRedirect);
    // An end without a begin changes nothing.
    endClipRect();
    EXPECT_FALSE(layerRedirected);
    EXPECT_EQ(clipDepth(), 0);
}

TEST_F(RenderLayersTest, RefusedClipsLeaveTheStateAlone)
{
    beginClipRect(&ground(), {0, 0}, {10, 10}, false); // Deferred layers cannot clip
    EXPECT_EQ(clipDepth(), 0);
    EXPECT_FALSE(layerRedirected);

    for (int i = 0; i < maxClipDepth; ++i)
        beginClipRect(&display(), {0, 0}, {10, 10}, false);
    beginClipRect(&layerRedirect, {0, 0}, {10, 10}, false); // one too deep
    EXPECT_EQ(clipDepth(), maxClipDepth);
    EXPECT_EQ(currentRenderLayer, &display());
    for (int i = 0; i < maxClipDepth; ++i)
        endClipRect();
    EXPECT_EQ(currentRenderLayer, &layerRedirect);
    EXPECT_FALSE(layerRedirected);
}

TEST_F(RenderLayersTest, DeferredLayerRecordsCopiesOfEachKind)
{
    sf::CircleShape circle(5);
    sf::ConvexShape convex(3);
    sf::RectangleShape rectangle({4, 4});
    sf::Sprite sprite;
    sf::Text text;
    kv::VertexArray vertices(sf::Triangles, 3);
    sf::VertexArray sfmlVertices(sf::Triangles, 3);

    RenderLayer& layer = ground();
    layer.draw(circle);
    layer.draw(convex);
    layer.draw(rectangle);
    layer.draw(sprite);
    layer.draw(text);
    layer.draw(vertices);
    layer.draw(sfmlVertices); // SFML's own vertex array is not a kind: dropped
    ASSERT_EQ(layer.records.size(), 6u);
    for (uint8_t kind = 0; kind < 6; ++kind)
        EXPECT_EQ(layer.records[kind].kind, kind);
    EXPECT_TRUE(layer.drawnTo);

    // A copy, not a reference: later changes to the original do not reach the record.
    rectangle.setSize({9, 9});
    EXPECT_EQ(static_cast<sf::RectangleShape&>(*layer.records[2].drawable).getSize(), sf::Vector2f(4, 4));

    sf::RenderStates additive(sf::BlendAdd);
    layer.draw(circle, additive);
    EXPECT_EQ(layer.records.back().states.blendMode, sf::BlendAdd);
    EXPECT_EQ(layer.records.back().shader, nullptr);

    layer.clear(sf::Color::Black);
    EXPECT_TRUE(layer.records.empty());
    EXPECT_TRUE(layer.drawnTo); // only a Texture layer's clear resets it
}

TEST_F(RenderLayersTest, DeferredVerticesKeepQuads)
{
    sf::Vertex quad[4] = {{{0, 0}}, {{1, 0}}, {{1, 1}}, {{0, 1}}};
    ground().drawVertices(quad, 4, sf::Quads, sf::RenderStates::Default);
    ASSERT_EQ(ground().records.size(), 1u);
    EXPECT_EQ(ground().records[0].kind, deferredVertexArray);
    auto& copy = static_cast<kv::VertexArray&>(*ground().records[0].drawable);
    EXPECT_EQ(copy.primitiveType, static_cast<uint32_t>(sf::Quads));
    ASSERT_EQ(copy.getVertexCount(), 4u);
    EXPECT_EQ(copy[2].position, sf::Vector2f(1, 1));
}

TEST_F(RenderLayersTest, DrawsWithoutATargetAreDropped)
{
    display().target = nullptr;
    sf::RectangleShape rectangle({4, 4});
    display().draw(rectangle);
    display().clear(sf::Color::Red);
    EXPECT_TRUE(display().drawnTo);
    // A Texture layer has no texture before there is a display to size it by.
    EXPECT_EQ(renderLayers[layerUI - 1].renderTexture(), nullptr);
    EXPECT_EQ(renderLayers[layerUI - 1].finishedSprite(), nullptr);
}

} // namespace
