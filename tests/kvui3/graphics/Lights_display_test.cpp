#include "core/Framework.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "support/Display.h"
#include "support/TestWindow.h"
#include "support/TempDir.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned side = 64;

// The lighting pass over a 64 x 64 render texture standing in for the window, with the
// framework's programs loaded.
class LightsDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openBareWindow(side, side, "lights test"));
        initRenderLayers();
        ASSERT_TRUE(Shaders::init());
        realLightProgram = shaderLight;
        ASSERT_TRUE(getShaderSlot(shaderLight).loaded);
        ASSERT_TRUE(getShaderSlot(shaderLighting).loaded);
        useScreen(side);
        resetLighting();
    }
    void TearDown() override
    {
        if (realLightProgram > 0)
            shaderLight = realLightProgram;
        resetLighting();
        lightingPass(0.0f);
        test::closeTestWindow();
    }

    void useScreen(unsigned size)
    {
        screen = std::make_unique<sf::RenderTexture>();
        ASSERT_TRUE(screen->create(size, size));
        screen->clear(sf::Color::White);
        getRenderLayer(layerDisplay, true)->target = screen.get();
        resizeLayerTextures();
    }

    sf::Color pixel(unsigned x, unsigned y)
    {
        screen->display();
        return screen->getTexture().copyToImage().getPixel(x, y);
    }

    // An enabled, visible round light of the given colour and half size.
    static LightSource makeLight(sf::Color colour, float half, bool glowByDay = false)
    {
        LightSource light;
        light.enabled = true;
        light.visible = true;
        light.glowByDay = glowByDay;
        light.colour = colour;
        light.halfWidth = light.halfHeight = half;
        light.buildQuad();
        return light;
    }

    // A Light program whose output is the light's colour over the whole quad.
    void useFlatLightProgram()
    {
        dir.write("flat.frag", "#version 120\n"
                               "uniform vec4 lightColour;\n"
                               "void main() { gl_FragColor = lightColour; }\n");
        const ShaderId id = Shaders::addShader("", (dir.path() / "flat.frag").string());
        ASSERT_GT(id, 0);
        ASSERT_TRUE(getShaderSlot(id).loaded);
        shaderLight = id;
    }

    static void expectGrey(sf::Color c, int grey, const char* where)
    {
        EXPECT_NEAR(c.r, grey, 2) << where;
        EXPECT_NEAR(c.g, grey, 2) << where;
        EXPECT_NEAR(c.b, grey, 2) << where;
    }

    std::unique_ptr<sf::RenderTexture> screen;
    testsupport::TempDir dir;
    ShaderId realLightProgram = -1;
};

TEST_F(LightsDisplay, AmbientLevelDarkensThePictureFromTheFirstFrame)
{
    ambientLightLevel = 0.2f;
    lightingPass(0.0f);
    expectGrey(pixel(10, 10), 51, "one frame");
    screen->clear(sf::Color::White);
    lightingPass(0.0f);
    expectGrey(pixel(40, 50), 51, "the next frame");
}

TEST_F(LightsDisplay, DaylightLeavesThePictureUnchanged)
{
    const sf::Color colours[] = {sf::Color(200, 100, 50), sf::Color(0, 0, 0), sf::Color(255, 255, 255)};
    sf::RectangleShape band({side, side / 3.0f});
    for (int i = 0; i < 3; ++i) {
        band.setPosition(0, i * side / 3.0f);
        band.setFillColor(colours[i]);
        screen->draw(band);
    }
    ambientLightLevel = 1.0f;
    LightSource light = makeLight(sf::Color(255, 0, 0, 255), 8);
    submitLight(layerDisplay, light, {32, 32}, 0.0f, {1, 1});
    lightingPass(0.0f);
    EXPECT_EQ(pixel(32, 5), colours[0]);
    EXPECT_EQ(pixel(32, 32), colours[1]) << "a light without day glow adds nothing by day";
    EXPECT_EQ(pixel(32, 60), colours[2]);
}

