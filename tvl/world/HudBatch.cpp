#include "world/HudBatch.h"

#include "graphics/CachedShader.h"
#include "graphics/RenderLayers.h"
#include "world/ShaderParams.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Shape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Transform.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tvl {

namespace {

// A pixel is drawn when its centre lies in a triangle, give or take the rasteriser's rounding
// of the vertices; a text's glyphs reach a pixel beyond its bounds.
constexpr float rasterSlack = 1.0f / 64;
constexpr float textMargin = 1;

float dot(sf::Vector2f a, sf::Vector2f b) { return a.x * b.x + a.y * b.y; }

// The unit normal of the edge from a to b (zero for a point), as SFML takes it for outlines.
sf::Vector2f edgeNormal(sf::Vector2f a, sf::Vector2f b)
{
    sf::Vector2f n(a.y - b.y, b.x - a.x);
    const float length = std::sqrt(n.x * n.x + n.y * n.y);
    if (length != 0)
        n /= length;
    return n;
}

// The middle of the bounds of a shape's points, where SFML fans its fill from and what its
// outline turns away from.
sf::Vector2f fanCentre(const sf::Shape& shape)
{
    sf::Vector2f low = shape.getPoint(0), high = low;
    for (size_t i = 1; i < shape.getPointCount(); i++) {
        const sf::Vector2f p = shape.getPoint(i);
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {low.x + (high.x - low.x) / 2, low.y + (high.y - low.y) / 2};
}

// The fill's fan: one triangle from the centre over each edge.
void appendFill(const sf::Shape& shape, sf::Vector2f centre, std::vector<sf::Vertex>& out)
{
    const size_t count = shape.getPointCount();
    const sf::Transform& t = shape.getTransform();
    const sf::Color colour = shape.getFillColor();
    const sf::Vertex middle(t.transformPoint(centre), colour);
    sf::Vertex previous(t.transformPoint(shape.getPoint(0)), colour);
    for (size_t i = 1; i <= count; i++) {
        const sf::Vertex next(t.transformPoint(shape.getPoint(i % count)), colour);
        out.insert(out.end(), {middle, previous, next});
        previous = next;
    }
}

// The outline's strip: each point paired with itself pushed out along its corner, two
// triangles (six vertices) between a pair and the next, back round to the first pair.
void appendOutline(const sf::Shape& shape, sf::Vector2f centre, std::vector<sf::Vertex>& out)
{
    const size_t count = shape.getPointCount();
    const float thickness = shape.getOutlineThickness();
    const sf::Transform& t = shape.getTransform();
    const sf::Color colour = shape.getOutlineColor();
    struct Pair {
        sf::Vertex inner, outer;
    };
    const auto pairAt = [&](size_t i) {
        const sf::Vector2f before = shape.getPoint((i + count - 1) % count);
        const sf::Vector2f p = shape.getPoint(i);
        const sf::Vector2f after = shape.getPoint((i + 1) % count);
        sf::Vector2f n1 = edgeNormal(before, p), n2 = edgeNormal(p, after);
        if (dot(n1, centre - p) > 0)
            n1 = -n1;
        if (dot(n2, centre - p) > 0)
            n2 = -n2;
        const sf::Vector2f normal = (n1 + n2) / (1 + dot(n1, n2));
        return Pair{{t.transformPoint(p), colour}, {t.transformPoint(p + normal * thickness), colour}};
    };
    const Pair first = pairAt(0);
    Pair a = first;
    for (size_t i = 1; i <= count; i++) {
        const Pair b = i < count ? pairAt(i) : first;
        // The strip's even triangle, then its odd one with the first two swapped.
        out.insert(out.end(), {a.inner, a.outer, b.inner, b.inner, a.outer, b.outer});
        a = b;
    }
}

// The sprite's strip of four corners as two triangles, the second with its first two swapped.
void appendSprite(const sf::Sprite& sprite, std::vector<sf::Vertex>& out)
{
    const sf::FloatRect size = sprite.getLocalBounds();
    const sf::IntRect r = sprite.getTextureRect();
    const float left = float(r.left), right = left + float(r.width);
    const float top = float(r.top), bottom = top + float(r.height);
    const sf::Transform& t = sprite.getTransform();
    const sf::Color colour = sprite.getColor();
    const sf::Vertex v0(t.transformPoint(0, 0), colour, {left, top});
    const sf::Vertex v1(t.transformPoint(0, size.height), colour, {left, bottom});
    const sf::Vertex v2(t.transformPoint(size.width, 0), colour, {right, top});
    const sf::Vertex v3(t.transformPoint(size.width, size.height), colour, {right, bottom});
    out.insert(out.end(), {v0, v1, v2, v2, v1, v3});
}

// A glyph's quad as SFML lays it at the pen: its box and its rectangle in the font's texture,
// both a pixel larger all round, an outline's moved up and left by its thickness.
void appendGlyph(const sf::Glyph& glyph, sf::Vector2f pen, float outline, sf::Color colour, const sf::Transform& t,
                 std::vector<sf::Vertex>& out)
{
    constexpr float padding = 1;
    const float left = glyph.bounds.left - padding, top = glyph.bounds.top - padding;
    const float right = glyph.bounds.left + glyph.bounds.width + padding;
    const float bottom = glyph.bounds.top + glyph.bounds.height + padding;
    const float u1 = float(glyph.textureRect.left) - padding, v1 = float(glyph.textureRect.top) - padding;
    const float u2 = float(glyph.textureRect.left + glyph.textureRect.width) + padding;
    const float v2 = float(glyph.textureRect.top + glyph.textureRect.height) + padding;
    const float x1 = pen.x + left - outline, x2 = pen.x + right - outline;
    const float y1 = pen.y + top - outline, y2 = pen.y + bottom - outline;
    const sf::Vertex a(t.transformPoint(x1, y1), colour, {u1, v1}), b(t.transformPoint(x2, y1), colour, {u2, v1});
    const sf::Vertex c(t.transformPoint(x1, y2), colour, {u1, v2}), d(t.transformPoint(x2, y2), colour, {u2, v2});
    out.insert(out.end(), {a, b, c, c, b, d});
}

// A regular text's glyphs, its outline's (outline is its thickness) or its fill's (0), as
// sf::Text places them: kerning, a space's advance for a blank, four for a tab, the line
// spacing down and back to the start for a new line, nothing for a carriage return.
void appendGlyphs(const sf::Text& text, float outline, std::vector<sf::Vertex>& out)
{
    const sf::Font& font = *text.getFont();
    const unsigned size = text.getCharacterSize();
    const sf::String& string = text.getString();
    const sf::Color colour = outline != 0 ? text.getOutlineColor() : text.getFillColor();
    const sf::Transform& t = text.getTransform();
    float blank = font.getGlyph(U' ', size, false).advance;
    const float letterSpacing = (blank / 3.f) * (text.getLetterSpacing() - 1.f);
    blank += letterSpacing;
    const float lineSpacing = font.getLineSpacing(size) * text.getLineSpacing();
    sf::Vector2f pen(0, float(size));
    sf::Uint32 previous = 0;
    for (size_t i = 0; i < string.getSize(); i++) {
        const sf::Uint32 c = string[i];
        if (c == U'\r')
            continue;
        pen.x += font.getKerning(previous, c, size);
        previous = c;
        if (c == U' ' || c == U'\t' || c == U'\n') {
            if (c == U'\n')
                pen = {0, pen.y + lineSpacing};
            else
                pen.x += c == U' ' ? blank : blank * 4;
            continue;
        }
        appendGlyph(font.getGlyph(c, size, false, outline), pen, outline, colour, t, out);
        pen.x += font.getGlyph(c, size, false).advance + letterSpacing;
    }
}

// Touched by every box: for a part whose place is not known.
sf::FloatRect everywhere()
{
    constexpr float far = std::numeric_limits<float>::max() / 4;
    return {-far, -far, 2 * far, 2 * far};
}

// The box with margin round it; everywhere for a box not wholly at finite numbers.
sf::FloatRect withMargin(const sf::FloatRect& box, float margin)
{
    for (float v : {box.left, box.top, box.width, box.height})
        if (!std::isfinite(v))
            return everywhere();
    return {box.left - margin, box.top - margin, box.width + 2 * margin, box.height + 2 * margin};
}

sf::FloatRect boxAround(std::vector<sf::Vertex>::const_iterator begin, std::vector<sf::Vertex>::const_iterator end)
{
    sf::Vector2f low(std::numeric_limits<float>::max(), std::numeric_limits<float>::max());
    sf::Vector2f high(std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest());
    for (auto it = begin; it != end; ++it) {
        const sf::Vector2f p = it->position;
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return everywhere();
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return withMargin({low.x, low.y, high.x - low.x, high.y - low.y}, 0);
}

sf::FloatRect unite(const sf::FloatRect& a, const sf::FloatRect& b)
{
    const float left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    const float right = std::max(a.left + a.width, b.left + b.width);
    const float bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top};
}

// Whether some pixel centre along an axis lies within both lo..hi spans.
bool shareCentres(float loA, float hiA, float loB, float hiB)
{
    const auto first = [](float lo) { return std::ceil(lo - 0.5f - rasterSlack); };
    const auto last = [](float hi) { return std::floor(hi - 0.5f + rasterSlack); };
    return std::max(first(loA), first(loB)) <= std::min(last(hiA), last(hiB));
}

// Whether two boxes may draw a pixel in common.
bool touches(const sf::FloatRect& a, const sf::FloatRect& b)
{
    return shareCentres(a.left, a.left + a.width, b.left, b.left + b.width)
        && shareCentres(a.top, a.top + a.height, b.top, b.top + b.height);
}

} // namespace

bool HudBatch::State::operator==(const State& other) const
{
    return !drawable && !other.drawable && texture == other.texture && program == other.program
        && (!program || (colourUniform == other.colourUniform && colour == other.colour));
}

HudBatch::HudBatch()
{
    // Room for a frame's draws; each keeps what its lists grew to from frame to frame.
    draws_.reserve(64);
    scratch_.reserve(256);
}

HudBatch::Draw& HudBatch::drawFor(const State& state, const sf::FloatRect& box)
{
    for (size_t d = used_; d-- > 0;) {
        Draw& draw = draws_[d];
        if (draw.state == state) {
            draw.box = unite(draw.box, box);
            draw.parts.push_back(box);
            return draw;
        }
        if (touches(draw.box, box)
            && std::any_of(draw.parts.begin(), draw.parts.end(), [&](const sf::FloatRect& b) { return touches(b, box); }))
            break;
    }
    if (used_ == draws_.size())
        draws_.emplace_back();
    Draw& draw = draws_[used_++];
    draw.state = state;
    draw.box = box;
    draw.parts.assign(1, box);
    draw.vertices.clear();
    return draw;
}

void HudBatch::addScratch(const State& state, size_t first, size_t count)
{
    if (count == 0)
        return;
    const auto begin = scratch_.begin() + std::ptrdiff_t(first), end = begin + std::ptrdiff_t(count);
    std::vector<sf::Vertex>& to = drawFor(state, boxAround(begin, end)).vertices;
    to.insert(to.end(), begin, end);
}

void HudBatch::addShape(const sf::Shape& shape)
{
    if (shape.getTexture()) {
        addDrawable(shape, shape.getGlobalBounds());
        return;
    }
    if (shape.getPointCount() < 3)
        return;
    // Nothing drawn in a transparent colour changes a pixel. Each side of the outline is a
    // part of its own: a frame moves past what lies inside it.
    const sf::Vector2f centre = fanCentre(shape);
    scratch_.clear();
    if (shape.getFillColor().a > 0) {
        appendFill(shape, centre, scratch_);
        addScratch(State(), 0, scratch_.size());
    }
    if (shape.getOutlineThickness() != 0 && shape.getOutlineColor().a > 0) {
        const size_t first = scratch_.size();
        appendOutline(shape, centre, scratch_);
        for (size_t side = first; side < scratch_.size(); side += 6)
            addScratch(State(), side, 6);
    }
}

void HudBatch::addRect(sf::Vector2f position, sf::Vector2f size, sf::Color colour, bool filled,
                       float outlineThickness)
{
    rect_.setPosition(position);
    rect_.setSize(size);
    rect_.setFillColor(filled ? colour : sf::Color::Transparent);
    rect_.setOutlineColor(filled ? sf::Color::Transparent : colour);
    rect_.setOutlineThickness(filled ? 0 : outlineThickness);
    addShape(rect_);
}

void HudBatch::addSprite(const sf::Sprite& sprite) { addPicture(sprite, State()); }

void HudBatch::addSprite(const sf::Sprite& sprite, kv::CachedShader& program, const kv::UniformInfo& colourUniform,
                         sf::Color colour)
{
    State state;
    state.program = &program;
    state.colourUniform = &colourUniform;
    state.colour = colour;
    addPicture(sprite, state);
}

void HudBatch::addPicture(const sf::Sprite& sprite, State state)
{
    if (!sprite.getTexture())
        return;
    state.texture = sprite.getTexture();
    scratch_.clear();
    appendSprite(sprite, scratch_);
    addScratch(state, 0, scratch_.size());
}

void HudBatch::addText(const sf::Text& text)
{
    if (!text.getFont() || text.getString().isEmpty())
        return;
    if (text.getStyle() != sf::Text::Regular) {
        addDrawable(text, text.getGlobalBounds());
        return;
    }
    State state;
    state.texture = &text.getFont()->getTexture(text.getCharacterSize());
    scratch_.clear();
    if (text.getOutlineThickness() != 0) {
        appendGlyphs(text, text.getOutlineThickness(), scratch_);
        addScratch(state, 0, scratch_.size());
    }
    const size_t first = scratch_.size();
    appendGlyphs(text, 0, scratch_);
    addScratch(state, first, scratch_.size() - first);
}

void HudBatch::addDrawable(const sf::Drawable& drawable, const sf::FloatRect& bounds)
{
    State state;
    state.drawable = &drawable;
    drawFor(state, withMargin(bounds, textMargin));
}

void HudBatch::draw(kv::RenderLayer& layer)
{
    for (size_t d = 0; d < used_; d++) {
        const Draw& draw = draws_[d];
        const State& state = draw.state;
        if (state.drawable) {
            layer.draw(*state.drawable);
            continue;
        }
        sf::RenderStates states;
        states.texture = state.texture;
        if (state.program) {
            shaderParams::set(*state.program, *state.colourUniform, state.colour);
            states.shader = state.program;
        }
        layer.drawVertices(draw.vertices.data(), draw.vertices.size(), sf::Triangles, states);
    }
    clear();
}

void HudBatch::clear() { used_ = 0; }

} // namespace tvl
