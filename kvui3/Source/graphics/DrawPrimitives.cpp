#include "graphics/DrawPrimitives.h"

#include "graphics/RenderLayers.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

namespace kv {

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
