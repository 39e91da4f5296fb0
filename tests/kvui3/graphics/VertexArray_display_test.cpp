#include "support/Display.h"

#include "graphics/VertexArray.h"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

TEST(VertexArrayDisplay, QuadsAreFilledAndAPartialQuadIsNotDrawn)
{
    REQUIRE_DISPLAY();
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(32, 16));
    target.clear(sf::Color::Black);
    kv::VertexArray quads(sf::Quads);
    auto quad = [&](float left, float right, const sf::Color& colour, int corners) {
        const sf::Vector2f points[] = {{left, 0}, {right, 0}, {right, 16}, {left, 16}};
        for (int i = 0; i < corners; ++i)
            quads.append(sf::Vertex(points[i], colour));
    };
    quad(0, 8, sf::Color::Red, 4);
    quad(8, 16, sf::Color::Green, 4);
    quad(16, 32, sf::Color::Blue, 3); // partial: ignored
    target.draw(quads);
    target.display();
    const sf::Image image = target.getTexture().copyToImage();
    // Both triangles of each quad: the corners opposite the shared diagonal are covered.
    EXPECT_EQ(image.getPixel(1, 1), sf::Color::Red);
    EXPECT_EQ(image.getPixel(6, 14), sf::Color::Red);
    EXPECT_EQ(image.getPixel(9, 14), sf::Color::Green);
    EXPECT_EQ(image.getPixel(14, 1), sf::Color::Green);
    EXPECT_EQ(image.getPixel(24, 8), sf::Color::Black);
}
