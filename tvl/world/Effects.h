#pragma once
// Effect instances: smoke, fire, debris, wildlife and plants.
#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

namespace tvl {
extern bool plantListReady;
void clearPlants();

// A smoke puff at position (world pixels) moving at velocity (pixels per second).
void spawnSmoke(const sf::Vector2f* position, const sf::Vector2f* velocity,
                const sf::Vector2f* size, const sf::Color* colour, float growth, float fade,
                float alphaScale);
// A debris burst growing from size towards maxSize at growthRate pixels per second; relay
// passes it on to the other machines of a network game.
void spawnDebris(const sf::Vector2f* position, const sf::Vector2f* velocity,
                 const sf::Vector2f* size, const sf::Vector2f* maxSize, const sf::Color* colour,
                 float growthRate, float alphaScale, bool relay);

// Per frame while the game runs (dt seconds).
void updateSmoke(float dt);
void updateFire(float dt);
void updateDebris(float dt);
void updateWildlife(float dt);
void updatePlants(float dt);
// Empties every effect list (smoke, fire, debris, wildlife, plants) at the end of a game.
void clearEffects();

// The draws, in the world texture while it is redirected.
void drawSmoke();
void drawFire();
void drawDebris();
void drawWildlife(bool airPass, bool shadowPass);
// scroll: the world pixel at (0, 0) of the target; scale: target pixels per world pixel.
void drawPlants(float dt, bool underwaterPass, const sf::Vector2f* scroll, float scale);
}
