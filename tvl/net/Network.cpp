#include "net/Network.h"

#include "core/Messages.h"
#include "world/Player.h"

namespace tvl {

std::unordered_map<uint16_t, PeerState> peers;

// No socket exists yet: a role can only come from a game that never connected.
bool networkTick()
{
    if (netRole == NoNetRole) {
        kv::printMessage("networkTick: Not connected");
        return false;
    }
    return true;
}

bool connectToServer(const NetAddress&) { return false; }

bool bindServerSocket(uint16_t) { return false; }

void shutdownNetwork()
{
    netRole = NoNetRole;
    peers.clear();
    clearPlayers();
}

} // namespace tvl
