#include "world/WorldSprites.h"

#include "core/Angle.h"
#include "world/Images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

TEST(WorldSprites, ScaleAndShadowOffsetFollowTheRenderScaleUnlessUnscaled)
{
    struct Case {
        float scale, renderScale, shadow;
        sf::Vector2f expectedScale;
        float expectedOffset;
    };
    const Case cases[] = {
        {-1.0f, 2.0f, 10.0f, {1, 1}, 10.0f},   // unscaled: the shadow distance as given
        {1.0f, 1.5f, 10.0f, {1.5f, 1.5f}, 15.0f},
        {0.5f, 2.0f, 10.0f, {1, 1}, 10.0f},    // a pickup at render scale 2
        {0.6f, 1.0f, 10.0f, {0.6f, 0.6f}, 6.0f}, // a drone
    };
    for (const Case& c : cases) {
        const sf::Vector2f scale = tvl::spriteScale(c.scale, c.renderScale);
        EXPECT_FLOAT_EQ(scale.x, c.expectedScale.x) << c.scale;
        EXPECT_FLOAT_EQ(scale.y, c.expectedScale.y) << c.scale;
        EXPECT_FLOAT_EQ(tvl::shadowOffset(c.shadow, c.scale, c.renderScale), c.expectedOffset) << c.scale;
    }
}

TEST(WorldSprites, LightScaleSizesALightLikeItsSpriteOnTheWindow)
{
    const struct {
        float scale, renderScale;
        sf::Vector2f drawScale, expected;
    } cases[] = {
        {1.0f, 2.0f, {1, 1}, {2, 2}},
        {0.5f, 2.0f, {2, 4}, {0.5f, 0.25f}}, // a world texture shown at half and quarter size
        {-1.0f, 3.0f, {2, 2}, {0.5f, 0.5f}}, // unscaled sprite
    };
    for (const auto& c : cases) {
        const sf::Vector2f scale = tvl::lightScale(c.scale, c.renderScale, c.drawScale);
        EXPECT_FLOAT_EQ(scale.x, c.expected.x) << c.scale;
        EXPECT_FLOAT_EQ(scale.y, c.expected.y) << c.scale;
    }
}

TEST(WorldSprites, SteadyRotationTurnsAQuarterPerSecondAndWraps)
{
    tvl::ImageRecord image;
    image.rotateSpeed = 90;
    tvl::MapSprite sprite;
    for (int i = 0; i < 10; ++i)
        tvl::updateMapSprite(sprite, image, 0.1f);
    EXPECT_NEAR(sprite.angle, kv::pi / 2, 1e-4);

    sprite.angle = 2 * kv::pi - 0.01f;
    tvl::updateMapSprite(sprite, image, 1.0f);
    EXPECT_NEAR(sprite.angle, kv::pi / 2 - 0.01f, 1e-4) << "wrapped into [0, 2 pi)";

    image.rotateSpeed = -90;
    sprite.angle = 0;
    tvl::updateMapSprite(sprite, image, 1.0f);
    EXPECT_NEAR(sprite.angle, 1.5f * kv::pi, 1e-4);
}

TEST(WorldSprites, RandomTurnsPickATargetEveryFewSecondsAndTurnAtTheirSpeed)
{
    tvl::ImageRecord image;
    image.randomTurn = true;
    image.turnSpeed = 30; // degrees per second
    tvl::MapSprite sprite;
    for (int round = 0; round < 50; ++round) {
        sprite.turnTimer = 0;
        const float before = sprite.angle;
        tvl::updateMapSprite(sprite, image, 0.1f);
        EXPECT_GE(sprite.turnTimer, 3.0f);
        EXPECT_LT(sprite.turnTimer, 10.0f);
        EXPECT_GE(sprite.targetAngle, 0.0f);
        EXPECT_LT(sprite.targetAngle, 2 * kv::pi);
        // At most 3 degrees in 0.1 s, across 0 as well.
        float turned = std::fabs(sprite.angle - before);
        turned = std::min(turned, 2 * kv::pi - turned);
        EXPECT_LE(turned, 3.0f * kv::pi / 180 + 1e-5f);
    }

    // Within a degree of the target it stays put; without a turn speed nothing moves.
    sprite.turnTimer = 5;
    sprite.angle = 1.0f;
    sprite.targetAngle = 1.0f + 0.5f * kv::pi / 180;
    tvl::updateMapSprite(sprite, image, 0.1f);
    EXPECT_FLOAT_EQ(sprite.angle, 1.0f);
    image.turnSpeed = 0;
    sprite.turnTimer = 0;
    sprite.targetAngle = 3.0f;
    tvl::updateMapSprite(sprite, image, 0.1f);
    EXPECT_FLOAT_EQ(sprite.angle, 1.0f);
    EXPECT_FLOAT_EQ(sprite.turnTimer, 0.0f);
}

TEST(WorldSprites, SparkFramesAdvanceEveryFiftiethAndWrapAfterSix)
{
    tvl::SparkAnimation sparks;
    std::vector<int> frames;
    for (int i = 0; i < 14; ++i) {
        tvl::advanceSparks(sparks, 0.015f, 6);
        frames.push_back(sparks.frame);
    }
    // The first call starts the timer; then a frame every second call of 0.015 s.
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 0, 0, 1, 1}));

    tvl::SparkAnimation none;
    tvl::advanceSparks(none, 1.0f, 0);
    EXPECT_EQ(none.frame, 0);
}

} // namespace

TEST(WorldSprites, AVehicleBeamStandsBehindItAndPointsBack)
{
    struct Case {
        float heading, wantX, wantY, wantAngle;
    } cases[] = {
        {0.0f, 100, 120, kv::pi},                 // facing up: beam below, pointing down
        {kv::pi / 2, 80, 100, 3 * kv::pi / 2},    // facing right: beam on the left
        {kv::pi, 100, 80, 0.0f},                  // facing down: pi + pi wraps to 0
    };
    for (const Case& c : cases) {
        const tvl::LightPlacement at = tvl::vehicleLightPlacement({100, 100}, c.heading, 20);
        EXPECT_NEAR(at.position.x, c.wantX, 1e-3) << c.heading;
        EXPECT_NEAR(at.position.y, c.wantY, 1e-3) << c.heading;
        EXPECT_NEAR(at.angle, c.wantAngle, 1e-4) << c.heading;
    }
    EXPECT_EQ(tvl::vehicleLight(true).halfHeight, 128.0f);
    EXPECT_EQ(tvl::vehicleLight(false).halfHeight, 64.0f);
    EXPECT_EQ(tvl::vehicleLight(false).colour, sf::Color(255, 255, 0, 255));
}
