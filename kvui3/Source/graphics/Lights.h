#pragma once
// Lights and the lighting pass.
#include "graphics/VertexArray.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>

namespace kv {

// The darkness of the world: 1.0 daylight, lower is darker.
extern float ambientLightLevel;

// A light the game keeps in its own records; the pass takes copies on submit.
struct LightSource {
    bool enabled = false;
    bool glowByDay = false;          // also drawn as an additive glow by day
    float halfWidth = 0, halfHeight = 0; // pixels
    sf::Color colour{0, 0, 0, 255};
    uint32_t lightType = 0;
    uint32_t flickerMode = 0; // 0 steady, 1 blink twice a second, 2 random, 3 blink three times
    float rotationSpeed = 0;  // x 20 degrees a second
    bool nightOnly = false;
    float emission = 0;
    bool visible = false;
    float rotation = 0; // radians, 0 .. 2 pi
    bool lit = true;
    sf::Clock clock;
    sf::Vector2f screenPosition;
    float angle = 0;
    VertexArray quad; // the light's rectangle, centred on (0, 0)
    bool preTransformed = false;
    uint32_t lastFrame = 0;

    // The quad as one rectangle of the half size, centred on the origin, in colour.
    void buildQuad();
};

// Once per frame from the compositor: draws the queued lights into layerLighting and
// layerLightEffects, composes them and empties the queues. dt is seconds (unused by the pass).
void lightingPass(float dt);

} // namespace kv
