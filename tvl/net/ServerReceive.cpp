// The server's half of the network tick: joins, and what the clients send, applied and relayed.
#include "core/Angle.h"
#include "core/Messages.h"
#include "core/Random.h"
#include "net/Network.h"
#include "net/NetworkInternal.h"
#include "world/Effects.h"
#include "world/Game.h"
#include "world/Map.h"
#include "world/Player.h"

#include <algorithm>

namespace tvl {

namespace {

template <typename... Fields>
void sendFields(int destination, PacketType type, int16_t excludeId, const Fields&... fields)
{
    sf::Packet packet = makePacket(type);
    (packet << ... << fields);
    sendPacket(destination, type, packet, excludeId);
}

void refuse(const std::string& name, const char* why, const NetAddress& from)
{
    printNetworkEvent("Refused connection attempt from " + name + why);
    // Straight to the sender: it has no player to be addressed by.
    sf::Packet refused = makePacket(PacketType::ConnectRefused);
    sendPacketWithRetries(from, refused, handshakeAttempts);
}

// What a newcomer is told of a player already in the game.
void introduce(const Player& other, int16_t newId)
{
    const auto id = static_cast<int16_t>(other.playerId);
    sendFields(newId, PacketType::ExistingPlayer, -1, id, other.name, other.colour.r, other.colour.g,
               other.colour.b, static_cast<int32_t>(other.netTag));
    sendPlayerX(id, other.x);
    sendPlayerY(id, other.y);
    sendPlayerAngle(id, other.angle);
    sendPlayerSpeed(id, other.speed);
    sendPlayerNitro(id, other.nitroActive);
    sendFields(newId, PacketType::DroneState, -1, id, false);
    sendDronePosition(id, other.droneX, other.droneY);
    sendDroneAngle(id, other.droneAngle);
    sendPlayerState(id, static_cast<int32_t>(other.netTag));
    sendPlayerTokens(id, static_cast<int16_t>(other.tokens));
}

void admit(const wire::ConnectRequest& request, const NetAddress& from)
{
    printNetworkEvent(request.name + " is connecting");
    // Made before it is answered, so the answer never promises a player that could not be made.
    const auto player = addPlayer(request.colour, request.name, false);
    if (!player)
        return;
    const auto newId = static_cast<int16_t>(player->playerId);
    PeerState& peer = peers[player->playerId] = PeerState{};
    peer.address = from;
    peer.lastHeard = netClockSeconds();
    player->netTag = 2;

    sf::Packet accepted = makeConnectAccepted({currentMapFile, game.roundSettings.tokensCount,
                                               game.roundSettings.skillLevel, game.roundSettings.itemsDensity});
    sendPacketWithRetries(from, accepted, handshakeAttempts);
    sendFields(newId, PacketType::YourPlayerId, -1, newId);
    sendFields(newId, PacketType::ServerVersion, -1, kv::getAppNameAndVersion());
    sendFields(PacketDestination::AllClients, PacketType::PlayerJoined, newId, newId, request.name, request.colour.r,
               request.colour.g, request.colour.b);
    for (const auto& other : game.players)
        if (other != player)
            introduce(*other, newId);
    player->netTag = 3;
    if (game.token.present)
        sendFields(PacketDestination::AllClients, PacketType::TokenPosition, -1, game.token.x, game.token.y);
    for (const Pickup& pickup : game.pickups)
        sendPickupAdded(newId, pickup.id, pickup.x, pickup.y, pickup.type);
    printNetworkEvent(request.name + " has joined the game");
}

void handleJoin(sf::Packet& packet, const NetAddress& from)
{
    const auto request = wire::readConnectRequest(packet);
    if (!request)
        return;
    const std::size_t limit = static_cast<std::size_t>(std::min(gameSettings.maxNetPlayers, maxPlayers));
    if (game.players.size() >= limit)
        refuse(request->name, ", server is full", from);
    else if (findPlayerByAddress(from) >= 0)
        refuse(request->name, ", duplicate connection", from);
    else
        admit(*request, from);
}

void respawn(Player& player)
{
    const auto id = static_cast<int16_t>(player.playerId);
    const float margin = std::max(gameImageSizes.ship.x, gameImageSizes.ship.y) * 0.5f;
    const sf::Vector2f position = randomMapPosition(margin);
    const float angle = kv::wrapRadians(kv::randomFloat(0.0f, 360.0f) * kv::degreesToRadians);
    spawnPlayer(id, position, angle);
    const float degrees = angle * wireDegreesPerRadian;
    sendFields(id, PacketType::SpawnLocalPlayer, -1, position.x, position.y, degrees);
    sendFields(PacketDestination::AllClients, PacketType::PlayerSpawned, id, id, position.x, position.y, degrees);
}

void useItem(Player& player, ItemType item)
{
    // The server awarded every item a client holds: one it never had is not used.
    int& count = player.itemCounts[item];
    if (count < 1)
        return;
    --count;
    player.useItem(item);
    sendPlayerUsedItem(static_cast<int16_t>(player.playerId), item);
}

// A known sender's packet; a packet its reader refuses changes nothing.
void dispatch(PacketType type, sf::Packet& packet, int senderIndex)
{
    Player& player = *game.players[senderIndex];
    const auto id = static_cast<int16_t>(player.playerId);
    const wire::MapArea area = loadedMapArea();
    switch (type) {
    case PacketType::PlayerX:
        if (const auto v = wire::readCoordinate(packet, area, wire::Axis::X)) {
            player.netTargetX = v->value;
            sendPlayerX(id, v->value);
        }
        break;
    case PacketType::PlayerY:
        if (const auto v = wire::readCoordinate(packet, area, wire::Axis::Y)) {
            player.netTargetY = v->value;
            sendPlayerY(id, v->value);
        }
        break;
    case PacketType::PlayerAngle:
        if (const auto v = wire::readFloatValue(packet)) {
            player.netTargetAngle = v->value * wireRadiansPerDegree;
            sendPlayerAngle(id, player.netTargetAngle);
        }
        break;
    case PacketType::PlayerSpeed:
        if (const auto v = wire::readFloatValue(packet)) {
            player.speed = v->value;
            sendPlayerSpeed(id, v->value);
        }
        break;
    case PacketType::PlayerNitro:
        if (const auto v = wire::readFlag(packet)) {
            player.nitroActive = v->value;
            sendPlayerNitro(id, v->value);
        }
        break;
    case PacketType::PlayerDisabled:
        if (const auto v = wire::readFlag(packet)) {
            player.disabledReceived = v->value;
            sendPlayerDisabled(id, v->value);
        }
        break;
    case PacketType::UseItem:
        if (const auto v = wire::readUseItem(packet))
            useItem(player, v->item);
        break;
    case PacketType::Leave:
        if (wire::readNoFields(packet)) {
            sendFields(PacketDestination::AllClients, PacketType::PlayerLeft, id, id);
            removeDisconnectedPlayer(id);
        }
        break;
    case PacketType::RespawnRequest:
        if (wire::readNoFields(packet))
            respawn(player);
        break;
    case PacketType::FireWeapon:
        if (const auto v = wire::readFireWeapon(packet, area)) {
            const float angle = v->angleDegrees * wireRadiansPerDegree;
            fireWeapon(v->weapon, &v->origin, &angle, id, v->targetId, -1, &v->inherited);
        }
        break;
    case PacketType::DebrisRequest:
        if (const auto v = wire::readDebris(packet, area))
            spawnDebris(&v->position, &v->velocity, &v->size, &v->maxSize, &v->colour, v->growthRate,
                        v->alphaScale, true);
        break;
    case PacketType::ChatRequest:
        if (const auto v = wire::readText(packet)) {
            printChatLine(senderIndex, v->text);
            sendFields(PacketDestination::AllClients, PacketType::ChatMessage, -1, id, v->text);
        }
        break;
    case PacketType::ClientPing:
        if (const auto v = wire::readFlag(packet)) {
            if (v->value)
                kv::printMessage("Received a ping from " + player.name);
            sendFields(id, PacketType::ServerPingReply, -1, v->value);
        }
        break;
    case PacketType::ClientPingReply:
        if (const auto v = wire::readFlag(packet); v && v->value)
            kv::printMessage("Received a ping reply from " + player.name);
        break;
    default:
        handleTextLine(type, packet);
    }
}

} // namespace

bool serverReceive()
{
    if (!netTransport)
        return true;
    // Kept between calls: an idle tick allocates nothing.
    static sf::Packet packet;
    for (int i = 0; i < maxPacketsPerReceive; ++i) {
        const std::optional<NetAddress> from = netTransport->receive(packet);
        if (!from)
            break;
        int32_t rawType = 0;
        if (!(packet >> rawType))
            continue;
        const auto type = static_cast<PacketType>(rawType);
        // A join is answered whole here; a refused one is no unknown sender to report.
        if (type == PacketType::ConnectRequest) {
            handleJoin(packet, *from);
            continue;
        }
        const int sender = findPlayerByAddress(*from);
        if (sender < 0) {
            reportUnknownSender(*from);
            continue;
        }
        peers[game.players[sender]->playerId].lastHeard = netClockSeconds();
        dispatch(type, packet, sender);
    }
    return true;
}

} // namespace tvl
