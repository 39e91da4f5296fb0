#pragma once
// Lights and the lighting pass.

namespace kv {

// Once per frame from the compositor: draws the queued lights into layerLighting and
// layerLightEffects, composes them and empties the queues. dt is seconds (unused by the pass).
void lightingPass(float dt);

} // namespace kv
