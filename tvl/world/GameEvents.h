#pragma once
// What a step of the simulation did that other parts tell the world about: the game plays the
// sounds (EventSounds.h), the network tells the other machines. The rules append; the frame loop reads the
// list after the step and empties it, keeping its storage, so a frame does not allocate.
#include "world/SoundNumber.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

namespace tvl {

enum class GameEventType : uint8_t {
    Sound,         // sound at (x, y); soundName != 0: a server has its clients play it too
    NitroSound,    // playerId's nitro burns at (x, y) this frame (a looping voice of its own)
    ItemUsed,      // playerId used item
    PickupAdded,   // a pickup of type item, pickupId, appeared at (x, y)
    PickupTaken,   // playerId took pickupId (its removal follows as PickupRemoved)
    PickupRemoved, // pickupId left the map
    TokenTaken,    // playerId took the token at (x, y) and holds count tokens
    TokenMoved,    // the token was placed anew at (x, y)
    DroneState,    // playerId's drone went up (active) or down
    WeaponFired,   // playerId fired weapon item from (x, y) along angle with inherited
                   // (vx, vy), homing on targetId, as projectileId (-1: a client's, not made yet)
    ProjectileRemoved, // projectileId left the game
    PlayerHit,     // a shot of weapon item at (vx, vy) hit playerId, whose machine applies it
    Debris,        // a debris burst at (x, y) moving (vx, vy) with the debris fields: a client
                   // asks its server for it, a server tells its clients
};

struct GameEvent {
    GameEventType type = GameEventType::Sound;
    uint16_t playerId = 0;
    bool active = false;
    int32_t item = 0; // an ItemType, or a WeaponType for the weapon events
    int32_t pickupId = 0;
    int32_t projectileId = 0;
    int16_t targetId = -1;
    float angle = 0.0f; // radians
    float vx = 0.0f, vy = 0.0f;
    int32_t count = 0;
    float x = 0.0f, y = 0.0f;
    SoundNumber sound = -1;
    uint32_t soundName = 0; // hashName of the sound's name
    // Debris only (spawnDebris's arguments).
    sf::Vector2f debrisSize, debrisMaxSize;
    sf::Color debrisColour;
    float debrisGrowthRate = 0.0f, debrisAlphaScale = 0.0f;
};

using GameEventList = std::vector<GameEvent>;

// Appends to game.events (GameState.h).
void reportEvent(const GameEvent& event);
// The Sound event: sound at (x, y); soundName != 0 has a server's clients play it too.
void reportSound(SoundNumber sound, float x, float y, uint32_t soundName = 0);
// The DroneState event: playerId's drone went up (active) or down.
void reportDroneState(uint16_t playerId, bool active);

} // namespace tvl
