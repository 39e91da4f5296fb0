#include "net/Network.h"

#include "core/Messages.h"
#include "net/Packets.h"
#include "world/Player.h"

namespace tvl {

// No socket exists yet: a role can only come from a game that never connected.
bool networkTick()
{
    if (netRole == NoNetRole) {
        kv::printMessage("networkTick: Not connected");
        return false;
    }
    return true;
}

void shutdownNetwork()
{
    netRole = NoNetRole;
    clearPlayers();
}

} // namespace tvl
