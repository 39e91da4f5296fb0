#pragma once
// The game's console commands.
#include <string>

namespace tvl {

// What runConsoleCommand reports to the game loop.
constexpr int consoleCommandEmpty = 0;   // the line has no words
constexpr int consoleCommandUnknown = 1; // no command or game variable of that name
constexpr int consoleCommandRan = 2;     // a command ran (also when it refused with a message)
constexpr int consoleCommandExit = 4;    // leave the game

// Splits line into words (kv::Console::tokenize) and runs the command the first names,
// compared ignoring case.
int runConsoleCommand(const std::string& line);

} // namespace tvl
