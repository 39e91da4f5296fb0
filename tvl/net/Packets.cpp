#include "net/Packets.h"

namespace tvl {

int32_t netRole = NoNetRole;

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

} // namespace tvl
