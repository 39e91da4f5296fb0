#pragma once
// What the network's own files share beyond net/Network.h.
#include "net/PacketReaders.h"

#include <cstdint>

namespace tvl {

// netClockSeconds when the client last heard from its server.
extern double serverHeardAt;

// Where received positions may lie: the loaded map.
wire::MapArea loadedMapArea();

// The index in game.players of the first player with that ID, or -1.
int playerIndexOf(uint16_t playerId);

// Binds the game socket, non-blocking, to port (0: any free one) on any address and points
// netTransport at it; false when the port is taken. A new network game's keep-alive starts over.
bool bindGameSocket(uint16_t port);
// The bound port, 0 when unbound.
uint16_t gameSocketPort();

} // namespace tvl
