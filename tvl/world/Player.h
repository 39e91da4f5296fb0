#pragma once
// One vehicle and its driver, and the list of the game's players.
#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <memory>
#include <vector>

namespace tvl {

class Player {
public:
    float x = 0, y = 0; // centre of the vehicle, world pixels
    float angle = 0;    // heading, radians, 0 = up, clockwise
    sf::Color colour{0, 0, 0, 255}; // team colour
    bool isComputer = false;
    float radius = 0; // collision half size
    float bombStun = 0, pulseHit = 0, missileHit = 0, dronePulseHit = 0, empTimer = 0; // seconds left
    bool droneActive = false;
    float droneX = 0, droneY = 0, droneAngle = 0;
    uint16_t playerId = 0;

    // The player has lost control: any of the stun timers above 0.
    bool isDisabled() const;
};

// In the order added; at most 8.
extern std::vector<std::shared_ptr<Player>> players;

} // namespace tvl
