#include "graphics/DrawPrimitives.h"

#include "graphics/RenderLayers.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <cmath>

namespace kv {

LazyObject<sf::RectangleShape> primitiveRect;
LazyObject<sf::CircleShape> primitiveCircle;

void drawLine(const sf::Vector2f& from, const sf::Vector2f& to, const sf::Color& colour, float thickness)
{
    sf::Vector2f d = to - from;
    float length = std::sqrt(d.x * d.x + d.y * d.y);
    if (length != 0)
        d /= length;
    const sf::Vector2f n = sf::Vector2f(-d.y, d.x) * (thickness / 2);
    const sf::Vertex line[6] = {
        {from + n, colour}, {to + n, colour}, {to - n, colour},
        {from - n, colour}, {from + n, colour}, {to - n, colour},
    };
    getRenderLayer(layerUI, false)->drawVertices(line, 6, sf::Triangles, sf::RenderStates::Default);
}

void drawRect(const sf::Vector2f& position, const sf::Vector2f& size, const sf::Color& colour, bool filled,
              float outlineThickness)
{
    sf::RectangleShape& r = *primitiveRect;
    r.setOrigin(0, 0);
    r.setPosition(position);
    r.setSize(size);
    r.setScale(1, 1);
    r.setRotation(0);
    if (filled) {
        r.setFillColor(colour);
        r.setOutlineColor(sf::Color(0, 0, 0, 0));
        r.setOutlineThickness(0);
    } else {
        r.setFillColor(sf::Color(0, 0, 0, 0));
        r.setOutlineColor(colour);
        r.setOutlineThickness(outlineThickness);
    }
    getRenderLayer(layerUI, false)->draw(r);
}

void drawTexture(float x1, float y1, float x2, float y2, const sf::Texture& texture, const sf::IntRect& textureRect)
{
    sf::RenderStates states;
    states.texture = &texture;
    drawTextureWithStates(x1, y1, x2, y2, states, textureRect);
}

void drawTextureWithStates(float x1, float y1, float x2, float y2, const sf::RenderStates& states,
                           const sf::IntRect& textureRect)
{
    if (!states.texture)
        return;
    sf::FloatRect uv(textureRect);
    if (textureRect.width == 0 || textureRect.height == 0) {
        sf::Vector2u size = states.texture->getSize();
        uv = sf::FloatRect(0, 0, static_cast<float>(size.x), static_cast<float>(size.y));
    }
    const float right = x2 + 1, bottom = y2 + 1;
    const float u1 = uv.left, v1 = uv.top, u2 = uv.left + uv.width, v2 = uv.top + uv.height;
    const sf::Vertex quad[6] = {
        {{x1, y1}, sf::Color::White, {u1, v1}},         {{right, y1}, sf::Color::White, {u2, v1}},
        {{right, bottom}, sf::Color::White, {u2, v2}}, {{x1, bottom}, sf::Color::White, {u1, v2}},
        {{x1, y1}, sf::Color::White, {u1, v1}},         {{right, bottom}, sf::Color::White, {u2, v2}},
    };
    getRenderLayer(layerDisplay, false)->drawVertices(quad, 6, sf::Triangles, states);
}

} // namespace kv
