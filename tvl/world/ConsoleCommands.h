#pragma once
// What the game loop asks of the console's command table. The table needs the network, which
// lies above the world: the program sets consoleCommandRunner at start-up (net/ConsoleCommandTable.h).
#include <string>

namespace tvl {

// What a command line reports to the game loop.
constexpr int consoleCommandEmpty = 0;   // the line has no words
constexpr int consoleCommandUnknown = 1; // no command or game variable of that name
constexpr int consoleCommandRan = 2;     // a command ran (also when it refused with a message)
constexpr int consoleCommandExit = 4;    // leave the game

// Runs one entered line and gives one of the results above; null: every line is unknown.
extern int (*consoleCommandRunner)(const std::string& line);

} // namespace tvl
