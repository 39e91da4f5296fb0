#include "graphics/Lights.h"

namespace kv {

// No lights are queued yet: nothing to compose.
void lightingPass(float) {}

} // namespace kv
