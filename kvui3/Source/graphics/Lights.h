#pragma once
// Lights and the lighting pass. During a frame the game submits lights and light effects into
// queues kept per group (a RenderLayerId used as a number); the compositor then runs
// lightingPass once, which draws them into layerLighting (multiplied over the picture) and
// layerLightEffects (added to it) and empties the queues for the next frame.
#include "graphics/RenderLayers.h"
#include "graphics/Sprite.h"
#include "graphics/VertexArray.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <cstdint>
#include <span>

namespace kv {

// The darkness of the world: 1.0 daylight, lower is darker; below 0.5 is night.
extern float ambientLightLevel;

// What the flicker reads. `frame` is advanced by every lightingPass, so a light steps once per
// frame; the clock and the random source are the steady clock and std::rand unless a test
// puts its own in.
struct LightTiming {
    uint32_t frame = 1;
    uint64_t (*milliseconds)() = nullptr;
    int (*random)() = nullptr;
};
extern LightTiming lightTiming;

// Milliseconds on lightTiming's clock.
uint64_t lightClockMilliseconds();

// A light the game keeps in its own records; the queues take copies on submit.
struct LightSource {
    // Disabled, size 0, opaque black, rotation 0, no quad; the flicker clock starts now.
    LightSource();

    bool enabled = false;                // a disabled light is never submitted
    bool glowByDay = false;              // also drawn as an additive glow
    float halfWidth = 0, halfHeight = 0; // pixels
    sf::Color colour{0, 0, 0, 255};
    uint32_t lightType = 0;   // 0 round, 1 beam
    uint32_t flickerMode = 0; // 0 steady, 1 blink twice a second, 2 random, 3 blink three times
    float rotationSpeed = 0;  // x 20 degrees a second
    bool nightOnly = false;
    float emission = 0; // 0..1 whitens the core
    bool visible = false;
    float rotation = 0;        // radians, 0 .. 2 pi, advanced by updateFlicker
    bool lit = true;           // the flicker state
    uint64_t clockStart = 0;   // lightClockMilliseconds() when the random flicker last changed
    sf::Vector2f screenPosition; // target position of the last submit
    float angle = 0;             // angle of the last submit, radians
    VertexArray quad;
    bool preTransformed = false; // the quad is in target coordinates already
    uint32_t lastFrame = 0;      // lightTiming.frame of the last flicker step

    // Sets preTransformed false and makes the quad the rectangle (0, 0) .. (2 halfWidth,
    // 2 halfHeight), transparent black, texture coordinates equal to the positions. Call it
    // after the size changes.
    void buildQuad();
    // At most once per frame number (and not while disabled): turns by rotationSpeed and sets
    // `lit` by the flicker mode (mode 2 changes at most five times a second).
    void updateFlicker(float dt);
    // Queues the light in group unless it is disabled, or night-only while ambientLightLevel is
    // 0.5 or more. position is in the current target's coordinates before the world mapping
    // (divided by currentDrawScale, plus currentDrawOffset); angle in radians, added to the
    // light's rotation and wrapped into [-pi, pi).
    void submit(RenderLayerId group, const sf::Vector2f& position, const float& angle, const sf::Vector2f& scale);
};

// At most this many lights, vertex effects and sprite effects per group and frame; more are
// dropped.
constexpr size_t maxQueuedPerGroup = 2048;
// Light effects are always queued in this group.
constexpr RenderLayerId lightEffectGroup = layerAir;

struct QueuedLight {
    LightSource light;
    sf::Vector2f position; // target coordinates
    float angle = 0;       // radians
    sf::Vector2f scale;
    VertexArray quad; // the light's quad in target coordinates
};

struct QueuedLightEffect {
    VertexArray vertices;
    sf::RenderStates states;
    bool onLightEffects = false; // layerLightEffects, else layerLighting
};

struct QueuedLightSprite {
    sfSprite sprite;
    sf::RenderStates states; // additive; always drawn on layerLightEffects
};

// Queues light without the world mapping (position in target coordinates): steps its flicker,
// drops it when disabled, not visible, not lit or when the group is full, and transforms a
// copy of its quad (unless preTransformed) about (halfWidth, halfHeight) to position, angle
// and scale. Groups above layerThermalImaging are dropped.
void submitLight(RenderLayerId group, LightSource& light, const sf::Vector2f& targetPosition, const float& angle,
                 const sf::Vector2f& scale);
// A copy of vertices with the given states (null: additive blending), drawn on
// layerLightEffects or, with onLightEffects false, on layerLighting.
void addLightEffectVertices(const VertexArray& vertices, bool onLightEffects, const sf::RenderStates* states);
// A copy of sprite drawn additively on layerLightEffects.
void addLightEffectSprite(const sf::Sprite& sprite);

// What is queued for this frame (empty for an unknown group).
std::span<const QueuedLight> queuedLights(RenderLayerId group);
std::span<const QueuedLightEffect> queuedLightEffects(RenderLayerId group);
std::span<const QueuedLightSprite> queuedLightSprites(RenderLayerId group);
// Empties every queue; the storage is kept for the next frame.
void clearLightQueues();

// Once per frame from the compositor: draws the queued groups 2, 3, 4, 5, 1 into layerLighting
// and layerLightEffects (groups 2..4 then masked by what their render layer holds), multiplies
// layerLighting onto the display and adds layerLightEffects, clears both to their neutral
// colours, empties the queues and advances lightTiming.frame. Without the Light program, and in
// daylight with nothing queued and nothing drawn on either layer (the pass would change
// nothing), only the queues are emptied and the frame advanced. dt is unused.
void lightingPass(float dt);

// The colours the pass leaves its layers at: (a, a, a, 255) with a = ambient x 255 for
// layerLighting, opaque black for layerLightEffects. New and resized layer textures start so.
sf::Color neutralLightingColour();
// Daylight again: ambientLightLevel 1, the queues emptied and both layers cleared to their
// neutral colours (a game that ends must not leave the menu dark).
void resetLighting();

} // namespace kv
