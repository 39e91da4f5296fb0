#pragma once

namespace tvl {

// The program: identity, framework start-up, settings and assets, the main menu scene and
// the main loop, then the shutdown in order. Returns the process exit code.
int programMain();

} // namespace tvl
