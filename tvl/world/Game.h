#pragma once
// The game in progress: its flags, the token and the pickups. Main thread only.
#include "world/GameSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tvl {

extern bool paused;

struct Pickup {
    int32_t id = 0;           // 0 .. 999999
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

// Runs one game on mapFile (under Base\Maps\) until it is over; false when it could not be
// set up.
bool playGame(int type, const std::string& mapFile, const GameStartSettings* settings);

} // namespace tvl
