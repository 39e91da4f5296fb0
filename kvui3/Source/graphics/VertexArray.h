#pragma once
// A vertex list that keeps the quad primitive (four vertices per rectangle) and draws each
// quad as two triangles; every other primitive type goes through SFML's own vertex array.
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <cstdint>
#include <vector>

namespace kv {

class VertexArray : public sf::Drawable {
public:
    VertexArray() = default;
    // type uses SFML's numbering (sf::Quads = 6).
    explicit VertexArray(sf::PrimitiveType type, size_t count = 0);

    void resize(size_t count);
    void append(const sf::Vertex& vertex);
    size_t getVertexCount() const;
    sf::Vertex& operator[](size_t index);
    const sf::Vertex& operator[](size_t index) const;

    uint32_t primitiveType = sf::Points;
    sf::VertexArray vertices;             // every type but quads
    std::vector<sf::Vertex> quadVertices; // quads

protected:
    // Quads: P, Q, R, S become (P, Q, R) and (S, P, R); a trailing partial quad is ignored.
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

} // namespace kv
