#pragma once
// Angle and rectangle geometry for the top-down world. Angles are bearings: 0 points up
// (towards -y), π/2 right (+x), π down, 3π/2 left, growing clockwise on screen.
// Tolerances and steps are in degrees. All functions are pure.
#include "core/Angle.h"

namespace kv {

// Whether a and b (any range; wrapped into [0, 2π) first) lie within toleranceDegrees of each
// other, across 0 as well. Across 0 the test is strict at the far end: 350° and 0° with a
// tolerance of 10 is false.
bool anglesWithin(Angle a, Angle b, float toleranceDegrees);

// One step of stepDegrees from current towards target along the shorter way; target itself
// when it is nearer than a step. Both inputs are wrapped into [0, 2π) first and so is the result.
// turnedDown is set when the angle went down (anticlockwise), turnedUp when it went up; both
// stay clear when current already equals target.
Angle turnTowards(Angle current, Angle target, float stepDegrees, bool& turnedDown, bool& turnedUp);

// Rotates (x, y) in place by angle about (centreX, centreY); nothing for a zero angle.
void rotatePoint(float& x, float& y, const Angle& angle, float centreX, float centreY);

// Bearing from the first point to the second in [0, 2π); exactly 0 when the points are equal.
Angle angleToPoint(float fromX, float fromY, float toX, float toY);

// a - b in degrees, folded into -180 ... 180, both wrapped into [0, 2π) first.
float angleDifference(const Angle& a, const Angle& b);

// Size of the axis-aligned box around a width x height rectangle rotated by angle.
void getRotatedSize(float& outWidth, float& outHeight, Angle angle, float width, float height);

// Moves (x, y) by distance along the bearing angle. Exactly 0, π/2, π and 3π/2 step without
// trigonometry, so axis moves stay exact.
void moveInDirection(float& x, float& y, const Angle& angle, float distance);

// Even-odd test of (px, py) against the quad with corners 0..3 in order. Edges are half-open:
// a point on a top or left edge is inside, one on a bottom or right edge is not.
bool pointInQuad(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3,
                 float px, float py);

// Rectangle A (top-left corner and size) rotated about its centre by angleA against the
// axis-aligned rectangle B: true when a corner of either lies inside the other. Rectangles that
// cross without a corner inside the other count as not overlapping.
bool rotatedRectsOverlap(float xA, float yA, float wA, float hA, const Angle& angleA,
                         float xB, float yB, float wB, float hB);

} // namespace kv
