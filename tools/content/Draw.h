#pragma once
// Drawing helpers for the generated pictures. Shapes are signed distance functions in pixels
// (negative inside, positive outside), so every edge is antialiased the same way and shapes
// combine by min/max. A Canvas holds straight-alpha float colour and composites source-over;
// it ends up in an sf::Image. Coordinates: pixel (x, y) covers [x, x+1) x [y, y+1); its
// sample point is its centre. All sizes are in pixels, angles in degrees, clockwise, 0 = up.
#include <SFML/Graphics/Image.hpp>

#include <functional>
#include <vector>

namespace content {

struct Vec {
    float x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, float s) { return {a.x * s, a.y * s}; }

// Colour with channels 0..1, straight (not premultiplied) alpha.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};
// From 0..255 channels.
Rgba rgb(int r, int g, int b, int a = 255);
// Linear mix: t = 0 gives a, 1 gives b.
Rgba mix(Rgba a, Rgba b, float t);
Rgba withAlpha(Rgba c, float a);

using Shape = std::function<float(Vec)>;
using Paint = std::function<Rgba(Vec)>;

// --- shapes ---
Shape circle(Vec centre, float radius);
Shape ellipse(Vec centre, float radiusX, float radiusY);
// Axis-aligned box given by its centre and half size, corners rounded by cornerRadius.
Shape box(Vec centre, Vec half, float cornerRadius = 0);
// Box by its left/top and right/bottom edges.
Shape rect(float left, float top, float right, float bottom, float cornerRadius = 0);
// Any simple polygon (even-odd fill), points in order.
Shape polygon(std::vector<Vec> points);
// A stroke of the given width with round ends.
Shape line(Vec from, Vec to, float width);
Shape polyline(std::vector<Vec> points, float width);
// Part of a circle's rim, width wide, from fromDeg to toDeg clockwise (0 = up), round ends.
Shape arc(Vec centre, float radius, float width, float fromDeg, float toDeg);
Shape ring(Vec centre, float radius, float width);

Shape unite(Shape a, Shape b);
Shape unite(std::vector<Shape> shapes);
Shape subtract(Shape from, Shape cut);
Shape intersect(Shape a, Shape b);
// Grows (positive amount) or shrinks the shape.
Shape grow(Shape s, float amount);
// The shape moved by offset, or turned by degrees (clockwise) around a pivot.
Shape moved(Shape s, Vec offset);
Shape turned(Shape s, Vec pivot, float degrees);
// The mirror image about the vertical line x = axisX.
Shape mirrored(Shape s, float axisX);

// --- paints ---
Paint solid(Rgba c);
// c0 at from, c1 at to, clamped beyond.
Paint linear(Vec from, Rgba c0, Vec to, Rgba c1);
// inner at centre, outer at radius and beyond.
Paint radial(Vec centre, float radius, Rgba inner, Rgba outer);

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    // Composites the shape's antialiased coverage times opacity with the paint.
    void fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    void fill(const Shape& shape, Rgba colour, float opacity = 1.0f) { fill(shape, solid(colour), opacity); }
    // The shape filled, with an outline of the given width drawn outside its edge first, so
    // that the outline stays visible where the fill is light.
    void outlined(const Shape& shape, const Paint& paint, float outlineWidth, Rgba outlineColour);
    // A blurred copy of the shape, moved by offset: blur is the half width of the soft edge.
    void shadow(const Shape& shape, Vec offset, float blur, Rgba colour);
    // Lights the shape's rim as if its edge were rounded off over depth pixels, lit from the
    // upper left: strength 0..1 adds white on lit sides and black on the far ones.
    void bevel(const Shape& shape, float depth, float strength);
    // A soft glow around the shape, fading over radius pixels from its edge.
    void glow(const Shape& shape, float radius, Rgba colour);

    Rgba pixel(int x, int y) const;
    // The canvas as 8-bit pixels.
    sf::Image toImage() const;
    // Writes the canvas into image with its top left at (left, top), replacing what is there.
    void copyTo(sf::Image& image, int left, int top) const;

private:
    void blend(int x, int y, Rgba c, float coverage);
    int width_, height_;
    std::vector<Rgba> pixels_;
};

} // namespace content
