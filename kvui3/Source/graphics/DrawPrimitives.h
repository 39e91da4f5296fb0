#pragma once
// Immediate drawing helpers that go through the render layers.
#include "core/LazyObject.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderStates.hpp>

namespace sf {
class Texture;
}

namespace kv {

// Scratch shapes shared by draw code (the HUD, the minimap, debug views): a rectangle and a
// circle of 30 points. Whoever uses one sets every property it relies on.
extern LazyObject<sf::RectangleShape> primitiveRect;
extern LazyObject<sf::CircleShape> primitiveCircle;

// A line of the given thickness (pixels) on layerUI; a zero-length line draws nothing visible.
void drawLine(const sf::Vector2f& from, const sf::Vector2f& to, const sf::Color& colour, float thickness);
// A filled rectangle, or only its border of outlineThickness pixels, on layerUI.
void drawRect(const sf::Vector2f& position, const sf::Vector2f& size, const sf::Color& colour, bool filled,
              float outlineThickness);

// Stretches textureRect of texture over the pixels x1..x2, y1..y2 (both inclusive) on
// layerDisplay (the current layer while redirected). An empty rectangle means the whole texture.
void drawTexture(float x1, float y1, float x2, float y2, const sf::Texture& texture, const sf::IntRect& textureRect);
// The same with the caller's states; states.texture is the one drawn (nothing without one).
void drawTextureWithStates(float x1, float y1, float x2, float y2, const sf::RenderStates& states,
                           const sf::IntRect& textureRect);

} // namespace kv
