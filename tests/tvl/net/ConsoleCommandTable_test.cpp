#include "net/ConsoleCommandTable.h"

#include "core/Framework.h"
#include "core/Settings.h"
#include "net/PacketReaders.h"
#include "tvl/net/NetFixture.h"
#include "world/Items.h"

#include <SFML/Config.hpp>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using nettest::NetTest;
using Lines = std::vector<std::string>;
using tvl::PacketType;

TEST(ConsoleCommands, ResultNamesWhatTheLineAsked)
{
    const struct {
        std::string line;
        int result;
    } cases[] = {
        {"", tvl::consoleCommandEmpty},
        {" \t ", tvl::consoleCommandEmpty},
        {"\"\"", tvl::consoleCommandEmpty},
        {"help", tvl::consoleCommandRan},
        {"HELP", tvl::consoleCommandRan},
        {"Help extra words", tvl::consoleCommandRan},
        {"?", tvl::consoleCommandRan},
        {"exit", tvl::consoleCommandExit},
        {"QUIT", tvl::consoleCommandExit},
        {"\"exit\"", tvl::consoleCommandExit},
        {"exits", tvl::consoleCommandUnknown},
        {"bogus 1 2", tvl::consoleCommandUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tvl::runConsoleCommand(c.line), c.result) << c.line;
}

enum class Machine { single, server, client };

class ConsoleCommandTable : public NetTest {
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        kv::showFPS = false;
        kv::settings.displayFPS = false;
    }
    void TearDown() override
    {
        kv::showFPS = false;
        kv::settings.displayFPS = false;
        NetTest::TearDown();
    }

    // Single player: the local "Me" (ID 1) and a computer player (ID 2). Server: its own "Host"
    // (ID 1) and client P2 (port 2002). Client: its own "Me" (ID 3) of the server at port 2000.
    void become(Machine machine)
    {
        gametest::resetGameState();
        tvl::peers.clear();
        tvl::serverAddress = tvl::NetAddress{};
        transport.sent.clear();
        if (machine == Machine::single) {
            addPlayer(1, 0, "Me");
            addPlayer(2, 0, "Bot");
            tvl::game.localPlayerIndex = 0;
            return;
        }
        tvl::game.gameType = tvl::MultiplayerGame;
        if (machine == Machine::server)
            hostWith(1);
        else
            joinAs(3);
    }

    // The lines the command printed (without a window they go to the log, stamped "hh:mm:ss: ").
    Lines run(const std::string& line, int& result)
    {
        const std::string log = logOf([&] { result = tvl::runConsoleCommand(line); });
        Lines lines;
        std::istringstream in(log);
        for (std::string text; std::getline(in, text);)
            lines.push_back(text.size() >= 10 ? text.substr(10) : text);
        return lines;
    }
};

