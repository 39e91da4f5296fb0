#include "core/Geometry.h"

#include <gtest/gtest.h>

namespace {

using kv::degrees;
using kv::radians;

TEST(Angle, WrapsIntoItsRanges)
{
    struct Case { float inDegrees, unsignedDegrees, signedDegrees; };
    const Case cases[] = {
        {0, 0, 0},       {90, 90, 90},     {370, 10, 10},     {-10, 350, -10},
        {-370, 350, -10}, {720, 0, 0},     {190, 190, -170},  {-180, 180, -180},
        {180, 180, -180}, {1e6f, 280, -80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inDegrees);
        kv::Angle u = degrees(c.inDegrees).wrapUnsigned();
        kv::Angle s = degrees(c.inDegrees).wrapSigned();
        EXPECT_NEAR(u.asDegrees(), c.unsignedDegrees, 0.05f);
        EXPECT_NEAR(s.asDegrees(), c.signedDegrees, 0.05f);
        EXPECT_GE(u.asRadians(), 0.0f);
        EXPECT_LT(u.asRadians(), kv::tau);
        EXPECT_GE(s.asRadians(), -kv::pi);
        EXPECT_LT(s.asRadians(), kv::pi);
    }
    // A remainder just below zero must not come back as 2π itself.
    EXPECT_LT(radians(-1e-9f).wrapUnsigned().asRadians(), kv::tau);
}

TEST(Angle, ArithmeticAndComparison)
{
    kv::Angle a = degrees(30);
    a += degrees(60);
    EXPECT_FLOAT_EQ(a.asDegrees(), 90);
    a -= degrees(45);
    EXPECT_FLOAT_EQ(a.asDegrees(), 45);
    EXPECT_FLOAT_EQ((-a).asDegrees(), -45);
    EXPECT_FLOAT_EQ((a * 2.0f).asDegrees(), 90);
    EXPECT_FLOAT_EQ((2.0f * a).asDegrees(), 90);
    EXPECT_FLOAT_EQ((a / 3.0f).asDegrees(), 15);
    EXPECT_FLOAT_EQ(radians(kv::pi).asDegrees(), 180);
    EXPECT_TRUE(degrees(10) < degrees(20));
    EXPECT_TRUE(degrees(20) >= degrees(20));
    EXPECT_TRUE(kv::Angle() == kv::Angle::Zero);
    EXPECT_TRUE(degrees(1) != kv::Angle::Zero);
}

TEST(Geometry, AnglesWithin)
{
    struct Case { float a, b, tolerance; bool within; };
    const Case cases[] = {
        {350, 5, 20, true},  {350, 5, 10, false}, {5, 350, 20, true},
        {10, 20, 11, true},  {10, 20, 9, false},  {30, 30, 0, true},
        {350, 0, 10, false}, // across 0 the far end is strict
        {0, 350, 10.5f, true},
        // Accumulated and negative angles are wrapped first.
        {710, 365, 20, true}, {-10, 5, 20, true}, {-10, 5, 10, false}, {400, 40, 0.01f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " " << c.tolerance);
        EXPECT_EQ(kv::anglesWithin(degrees(c.a), degrees(c.b), c.tolerance), c.within);
    }
    EXPECT_TRUE(kv::anglesWithin(radians(2 * kv::tau), kv::Angle::Zero, 0));
}

TEST(Geometry, TurnTowards)
{
    struct Case { float current, target, step, result; bool down, up; };
    const Case cases[] = {
        {10, 350, 5, 5, true, false},
        {10, 350, 30, 350, true, false},  // snap across 0 is still a turn down
        {350, 10, 5, 355, false, true},
        {355, 5, 20, 5, false, true},
        {20, 10, 5, 15, true, false},
        {10, 20, 5, 15, false, true},
        {2, 358, 3, 359, true, false},
        {10, 10, 5, 10, false, false},
        {400, 20, 5, 35, true, false},    // 400° is 40°: the short way is down
        {-30, 10, 5, 335, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.current << " -> " << c.target << " step " << c.step);
        bool down = true, up = true;
        kv::Angle r = kv::turnTowards(degrees(c.current), degrees(c.target), c.step, down, up);
        EXPECT_NEAR(r.asDegrees(), c.result, 1e-3f);
        EXPECT_GE(r.asRadians(), 0.0f);
        EXPECT_LT(r.asRadians(), kv::tau);
        EXPECT_EQ(down, c.down);
        EXPECT_EQ(up, c.up);
    }
}

TEST(Geometry, RotatePoint)
{
    struct Case { float x, y, degrees, cx, cy, outX, outY; };
    const Case cases[] = {
        {10, 0, 90, 0, 0, 0, 10},    // right turns clockwise to down
        {0, -10, 90, 0, 0, 10, 0},   // up turns to right
        {6, 5, 180, 5, 5, 4, 5},
        {3, 4, 360, 1, 1, 3, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        float x = c.x, y = c.y;
        kv::rotatePoint(x, y, degrees(c.degrees), c.cx, c.cy);
        EXPECT_NEAR(x, c.outX, 1e-4f);
        EXPECT_NEAR(y, c.outY, 1e-4f);
    }
    float x = 1.1f, y = 2.2f;
    kv::rotatePoint(x, y, kv::Angle::Zero, 100, 100);
    EXPECT_EQ(x, 1.1f);
    EXPECT_EQ(y, 2.2f);
}

TEST(Geometry, AngleToPoint)
{
    struct Case { float toX, toY, degrees; };
    const Case cases[] = {
        {0, -10, 0}, {10, 0, 90}, {0, 10, 180}, {-10, 0, 270}, {0, 0, 0},
        {10, -10, 45}, {10, 10, 135}, {-10, 10, 225}, {-10, -10, 315},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.toX << "," << c.toY);
        kv::Angle a = kv::angleToPoint(0, 0, c.toX, c.toY);
        EXPECT_NEAR(a.asDegrees(), c.degrees, 1e-3f);
        EXPECT_GE(a.asRadians(), 0.0f);
        EXPECT_LT(a.asRadians(), kv::tau);
    }
    // The axis directions are exact.
    EXPECT_EQ(kv::angleToPoint(5, 5, 5, 1), kv::Angle::Zero);
    EXPECT_EQ(kv::angleToPoint(5, 5, 9, 5), radians(kv::pi / 2));
    EXPECT_EQ(kv::angleToPoint(5, 5, 5, 9), radians(kv::pi));
    EXPECT_EQ(kv::angleToPoint(5, 5, 1, 5), radians(kv::pi * 1.5f));
    EXPECT_EQ(kv::angleToPoint(5, 5, 5, 5), kv::Angle::Zero);
}

TEST(Geometry, AngleDifferenceFolds)
{
    struct Case { float a, b, difference; };
    const Case cases[] = {
        {10, 350, 20}, {350, 10, -20}, {45, 45, 0}, {0, 180, -180},
        {750, 10, 20}, {-90, 90, 180}, {100, 50, 50}, {-10, -20, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " - " << c.b);
        EXPECT_NEAR(kv::angleDifference(degrees(c.a), degrees(c.b)), c.difference, 1e-3f);
    }
}

TEST(Geometry, RotatedSize)
{
    struct Case { float degrees, w, h, outW, outH; };
    const Case cases[] = {
        {90, 20, 10, 10, 20}, {180, 20, 10, 20, 10}, {45, 10, 10, 14.1421f, 14.1421f},
        {-90, 20, 10, 10, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        float w = 0, h = 0;
        kv::getRotatedSize(w, h, degrees(c.degrees), c.w, c.h);
        EXPECT_NEAR(w, c.outW, 1e-3f);
        EXPECT_NEAR(h, c.outH, 1e-3f);
    }
    float w = 0, h = 0;
    kv::getRotatedSize(w, h, kv::Angle::Zero, 20.3f, 10.7f);
    EXPECT_EQ(w, 20.3f);
    EXPECT_EQ(h, 10.7f);
}

TEST(Geometry, MoveInDirection)
{
    // Quarter turns are exact, so these compare equal.
    struct Case { kv::Angle angle; float x, y; };
    const Case exact[] = {
        {kv::Angle::Zero, 1.1f, 1.1f - 3.3f},
        {degrees(90), 1.1f + 3.3f, 1.1f},
        {degrees(180), 1.1f, 1.1f + 3.3f},
        {degrees(270), 1.1f - 3.3f, 1.1f},
    };
    for (const Case& c : exact) {
        SCOPED_TRACE(c.angle.asDegrees());
        float x = 1.1f, y = 1.1f;
        kv::moveInDirection(x, y, c.angle, 3.3f);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
    }
    float x = 0, y = 0;
    kv::moveInDirection(x, y, degrees(135), 10);
    EXPECT_NEAR(x, 7.0711f, 1e-3f);
    EXPECT_NEAR(y, 7.0711f, 1e-3f);
}

TEST(Geometry, PointInQuad)
{
    struct Case { float px, py; bool inside; };
    // Square 0..10 in both axes, corners clockwise from the top left.
    const Case square[] = {
        {5, 5, true}, {15, 5, false}, {-1, 5, false}, {5, -1, false},
        {0, 5, true}, {5, 0, true},     // top and left edges are inside
        {10, 5, false}, {5, 10, false}, // bottom and right edges are not
    };
    for (const Case& c : square) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py);
        EXPECT_EQ(kv::pointInQuad(0, 0, 10, 0, 10, 10, 0, 10, c.px, c.py), c.inside);
    }
    // A diamond: the square's corners lie outside it.
    const Case diamond[] = {{5, 5, true}, {1, 1, false}, {9, 9, false}, {5, 1, true}};
    for (const Case& c : diamond) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py);
        EXPECT_EQ(kv::pointInQuad(5, 0, 10, 5, 5, 10, 0, 5, c.px, c.py), c.inside);
    }
}

TEST(Geometry, RotatedRectsOverlap)
{
    struct Case { const char* what; float xA, yA, wA, hA, degreesA, xB, yB, wB, hB; bool overlap; };
    const Case cases[] = {
        {"corners overlap", 0, 0, 10, 10, 0, 5, 5, 10, 10, true},
        {"apart", 0, 0, 10, 10, 0, 20, 20, 5, 5, false},
        {"B inside A", 0, 0, 10, 10, 0, 2, 2, 2, 2, true},
        {"A inside B", 2, 2, 2, 2, 0, 0, 0, 10, 10, true},
        {"identical", 3, 3, 4, 4, 0, 3, 3, 4, 4, true},
        {"cross without a corner inside", -10, 4, 30, 2, 0, 4, -10, 2, 30, false},
        // A bar that reaches B only once turned upright about its centre.
        {"unrotated bar misses", 20, 0, 10, 2, 0, 23, -6, 4, 3, false},
        {"rotated bar hits", 20, 0, 10, 2, 90, 23, -6, 4, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(kv::rotatedRectsOverlap(c.xA, c.yA, c.wA, c.hA, degrees(c.degreesA),
                                          c.xB, c.yB, c.wB, c.hB), c.overlap);
    }
}

} // namespace
