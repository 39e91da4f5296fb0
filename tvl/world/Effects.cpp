#include "world/Effects.h"
namespace tvl {
bool plantListReady = false;
void clearPlants() {}
// No effect is kept yet: nothing is spawned, moved, drawn or emptied.
void spawnSmoke(const sf::Vector2f*, const sf::Vector2f*, const sf::Vector2f*, const sf::Color*,
                float, float, float)
{
}
void spawnDebris(const sf::Vector2f*, const sf::Vector2f*, const sf::Vector2f*,
                 const sf::Vector2f*, const sf::Color*, float, float, bool)
{
}
void updateSmoke(float) {}
void updateFire(float) {}
void updateDebris(float) {}
void updateWildlife(float) {}
void updatePlants(float) {}
void clearEffects() {}
void drawSmoke() {}
void drawFire() {}
void drawDebris() {}
void drawWildlife(bool, bool) {}
void drawPlants(float, bool, const sf::Vector2f*, float) {}
}
