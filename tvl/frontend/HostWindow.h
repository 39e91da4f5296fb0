#pragma once
// The host-server window: a map, the player limit and the game settings, then Launch starts a
// network game with this machine as its server.
#include "net/Network.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tvl {

struct MapListEntry;

// Runs the window until Cancel (Escape) or Launch (Enter), then, after Launch, the game.
// Needs ImGui; without it nothing opens.
void hostServerWindow();

// Launch up to the game: serverMap = mapFile (kept even when the rest fails), the server
// address cleared, and this machine's socket bound to localServerPort through bind. A port
// outside 1..65535 or a failed bind gives the error "Failed to start server on UDP port <port>",
// the role unchanged and false; otherwise "Local server listening on UDP port <port>", the role
// Server and true.
bool startServer(const std::string& mapFile, bool (*bind)(uint16_t) = bindServerSocket);

// The entry whose map file is mapFile, else 0 (also for an empty list).
int findMapIndex(const std::vector<MapListEntry>& maps, const std::string& mapFile);

} // namespace tvl
