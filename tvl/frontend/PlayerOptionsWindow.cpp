#include "frontend/PlayerOptionsWindow.h"

#include "core/Messages.h"

namespace tvl {

void playerOptionsWindow()
{
    kv::printMessage("Player Options: this window is not available yet.");
}

} // namespace tvl
