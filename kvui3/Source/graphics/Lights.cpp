#include "graphics/Lights.h"

namespace kv {

float ambientLightLevel = 1.0f;

void LightSource::buildQuad()
{
    quad.primitiveType = sf::Quads;
    quad.resize(4);
    const sf::Vector2f corners[4] = {{-halfWidth, -halfHeight}, {halfWidth, -halfHeight},
                                     {halfWidth, halfHeight},   {-halfWidth, halfHeight}};
    for (int i = 0; i < 4; ++i) {
        quad[i].position = corners[i];
        quad[i].color = colour;
    }
}

// No lights are queued yet: nothing to compose.
void lightingPass(float) {}

} // namespace kv
