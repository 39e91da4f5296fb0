// The token, the pickups (where they go and how many a map holds) and the ID counters.
#include "world/Game.h"

#include "core/Random.h"
#include "net/Packets.h"
#include "world/Map.h"
#include "world/Player.h"

#include <algorithm>

namespace tvl {

std::vector<Pickup> pickups;
Token token;

namespace {

// Never reset between games: the first pickup of a run gets 1, the first player 501.
int32_t pickupIdCounter = 0;
constexpr uint16_t firstPlayerIdCounter = 500;
constexpr uint16_t maxPlayerId = 999;
uint16_t playerIdCounter = firstPlayerIdCounter;

bool isServerGame()
{
    return gameType == MultiplayerGame && netRole == ServerRole;
}

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
    token.x = position.x;
    token.y = position.y;
    token.angle = 0.0f;
    token.present = true;
    if (token.light.enabled) // set up by the first placement
        return;
    kv::LightSource& light = token.light;
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
        if (isServerGame())
            sendPickupAdded(PacketDestination::AllClients, pickup.id, pickup.x, pickup.y, pickup.type);
    } else {
        pickup.id = id;
    }
    pickups.push_back(pickup);
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
    if (index < 0 || static_cast<size_t>(index) >= pickups.size())
        return;
    if (isServerGame()) {
        sf::Packet packet = makePacket(PacketType::PickupRemoved);
        packet << pickups[static_cast<size_t>(index)].id;
        sendPacket(PacketDestination::AllClients, PacketType::PickupRemoved, packet, -1);
    }
    pickups.erase(pickups.begin() + index);
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
    return pickupTargetFor(roundSettings.itemsDensity, mapWidth, mapHeight);
}

void topUpPickups()
{
    if (!simulatesGame())
        return;
    const size_t target = static_cast<size_t>(pickupTarget());
    while (pickups.size() < target)
        spawnRandomPickup();
}

} // namespace tvl
