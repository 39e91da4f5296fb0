#include "world/Projectiles.h"

namespace tvl {

Projectile* fireWeapon(WeaponType, const sf::Vector2f*, const float*, int16_t, int16_t, int,
                       const sf::Vector2f*)
{
    return nullptr;
}

void drawProjectiles(float) {}

} // namespace tvl
