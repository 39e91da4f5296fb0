#pragma once
// Shots in flight: pulse-cannon shots, drone pulses and homing missiles.
#include <SFML/System/Vector2.hpp>

#include <cstdint>

namespace tvl {

// Also the kind of a projectile hit.
enum class WeaponType : int32_t {
    PulseCannon = 0, // the Gun item's shots
    DronePulse = 1,  // the drone's shots
    Missile = 2,
};

struct Projectile;

// Fires a shot of type from origin (world pixels) along angle (radians), owned by the player
// ownerId, homing on targetId (-1: none); id -1 makes a new shot. inherited is a velocity in
// pixels per second added to the shot's own. Null when no projectile was made here.
Projectile* fireWeapon(WeaponType type, const sf::Vector2f* origin, const float* angle,
                       int16_t ownerId, int16_t targetId, int id, const sf::Vector2f* inherited);

// Removes the first projectile with that id; nothing when none has it.
void removeProjectile(int id);

// Draws every projectile into the world (once per world frame); dt in seconds.
void drawProjectiles(float dt);
// Moves the projectiles and applies their hits; once per frame while not paused.
void updateProjectiles(float dt);
// Empties the projectile list (end of a game).
void clearProjectiles();

} // namespace tvl
