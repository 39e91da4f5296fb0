#include "world/WorldSprites.h"
namespace tvl {
void drawMapSprites(float) {}
void drawPickups() {}
void drawToken() {}
void drawPlayers(float) {}
}
