#include "world/Effects.h"
namespace tvl {
bool plantListReady = false;
void clearPlants() {}
void drawSmoke() {}
void drawFire() {}
void drawDebris() {}
void drawWildlife(bool, bool) {}
void drawPlants(float, bool, const sf::Vector2f*, float) {}
}
