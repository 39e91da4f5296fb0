#pragma once

namespace tvl {

// Runs the player options window until it is closed.
void playerOptionsWindow();

} // namespace tvl
