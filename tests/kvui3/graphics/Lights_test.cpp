#include "core/FrameUpdate.h"
#include "graphics/Lights.h"

#include <SFML/Graphics/Sprite.hpp>

#include <gtest/gtest.h>

#include <cmath>

using namespace kv;

namespace {

uint64_t fakeMilliseconds = 0;
int fakeRandomCalls = 0;

uint64_t fakeClock()
{
    return fakeMilliseconds;
}

// 1, 0, 1, 0, ...: every change the flicker is allowed shows.
int alternatingRandom()
{
    return ++fakeRandomCalls & 1;
}

class Lights : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeMilliseconds = 0;
        fakeRandomCalls = 0;
        lightTiming = LightTiming{};
        lightTiming.milliseconds = fakeClock;
        lightTiming.random = alternatingRandom;
        ambientLightLevel = 0.2f;
        frameTime = 0.0f;
        currentDrawScale = {1, 1};
        currentDrawOffset = {0, 0};
        clearLightQueues();
    }
    void TearDown() override
    {
        lightTiming = LightTiming{};
        ambientLightLevel = 1.0f;
        frameTime = 0.0f;
        clearLightQueues();
    }

    // Enabled, visible, steady, 10 x 6 half size.
    static LightSource makeLight()
    {
        LightSource light;
        light.enabled = true;
        light.visible = true;
        light.halfWidth = 10;
        light.halfHeight = 6;
        light.colour = sf::Color(255, 200, 100, 255);
        light.buildQuad();
        return light;
    }

    static void nextFrame() { ++lightTiming.frame; }
};

TEST_F(Lights, NewLightIsDisabledOpaqueBlackAndBuildQuadMakesItsRectangle)
{
    const LightSource fresh;
    EXPECT_FALSE(fresh.enabled);
    EXPECT_EQ(fresh.colour, sf::Color(0, 0, 0, 255));
    EXPECT_EQ(fresh.rotation, 0.0f);
    EXPECT_EQ(fresh.quad.getVertexCount(), 0u);

    LightSource light = makeLight();
    light.preTransformed = true;
    light.buildQuad();
    EXPECT_FALSE(light.preTransformed);
    ASSERT_EQ(light.quad.getVertexCount(), 4u);
    const sf::Vector2f corners[4] = {{0, 0}, {20, 0}, {20, 12}, {0, 12}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(light.quad[i].position, corners[i]) << i;
        EXPECT_EQ(light.quad[i].texCoords, corners[i]) << i;
        EXPECT_EQ(light.quad[i].color, sf::Color::Transparent) << i;
    }

    // A resize rebuilds the quad in the same storage (a fire does it every frame).
    const sf::Vertex* storage = light.quad.quadVertices.data();
    light.halfWidth = 3;
    light.buildQuad();
    EXPECT_EQ(light.quad.quadVertices.data(), storage);
    EXPECT_EQ(light.quad[2].position, sf::Vector2f(6, 12));
}

TEST_F(Lights, NightOnlyLightsAreQueuedOnlyBelowHalfAmbient)
{
    const struct {
        float ambient;
        bool nightOnly;
        size_t queued;
    } cases[] = {{0.49f, true, 1}, {0.5f, true, 0}, {1.0f, true, 0}, {0.5f, false, 1}, {1.0f, false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "ambient " << c.ambient << " nightOnly " << c.nightOnly);
        clearLightQueues();
        ambientLightLevel = c.ambient;
        LightSource light = makeLight();
        light.nightOnly = c.nightOnly;
        light.submit(layerGround, {5, 5}, 0.0f, {1, 1});
        EXPECT_EQ(queuedLights(layerGround).size(), c.queued);
    }
}

