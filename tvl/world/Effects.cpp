#include "world/Effects.h"
namespace tvl {
std::deque<SmokeParticle> smokeParticles;
std::deque<FireParticle> fireParticles;
std::deque<DebrisParticle> debrisParticles;
std::deque<WildlifeParticle> wildlifeParticles;
std::list<PlantParticle> plantParticles;
std::unordered_map<uint32_t, int> wildlifeCountById;
std::unordered_map<uint32_t, int> plantCountById;
bool plantListReady = false;
void clearPlants() { plantParticles.clear(); }
// No effect is kept yet: nothing is spawned, moved or drawn.
void spawnSmoke(const sf::Vector2f*, const sf::Vector2f*, const sf::Vector2f*, const sf::Color*,
                float, float, float)
{
}
void spawnFire(const sf::Vector2f*, float, const sf::Vector2f*) {}
void spawnDebris(const sf::Vector2f*, const sf::Vector2f*, const sf::Vector2f*,
                 const sf::Vector2f*, const sf::Color*, float, float, bool)
{
}
void spawnWildlife(const sf::Vector2f*, uint32_t) {}
void spawnPlant(const sf::Vector2f*, uint32_t) {}
int wildlifeCount(uint32_t id)
{
    auto it = wildlifeCountById.find(id);
    return it == wildlifeCountById.end() ? 0 : it->second;
}
void updateSmoke(float) {}
void updateFire(float) {}
void updateDebris(float) {}
void updateWildlife(float) {}
void updatePlants(float) {}
void clearEffects()
{
    smokeParticles.clear();
    fireParticles.clear();
    debrisParticles.clear();
    wildlifeParticles.clear();
    clearPlants();
    wildlifeCountById.clear();
    plantCountById.clear();
}
void drawSmoke() {}
void drawFire() {}
void drawDebris() {}
void drawWildlife(bool, bool) {}
void drawPlants(float, bool, const sf::Vector2f*, float) {}
}
