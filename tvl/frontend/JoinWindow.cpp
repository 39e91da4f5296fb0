#include "frontend/JoinWindow.h"

#include "core/Messages.h"

namespace tvl {

void newClientNetworkGame()
{
    kv::printMessage("Connect to Server: this window is not available yet.");
}

} // namespace tvl