TEST_F(LightsDisplay, ALightBrightensItsAreaAndOnlyThat)
{
    ambientLightLevel = 0.2f;
    {
        SCOPED_TRACE("the game's program: brightest at the centre");
        LightSource light = makeLight(sf::Color(255, 255, 255, 255), 16);
        submitLight(layerAir, light, {20, 20}, 0.0f, {1, 1});
        lightingPass(0.0f);
        const sf::Color centre = pixel(20, 20), edge = pixel(30, 20), outside = pixel(50, 50);
        EXPECT_GT(centre.r, 200);
        EXPECT_GT(centre.r, edge.r);
        EXPECT_GT(edge.r, outside.r);
        expectGrey(outside, 51, "outside");
    }
    {
        SCOPED_TRACE("a flat program: the light's colour over its quad, scaled and placed");
        useFlatLightProgram();
        screen->clear(sf::Color::White);
        LightSource light = makeLight(sf::Color(0, 102, 255, 255), 4);
        submitLight(layerGround, light, {32, 32}, 0.0f, {2, 1}); // 16 x 8 around (32, 32)
        lightingPass(0.0f);
        EXPECT_EQ(pixel(26, 32), sf::Color(51, 153, 255)) << "ambient plus the light";
        expectGrey(pixel(32, 40), 51, "below the quad");
        expectGrey(pixel(44, 32), 51, "beside the quad");
    }
}

TEST_F(LightsDisplay, DayGlowIsAddedAndNightSplitsItsAlpha)
{
    useFlatLightProgram();
    const struct {
        float ambient;
        sf::Color expected; // over black
    } cases[] = {
        {1.0f, sf::Color(0, 0, 200)},     // the glow at full alpha
        {0.2f, sf::Color(0, 0, 200 / 5)}, // black stays black under the light map; 20 % glow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ambient);
        screen->clear(sf::Color::Black);
        ambientLightLevel = c.ambient;
        LightSource light = makeLight(sf::Color(0, 0, 200, 255), 8, true);
        submitLight(layerDisplay, light, {32, 32}, 0.0f, {1, 1});
        lightingPass(0.0f);
        const sf::Color inside = pixel(32, 32);
        EXPECT_NEAR(inside.b, c.expected.b, 2);
        EXPECT_EQ(inside.r, 0);
        EXPECT_EQ(pixel(5, 5), sf::Color::Black);
    }
}

TEST_F(LightsDisplay, WhatStandsOnAGroundLayerCoversTheLightsOfItsGroup)
{
    useFlatLightProgram();
    ambientLightLevel = 0.2f;
    LightSource light = makeLight(sf::Color(255, 255, 255, 255), 32);
    submitLight(layerGround, light, {32, 32}, 0.0f, {1, 1});
    sf::RectangleShape cover({32, 64});
    getRenderLayer(layerGround, true)->draw(cover);
    lightingPass(0.0f);
    getRenderLayer(layerGround, true)->clear(sf::Color::Transparent);
    expectGrey(pixel(10, 32), 51, "covered");
    expectGrey(pixel(50, 32), 255, "open");
}

// A display-mode change makes the window again at the same size: the mask is still drawn.
TEST_F(LightsDisplay, WhatStandsOnAGroundLayerStillCoversAfterTheWindowIsMadeAgain)
{
    useFlatLightProgram();
    ambientLightLevel = 0.2f;
    LightSource light = makeLight(sf::Color(255, 255, 255, 255), 32);
    sf::RectangleShape cover({32, 64});
    for (int window = 0; window < 2; ++window) {
        SCOPED_TRACE(window);
        if (window > 0) {
            renderWindow->create(sf::VideoMode(side, side), "lights test");
            ASSERT_NO_FATAL_FAILURE(useScreen(side));
        }
        submitLight(layerGround, light, {32, 32}, 0.0f, {1, 1});
        getRenderLayer(layerGround, true)->draw(cover);
        lightingPass(0.0f);
        getRenderLayer(layerGround, true)->clear(sf::Color::Transparent);
        expectGrey(pixel(10, 32), 51, "covered");
        expectGrey(pixel(50, 32), 255, "open");
    }
}

TEST_F(LightsDisplay, FirstFrameAfterAResizeIsNotBlack)
{
    for (float ambient : {1.0f, 0.2f}) {
        SCOPED_TRACE(ambient);
        ambientLightLevel = ambient;
        lightingPass(0.0f);
        useScreen(side + 32); // the light layers are made again at the new size
        lightingPass(0.0f);
        expectGrey(pixel(80, 80), static_cast<int>(ambient * 255), "the new corner");
        useScreen(side);
    }
}

} // namespace
