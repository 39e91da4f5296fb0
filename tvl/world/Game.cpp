#include "world/Game.h"

#include "core/Random.h"
#include "world/Map.h"

#include <algorithm>

namespace tvl {

int32_t gameType = NoGame;
bool paused = false;
bool consoleOpen = false;
bool audioPanelOpen = false;
GameStartSettings roundSettings;
std::vector<Pickup> pickups;
Token token;

sf::Vector2f randomMapPosition(float margin)
{
    const float w = std::max(mapWorldSize.x - margin, margin);
    const float h = std::max(mapWorldSize.y - margin, margin);
    return {kv::randomFloat(margin, w), kv::randomFloat(margin, h)};
}

void placeToken(sf::Vector2f position)
{
    token.x = position.x;
    token.y = position.y;
    token.angle = 0.0f;
    token.present = true;
}

void removePickup(int index)
{
    if (index < 0 || index >= static_cast<int>(pickups.size()))
        return;
    pickups.erase(pickups.begin() + index);
}

} // namespace tvl
