#include "world/GameState.h"

namespace tvl {

int32_t netRole = NoNetRole;
GameState game;

} // namespace tvl
