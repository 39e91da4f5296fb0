#include "graphics/VertexArray.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

std::vector<sf::Vertex> numbered(size_t count)
{
    std::vector<sf::Vertex> vertices;
    for (size_t i = 0; i < count; ++i)
        vertices.emplace_back(sf::Vector2f(static_cast<float>(i), 0));
    return vertices;
}

std::vector<float> xs(const std::vector<sf::Vertex>& vertices)
{
    std::vector<float> result;
    for (const sf::Vertex& v : vertices)
        result.push_back(v.position.x);
    return result;
}

} // namespace

TEST(VertexArray, QuadsBecomeTwoTrianglesEachWholeQuadsOnly)
{
    std::vector<sf::Vertex> triangles = numbered(5); // emptied first
    kv::VertexArray::buildTriangles(numbered(3), triangles);
    EXPECT_TRUE(triangles.empty());

    kv::VertexArray::buildTriangles(numbered(9), triangles);
    // (P, Q, R), (S, P, R) per quad; the ninth vertex is a partial quad and is left out.
    EXPECT_EQ(xs(triangles), (std::vector<float>{0, 1, 2, 3, 0, 2, 4, 5, 6, 7, 4, 6}));
}

TEST(VertexArray, QuadsLiveInTheirOwnListOtherTypesInSfmlsArray)
{
    kv::VertexArray quads(sf::Quads);
    quads.resize(8);
    ASSERT_EQ(quads.getVertexCount(), 8u);
    EXPECT_EQ(quads.quadVertices.size(), 8u);
    EXPECT_EQ(quads.vertices.getVertexCount(), 0u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(quads[i].position, sf::Vector2f(0, 0));
        EXPECT_EQ(quads[i].color, sf::Color::White);
        EXPECT_EQ(quads[i].texCoords, sf::Vector2f(0, 0));
    }
    quads.append(sf::Vertex(sf::Vector2f(3, 4)));
    quads[0].position = {1, 2};
    EXPECT_EQ(quads.quadVertices[8].position, sf::Vector2f(3, 4));
    EXPECT_EQ(quads.quadVertices[0].position, sf::Vector2f(1, 2));
    quads.resize(2);
    EXPECT_EQ(quads.getVertexCount(), 2u);

    kv::VertexArray lines(sf::Lines, 3);
    lines.append(sf::Vertex(sf::Vector2f(5, 6)));
    EXPECT_EQ(lines.getVertexCount(), 4u);
    EXPECT_EQ(lines.vertices.getVertexCount(), 4u);
    EXPECT_TRUE(lines.quadVertices.empty());
    EXPECT_EQ(lines[3].position, sf::Vector2f(5, 6));
}

TEST(VertexArray, CopyKeepsAndMoveEmptiesTheQuadList)
{
    kv::VertexArray source(sf::Quads, 4);
    kv::VertexArray copy = source;
    EXPECT_EQ(copy.getVertexCount(), 4u);
    EXPECT_EQ(source.getVertexCount(), 4u);
    kv::VertexArray moved = std::move(source);
    EXPECT_EQ(moved.getVertexCount(), 4u);
    EXPECT_TRUE(source.quadVertices.empty());
}
