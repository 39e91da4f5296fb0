#include "world/ConsoleCommands.h"

namespace tvl {

int (*consoleCommandRunner)(const std::string& line) = nullptr;

} // namespace tvl
