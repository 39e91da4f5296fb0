#pragma once

namespace tvl {

// Runs the server list and join window until it is closed.
void newClientNetworkGame();

} // namespace tvl
