#include "world/Projectiles.h"

namespace tvl {

// Nothing flies yet: no shot is made, moved or drawn.
Projectile* fireWeapon(WeaponType, const sf::Vector2f*, const float*, int16_t, int16_t, int,
                       const sf::Vector2f*)
{
    return nullptr;
}
void removeProjectile(int) {}
void drawProjectiles(float) {}
void updateProjectiles(float) {}
void clearProjectiles() {}

} // namespace tvl
