#pragma once
// The wire protocol of a network game: packet types, destinations, the send path, the relay
// builders and the packets a step's events make. Every datagram is one sf::Packet that opens
// with its i32 type, then the fields in the order of its builder, in sf::Packet's encoding:
// integers big-endian, floats as their four bytes in this machine's order, a string as a u32
// length and its bytes. The machine's role is netRole
// (world/GameState.h); what arrives is read by net/PacketReaders.h.
#include "net/PacketReaders.h"
#include "net/Transport.h"
#include "world/GameEvents.h"
#include "world/GameState.h"
#include "world/Items.h"

#include <SFML/Network/Packet.hpp>

#include <cstdint>

namespace tvl {

// The protocol's numbers, each with its direction and the fields after the type (the reader's
// struct of that name in net/PacketReaders.h, namespace wire).
enum class PacketType : int32_t {
    ServerShutdown = 1,       // to client: none
    ConnectRequest = 2,       // to server: ConnectRequest
    ConnectRefused = 3,       // to client: none
    ConnectAccepted = 4,      // to client: ConnectAccepted
    PlayerX = 5,              // to server: FloatValue (readCoordinate)
    PlayerY = 6,              // to server: FloatValue (readCoordinate)
    PlayerAngle = 7,          // to server: FloatValue (degrees)
    PlayerSpeed = 8,          // to server: FloatValue
    PlayerNitro = 9,          // to server: Flag
    PlayerDisabled = 10,      // to server: Flag
    UseItem = 11,             // to server: UseItem
    Leave = 14,               // to server: none
    RespawnRequest = 15,      // to server: none
    FireWeapon = 17,          // to server: FireWeapon
    DebrisRequest = 18,       // to server: Debris
    YourPlayerId = 19,        // to client: PlayerId
    SpawnLocalPlayer = 20,    // to client: Pose
    PlaySound = 21,           // to client: PlaySound
    ServerVersion = 22,       // to client: Text
    ExistingPlayer = 23,      // to client: PlayerInfo with netTag
    Kicked = 24,              // to client: Text
    WeaponFired = 25,         // to client: WeaponFired
    ProjectileRemoved = 26,   // to client: ObjectId
    DroneState = 27,          // to client: PlayerFlag
    PlayerHit = 28,           // to client: PlayerHit
    Debris = 29,              // to client: Debris
    RemotePlayerX = 30,       // to client: PlayerFloat (readPlayerCoordinate)
    RemotePlayerY = 31,       // to client: PlayerFloat (readPlayerCoordinate)
    RemotePlayerAngle = 32,   // to client: PlayerFloat (degrees)
    RemotePlayerSpeed = 33,   // to client: PlayerFloat
    RemotePlayerNitro = 34,   // to client: PlayerFlag
    RemotePlayerDisabled = 35, // to client: PlayerFlag
    PlayerUsedItem = 36,      // to client: PlayerItem
    PlayerValue = 37,         // to client: PlayerValue (netTag)
    PlayerLeft = 38,          // to client: PlayerId
    PlayerSpawned = 39,       // to client: PlayerPose
    PlayerJoined = 40,        // to client: PlayerInfo without netTag
    PlayerTokens = 41,        // to client: PlayerTokens
    DronePosition = 42,       // to client: PlayerPoint
    DroneAngle = 43,          // to client: PlayerFloat (degrees)
    TokenPosition = 44,       // to client: Point
    PickupAdded = 47,         // to client: PickupAdded
    PickupRemoved = 48,       // to client: ObjectId
    ItemPickedUp = 49,        // to client: ItemPickedUp
    ChatRequest = 50,         // to server: Text
    ChatMessage = 51,         // to client: ChatMessage
    ClientPing = 52,          // to server: Flag (want reply)
    ServerPingReply = 53,     // to client: Flag
    ServerPing = 54,          // to client: Flag (want reply)
    ClientPingReply = 55,     // to server: Flag
    TextLine = 56,            // either way: Text
};

// Destinations other than a player ID (0 and above).
namespace PacketDestination {
constexpr int Server = -1;
constexpr int AllClients = -2;
constexpr int Everyone = -3;
} // namespace PacketDestination

// The wire carries degrees; memory holds radians.
constexpr float wireDegreesPerRadian = 57.295776f;
constexpr float wireRadiansPerDegree = 0.017453292f;

// A client's server; cleared (no address) when there is none.
extern NetAddress serverAddress;

// Starts a packet with its type.
sf::Packet makePacket(PacketType type);

// The handshake, weapon and sound packets, with the fields their readers take.
sf::Packet makeConnectRequest(const wire::ConnectRequest& fields);
sf::Packet makeConnectAccepted(const wire::ConnectAccepted& fields);
sf::Packet makeFireWeapon(const wire::FireWeapon& fields);
sf::Packet makeWeaponFired(const wire::WeaponFired& fields);
sf::Packet makePlaySound(const wire::PlaySound& fields);

// Sends a built packet (type only names it in messages), skipping the player excludeId
// (-1: nobody). Every datagram goes through sendPacketWithRetries with 3 attempts.
// - Everyone: on a server as AllClients, otherwise to serverAddress.
// - Server: on a server only "Server attempted to send a packet to itself!"; otherwise to
//   serverAddress (nothing without a role: the address is cleared).
// - AllClients: on a server to every player in list order but the local one and excludeId;
//   without a local player the error "sendPacket: Cannnot resolve local server player" and
//   65535 stands for it. Elsewhere only "Client attempted to send a packet to all other clients".
// - A player ID: the first player with it; none has it: the error "Packet's destination player
//   ID is invalid <destination> (packet type <type>)".
// A player without an address (the server's own, computer players) is skipped silently.
void sendPacket(int destination, PacketType type, sf::Packet& packet, int16_t excludeId);

// Up to attempts sends to `to`, stopping at the first that goes out: true then. No address:
// false at once, silently. All failed: "Failed to send packet to <dotted ip> after <attempts>
// attempts". The send mutex is held across the attempts and the message.
bool sendPacketWithRetries(const NetAddress& to, sf::Packet& packet, int attempts);

// The index in game.players of the first player whose machine is `from` (peers), or -1.
int findPlayerByAddress(const NetAddress& from);

// Relays of one player's field to every client but that player's own (angles in radians).
void sendPlayerX(int16_t playerId, float x);                   // 30
void sendPlayerY(int16_t playerId, float y);                   // 31
void sendPlayerAngle(int16_t playerId, float radians);         // 32
void sendPlayerSpeed(int16_t playerId, float speed);           // 33
void sendPlayerNitro(int16_t playerId, bool active);           // 34
void sendPlayerDisabled(int16_t playerId, bool disabled);      // 35
void sendPlayerUsedItem(int16_t playerId, ItemType item);      // 36
void sendPlayerState(int16_t playerId, int32_t netTag);        // 37
// To every client, the player's own included.
void sendPlayerTokens(int16_t playerId, int16_t tokens);       // 41
void sendDronePosition(int16_t playerId, float x, float y);    // 42
void sendDroneAngle(int16_t playerId, float radians);          // 43
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
// - WeaponFired: a server sends 25 {type, id, x, y, degrees, inherited, owner, target} to every
//   client, a client 17 {type, x, y, degrees, inherited, target} to the server.
// - ProjectileRemoved (server): 26 {id} to every client. PlayerHit (server): 28 {type, vx, vy}
//   to the hit player.
// - Debris: a server sends 29, a client 18 {x, y, vx, vy, size x, y, maxSize x, y, r, g, b, a,
//   growthRate, alphaScale} to the server.
void sendEventPackets(const GameEventList& events);

} // namespace tvl
