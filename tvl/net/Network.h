#pragma once
// The network game's per-tick service and its end. The role is netRole (Packets.h).
namespace tvl {

// Once per tick of a network game; false when the network game has ended (the caller then
// ends the game). Without a role: "networkTick: Not connected" and false.
bool networkTick();

// Ends the network game: role None, and the player list emptied (each body destroyed
// before its player goes).
void shutdownNetwork();

} // namespace tvl
