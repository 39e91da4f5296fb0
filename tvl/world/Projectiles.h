#pragma once
// Weapons and projectiles.
namespace tvl {
// Draws every projectile into the world (once per world frame); dt in seconds.
void drawProjectiles(float dt);
}
