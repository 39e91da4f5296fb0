// The token, the pickups (where they go and how many a map holds) and the ID counters.
#include "world/GameRules.h"

#include "core/Random.h"
#include "world/Map.h"
#include "world/Player.h"

#include <algorithm>

namespace tvl {

namespace {

// Never reset between games: the first pickup of a run gets 1, the first player 501.
int32_t pickupIdCounter = 0;
constexpr uint16_t firstPlayerIdCounter = 500;
constexpr uint16_t maxPlayerId = 999;
uint16_t playerIdCounter = firstPlayerIdCounter;

} // namespace

sf::Vector2f randomMapPosition(float margin)
{
    // An axis shorter than two margins has no inside; its middle is the best there is.
    auto axis = [margin](float size) {
        return size - margin < margin ? size * 0.5f : kv::randomFloat(margin, size - margin);
    };
    const float x = axis(mapWorldSize.x);
    return {x, axis(mapWorldSize.y)};
}

void placeToken(sf::Vector2f position)
{
    game.token.x = position.x;
    game.token.y = position.y;
    game.token.angle = 0.0f;
    game.token.present = true;
    if (game.token.light.enabled) // set up by the first placement
        return;
    kv::LightSource& light = game.token.light;
    light.enabled = true;
    light.glowByDay = true;
    light.halfWidth = 256.0f;
    light.halfHeight = 256.0f;
    light.colour = sf::Color(64, 64, 255, 192);
    light.visible = true;
    light.rotationSpeed = 0.0f;
    light.buildQuad();
}

int32_t nextPickupId()
{
    pickupIdCounter = pickupIdCounter >= maxPickupId ? 0 : pickupIdCounter + 1;
    return pickupIdCounter;
}

uint16_t nextPlayerId()
{
    playerIdCounter = playerIdCounter >= maxPlayerId ? 0 : static_cast<uint16_t>(playerIdCounter + 1);
    return playerIdCounter;
}

void resetIdCountersForTests()
{
    pickupIdCounter = 0;
    playerIdCounter = firstPlayerIdCounter;
}

void addPickup(const sf::Vector2f& position, ItemType type, int id)
{
    Pickup pickup;
    pickup.x = position.x;
    pickup.y = position.y;
    pickup.type = type;
    if (id == -1) {
        pickup.id = nextPickupId();
        GameEvent added;
        added.type = GameEventType::PickupAdded;
        added.pickupId = pickup.id;
        added.item = pickup.type;
        added.x = pickup.x;
        added.y = pickup.y;
        reportEvent(added);
    } else {
        pickup.id = id;
    }
    game.pickups.push_back(pickup);
}

void spawnRandomPickup()
{
    if (!simulatesGame())
        return;
    const sf::Vector2f position = randomMapPosition(50.0f);
    addPickup(position, static_cast<ItemType>(kv::randomInt(0, itemTypeCount - 1)), -1);
}

void removePickup(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= game.pickups.size())
        return;
    GameEvent removed;
    removed.type = GameEventType::PickupRemoved;
    removed.pickupId = game.pickups[static_cast<size_t>(index)].id;
    reportEvent(removed);
    game.pickups.erase(game.pickups.begin() + index);
}

int pickupTargetFor(int itemsDensity, int64_t widthTiles, int64_t heightTiles)
{
    if (itemsDensity == 0)
        return 0;
    static constexpr int64_t perTenThousandTiles[] = {1, 3, 6, 32};
    const int64_t factor = itemsDensity >= 1 && itemsDensity <= 4 ? perTenThousandTiles[itemsDensity - 1] : 0;
    const int64_t tiles = std::max<int64_t>(widthTiles, 0) * std::max<int64_t>(heightTiles, 0);
    return static_cast<int>(std::clamp<int64_t>(tiles / 10000 * factor, 1, maxPickupCount));
}

int pickupTarget()
{
    return pickupTargetFor(game.roundSettings.itemsDensity, mapWidth, mapHeight);
}

void topUpPickups()
{
    if (!simulatesGame())
        return;
    const size_t target = static_cast<size_t>(pickupTarget());
    while (game.pickups.size() < target)
        spawnRandomPickup();
}

} // namespace tvl
