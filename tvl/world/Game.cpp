#include "world/Game.h"

namespace tvl {

bool paused = false;
std::vector<Pickup> pickups;
Token token;

} // namespace tvl
