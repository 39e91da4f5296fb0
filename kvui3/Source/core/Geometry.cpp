#include "core/Geometry.h"

#include <cmath>
#include <utility>

namespace kv {

bool anglesWithin(Angle a, Angle b, float toleranceDegrees)
{
    a = a.wrapUnsigned();
    b = b.wrapUnsigned();
    if (a == b)
        return true;
    float lo = a.asDegrees();
    float hi = b.asDegrees();
    if (lo > hi)
        std::swap(lo, hi);
    if (hi > 360.0f - toleranceDegrees && toleranceDegrees > lo)
        return toleranceDegrees >= 360.0f - hi + lo;
    return toleranceDegrees >= hi - lo;
}

Angle turnTowards(Angle current, Angle target, float stepDegrees, bool& turnedDown, bool& turnedUp)
{
    turnedDown = false;
    turnedUp = false;
    current = current.wrapUnsigned();
    target = target.wrapUnsigned();
    if (current == target)
        return current;

    // The shorter way: down when current is above target by less than half a turn, or
    // below it by more.
    float cur = current.asDegrees();
    float tgt = target.asDegrees();
    bool down = cur > tgt ? (cur - tgt < 180.0f) : !(tgt - cur < 180.0f);

    (down ? turnedDown : turnedUp) = true;
    if (stepDegrees > std::fabs(angleDifference(current, target)))
        return target;
    return (down ? current - degrees(stepDegrees) : current + degrees(stepDegrees)).wrapUnsigned();
}

void rotatePoint(float& x, float& y, const Angle& angle, float centreX, float centreY)
{
    if (angle == Angle::Zero)
        return;
    float c = std::cos(angle.asRadians());
    float s = std::sin(angle.asRadians());
    float dx = x - centreX;
    float dy = y - centreY;
    x = c * dx - s * dy + centreX;
    y = c * dy + s * dx + centreY;
}

Angle angleToPoint(float fromX, float fromY, float toX, float toY)
{
    float dx = toX - fromX;
    float dy = toY - fromY;
    if (dx == 0.0f) {
        if (dy == 0.0f)
            return Angle::Zero;
        return dy < 0.0f ? Angle::Zero : radians(pi);
    }
    if (dy == 0.0f)
        return dx > 0.0f ? radians(pi * 0.5f) : radians(pi * 1.5f);
    // Bearing: measured from up (-y) towards right (+x).
    return radians(std::atan2(dx, -dy)).wrapUnsigned();
}

float angleDifference(const Angle& a, const Angle& b)
{
    float d = a.wrapUnsigned().asDegrees() - b.wrapUnsigned().asDegrees();
    if (d > 180.0f)
        d -= 360.0f;
    else if (d < -180.0f)
        d += 360.0f;
    return d;
}

void getRotatedSize(float& outWidth, float& outHeight, Angle angle, float width, float height)
{
    if (angle == Angle::Zero) {
        outWidth = width;
        outHeight = height;
        return;
    }
    float c = std::fabs(std::cos(angle.asRadians()));
    float s = std::fabs(std::sin(angle.asRadians()));
    outWidth = c * width + s * height;
    outHeight = s * width + c * height;
}

void moveInDirection(float& x, float& y, const Angle& angle, float distance)
{
    float r = angle.asRadians();
    if (r == 0.0f)
        y -= distance;
    else if (r == pi * 0.5f)
        x += distance;
    else if (r == pi)
        y += distance;
    else if (r == pi * 1.5f)
        x -= distance;
    else {
        x += std::sin(r) * distance;
        y -= std::cos(r) * distance;
    }
}

// Whether the edge (ax, ay)-(bx, by) crosses the ray from (px, py) towards +x.
static bool edgeCrosses(float ax, float ay, float bx, float by, float px, float py)
{
    float lowY = std::fmin(ay, by);
    float highY = std::fmax(ay, by);
    if (!(py >= lowY && py < highY))
        return false;
    float xAtPy = ax + (py - ay) * (bx - ax) / (by - ay);
    return xAtPy > px;
}

bool pointInQuad(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3,
                 float px, float py)
{
    bool inside = false;
    inside ^= edgeCrosses(x3, y3, x0, y0, px, py);
    inside ^= edgeCrosses(x0, y0, x1, y1, px, py);
    inside ^= edgeCrosses(x1, y1, x2, y2, px, py);
    inside ^= edgeCrosses(x2, y2, x3, y3, px, py);
    return inside;
}

bool rotatedRectsOverlap(float xA, float yA, float wA, float hA, const Angle& angleA,
                         float xB, float yB, float wB, float hB)
{
    float ax[4] = {xA, xA + wA, xA + wA, xA};
    float ay[4] = {yA, yA, yA + hA, yA + hA};
    float cx = xA + wA * 0.5f;
    float cy = yA + hA * 0.5f;
    for (int i = 0; i < 4; i++)
        rotatePoint(ax[i], ay[i], angleA, cx, cy);

    float bx[4] = {xB, xB + wB, xB + wB, xB};
    float by[4] = {yB, yB, yB + hB, yB + hB};

    for (int i = 0; i < 4; i++)
        if (pointInQuad(bx[0], by[0], bx[1], by[1], bx[2], by[2], bx[3], by[3], ax[i], ay[i]))
            return true;
    for (int i = 0; i < 4; i++)
        if (pointInQuad(ax[0], ay[0], ax[1], ay[1], ax[2], ay[2], ax[3], ay[3], bx[i], by[i]))
            return true;
    return false;
}

} // namespace kv
