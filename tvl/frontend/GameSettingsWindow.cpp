#include "frontend/GameSettingsWindow.h"

#include "core/Messages.h"

namespace tvl {

void gameSettingsWindow()
{
    kv::printMessage("Game Settings: this window is not available yet.");
}

} // namespace tvl
