#include "Draw.h"

#include <algorithm>
#include <cmath>

namespace content {

namespace {

constexpr float kPi = 3.14159265358979f;

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
float length(Vec v) { return std::sqrt(dot(v, v)); }

float smoothstep(float edge0, float edge1, float x)
{
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// Distance from p to the segment a-b.
float segmentDistance(Vec p, Vec a, Vec b)
{
    Vec pa = p - a, ba = b - a;
    float len2 = dot(ba, ba);
    float h = len2 > 0 ? clamp01(dot(pa, ba) / len2) : 0.0f;
    return length(pa - ba * h);
}

// Clockwise from up, in degrees 0..360.
float bearing(Vec from, Vec to)
{
    float deg = std::atan2(to.x - from.x, -(to.y - from.y)) * 180.0f / kPi;
    return deg < 0 ? deg + 360.0f : deg;
}

Vec pointAt(Vec centre, float radius, float deg)
{
    float a = deg * kPi / 180.0f;
    return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

} // namespace

Rgba rgb(int r, int g, int b, int a) { return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f}; }

Rgba mix(Rgba a, Rgba b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba withAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

Shape circle(Vec centre, float radius)
{
    return [=](Vec p) { return length(p - centre) - radius; };
}

Shape ellipse(Vec centre, float radiusX, float radiusY)
{
    // Scaled circle distance, corrected by the local stretch: good enough near the edge.
    return [=](Vec p) {
        Vec q = {(p.x - centre.x) / radiusX, (p.y - centre.y) / radiusY};
        float k = length(q);
        if (k == 0)
            return -std::min(radiusX, radiusY);
        Vec g = {q.x / (radiusX * k), q.y / (radiusY * k)};
        return (k - 1) / length(g);
    };
}

Shape box(Vec centre, Vec half, float cornerRadius)
{
    return [=](Vec p) {
        Vec d = {std::fabs(p.x - centre.x) - half.x + cornerRadius, std::fabs(p.y - centre.y) - half.y + cornerRadius};
        Vec outside = {std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
        return length(outside) + std::min(std::max(d.x, d.y), 0.0f) - cornerRadius;
    };
}

Shape rect(float left, float top, float right, float bottom, float cornerRadius)
{
    return box({(left + right) / 2, (top + bottom) / 2}, {(right - left) / 2, (bottom - top) / 2}, cornerRadius);
}

Shape polygon(std::vector<Vec> points)
{
    return [pts = std::move(points)](Vec p) {
        float best = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            Vec a = pts[j], b = pts[i];
            best = std::min(best, segmentDistance(p, a, b));
            if ((b.y > p.y) != (a.y > p.y) && p.x < (a.x - b.x) * (p.y - b.y) / (a.y - b.y) + b.x)
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

Shape line(Vec from, Vec to, float width)
{
    return [=](Vec p) { return segmentDistance(p, from, to) - width / 2; };
}

Shape polyline(std::vector<Vec> points, float width)
{
    return [pts = std::move(points), width](Vec p) {
        float best = 1e9f;
        for (size_t i = 1; i < pts.size(); ++i)
            best = std::min(best, segmentDistance(p, pts[i - 1], pts[i]));
        return best - width / 2;
    };
}

Shape arc(Vec centre, float radius, float width, float fromDeg, float toDeg)
{
    float span = toDeg - fromDeg;
    Vec a = pointAt(centre, radius, fromDeg), b = pointAt(centre, radius, toDeg);
    return [=](Vec p) {
        float rel = std::fmod(bearing(centre, p) - fromDeg + 720.0f, 360.0f);
        if (rel <= span)
            return std::fabs(length(p - centre) - radius) - width / 2;
        return std::min(length(p - a), length(p - b)) - width / 2;
    };
}

Shape ring(Vec centre, float radius, float width)
{
    return [=](Vec p) { return std::fabs(length(p - centre) - radius) - width / 2; };
}

Shape unite(Shape a, Shape b)
{
    return [=](Vec p) { return std::min(a(p), b(p)); };
}

Shape unite(std::vector<Shape> shapes)
{
    return [s = std::move(shapes)](Vec p) {
        float best = 1e9f;
        for (const Shape& shape : s)
            best = std::min(best, shape(p));
        return best;
    };
}

Shape subtract(Shape from, Shape cut)
{
    return [=](Vec p) { return std::max(from(p), -cut(p)); };
}

Shape intersect(Shape a, Shape b)
{
    return [=](Vec p) { return std::max(a(p), b(p)); };
}

Shape grow(Shape s, float amount)
{
    return [=](Vec p) { return s(p) - amount; };
}

Shape moved(Shape s, Vec offset)
{
    return [=](Vec p) { return s(p - offset); };
}

Shape turned(Shape s, Vec pivot, float degrees)
{
    float a = -degrees * kPi / 180.0f, c = std::cos(a), sn = std::sin(a);
    return [=](Vec p) {
        Vec d = p - pivot;
        return s({pivot.x + d.x * c - d.y * sn, pivot.y + d.x * sn + d.y * c});
    };
}

Shape mirrored(Shape s, float axisX)
{
    return [=](Vec p) { return s({2 * axisX - p.x, p.y}); };
}

Paint solid(Rgba c)
{
    return [=](Vec) { return c; };
}

Paint linear(Vec from, Rgba c0, Vec to, Rgba c1)
{
    Vec axis = to - from;
    float len2 = dot(axis, axis);
    return [=](Vec p) { return mix(c0, c1, len2 > 0 ? clamp01(dot(p - from, axis) / len2) : 0.0f); };
}

Paint radial(Vec centre, float radius, Rgba inner, Rgba outer)
{
    return [=](Vec p) { return mix(inner, outer, clamp01(length(p - centre) / radius)); };
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height)
{
}

void Canvas::blend(int x, int y, Rgba c, float coverage)
{
    float sa = c.a * coverage;
    if (sa <= 0)
        return;
    Rgba& d = pixels_[static_cast<size_t>(y) * width_ + x];
    float outA = sa + d.a * (1 - sa);
    if (outA <= 0)
        return;
    d.r = (c.r * sa + d.r * d.a * (1 - sa)) / outA;
    d.g = (c.g * sa + d.g * d.a * (1 - sa)) / outA;
    d.b = (c.b * sa + d.b * d.a * (1 - sa)) / outA;
    d.a = outA;
}

void Canvas::fill(const Shape& shape, const Paint& paint, float opacity)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            Vec p = {x + 0.5f, y + 0.5f};
            float coverage = clamp01(0.5f - shape(p));
            if (coverage > 0)
                blend(x, y, paint(p), coverage * opacity);
        }
}

void Canvas::outlined(const Shape& shape, const Paint& paint, float outlineWidth, Rgba outlineColour)
{
    fill(grow(shape, outlineWidth), solid(outlineColour));
    fill(shape, paint);
}

void Canvas::shadow(const Shape& shape, Vec offset, float blur, Rgba colour)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            Vec p = {x + 0.5f - offset.x, y + 0.5f - offset.y};
            float coverage = 1.0f - smoothstep(-blur, blur, shape(p));
            if (coverage > 0)
                blend(x, y, colour, coverage);
        }
}

void Canvas::bevel(const Shape& shape, float depth, float strength)
{
    const Vec light = {-0.7071f, -0.7071f};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            Vec p = {x + 0.5f, y + 0.5f};
            float d = shape(p);
            float coverage = clamp01(0.5f - d);
            if (coverage <= 0 || d < -depth)
                continue;
            const float h = 0.5f;
            Vec n = {shape({p.x + h, p.y}) - shape({p.x - h, p.y}), shape({p.x, p.y + h}) - shape({p.x, p.y - h})};
            float len = length(n);
            if (len <= 0)
                continue;
            float facing = dot(n * (1 / len), light);
            float amount = strength * facing * (1 - clamp01(-d / depth)) * coverage;
            if (amount > 0)
                blend(x, y, {1, 1, 1, 1}, amount);
            else
                blend(x, y, {0, 0, 0, 1}, -amount);
        }
}

void Canvas::glow(const Shape& shape, float radius, Rgba colour)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float d = shape({x + 0.5f, y + 0.5f});
            float t = 1 - clamp01(d / radius);
            if (t > 0)
                blend(x, y, colour, t * t);
        }
}

Rgba Canvas::pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

static sf::Color toColor(Rgba c)
{
    auto byte = [](float v) { return static_cast<sf::Uint8>(std::lround(clamp01(v) * 255.0f)); };
    return {byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

sf::Image Canvas::toImage() const
{
    sf::Image image;
    image.create(width_, height_, sf::Color::Transparent);
    copyTo(image, 0, 0);
    return image;
}

void Canvas::copyTo(sf::Image& image, int left, int top) const
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            int ix = left + x, iy = top + y;
            if (ix >= 0 && iy >= 0 && ix < static_cast<int>(image.getSize().x) && iy < static_cast<int>(image.getSize().y))
                image.setPixel(ix, iy, toColor(pixel(x, y)));
        }
}

} // namespace content
