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
#include <vector>

namespace tvl {

struct WildlifeDefinition;
struct PlantDefinition;
struct ParticleFrame;

constexpr size_t maxSmokeParticles = 2048;
constexpr size_t maxFireParticles = 2048;
constexpr size_t maxDebrisParticles = 512;
constexpr size_t maxWildlifeParticles = 1024;
constexpr size_t maxPlantParticles = 131072;
// Debris sizes beyond this are refused: the game's largest burst is 1800 pixels.
constexpr float maxDebrisSize = 4096.0f;

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
// Definition id -> live instances, recounted by updateWildlife / updatePlants every frame (an id
// once counted stays, at 0 when none is left; clearEffects empties them).
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
// A debris burst growing from size towards maxSize at growthRate pixels per second, fading as
// it grows; refused (nothing made, nothing reported) unless debrisFieldsSound. With relay in a
// network game, a client makes nothing and reports a Debris event (the server is asked for it);
// a server makes it and reports a Debris event (its clients are told). Without relay, or in a
// single-player game, it is only made here.
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

// Per unpaused frame of a game (dt seconds). Each walks its list from the newest, so it removes
// as it goes. A new smoke, fire or debris waits for its first update before it is drawn.
// Smoke and fire lose (fade + u x fade) x 30 of life a second and go at life 1 or when their
// side falls below 1 pixel.
void updateSmoke(float dt);
void updateFire(float dt);
// Debris life is (1 - size.x / maxSize.x) x 256; it goes once that is not above 1 (a NaN too).
void updateDebris(float dt);
// Moves, turns (on input ticks), animates and fades the creatures; one farther than 1000 px
// from the view's centre fades out, one off the view (plus 100 px) for over 3 s goes at once.
void updateWildlife(float dt);
// Animates the plants and fades them in (or, marked fadingOut, out) at 2 a second.
void updatePlants(float dt);
// Empties every effect list (smoke, fire, debris, wildlife, plants) at the end of a game.
void clearEffects();

// The skip chances' source (one smoke request in 20, one fire in 10, one creature in 20 makes
// nothing): std::rand unless a test puts its own in.
extern int (*effectRandom)();

// --- Plain rules (no GL) ---

// The layer a fire's light goes to: >= 10 air, >= 2 ground high, >= 0 ground, else ground low.
kv::RenderLayerId fireLayerForHeight(float height);
// Life a smoke or fire puff of that fade loses in dt seconds for the random u in [0, 1).
float puffLifeLoss(float fade, float u, float dt);
// Whether a debris burst may be made: every value finite, sizes 0 .. maxDebrisSize and
// maxSize.x above 0 (its life divides by it).
bool debrisFieldsSound(const sf::Vector2f& position, const sf::Vector2f& velocity, const sf::Vector2f& size,
                       const sf::Vector2f& maxSize, float growthRate, float alphaScale);
// The seed of a creature's or plant's size: int(x) + id + mapNoiseSeed, wrapping in 32 bits, so
// one place of one map gives one size on every machine.
uint32_t effectSizeSeed(float x, uint32_t definitionId);
// The drawn size from frame 0's size: one seeded scale in minScale .. maxScale (seed - 10000)
// for both axes, or with uniformScale false a second one (seed - 20000) for the height.
sf::Vector2f seededEffectSize(const sf::IntRect& firstFrame, float minScale, float maxScale, bool uniformScale,
                              uint32_t seed);
// Steps frame to the next (wrapping to 0) when there are two or more frames, the current one's
// duration is above 0 and now >= frameTime + duration; frameTime becomes now. True when it stepped.
bool advanceEffectFrame(int16_t& frame, float& frameTime, const std::vector<ParticleFrame>& frames, float now);
// The plants' sway strength: windSpeed / 33 clamped to 0 .. 1 (a NaN gives 0).
float plantSwayStrength(float windSpeed);
// One step of a plant's sway phase: k x dt x 20 towards 1 while rising, else towards 0, turning
// round at the ends.
void advanceSwayPhase(PlantParticle& plant, float k, float dt);
// Whether the plant's quad (its top shifted sideways by topShift, turned by its angle) can reach
// into rect (world pixels).
bool plantReaches(const PlantParticle& plant, float topShift, const sf::FloatRect& rect);

// How far from its texture's centre a puff can still change a pixel, by the puff's alpha: a
// texel of alpha a under a puff of alpha p blends in a x p / 255 of a colour step, and below
// half a step the blend rounds back to what was there. reach[p] is the largest distance, in
// half-textures (the centre 0, an edge's middle 1), of a texel centre that shows under alpha p;
// below 0 when none does. alpha: width x height bytes, row by row.
struct PuffReach {
    float reach[256];
};
PuffReach puffReach(const uint8_t* alpha, unsigned width, unsigned height);
// The part of a puff's quad that can show, as eight corners in half-textures (u, v in -1 .. 1,
// in order round it): the quad cut at distance r from the centre on its axes and
// diagonals, so that it holds the disc of radius r; the whole quad from r = sqrt 2.
void puffOutline(float r, sf::Vector2f corners[8]);

// The draws, in the world texture while it is redirected: each family one alpha-blended quad
// batch on the current layer. Fire also submits each light on its layer; debris also queues its
// quads, mapped onto the window, as a light effect on layerLighting.
void drawSmoke();
void drawFire();
void drawDebris();
// airPass: only creatures of the air, else only the others (water ones only over "Water");
// shadowPass: only those that cast a shadow, 10 px down and right through the SpriteShadow
// program (nothing without it).
void drawWildlife(bool airPass, bool shadowPass);
// The plants of the pass (underwater or not) that have faded in and reach into the world view;
// with the plantsWind setting and a wind, their tops sway (in view or not). scroll: the world
// pixel at (0, 0) of the target; scale: target pixels per world pixel.
void drawPlants(float dt, bool underwaterPass, const sf::Vector2f* scroll, float scale);
}
