#include "graphics/VertexArray.h"

#include <SFML/Graphics/RenderTarget.hpp>

namespace kv {

namespace {
bool isQuads(uint32_t type)
{
    return type == sf::Quads;
}
} // namespace

VertexArray::VertexArray(sf::PrimitiveType type, size_t count) : primitiveType(type)
{
    if (isQuads(primitiveType))
        quadVertices.resize(count);
    else
        vertices = sf::VertexArray(type, count);
}

void VertexArray::resize(size_t count)
{
    if (isQuads(primitiveType))
        quadVertices.resize(count);
    else
        vertices.resize(count);
}

void VertexArray::append(const sf::Vertex& vertex)
{
    if (isQuads(primitiveType))
        quadVertices.push_back(vertex);
    else
        vertices.append(vertex);
}

size_t VertexArray::getVertexCount() const
{
    return isQuads(primitiveType) ? quadVertices.size() : vertices.getVertexCount();
}

sf::Vertex& VertexArray::operator[](size_t index)
{
    return isQuads(primitiveType) ? quadVertices[index] : vertices[index];
}

const sf::Vertex& VertexArray::operator[](size_t index) const
{
    return isQuads(primitiveType) ? quadVertices[index] : vertices[index];
}

void VertexArray::buildTriangles(const std::vector<sf::Vertex>& quads, std::vector<sf::Vertex>& triangles)
{
    triangles.clear();
    const size_t whole = quads.size() / 4 * 4;
    for (size_t q = 0; q < whole; q += 4) {
        const sf::Vertex* v = &quads[q];
        triangles.insert(triangles.end(), {v[0], v[1], v[2], v[3], v[0], v[2]});
    }
}

void VertexArray::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!isQuads(primitiveType)) {
        target.draw(vertices, states);
        return;
    }
    if (quadVertices.size() < 4)
        return;
    // Shared between all arrays and kept between draws, so a steady frame does not allocate.
    static std::vector<sf::Vertex> triangles;
    buildTriangles(quadVertices, triangles);
    target.draw(triangles.data(), triangles.size(), sf::Triangles, states);
}

} // namespace kv
