#include "world/Projectiles.h"
namespace tvl {
void drawProjectiles(float) {}
}
