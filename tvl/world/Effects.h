#pragma once
// Effect instances: smoke, fire, debris, wildlife and plants. Each family is one program-wide
// list with a cap, a spawn, a per-frame update and a draw that batches the whole family into
// one vertex array. Positions are world pixels; a wind unit is 16 pixels.
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <deque>
#include <list>
#include <unordered_map>

namespace tvl {

struct WildlifeDefinition;
struct PlantDefinition;

constexpr size_t maxSmokeParticles = 2048;
constexpr size_t maxFireParticles = 2048;
constexpr size_t maxDebrisParticles = 512;
constexpr size_t maxWildlifeParticles = 1024;
constexpr size_t maxPlantParticles = 131072;

struct SmokeParticle {
    sf::Vector2f position;
    float rotation = 0; // radians
    sf::Vector2f velocity; // wind units a second
    sf::Vector2f size, baseSize;
    float growth = 0, fade = 0, alphaScale = 0;
    sf::IntRect textureRect;
    sf::Color colour;
    float life = 255; // 191 .. 255 at the start; gone at 1
    int delay = 1;    // updates to wait before ageing; not drawn while above 0
};

struct FireParticle {
    kv::RenderLayerId layer = kv::layerGround; // where its light goes, by height
    sf::Vector2f position;
    float rotation = 0;
    sf::Vector2f size;
    sf::IntRect textureRect;
    sf::Color colour;
    float life = 255;
    int delay = 1;
    float growth = 0; // negative: fires shrink
    float fade = 0;
    sf::Vector2f baseSize;
    kv::LightSource light;
};

struct DebrisParticle {
    sf::Vector2f position;
    float rotation = 0;
    sf::Vector2f velocity;
    sf::Vector2f size, baseSize, maxSize; // only maxSize.x is used
    float growthRate = 0;                 // pixels a second
    float alphaScale = 0;
    sf::IntRect textureRect;
    sf::Color colour;
    float life = 255;
    int delay = 1;
};

struct WildlifeParticle {
    const WildlifeDefinition* definition = nullptr;
    uint32_t id = 0; // definition id hash
    float width = 0, height = 0;
    sf::Vector2f position;
    float angle = 0, targetAngle = 0; // radians
    float speed = 0;                  // pixels a second
    float fade = 0;                   // 0..1
    float lifetime = 0;               // seconds left
    int16_t frame = 0;
    float frameTime = 0; // program seconds of the last frame change
    sf::Color colour;
    float offscreenTime = 0;
};

struct PlantParticle {
    const PlantDefinition* definition = nullptr;
    uint32_t id = 0;
    bool fadingOut = false;
    float width = 0, height = 0;
    sf::Vector2f position;
    sf::Color colour;
    float fade = 0;  // 0..1
    float angle = 0; // radians
    int16_t frame = 0;
    float frameTime = 0;
    float swayPhase = 0; // 0..1
    bool swayRising = false;
    bool swayLeftEdge = false;
};

// Oldest first. The capped families evict their first element to make room.
extern std::deque<SmokeParticle> smokeParticles;
extern std::deque<FireParticle> fireParticles;
extern std::deque<DebrisParticle> debrisParticles;
extern std::deque<WildlifeParticle> wildlifeParticles;
// Plants are never evicted; the ambience marks them fadingOut and erases the faded ones.
extern std::list<PlantParticle> plantParticles;
// Definition id -> live instances, rebuilt by updateWildlife / updatePlants every frame.
extern std::unordered_map<uint32_t, int> wildlifeCountById;
extern std::unordered_map<uint32_t, int> plantCountById;

extern bool plantListReady;
// Empties the plant list.
void clearPlants();

// A smoke puff at position (world pixels) moving at velocity (wind units a second).
void spawnSmoke(const sf::Vector2f* position, const sf::Vector2f* velocity,
                const sf::Vector2f* size, const sf::Color* colour, float growth, float fade,
                float alphaScale);
// A fire puff with its own light; height picks the light's layer (>= 10 air, >= 2 ground
// high, >= 0 ground, else ground low).
void spawnFire(const sf::Vector2f* position, float height, const sf::Vector2f* size);
// A debris burst growing from size towards maxSize at growthRate pixels per second; relay
// passes it on to the other machines of a network game.
void spawnDebris(const sf::Vector2f* position, const sf::Vector2f* velocity,
                 const sf::Vector2f* size, const sf::Vector2f* maxSize, const sf::Color* colour,
                 float growthRate, float alphaScale, bool relay);
// One creature of the wildlife definition with that id; nothing when there is none.
void spawnWildlife(const sf::Vector2f* position, uint32_t definitionId);
// One plant of the plant definition with that id; nothing outside the map, at the cap or
// without a definition.
void spawnPlant(const sf::Vector2f* position, uint32_t definitionId);
// Live creatures of that definition (0 when none).
int wildlifeCount(uint32_t definitionId);

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
