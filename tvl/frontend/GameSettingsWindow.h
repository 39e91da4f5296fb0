#pragma once

namespace tvl {

// Runs the game settings window until it is closed.
void gameSettingsWindow();

} // namespace tvl
