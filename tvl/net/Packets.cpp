#include "net/Packets.h"

#include "core/Hash.h"
#include "world/Player.h"

#include <string>

namespace tvl {

sf::Packet makePacket(PacketType type)
{
    sf::Packet packet;
    packet << static_cast<int32_t>(type);
    return packet;
}

// Nothing leaves this machine until the game socket exists.
void sendPacket(int, PacketType, sf::Packet&, int16_t) {}

void sendPlayerUsedItem(int16_t playerId, ItemType item)
{
    sf::Packet packet = makePacket(PacketType::PlayerUsedItem);
    packet << playerId << static_cast<int32_t>(item);
    sendPacket(PacketDestination::AllClients, PacketType::PlayerUsedItem, packet, playerId);
}

void sendPlayerTokens(int16_t playerId, int16_t tokens)
{
    sf::Packet packet = makePacket(PacketType::PlayerTokens);
    packet << playerId << tokens;
    sendPacket(PacketDestination::AllClients, PacketType::PlayerTokens, packet, -1);
}

void sendPickupAdded(int destination, int32_t id, float x, float y, int32_t type)
{
    sf::Packet packet = makePacket(PacketType::PickupAdded);
    packet << id << x << y << type;
    sendPacket(destination, PacketType::PickupAdded, packet, -1);
}

namespace {

void sendToAllClients(PacketType type, sf::Packet& packet)
{
    sendPacket(PacketDestination::AllClients, type, packet, -1);
}

sf::Packet soundPacket(uint32_t soundName, float x, float y)
{
    sf::Packet packet = makePacket(PacketType::PlaySound);
    packet << soundName << x << y << std::string() << 1.0f << 1.0f;
    return packet;
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
            sendToAllClients(PacketType::PlaySound, packet);
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
        sendToAllClients(PacketType::ItemPickedUp, packet);
        break;
    }
    case GameEventType::PickupRemoved:
        if (multiplayer && server) {
            sf::Packet packet = makePacket(PacketType::PickupRemoved);
            packet << event.pickupId;
            sendToAllClients(PacketType::PickupRemoved, packet);
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
            sendToAllClients(PacketType::TokenPosition, packet);
        }
        break;
    case GameEventType::DroneState:
        if (server) {
            sf::Packet packet = makePacket(PacketType::DroneState);
            packet << playerId << event.active;
            sendToAllClients(PacketType::DroneState, packet);
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
