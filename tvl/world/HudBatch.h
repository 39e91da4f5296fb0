#pragma once
// The HUD's draws of one frame, gathered and drawn in as few draw calls as their states allow:
// the untextured shapes in one vertex list, the pictures one list per texture (and team
// colour), the texts' glyphs one list per font size, any other drawable on its own. A part
// joins an earlier draw of its state only past parts that share no pixel with it, so the frame
// shows what drawing each part in its turn would show.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sf {
class Drawable;
class Shape;
class Sprite;
class Text;
class Texture;
} // namespace sf

namespace kv {
class CachedShader;
class RenderLayer;
struct UniformInfo;
} // namespace kv

namespace tvl {

class HudBatch {
public:
    HudBatch();

    // Each part goes as the triangles SFML draws for it, placed on the CPU.
    // An untextured shape: its fill, then its outline, each side a part of its own; a
    // transparent one is left out. A textured shape is drawn as it is.
    void addShape(const sf::Shape& shape);
    // A rectangle as kv::drawRect draws it: filled, or only its border.
    void addRect(sf::Vector2f position, sf::Vector2f size, sf::Color colour, bool filled, float outlineThickness);
    void addSprite(const sf::Sprite& sprite);
    // A sprite drawn with program, its colourUniform set to colour for the draw; the program's
    // other uniforms are the caller's and must hold until draw.
    void addSprite(const sf::Sprite& sprite, kv::CachedShader& program, const kv::UniformInfo& colourUniform,
                   sf::Color colour);
    // The quads SFML draws for a text of the regular style, its outline then its fill, on the
    // font's texture at its size; any other style goes as a drawable.
    void addText(const sf::Text& text);
    // Drawn as it is, in its turn; it must stay as it is until draw. bounds is what it covers, as
    // a text's global bounds (its glyphs reaching a pixel beyond them).
    void addDrawable(const sf::Drawable& drawable, const sf::FloatRect& bounds);

    // Draws everything added, in order, on layer, and empties the batch.
    void draw(kv::RenderLayer& layer);
    void clear();

    // What draw would do: its draw calls and each one's vertices (none for a drawable) and texture.
    size_t drawCount() const { return used_; }
    const std::vector<sf::Vertex>& verticesOf(size_t draw) const { return draws_[draw].vertices; }
    const sf::Texture* textureOf(size_t draw) const { return draws_[draw].state.texture; }

private:
    struct State {
        const sf::Texture* texture = nullptr;
        kv::CachedShader* program = nullptr;
        const kv::UniformInfo* colourUniform = nullptr;
        sf::Color colour;
        const sf::Drawable* drawable = nullptr; // never shared

        bool operator==(const State& other) const;
    };
    struct Draw {
        State state;
        sf::FloatRect box;                // around all its parts
        std::vector<sf::FloatRect> parts; // around each
        std::vector<sf::Vertex> vertices;
    };

    // The draw a part of that state over box joins: the latest of its state unless a part of a
    // draw after that one touches box; else a new one at the end.
    Draw& drawFor(const State& state, const sf::FloatRect& box);
    // A sprite in state with its texture.
    void addPicture(const sf::Sprite& sprite, State state);
    // Adds count vertices of scratch_ from first on as one part in state.
    void addScratch(const State& state, size_t first, size_t count);

    std::vector<Draw> draws_; // draws_[0..used_) this frame; the rest keep their room
    size_t used_ = 0;
    std::vector<sf::Vertex> scratch_;
    sf::RectangleShape rect_;
};

} // namespace tvl
