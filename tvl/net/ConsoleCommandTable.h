#pragma once
// The game's console commands: help, exit, gameInfo, chat, about, fps, kick, net, pbug, nitro
// and giveitem, in single-player and network games. Every reply is a message line.
#include "world/ConsoleCommands.h"

#include <string>

namespace tvl {

// Splits line into words (kv::Console::tokenize) and runs the command the first names,
// compared ignoring case; gives one of the consoleCommand* results. A refusal is a message
// line and consoleCommandRan; nothing but exit and quit ends the game.
int runConsoleCommand(const std::string& line);

} // namespace tvl
