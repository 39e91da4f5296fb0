#include "core/Framework.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "support/Display.h"
#include "support/GlDrawCount.h"
#include "support/TestWindow.h"
#include "support/TempDir.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
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

    // The Light program as it was while every light was a draw of its own, shaped from the
    // per-light uniforms: what the pass draws with the shipped program must look the same.
    void usePerLightProgram()
    {
        dir.write("perlight.vert", "#version 120\n"
                                   "varying vec2 targetPosition;\n"
                                   "void main() {\n"
                                   "    targetPosition = gl_Vertex.xy;\n"
                                   "    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;\n"
                                   "    gl_FrontColor = gl_Color;\n"
                                   "}\n");
        dir.write("perlight.frag",
                  "#version 120\n"
                  "uniform vec2 lightPos;\n"
                  "uniform float lightAngle;\n"
                  "uniform vec2 lightSize;\n"
                  "uniform int lightType;\n"
                  "uniform float lightEmission;\n"
                  "uniform vec4 lightColour;\n"
                  "varying vec2 targetPosition;\n"
                  "void main() {\n"
                  "    vec2 offset = targetPosition - lightPos;\n"
                  "    float a = radians(lightAngle);\n"
                  "    float c = cos(a);\n"
                  "    float s = sin(a);\n"
                  "    vec2 local = vec2(c * offset.x + s * offset.y, c * offset.y - s * offset.x)\n"
                  "                 / max(lightSize, vec2(0.001));\n"
                  "    float r = length(local);\n"
                  "    float intensity;\n"
                  "    if (lightType == 1)\n"
                  "        intensity = (1.0 - smoothstep(0.0, 1.0, abs(local.x)))\n"
                  "                    * (1.0 - smoothstep(0.2, 1.0, abs(local.y)));\n"
                  "    else\n"
                  "        intensity = max(1.0 - r, 0.0) * max(1.0 - r, 0.0);\n"
                  "    vec3 colour = mix(lightColour.rgb, vec3(1.0), clamp(lightEmission, 0.0, 1.0) * intensity);\n"
                  "    gl_FragColor = vec4(colour, lightColour.a * intensity);\n"
                  "}\n");
        const ShaderId id =
            Shaders::addShader((dir.path() / "perlight.vert").string(), (dir.path() / "perlight.frag").string());
        ASSERT_GT(id, 0);
        ASSERT_TRUE(getShaderSlot(id).loaded);
        shaderLight = id;
    }

    // The picture after one pass over a grey screen (lights queued by queue()).
    sf::Image passOverGrey(const std::function<void()>& queue)
    {
        screen->clear(sf::Color(128, 128, 128));
        queue();
        lightingPass(0.0f);
        screen->display();
        return screen->getTexture().copyToImage();
    }

    static int largestDifference(const sf::Image& a, const sf::Image& b)
    {
        int largest = 0;
        for (unsigned y = 0; y < a.getSize().y; ++y)
            for (unsigned x = 0; x < a.getSize().x; ++x) {
                const sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
                largest = std::max({largest, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
            }
        return largest;
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

// Round lights and beams of every group, turned, stretched, whitened and glowing by day, some
// overlapping: drawn a kind at a time they look as they did one light at a time.
TEST_F(LightsDisplay, BatchedLightsLookAsTheyDidOneDrawEach)
{
    const RenderLayerId groupsInOrder[] = {layerGroundLow, layerGround, layerGroundHigh, layerAir, layerDisplay};
    std::vector<LightSource> lights;
    for (int i = 0; i < 15; ++i) {
        LightSource light = makeLight(sf::Color(255 - i * 15, 60 + i * 12, 40 + i * 9, 160 + i * 6), 6.0f + i, i % 3 == 0);
        light.lightType = i % 2;
        light.emission = i % 4 == 1 ? 0.6f : 0.0f;
        light.halfHeight = 4.0f + (i * 7) % 13;
        light.buildQuad();
        lights.push_back(light);
    }
    const auto queue = [&] {
        for (size_t i = 0; i < lights.size(); ++i) {
            const sf::Vector2f at(8.0f + (i * 23) % 50, 10.0f + (i * 17) % 46);
            const float angle = static_cast<float>(i) * 0.7f - 3.0f;
            const sf::Vector2f scale(i % 2 ? 1.5f : 0.75f, i % 3 ? 1.0f : 2.0f);
            submitLight(groupsInOrder[i % 5], lights[i], at, angle, scale);
        }
    };
    for (float ambient : {0.2f, 0.7f, 1.0f}) {
        SCOPED_TRACE(ambient);
        ambientLightLevel = ambient;
        shaderLight = realLightProgram;
        const sf::Image batched = passOverGrey(queue);
        const sf::Image unlit = passOverGrey([] {});
        ASSERT_NO_FATAL_FAILURE(usePerLightProgram());
        const sf::Image oneByOne = passOverGrey(queue);
        EXPECT_GT(largestDifference(batched, unlit), 60) << "the lights show";
        EXPECT_LE(largestDifference(batched, oneByOne), 2);
    }
}

// A ground layer drawn on in an earlier frame holds nothing now: there is nothing to mask with.
TEST_F(LightsDisplay, TheLightsOfAGroupAreOneDraw)
{
    ambientLightLevel = 0.2f;
    LightSource light = makeLight(sf::Color(255, 200, 100, 255), 5);
    getRenderLayer(layerGround, true)->draw(sf::RectangleShape({8, 8}));
    lightingPass(0.0f);
    getRenderLayer(layerGround, true)->clear(sf::Color::Transparent);
    const long before = testsupport::glDrawCalls();
    for (int i = 0; i < 300; ++i)
        submitLight(layerGround, light, {float(i % 60), float(i / 5)}, 0.0f, {1, 1});
    lightingPass(0.0f);
    EXPECT_EQ(testsupport::glDrawCalls() - before, 2) << "the lights, then the light layer over the picture";
}

// Light added to a white light layer changes nothing, nor does multiplying by white.
TEST_F(LightsDisplay, ByDayLightsWithoutAGlowCostNoDraw)
{
    ambientLightLevel = 1.0f;
    LightSource light = makeLight(sf::Color(255, 0, 0, 255), 8);
    lightingPass(0.0f);
    const long before = testsupport::glDrawCalls();
    for (int i = 0; i < 50; ++i)
        submitLight(RenderLayerId(layerGroundLow + i % 4), light, {32, 32}, 0.0f, {1, 1});
    lightingPass(0.0f);
    EXPECT_EQ(testsupport::glDrawCalls() - before, 0);
}

// The glows and light sprites are added straight onto the display when nothing else is on the
// light effects layer; with something there, through the layer. Both give the same picture.
TEST_F(LightsDisplay, GlowsAddedStraightOntoTheDisplayLookAsThroughTheirLayer)
{
    ambientLightLevel = 0.3f;
    LightSource glow = makeLight(sf::Color(40, 120, 255, 255), 14, true);
    sf::Image dot;
    dot.create(6, 6, sf::Color(255, 140, 40));
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(dot));
    sf::Sprite spark(texture);
    spark.setPosition(40, 12);
    const auto queue = [&] {
        submitLight(layerDisplay, glow, {24, 30}, 0.4f, {1, 1});
        submitLight(layerGround, glow, {36, 40}, -0.2f, {1.5f, 1});
        addLightEffectSprite(spark);
    };
    const sf::Image straight = passOverGrey(queue);
    const sf::Image throughLayer = passOverGrey([&] {
        // Black added to the layer changes nothing but keeps the glows on it.
        sf::RectangleShape nothing({4, 4});
        nothing.setFillColor(sf::Color::Black);
        getRenderLayer(layerLightEffects, true)->draw(nothing, sf::RenderStates(sf::BlendAdd));
        queue();
    });
    EXPECT_EQ(largestDifference(straight, throughLayer), 0);
    EXPECT_GT(largestDifference(straight, passOverGrey([] {})), 60) << "the glows show";
}

} // namespace
