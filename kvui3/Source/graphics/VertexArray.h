#pragma once
// A vertex list that keeps the quad primitive (four vertices per rectangle, sf::Quads = 6)
// although it is drawn as triangles; every other primitive type is SFML's own vertex array.
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

class VertexArray : public sf::Drawable {
public:
    VertexArray() = default;
    // type in SFML's numbering; count vertices as resize gives them.
    explicit VertexArray(sf::PrimitiveType type, size_t count = 0);

    // New vertices sit at (0, 0), opaque white, texture coordinates (0, 0); shrinking drops the tail.
    void resize(size_t count);
    void append(const sf::Vertex& vertex);
    size_t getVertexCount() const;
    // index below getVertexCount().
    sf::Vertex& operator[](size_t index);
    const sf::Vertex& operator[](size_t index) const;

    // Whole quads P, Q, R, S of quads become the triangles (P, Q, R), (S, P, R) in triangles
    // (which is emptied first); a trailing partial quad is ignored.
    static void buildTriangles(const std::vector<sf::Vertex>& quads, std::vector<sf::Vertex>& triangles);

    // Copies copy all three; a move leaves the source's quad list empty.
    uint32_t primitiveType = sf::Points;
    sf::VertexArray vertices;             // every type but quads
    std::vector<sf::Vertex> quadVertices; // quads

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

} // namespace kv
