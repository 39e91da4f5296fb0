#include "world/Player.h"

namespace tvl {

std::vector<std::shared_ptr<Player>> players;

bool Player::isDisabled() const
{
    return bombStun > 0 || pulseHit > 0 || missileHit > 0 || dronePulseHit > 0 || empTimer > 0;
}

} // namespace tvl