TEST_F(Lights, DisabledInvisibleAndUnlitLightsAreDropped)
{
    const struct {
        const char* what;
        void (*change)(LightSource&);
    } cases[] = {
        {"disabled", [](LightSource& l) { l.enabled = false; }},
        {"invisible", [](LightSource& l) { l.visible = false; }},
        // Mode 3 is dark in the first sixth of every second.
        {"unlit", [](LightSource& l) { l.flickerMode = 3; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clearLightQueues();
        LightSource light = makeLight();
        c.change(light);
        light.submit(layerAir, {5, 5}, 0.0f, {1, 1});
        submitLight(layerAir, light, {5, 5}, 0.0f, {1, 1});
        EXPECT_TRUE(queuedLights(layerAir).empty());
    }
    LightSource light = makeLight();
    submitLight(layerThermalImaging + 1, light, {5, 5}, 0.0f, {1, 1});
    EXPECT_TRUE(queuedLights(layerThermalImaging + 1).empty()) << "a group past the layers";
}

TEST_F(Lights, A2049thLightOrEffectOfAGroupIsDropped)
{
    LightSource light = makeLight();
    VertexArray vertices(sf::Quads, 4);
    const sf::Sprite sprite;
    for (size_t i = 0; i < maxQueuedPerGroup + 1; ++i) {
        submitLight(layerGround, light, {static_cast<float>(i), 0}, 0.0f, {1, 1});
        addLightEffectVertices(vertices, true, nullptr);
        addLightEffectSprite(sprite);
    }
    ASSERT_EQ(maxQueuedPerGroup, 2048u);
    ASSERT_EQ(queuedLights(layerGround).size(), 2048u);
    EXPECT_EQ(queuedLights(layerGround).back().position.x, 2047.0f) << "the first 2048 are kept";
    EXPECT_EQ(queuedLightEffects(lightEffectGroup).size(), 2048u);
    EXPECT_EQ(queuedLightSprites(lightEffectGroup).size(), 2048u);

    submitLight(layerGroundHigh, light, {0, 0}, 0.0f, {1, 1});
    EXPECT_EQ(queuedLights(layerGroundHigh).size(), 1u) << "another group has its own room";

    clearLightQueues();
    EXPECT_TRUE(queuedLights(layerGround).empty());
    EXPECT_TRUE(queuedLightEffects(lightEffectGroup).empty());
    EXPECT_TRUE(queuedLightSprites(lightEffectGroup).empty());
}

TEST_F(Lights, FlickerAndRotationStepOncePerFrame)
{
    LightSource light = makeLight();
    light.rotationSpeed = 9.0f; // 180 degrees a second
    light.flickerMode = 2;
    frameTime = 0.5f;
    fakeMilliseconds = 1000;

    light.submit(layerGround, {0, 0}, 0.0f, {1, 1});
    light.submit(layerGround, {0, 0}, 0.0f, {1, 1});
    EXPECT_NEAR(light.rotation, 1.5707964f, 1e-5f);
    EXPECT_EQ(fakeRandomCalls, 1);

    nextFrame();
    fakeMilliseconds = 2000;
    light.submit(layerGround, {0, 0}, 0.0f, {1, 1});
    EXPECT_NEAR(light.rotation, 3.1415927f, 1e-5f);
    EXPECT_EQ(fakeRandomCalls, 2);

    for (int i = 0; i < 3; ++i) {
        nextFrame();
        light.updateFlicker(0.5f);
    }
    EXPECT_NEAR(light.rotation, 1.5707964f, 1e-5f) << "kept in 0 .. 2 pi";

    light.rotationSpeed = -9.0f;
    for (int i = 0; i < 2; ++i) {
        nextFrame();
        light.updateFlicker(0.5f);
    }
    EXPECT_GE(light.rotation, 0.0f);
    EXPECT_NEAR(light.rotation, 3 * 1.5707964f, 1e-5f) << "a backward turn wraps too";

    light.enabled = false;
    nextFrame();
    light.updateFlicker(0.5f);
    EXPECT_NEAR(light.rotation, 3 * 1.5707964f, 1e-5f) << "a disabled light does not step";
}

TEST_F(Lights, RandomFlickerChangesAtMostFiveTimesASecond)
{
    LightSource light = makeLight(); // its clock starts at 0
    light.flickerMode = 2;
    light.lit = false;
    int changes = 0;
    bool lit = light.lit;
    for (fakeMilliseconds = 0; fakeMilliseconds <= 1000; fakeMilliseconds += 7) {
        nextFrame();
        light.updateFlicker(0.007f);
        changes += light.lit != lit;
        lit = light.lit;
    }
    EXPECT_EQ(fakeRandomCalls, 4) << "after 200 ms each time: 7 ms frames reach 203, 406, 609, 812";
    EXPECT_EQ(changes, 4);
}

TEST_F(Lights, BlinkingModesFollowTheClock)
{
    const struct {
        uint32_t mode;
        uint64_t milliseconds;
        bool lit;
    } cases[] = {
        {0, 0, true},   {1, 100, false}, {1, 600, true},  {1, 1600, true}, // twice a second: dark, then lit
        {3, 0, false},  {3, 170, true},  {3, 340, false}, {3, 500, true},  // three times: sixths
        {7, 0, true},                                                      // unknown modes leave it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " at " << c.milliseconds << " ms");
        LightSource light = makeLight();
        light.flickerMode = c.mode;
        light.lit = !c.lit || c.mode == 7;
        fakeMilliseconds = c.milliseconds;
        nextFrame();
        light.updateFlicker(0.0f);
        EXPECT_EQ(light.lit, c.lit);
    }
}

TEST_F(Lights, SubmitMapsTheTargetPositionWrapsTheAngleAndTransformsTheQuad)
{
    currentDrawScale = {2, 4};
    currentDrawOffset = {10, 20};
    const struct {
        float rotation, angle, expectedAngle;
    } cases[] = {{0.0f, 0.5f, 0.5f}, {3.0f, 1.0f, 4.0f - 6.2831853f}, {0.0f, -4.0f, -4.0f + 6.2831853f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.rotation << " + " << c.angle);
        clearLightQueues();
        LightSource light = makeLight();
        light.rotation = c.rotation;
        light.submit(layerDisplay, {40, 80}, c.angle, {2, 1});
        EXPECT_EQ(light.screenPosition, sf::Vector2f(30, 40));
        EXPECT_EQ(light.angle, c.angle);
        ASSERT_EQ(queuedLights(layerDisplay).size(), 1u);
        const QueuedLight& queued = queuedLights(layerDisplay)[0];
        EXPECT_EQ(queued.position, sf::Vector2f(30, 40));
        EXPECT_NEAR(queued.angle, c.expectedAngle, 1e-5f);
        EXPECT_GE(queued.angle, -3.1415927f);
        EXPECT_LT(queued.angle, 3.1415927f);
        EXPECT_EQ(queued.scale, sf::Vector2f(2, 1));
        EXPECT_EQ(queued.light.colour, light.colour);
        // Corner (0, 0) is (-20, -6) from the centre after scaling, then turned by the angle.
        const float cs = std::cos(c.expectedAngle), sn = std::sin(c.expectedAngle);
        const sf::Vector2f corner(30 + (-20 * cs + 6 * sn), 40 + (-20 * sn - 6 * cs));
        EXPECT_NEAR(queued.quad[0].position.x, corner.x, 1e-3f);
        EXPECT_NEAR(queued.quad[0].position.y, corner.y, 1e-3f);
        EXPECT_EQ(light.quad[0].position, sf::Vector2f(0, 0)) << "the light's own quad stays";
    }

    clearLightQueues();
    LightSource placed = makeLight();
    placed.preTransformed = true;
    submitLight(layerAir, placed, {100, 100}, 1.0f, {3, 3});
    ASSERT_EQ(queuedLights(layerAir).size(), 1u);
    EXPECT_EQ(queuedLights(layerAir)[0].quad[2].position, sf::Vector2f(20, 12)) << "pre-transformed: as it is";
}

TEST_F(Lights, LightEffectsGoToTheAirGroupWithAdditiveOrTheirOwnStates)
{
    VertexArray vertices(sf::Triangles, 3);
    addLightEffectVertices(vertices, true, nullptr);
    sf::RenderStates own(sf::BlendMultiply);
    addLightEffectVertices(vertices, false, &own);
    sf::Sprite sprite;
    sprite.setPosition(7, 8);
    addLightEffectSprite(sprite);

    ASSERT_EQ(lightEffectGroup, layerAir);
    const auto effects = queuedLightEffects(layerAir);
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_TRUE(effects[0].onLightEffects);
    EXPECT_EQ(effects[0].states.blendMode, sf::BlendAdd);
    EXPECT_EQ(effects[0].vertices.getVertexCount(), 3u);
    EXPECT_FALSE(effects[1].onLightEffects);
    EXPECT_EQ(effects[1].states.blendMode, sf::BlendMultiply);
    const auto sprites = queuedLightSprites(layerAir);
    ASSERT_EQ(sprites.size(), 1u);
    EXPECT_EQ(sprites[0].sprite.getPosition(), sf::Vector2f(7, 8));
    EXPECT_EQ(sprites[0].states.blendMode, sf::BlendAdd);
}

TEST_F(Lights, NeutralColourFollowsTheAmbientLevelAndResetBringsDaylight)
{
    const struct {
        float ambient;
        uint8_t grey;
    } cases[] = {{0.2f, 51}, {1.0f, 255}, {0.0f, 0}, {2.0f, 255}, {-1.0f, 0}, {NAN, 0}};
    for (const auto& c : cases) {
        ambientLightLevel = c.ambient;
        EXPECT_EQ(neutralLightingColour(), sf::Color(c.grey, c.grey, c.grey, 255)) << c.ambient;
    }

    ambientLightLevel = 0.2f;
    LightSource light = makeLight();
    submitLight(layerGround, light, {0, 0}, 0.0f, {1, 1});
    addLightEffectSprite(sf::Sprite());
    resetLighting();
    EXPECT_EQ(ambientLightLevel, 1.0f);
    EXPECT_TRUE(queuedLights(layerGround).empty());
    EXPECT_TRUE(queuedLightSprites(lightEffectGroup).empty());
}

} // namespace