const Lines helpReply = {
    "Valid console commands...",
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
const Lines saySyntax = {"The syntax for this command is...", "say MESSAGE (in quotes)",
                         "For example: say \"Hello all!\""};
const Lines kickSyntax = {"The syntax for this command is...", "kick <player ID>",
                          "Use net info to list all players and IDs"};
const Lines netSyntax = {"The syntax for this command is...", "net info (shows network and players info)",
                         "net ping (pings the server)", "net id (displays this machine's player id)",
                         "net ResolvePlayerId <ID> (resolves a player number for the specified ID)"};
const Lines giveSyntax = {"The syntax for this command is...", "giveitem all - gives all items",
                          "giveitem <ITEM> - gives 1 of the specified item",
                          "giveitem <ITEM> <COUNT> - gives <COUNT> of the specified item"};
const std::string notInSingle = "This command is not available in single player";
const std::string notInMulti = "This command is not available in mutiplayer";

TEST_F(ConsoleCommandTable, EachCommandRepliesToGoodAndBadArguments)
{
    const std::string sfml =
        "SFML v" + std::to_string(SFML_VERSION_MAJOR) + "." + std::to_string(SFML_VERSION_MINOR) + "." +
        std::to_string(SFML_VERSION_PATCH);
    const struct {
        Machine machine;
        std::string line;
        int result;
        Lines reply;
        std::vector<PacketType> sent;
    } cases[] = {
        {Machine::single, "", 0, {}, {}},
        {Machine::single, "HELP", 2, helpReply, {}},
        {Machine::server, "?", 2, helpReply, {}},
        {Machine::single, "bogus", 1, {}, {}},
        {Machine::client, "Quit", 4, {}, {}},
        {Machine::single, "gameInfo", 2, {"Single player", "gameType = 1", "hasAuthority= 1", "server = 0"}, {}},
        {Machine::server, "GAMEINFO", 2, {"Multiplayer", "gameType = 2", "hasAuthority= 1", "server = 1"}, {}},
        {Machine::client, "gameinfo", 2, {"Multiplayer", "gameType = 2", "hasAuthority= 0", "server = 0"}, {}},
        {Machine::single, "say \"hi there\"", 2, {notInSingle}, {}},
        {Machine::client, "say a b", 2, saySyntax, {}},
        {Machine::client, "chat", 2, saySyntax, {}},
        {Machine::client, "say \"a b\"", 2, {}, {PacketType::TextLine}},
        {Machine::server, "chat \"a b\"", 2, {}, {PacketType::TextLine}},
        {Machine::single, "fps", 2, {"Enabled FPS display"}, {}},
        {Machine::single, "pbug", 2, {"Enabled physics debug"}, {}},
        {Machine::single, "kick", 2, kickSyntax, {}},
        {Machine::single, "kick 2", 2, {"This command can only be used by the server"}, {}},
        {Machine::client, "kick 1", 2, {"This command can only be used by the server"}, {}},
        {Machine::server, "kick 2 now", 2, kickSyntax, {}},
        {Machine::server, "kick 0", 2, {"No such player"}, {}},
        {Machine::server, "kick 65537", 2, {"No such player"}, {}}, // not player 1 once narrowed
        {Machine::server, "kick -2", 2, {"No such player"}, {}},
        {Machine::server, "kick x", 2, {"No such player"}, {}},
        {Machine::server, "kick 1", 2, {"You cannot kick the server!"}, {}},
        // Without a window a network event reaches the log twice (as a message and as itself).
        {Machine::server,
         "kick 2",
         2,
         {"P2 was kicked for Kicked via command console", "P2 was kicked for Kicked via command console",
          "P2 has left the game", "P2 has left the game"},
         {PacketType::Kicked}},
        {Machine::single, "net", 2, netSyntax, {}},
        {Machine::server, "net bogus", 2, netSyntax, {}},
        {Machine::single, "net info", 2, {"Network is not connected"}, {}},
        {Machine::server, "NET INFO", 2, {"Network Information", "Server: True", "NumPlayers: 2", "Player ID 1: Host",
                                         "Player ID 2: P2"}, {}},
        {Machine::server, "net ping", 2, {"Cannot ping server because this machine is the server"}, {}},
        {Machine::client, "net ping", 2, {"Sending ping message to server"}, {PacketType::ClientPing}},
        {Machine::client, "net id", 2, {"Local player ID: 3"}, {}},
        {Machine::server, "net ResolvePlayerId 2", 2, {"Player ID 2 resolved to player number: 1"}, {}},
        {Machine::server, "net resolveplayerid 9", 2, {"Player ID 9 resolved to player number: -1"}, {}},
        {Machine::server, "net ResolvePlayerId", 2, {"Player ID 0 resolved to player number: -1"}, {}},
        {Machine::single, "nitro", 2, {"Filled nitro"}, {}},
        {Machine::client, "nitro", 2, {notInMulti}, {}},
        {Machine::server, "giveitem bomb", 2, {notInMulti}, {}},
        {Machine::single, "giveitem", 2, giveSyntax, {}},
        {Machine::single, "giveitem all", 2, {"Issued all items to Me"}, {}},
        {Machine::single, "giveitem \"time warp\" 3", 2, {"Issued 3x Time Warp to Me"}, {}},
        {Machine::single, "giveitem bomb x", 2, {"Issued 0x Bomb to Me"}, {}},
        {Machine::single, "GiveItem emp", 2, {"Issued 1x EMP to Me"}, {}},
        {Machine::single, "giveitem time warp", 2, {"Error: Item time not found"}, {}},
    };
    for (const auto& c : cases) {
        become(c.machine);
        int result = -1;
        const Lines reply = run(c.line, result);
        EXPECT_EQ(result, c.result) << c.line;
        EXPECT_EQ(reply, c.reply) << c.line;
        std::vector<PacketType> sent;
        for (const nettest::SentPacket& packet : takeSent())
            sent.push_back(packet.type);
        // The first packet is the command's own; a kick's announcements follow it.
        if (sent.size() > 1)
            sent.resize(1);
        EXPECT_EQ(sent, c.sent) << c.line;
    }
    // about's lines name the linked SFML, whatever its version.
    become(Machine::single);
    int result = -1;
    const Lines about = run("ver", result);
    ASSERT_EQ(about.size(), 3u);
    EXPECT_EQ(about[0].rfind(kv::getAppNameAndVersion() + " (built: ", 0), 0u) << about[0];
    EXPECT_NE(about[0].find(" UK time)"), std::string::npos);
    EXPECT_EQ(about[2], sfml);
}

TEST_F(ConsoleCommandTable, CommandsChangeWhatTheyName)
{
    become(Machine::client);
    int result = 0;
    run("say \"Hello all!\"", result);
    std::vector<nettest::SentPacket> sent = takeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, PacketType::TextLine);
    EXPECT_EQ(sent[0].port, 2000); // to the server, which relays it
    const auto text = tvl::wire::readText(sent[0].fields);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, "Hello all!");

    run("net ping", result);
    sent = takeSent();
    ASSERT_EQ(sent.size(), 1u);
    const auto flag = tvl::wire::readFlag(sent[0].fields);
    ASSERT_TRUE(flag);
    EXPECT_TRUE(flag->value);

    become(Machine::server);
    run("kick 65537", result);
    run("kick 2", result);
    ASSERT_EQ(tvl::game.players.size(), 1u);
    EXPECT_EQ(tvl::game.players[0]->playerId, 1) << "the server's own player stays";

    become(Machine::single);
    tvl::Player& me = *tvl::localPlayer();
    run("giveitem \"TIME WARP\" 3", result);
    EXPECT_EQ(me.itemCounts[tvl::TimeWarp], 3);
    EXPECT_EQ(me.currentItem, tvl::TimeWarp);
    run("giveitem bomb x", result);
    EXPECT_EQ(me.itemCounts[tvl::Bomb], 0);
    EXPECT_EQ(me.currentItem, tvl::Bomb);
    run("giveitem all", result);
    for (int type = 0; type < tvl::itemTypeCount; ++type)
        EXPECT_EQ(me.itemCounts[type], type == tvl::TimeWarp ? 4 : 1) << type;
    EXPECT_EQ(me.currentItem, tvl::Drone);
    run("nitro", result);
    EXPECT_EQ(me.nitroSeconds, 5.0f);
    run("fps", result);
    EXPECT_TRUE(kv::showFPS);
    EXPECT_TRUE(kv::settings.displayFPS);
    run("fps", result);
    EXPECT_FALSE(kv::showFPS);
    EXPECT_FALSE(kv::settings.displayFPS);
    run("pbug", result);
    EXPECT_TRUE(tvl::session.physicsDebug);
}

} // namespace
