#pragma once
// Shots in flight: pulse-cannon shots, drone pulses and homing missiles. They live in
// game.projectiles (GameState.h) in firing order. The machine that simulates the game
// (simulatesGame, Player.h) ages them and decides hits; a network client only draws what its
// server announces. What happens here is reported as game events (GameEvents.h), which the
// frame loop turns into sounds and packets. Positions in world pixels, angles in radians
// (0 = up, clockwise), speeds in pixels per second. Main thread only.
#include "audio/Audio.h"
#include "graphics/Lights.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>

namespace tvl {

// Also the kind of a projectile hit.
enum class WeaponType : int32_t {
    PulseCannon = 0, // the Gun item's shots
    DronePulse = 1,  // the drone's shots
    Missile = 2,
};
constexpr int weaponTypeCount = 3;

// Projectile ids run 1 .. maxProjectileId, then wrap to 0; the counter lasts the whole run.
constexpr int32_t maxProjectileId = 999999;
// A client drops a projectile this long after its lifetime ran out, should the server's removal
// have been lost on the way.
constexpr float clientLifetimeMargin = 2.0f;
// Inherited speed bleeds off toward the weapon's own at this many pixels per second, per second.
constexpr float pulseSlowdown = 12.5f;
constexpr float missileHomingSpeed = 750.0f;
constexpr float missileTurnRate = 4.0f; // share of the bearing error turned per second

struct Projectile {
    int32_t id = 0;
    WeaponType type = WeaponType::PulseCannon;
    int32_t image = 0;
    float scale = 1.0f;
    float width = 0.0f, height = 0.0f; // the image's size x scale: the hit box
    bool smokeTrail = false;
    float puffWidth = 0.0f, puffHeight = 0.0f;
    sf::Color puffColour;
    float puffTimer = 0.0f; // seconds since the last puff
    int32_t targetId = -1;  // the missile's target player, -1 none
    float x = 0.0f, y = 0.0f;
    float angle = 0.0f;
    int32_t ownerId = 0;
    float lifetime = 0.0f; // seconds left; below 0 only on a client, within the margin
    float vx = 0.0f, vy = 0.0f;
    float baseVx = 0.0f, baseVy = 0.0f; // the weapon's own velocity along its firing angle
    kv::LightSource light;
    kv::Audio::SoundNumber hitSound = -1;
};

// Fires a shot of type from *origin along *angle, owned by the player ownerId, homing on
// targetId (-1: none). id -1 makes a new shot: it takes the next projectile id and inherits the
// owner's forward speed (when the owner has a body and moves forward along the angle) on top of
// *inherited; any other id is a shot the server announced, made with that id and *inherited as
// given. A client does not make its own new shots: it reports WeaponFired (forwarded to the
// server) and returns null. A new shot made here is reported as WeaponFired too, and the fire
// sound plays at the origin; it is logged ("Fired <weapon> <id> of player <owner>"), at most
// five lines a second with a count of those left out. Null as well for a type outside 0 .. 2
// or an id already flying. Otherwise the new record in game.projectiles, valid until the list
// next changes.
Projectile* fireWeapon(WeaponType type, const sf::Vector2f* origin, const float* angle,
                       int16_t ownerId, int16_t targetId, int id, const sf::Vector2f* inherited);

// Removes the first projectile with that id; nothing when none has it. A simulating machine
// reports the removal (ProjectileRemoved).
void removeProjectile(int id);

// Once per frame while the game is not paused, from the last projectile to the first. A missile
// whose target is gone is removed; a missile turns toward its target and flies at
// missileHomingSpeed; a pulse flies at its velocity, which approaches its base velocity by
// pulseSlowdown. On a simulating machine the lifetime runs out (removal) and the first other
// player in list order whose square overlaps the shot is hit: the hit sound (a server's
// clients hear it), a log line ("<name> hit by <weapon> <id> of player <owner>", limited as the
// shots' are), Player::hit for a player run here or a PlayerHit report for a remote one, and
// the shot is removed. A client drops a shot silently clientLifetimeMargin after its
// lifetime. A long frame runs in slices (simulationSliceCount, Player.h).
void updateProjectiles(float dt);
// Draws every projectile into the world texture (once per world frame) and submits its light;
// a missile leaves smoke puffs. dt in seconds.
void drawProjectiles(float dt);
// Empties the projectile list (end of a game); the id counter goes on.
void clearProjectiles();

// Sets the id the last new shot took, so that a test reaches the wrap.
void setLastProjectileId(int32_t id);

} // namespace tvl
