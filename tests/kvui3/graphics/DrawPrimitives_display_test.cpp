#include "core/Framework.h"
#include "app/Compositor.h"
#include "core/Messages.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/RenderLayers.h"
#include "support/Display.h"
#include "support/TestWindow.h"
#include "ui/Hints.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned side = 128;

class DrawPrimitivesDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openBareWindow(side, side, "primitives test"));
        imguiEnabled = false;
        showFPS = false;
        messageList.clear(); // what an earlier test printed is not part of the picture
        hints.clear();
        initRenderLayers();
        ASSERT_TRUE(screen.create(side, side));
        getRenderLayer(layerDisplay, true)->target = &screen;
        resizeLayerTextures();
        getRenderLayer(layerDisplay, true)->clear(sf::Color::Black);
    }
    void TearDown() override
    {
        test::closeTestWindow();
    }
    sf::Image compose()
    {
        displayFrame(7);
        screen.display();
        return screen.getTexture().copyToImage();
    }
    sf::RenderTexture screen;
};

} // namespace

TEST_F(DrawPrimitivesDisplay, TextureCoversItsInclusiveRectangle)
{
    sf::Image red;
    red.create(4, 4, sf::Color::Red);
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(red));
    drawTexture(0, 0, 99, 49, texture, sf::IntRect(0, 0, 0, 0));
    sf::Image image = compose();
    EXPECT_EQ(image.getPixel(0, 0), sf::Color::Red);
    EXPECT_EQ(image.getPixel(99, 49), sf::Color::Red);
    EXPECT_EQ(image.getPixel(100, 49), sf::Color::Black);
    EXPECT_EQ(image.getPixel(99, 50), sf::Color::Black);
}

TEST_F(DrawPrimitivesDisplay, OutlinedRectangleDrawsOnlyItsBorderAndLinesHaveThickness)
{
    drawRect({20, 20}, {40, 40}, sf::Color::Green, false, 2);
    drawRect({80, 80}, {10, 10}, sf::Color::Blue, true, 0);
    drawLine({0, 110}, {120, 110}, sf::Color::White, 4);
    drawLine({5, 5}, {5, 5}, sf::Color::White, 4);
    sf::Image image = compose();
    EXPECT_EQ(image.getPixel(40, 19), sf::Color::Green); // the border lies outside the rectangle
    EXPECT_EQ(image.getPixel(40, 40), sf::Color::Black); // the inside stays empty
    EXPECT_EQ(image.getPixel(85, 85), sf::Color::Blue);
    EXPECT_EQ(image.getPixel(60, 109), sf::Color::White);
    EXPECT_EQ(image.getPixel(60, 111), sf::Color::White);
    EXPECT_EQ(image.getPixel(60, 114), sf::Color::Black);
    EXPECT_EQ(image.getPixel(5, 5), sf::Color::Black); // a zero-length line shows nothing
}
