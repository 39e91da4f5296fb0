#pragma once
// The physics debug view: the game's Box2D world drawn as outlines over the frame. Main thread
// only.
#include <SFML/Graphics/Rect.hpp>

namespace tvl {

// Outlines the boxes and circles inside view (world pixels) on the UI layer: static white,
// kinematic yellow, dynamic red while awake and green asleep. Nothing without a world.
void drawPhysicsDebug(const sf::FloatRect* view);

} // namespace tvl
