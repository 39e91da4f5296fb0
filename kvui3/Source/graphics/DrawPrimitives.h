#pragma once
// Immediate drawing helpers that go through the render layers.
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderStates.hpp>

namespace sf {
class Texture;
}

namespace kv {

// Stretches textureRect of texture over the pixels x1..x2, y1..y2 (both inclusive) on
// layerDisplay (the current layer while redirected). An empty rectangle means the whole texture.
void drawTexture(float x1, float y1, float x2, float y2, const sf::Texture& texture, const sf::IntRect& textureRect);
// The same with the caller's states; states.texture is the one drawn (nothing without one).
void drawTextureWithStates(float x1, float y1, float x2, float y2, const sf::RenderStates& states,
                           const sf::IntRect& textureRect);

} // namespace kv
