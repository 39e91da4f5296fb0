#pragma once
// The game in progress: its type and flags, the round's settings, the token and the pickups.
// Main thread only.
#include "world/GameSettings.h"
#include "world/Items.h"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

namespace tvl {

enum GameType : int32_t {
    NoGame = 0,
    SinglePlayerGame = 1,
    MultiplayerGame = 2,
};

extern int32_t gameType;
extern bool paused;
extern bool consoleOpen;    // the console takes the keyboard
extern bool audioPanelOpen; // the in-game Audio Panel is shown
// The settings of the game being played (token target, skill, item density).
extern GameStartSettings roundSettings;

struct Pickup {
    int32_t id = 0; // 0 .. 999999
    float x = 0.0f, y = 0.0f; // world pixels
    float angle = 0.0f;       // radians
    int32_t type = 0;         // ItemType; other values give no item
};
// In creation order.
extern std::vector<Pickup> pickups;

struct Token {
    bool present = false;
    float x = 0.0f, y = 0.0f; // world pixels
    float angle = 0.0f;       // radians
};
extern Token token;

// A random point at least margin pixels inside the loaded map's edges.
sf::Vector2f randomMapPosition(float margin);
// Moves the token to position (world pixels), angle 0, present.
void placeToken(sf::Vector2f position);
// Drops the pickup at index; an index outside the list is ignored.
void removePickup(int index);

} // namespace tvl
