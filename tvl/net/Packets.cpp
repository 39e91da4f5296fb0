#include "net/Packets.h"

#include "core/Hash.h"
#include "core/Messages.h"
#include "net/Network.h"
#include "world/Player.h"

#include <mutex>
#include <string>

namespace tvl {

Transport* netTransport = nullptr;
NetAddress serverAddress;

namespace {

// Held around each socket send, its retries and its failure line.
std::mutex sendMutex;

const NetAddress& addressOf(const Player& player)
{
    static const NetAddress none;
    const auto found = peers.find(player.playerId);
    return found == peers.end() ? none : found->second.address;
}

void sendToPlayer(const Player& player, sf::Packet& packet)
{
    sendPacketWithRetries(addressOf(player), packet, 3);
}

void sendToServer(sf::Packet& packet)
{
    sendPacketWithRetries(serverAddress, packet, 3);
}

void sendToAllClients(sf::Packet& packet, int16_t excludeId)
{
    const Player* local = localPlayer();
    uint16_t localId = 65535;
    if (local) {
        localId = local->playerId;
    } else {
        kv::printError("sendPacket: Cannnot resolve local server player");
    }
    for (const auto& player : game.players) {
        // -1 is compared as it came, so it never stands for the ID 65535.
        if (excludeId != -1 && player->playerId == static_cast<uint16_t>(excludeId))
            continue;
        if (player->playerId != localId)
            sendToPlayer(*player, packet);
    }
}

void writeColour(sf::Packet& packet, const sf::Color& colour)
{
    packet << colour.r << colour.g << colour.b;
}

void writeVector(sf::Packet& packet, const sf::Vector2f& v)
{
    packet << v.x << v.y;
}

// One packet of type with fields, to every client but exclude.
template <typename... Fields>
void relay(PacketType type, int16_t excludeId, const Fields&... fields)
{
    sf::Packet packet = makePacket(type);
    (packet << ... << fields);
    sendPacket(PacketDestination::AllClients, type, packet, excludeId);
}

} // namespace

sf::Packet makePacket(PacketType type)
{
    sf::Packet packet;
    packet << static_cast<int32_t>(type);
    return packet;
}

sf::Packet makeConnectRequest(const wire::ConnectRequest& fields)
{
    sf::Packet packet = makePacket(PacketType::ConnectRequest);
    packet << fields.name;
    writeColour(packet, fields.colour);
    return packet;
}

sf::Packet makeConnectAccepted(const wire::ConnectAccepted& fields)
{
    sf::Packet packet = makePacket(PacketType::ConnectAccepted);
    packet << fields.mapFile << fields.tokensCount << fields.skillLevel << fields.itemsDensity;
    return packet;
}

sf::Packet makeFireWeapon(const wire::FireWeapon& fields)
{
    sf::Packet packet = makePacket(PacketType::FireWeapon);
    packet << static_cast<int32_t>(fields.weapon);
    writeVector(packet, fields.origin);
    packet << fields.angleDegrees;
    writeVector(packet, fields.inherited);
    packet << fields.targetId;
    return packet;
}

sf::Packet makeWeaponFired(const wire::WeaponFired& fields)
{
    sf::Packet packet = makePacket(PacketType::WeaponFired);
    packet << static_cast<int32_t>(fields.weapon) << fields.projectileId;
    writeVector(packet, fields.origin);
    packet << fields.angleDegrees;
    writeVector(packet, fields.inherited);
    packet << static_cast<int16_t>(fields.ownerId) << fields.targetId;
    return packet;
}

sf::Packet makePlaySound(const wire::PlaySound& fields)
{
    sf::Packet packet = makePacket(PacketType::PlaySound);
    packet << fields.soundName;
    writeVector(packet, fields.position);
    packet << fields.voice << fields.volume << fields.pitch;
    return packet;
}

void sendPacket(int destination, PacketType type, sf::Packet& packet, int16_t excludeId)
{
    const bool server = netRole == ServerRole;
    switch (destination) {
    case PacketDestination::Everyone:
        if (server)
            sendToAllClients(packet, excludeId);
        else
            sendToServer(packet);
        return;
    case PacketDestination::Server:
        if (server)
            kv::printMessage("Server attempted to send a packet to itself!");
        else
            sendToServer(packet);
        return;
    case PacketDestination::AllClients:
        if (server)
            sendToAllClients(packet, excludeId);
        else
            kv::printMessage("Client attempted to send a packet to all other clients");
        return;
    default:
        for (const auto& player : game.players) {
            if (player->playerId == destination) {
                sendToPlayer(*player, packet);
                return;
            }
        }
        kv::printError("Packet's destination player ID is invalid " + std::to_string(destination) +
                       " (packet type " + std::to_string(static_cast<int32_t>(type)) + ")");
    }
}

bool sendPacketWithRetries(const NetAddress& to, sf::Packet& packet, int attempts)
{
    if (!to.address)
        return false;
    std::lock_guard<std::mutex> lock(sendMutex);
    for (int i = 0; i < attempts; ++i) {
        if (netTransport &&
            netTransport->send(packet.getData(), packet.getDataSize(), *to.address, to.port) == sf::Socket::Done)
            return true;
    }
    kv::printMessage("Failed to send packet to " + to.address->toString() + " after " +
                     std::to_string(attempts) + " attempts");
    return false;
}

int findPlayerByAddress(const NetAddress& from)
{
    for (std::size_t i = 0; i < game.players.size(); ++i)
        if (addressOf(*game.players[i]) == from)
            return static_cast<int>(i);
    return -1;
}

void sendPlayerX(int16_t playerId, float x)
{
    relay(PacketType::RemotePlayerX, playerId, playerId, x);
}

void sendPlayerY(int16_t playerId, float y)
{
    relay(PacketType::RemotePlayerY, playerId, playerId, y);
}

void sendPlayerAngle(int16_t playerId, float radians)
{
    relay(PacketType::RemotePlayerAngle, playerId, playerId, radians * wireDegreesPerRadian);
}

void sendPlayerSpeed(int16_t playerId, float speed)
{
    relay(PacketType::RemotePlayerSpeed, playerId, playerId, speed);
}

void sendPlayerNitro(int16_t playerId, bool active)
{
    relay(PacketType::RemotePlayerNitro, playerId, playerId, active);
}

void sendPlayerDisabled(int16_t playerId, bool disabled)
{
    relay(PacketType::RemotePlayerDisabled, playerId, playerId, disabled);
}

void sendPlayerUsedItem(int16_t playerId, ItemType item)
{
    relay(PacketType::PlayerUsedItem, playerId, playerId, static_cast<int32_t>(item));
}

void sendPlayerState(int16_t playerId, int32_t netTag)
{
    relay(PacketType::PlayerValue, playerId, playerId, netTag);
}

void sendPlayerTokens(int16_t playerId, int16_t tokens)
{
    relay(PacketType::PlayerTokens, -1, playerId, tokens);
}

void sendDronePosition(int16_t playerId, float x, float y)
{
    relay(PacketType::DronePosition, -1, playerId, x, y);
}

void sendDroneAngle(int16_t playerId, float radians)
{
    relay(PacketType::DroneAngle, -1, playerId, radians * wireDegreesPerRadian);
}

void sendPickupAdded(int destination, int32_t id, float x, float y, int32_t type)
{
    sf::Packet packet = makePacket(PacketType::PickupAdded);
    packet << id << x << y << type;
    sendPacket(destination, PacketType::PickupAdded, packet, -1);
}

namespace {

void sendToEveryClient(PacketType type, sf::Packet& packet)
{
    sendPacket(PacketDestination::AllClients, type, packet, -1);
}

sf::Packet soundPacket(uint32_t soundName, float x, float y)
{
    return makePlaySound({soundName, {x, y}, std::string(), 1.0f, 1.0f});
}

void sendEventPacket(const GameEvent& event)
{
    // The checks are those of the machine that reported them: some ask only for the role.
    const bool server = netRole == ServerRole;
    const bool multiplayer = game.gameType == MultiplayerGame;
    const int16_t playerId = static_cast<int16_t>(event.playerId);
    switch (event.type) {
    case GameEventType::Sound:
        if (server && event.soundName != 0) {
            sf::Packet packet = soundPacket(event.soundName, event.x, event.y);
            sendToEveryClient(PacketType::PlaySound, packet);
        }
        break;
    case GameEventType::NitroSound:
        break;
    case GameEventType::ItemUsed:
        if (!multiplayer)
            break;
        if (server) {
            sendPlayerUsedItem(playerId, static_cast<ItemType>(event.item));
        } else {
            sf::Packet packet = makePacket(PacketType::UseItem);
            packet << event.item;
            sendPacket(PacketDestination::Server, PacketType::UseItem, packet, -1);
        }
        break;
    case GameEventType::PickupAdded:
        if (multiplayer && server)
            sendPickupAdded(PacketDestination::AllClients, event.pickupId, event.x, event.y, event.item);
        break;
    case GameEventType::PickupTaken: {
        if (!multiplayer)
            break;
        sf::Packet packet = makePacket(PacketType::ItemPickedUp);
        packet << playerId << event.pickupId;
        sendToEveryClient(PacketType::ItemPickedUp, packet);
        break;
    }
    case GameEventType::PickupRemoved:
        if (multiplayer && server) {
            sf::Packet packet = makePacket(PacketType::PickupRemoved);
            packet << event.pickupId;
            sendToEveryClient(PacketType::PickupRemoved, packet);
        }
        break;
    case GameEventType::TokenTaken: {
        if (!multiplayer)
            break;
        sendPlayerTokens(playerId, static_cast<int16_t>(event.count));
        static const uint32_t upHash = kv::hashName("up");
        for (const auto& other : game.players) {
            if (isLocallyControlled(other->playerId))
                continue;
            sf::Packet packet = soundPacket(upHash, event.x, event.y);
            sendPacket(other->playerId, PacketType::PlaySound, packet, -1);
        }
        break;
    }
    case GameEventType::TokenMoved:
        if (multiplayer && server) {
            sf::Packet packet = makePacket(PacketType::TokenPosition);
            packet << event.x << event.y;
            sendToEveryClient(PacketType::TokenPosition, packet);
        }
        break;
    case GameEventType::WeaponFired: {
        if (!multiplayer)
            break;
        const sf::Vector2f origin(event.x, event.y), inherited(event.vx, event.vy);
        const auto weapon = static_cast<WeaponType>(event.item);
        const float degrees = event.angle * wireDegreesPerRadian;
        if (server) {
            sf::Packet packet = makeWeaponFired(
                {weapon, event.projectileId, origin, degrees, inherited, event.playerId, event.targetId});
            sendToEveryClient(PacketType::WeaponFired, packet);
        } else {
            sf::Packet packet = makeFireWeapon({weapon, origin, degrees, inherited, event.targetId});
            sendPacket(PacketDestination::Server, PacketType::FireWeapon, packet, -1);
        }
        break;
    }
    case GameEventType::ProjectileRemoved:
        if (multiplayer && server) {
            sf::Packet packet = makePacket(PacketType::ProjectileRemoved);
            packet << event.projectileId;
            sendToEveryClient(PacketType::ProjectileRemoved, packet);
        }
        break;
    case GameEventType::PlayerHit:
        if (multiplayer && server) {
            sf::Packet packet = makePacket(PacketType::PlayerHit);
            packet << event.item << event.vx << event.vy;
            sendPacket(event.playerId, PacketType::PlayerHit, packet, -1);
        }
        break;
    case GameEventType::Debris: {
        if (!multiplayer)
            break;
        // A server tells every client what it made; a client asks the server to make it.
        const PacketType type = server ? PacketType::Debris : PacketType::DebrisRequest;
        sf::Packet packet = makePacket(type);
        const sf::Color& c = event.debrisColour;
        packet << event.x << event.y << event.vx << event.vy << event.debrisSize.x << event.debrisSize.y
               << event.debrisMaxSize.x << event.debrisMaxSize.y << c.r << c.g << c.b << c.a
               << event.debrisGrowthRate << event.debrisAlphaScale;
        sendPacket(server ? PacketDestination::AllClients : PacketDestination::Server, type, packet, -1);
        break;
    }
    case GameEventType::DroneState:
        if (server) {
            sf::Packet packet = makePacket(PacketType::DroneState);
            packet << playerId << event.active;
            sendToEveryClient(PacketType::DroneState, packet);
        }
        break;
    }
}

} // namespace

void sendEventPackets(const GameEventList& events)
{
    for (const GameEvent& event : events)
        sendEventPacket(event);
}

} // namespace tvl
