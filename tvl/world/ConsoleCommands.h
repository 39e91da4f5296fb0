#pragma once
// The game's console commands.
#include <string>

namespace tvl {

// What runConsoleCommand reports to the game loop.
constexpr int consoleCommandRan = 0;
constexpr int consoleCommandUnknown = 1; // no command or game variable of that name
constexpr int consoleCommandExit = 4;    // leave the game

// Splits line into words and runs the command it names.
int runConsoleCommand(const std::string& line);

} // namespace tvl
