#include "world/ConsoleCommands.h"

#include "core/StringUtils.h"

namespace tvl {

// Only leaving the game is known so far.
int runConsoleCommand(const std::string& line)
{
    if (kv::equalsIgnoreCase(line, "exit") || kv::equalsIgnoreCase(line, "quit"))
        return consoleCommandExit;
    return consoleCommandUnknown;
}

} // namespace tvl
