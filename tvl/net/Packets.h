#pragma once
// The wire protocol of a network game: addresses, packet types, destinations, the send path
// and the packets a step's events make. Every datagram is one sf::Packet that opens with its
// i32 type. The machine's role is netRole (world/GameState.h).
#include "world/GameEvents.h"
#include "world/GameState.h"
#include "world/Items.h"

#include <SFML/Network/IpAddress.hpp>
#include <SFML/Network/Packet.hpp>

#include <cstdint>
#include <optional>

namespace tvl {

// The machine a player is driven from; no address for the server's own player and for
// computer players.
struct NetAddress {
    std::optional<sf::IpAddress> address;
    uint16_t port = 0;
};

enum class PacketType : int32_t {
    UseItem = 11,
    PlaySound = 21,
    DroneState = 27,
    PlayerUsedItem = 36,
    PlayerTokens = 41,
    TokenPosition = 44,
    PickupAdded = 47,
    PickupRemoved = 48,
    ItemPickedUp = 49,
};

// Destinations other than a player ID (0 and above).
namespace PacketDestination {
constexpr int Server = -1;
constexpr int AllClients = -2;
constexpr int Everyone = -3;
} // namespace PacketDestination

// Starts a packet with its type.
sf::Packet makePacket(PacketType type);

// Sends a built packet to destination, skipping the player excludeId (-1: nobody).
void sendPacket(int destination, PacketType type, sf::Packet& packet, int16_t excludeId);

// 36 {id, item} to every client but that player's own.
void sendPlayerUsedItem(int16_t playerId, ItemType item);
// 41 {id, tokens} to every client.
void sendPlayerTokens(int16_t playerId, int16_t tokens);
// 47 {id, x, y, type} to destination.
void sendPickupAdded(int destination, int32_t id, float x, float y, int32_t type);

// The packets of a step's events, in their order. Sound and DroneState ask only for the
// server role; everything else needs a multiplayer game too.
// - Sound with a soundName, on a server: 21 {name, x, y, "", 1, 1} to every client.
// - ItemUsed: a server sends 36, a client 11 {item} to the server.
// - PickupAdded (server): 47 to every client. PickupTaken: 49 {id, pickup} to every client.
//   PickupRemoved (server): 48 {pickup} to every client.
// - TokenTaken: 41, then 21 {"up", x, y, "", 1, 1} to each player this machine does not
//   control. TokenMoved (server): 44 {x, y} to every client.
// - DroneState, on a server: 27 {id, active} to every client.
void sendEventPackets(const GameEventList& events);

} // namespace tvl
