#include "world/ConsoleCommands.h"

#include "core/Messages.h"
#include "core/StringUtils.h"
#include "ui/Console.h"

namespace tvl {

namespace {

const char* const helpLines[] = {
    "exit - Exit to main menu",
    "gameInfo - Show game information",
    "chat - Send a multiplayer chat message",
    "about - Show version information",
    "fps - Toggle fps display",
    "kick - Kick a player by their player ID",
    "net - Multiplayer commands and utilities",
    "pbug - Toggle physics debug",
    "nitro - Refill nitro bar (singleplayer only)",
    "giveitem - Give items to player (singleplayer only)",
};

} // namespace

int runConsoleCommand(const std::string& line)
{
    kv::ConsoleTokens tokens;
    kv::Console::tokenize(tokens, line);
    if (tokens.words.empty())
        return consoleCommandEmpty;
    const std::string& command = tokens.words[0];
    auto is = [&](const char* name) { return kv::equalsIgnoreCase(command, name); };
    if (is("exit") || is("quit"))
        return consoleCommandExit;
    if (is("help") || is("?")) {
        kv::printMessage("Valid console commands...");
        for (const char* help : helpLines)
            kv::printMessage(help);
        return consoleCommandRan;
    }
    return consoleCommandUnknown;
}

} // namespace tvl
