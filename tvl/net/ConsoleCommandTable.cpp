#include "net/ConsoleCommandTable.h"

#include "core/Framework.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/StringUtils.h"
#include "net/Network.h"
#include "net/Packets.h"
#include "ui/Console.h"
#include "world/GameSession.h"
#include "world/GameState.h"
#include "world/Items.h"
#include "world/Player.h"

#include <SFML/Config.hpp>

#include <cstdint>
#include <vector>

namespace tvl {

namespace {

using Words = std::vector<std::string>;

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

const char* const syntaxLine = "The syntax for this command is...";
const char* const notInSinglePlayer = "This command is not available in single player";
const char* const notInMultiplayer = "This command is not available in mutiplayer";
const char* const noLocalPlayer = "Local player not found";

void print(const std::string& text)
{
    kv::printMessage(text);
}

template <std::size_t N>
void printSyntax(const char* const (&lines)[N])
{
    print(syntaxLine);
    for (const char* line : lines)
        print(line);
}

bool is(const std::string& word, const char* name)
{
    return kv::equalsIgnoreCase(word, name);
}

void gameInfo()
{
    switch (game.gameType) {
    case NoGame: print("None"); break;
    case SinglePlayerGame: print("Single player"); break;
    case MultiplayerGame: print("Multiplayer"); break;
    default: print("Unknown game type " + std::to_string(game.gameType));
    }
    print("gameType = " + std::to_string(game.gameType));
    print("hasAuthority= " + std::to_string(simulatesGame() ? 1 : 0));
    print("server = " + std::to_string(netRole == ServerRole ? 1 : 0));
}

void say(const Words& words)
{
    static const char* const syntax[] = {"say MESSAGE (in quotes)", "For example: say \"Hello all!\""};
    if (game.gameType != MultiplayerGame) {
        print(notInSinglePlayer);
    } else if (words.size() != 2) {
        printSyntax(syntax);
    } else {
        sf::Packet packet = makePacket(PacketType::TextLine);
        packet << words[1];
        sendPacket(PacketDestination::Everyone, PacketType::TextLine, packet, -1);
    }
}

void about()
{
    print(kv::getAppNameAndVersion() + " (built: " + __DATE__ + ", " + __TIME__ + " UK time)");
    print("Built on the KVUI3 framework");
    print(kv::formatString("SFML v%d.%d.%d", SFML_VERSION_MAJOR, SFML_VERSION_MINOR, SFML_VERSION_PATCH));
}

void toggleFps()
{
    kv::showFPS = !kv::showFPS;
    kv::settings.displayFPS = kv::showFPS;
    print(kv::showFPS ? "Enabled FPS display" : "Disabled FPS display");
}

void kick(const Words& words)
{
    static const char* const syntax[] = {"kick <player ID>", "Use net info to list all players and IDs"};
    if (words.size() != 2) {
        printSyntax(syntax);
        return;
    }
    if (netRole != ServerRole) {
        print("This command can only be used by the server");
        return;
    }
    if (game.gameType != MultiplayerGame) {
        print(notInSinglePlayer);
        return;
    }
    // The whole number is checked before it is narrowed: 65537 is no player 1.
    const int id = kv::stringToInt(words[1]);
    if (id < 0 || id > UINT16_MAX || !findPlayer(static_cast<uint16_t>(id))) {
        print("No such player");
        return;
    }
    const auto playerId = static_cast<uint16_t>(id);
    if (isLocallyControlled(playerId)) {
        print("You cannot kick the server!");
        return;
    }
    kickPlayer(static_cast<int16_t>(playerId), "Kicked via command console");
}

// The list index of the first player with that ID; -1 when none has it.
int playerIndexOf(int id)
{
    for (std::size_t i = 0; i < game.players.size(); ++i)
        if (game.players[i]->playerId == id)
            return static_cast<int>(i);
    return -1;
}

void net(const Words& words)
{
    static const char* const syntax[] = {
        "net info (shows network and players info)",
        "net ping (pings the server)",
        "net id (displays this machine's player id)",
        "net ResolvePlayerId <ID> (resolves a player number for the specified ID)",
    };
    const std::string sub = words.size() >= 2 ? words[1] : std::string();
    if (is(sub, "info")) {
        printNetworkInfo();
    } else if (is(sub, "ping")) {
        if (netRole == ServerRole) {
            print("Cannot ping server because this machine is the server");
        } else {
            print("Sending ping message to server");
            sf::Packet packet = makePacket(PacketType::ClientPing);
            packet << true;
            sendPacket(PacketDestination::Server, PacketType::ClientPing, packet, -1);
        }
    } else if (is(sub, "id")) {
        const Player* local = localPlayer();
        print(local ? "Local player ID: " + std::to_string(local->playerId) : noLocalPlayer);
    } else if (is(sub, "ResolvePlayerId")) {
        const int id = words.size() >= 3 ? kv::stringToInt(words[2]) : 0;
        print("Player ID " + std::to_string(id) + " resolved to player number: " + std::to_string(playerIndexOf(id)));
    } else {
        printSyntax(syntax);
    }
}

void togglePhysicsDebug()
{
    session.physicsDebug = !session.physicsDebug;
    print(session.physicsDebug ? "Enabled physics debug" : "Disabled physics debug");
}

void nitro()
{
    if (game.gameType != SinglePlayerGame) {
        print(notInMultiplayer);
        return;
    }
    if (Player* local = localPlayer()) {
        local->nitroSeconds = 5.0f;
        print("Filled nitro");
    }
}

void giveItem(const Words& words)
{
    static const char* const syntax[] = {
        "giveitem all - gives all items",
        "giveitem <ITEM> - gives 1 of the specified item",
        "giveitem <ITEM> <COUNT> - gives <COUNT> of the specified item",
    };
    if (game.gameType != SinglePlayerGame) {
        print(notInMultiplayer);
        return;
    }
    Player* local = localPlayer();
    if (!local) {
        print(noLocalPlayer);
        return;
    }
    if (words.size() < 2) {
        printSyntax(syntax);
        return;
    }
    if (is(words[1], "all")) {
        for (int type = 0; type < itemTypeCount; ++type) {
            ++local->itemCounts[type];
            local->currentItem = type;
        }
        print("Issued all items to " + local->name);
        return;
    }
    for (int type = 0; type < itemTypeCount; ++type) {
        const std::string name = itemName(static_cast<ItemType>(type));
        if (!kv::equalsIgnoreCase(words[1], name))
            continue;
        const int count = words.size() >= 3 ? kv::stringToInt(words[2]) : 1;
        local->itemCounts[type] += count;
        local->currentItem = type;
        print("Issued " + std::to_string(count) + "x " + name + " to " + local->name);
        return;
    }
    kv::printError("Item " + words[1] + " not found");
}

} // namespace

int runConsoleCommand(const std::string& line)
{
    kv::ConsoleTokens tokens;
    kv::Console::tokenize(tokens, line);
    const Words& words = tokens.words;
    if (words.empty())
        return consoleCommandEmpty;
    const std::string& command = words[0];
    if (is(command, "exit") || is(command, "quit"))
        return consoleCommandExit;
    if (is(command, "help") || is(command, "?")) {
        print("Valid console commands...");
        for (const char* help : helpLines)
            print(help);
    } else if (is(command, "gameInfo")) {
        gameInfo();
    } else if (is(command, "chat") || is(command, "say")) {
        say(words);
    } else if (is(command, "about") || is(command, "ver")) {
        about();
    } else if (is(command, "fps")) {
        toggleFps();
    } else if (is(command, "kick")) {
        kick(words);
    } else if (is(command, "net")) {
        net(words);
    } else if (is(command, "pbug")) {
        togglePhysicsDebug();
    } else if (is(command, "nitro")) {
        nitro();
    } else if (is(command, "giveitem")) {
        giveItem(words);
    } else {
        return consoleCommandUnknown;
    }
    return consoleCommandRan;
}

} // namespace tvl
