#pragma once

namespace tvl {

// Runs the host-server window until it is closed.
void hostServerWindow();

} // namespace tvl
