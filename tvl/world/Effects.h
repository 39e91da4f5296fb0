#pragma once
// Effect instances: smoke, fire, debris, wildlife and plants.
#include <SFML/System/Vector2.hpp>

namespace tvl {
extern bool plantListReady;
void clearPlants();

// The draws, in the world texture while it is redirected.
void drawSmoke();
void drawFire();
void drawDebris();
void drawWildlife(bool airPass, bool shadowPass);
// scroll: the world pixel at (0, 0) of the target; scale: target pixels per world pixel.
void drawPlants(float dt, bool underwaterPass, const sf::Vector2f* scroll, float scale);
}
