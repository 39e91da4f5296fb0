#pragma once
// The network game's per-tick service, its end, and what this machine knows of each other
// machine. The role is netRole (world/GameState.h).
#include "net/Packets.h"

#include <SFML/System/Clock.hpp>

#include <cstdint>
#include <unordered_map>

namespace tvl {

// What this machine last sent about a player and heard from its machine.
struct PeerState {
    NetAddress address;
    uint32_t lastSentNetTag = 0;
    float lastSentX = 0.0f, lastSentY = 0.0f, lastSentAngle = 0.0f;
    float lastSentSpeed = 0.0f;
    bool lastSentNitro = false;
    bool lastSentDisabled = false;
    float lastSentDroneX = 0.0f, lastSentDroneY = 0.0f, lastSentDroneAngle = 0.0f;
    sf::Clock lastHeard; // on a server: time since this player was last heard from
};
// By player ID.
extern std::unordered_map<uint16_t, PeerState> peers;

// Once per tick of a network game; false when the network game has ended (the caller then
// ends the game). Without a role: "networkTick: Not connected" and false.
bool networkTick();

// Joins the server and plays its game; true when a game was played.
bool connectToServer(const NetAddress& server);

// Opens this machine's socket on port (any local address, non-blocking) for a server; false
// when the port cannot be taken.
bool bindServerSocket(uint16_t port);

// Ends the network game: role None, the peers forgotten and the player list emptied (each
// body destroyed before its player goes).
void shutdownNetwork();

} // namespace tvl
