// The server's receive over the fake transport: the join order, refusals, relays, the item
// check, the per-call limit and what happens to packets from unknown or broken senders.
#include "tvl/net/NetFixture.h"
#include "world/Map.h"
#include "world/Player.h"

#include <cmath>

using namespace tvl;
using namespace nettest;

namespace {

class ServerReceiveTest : public NetTest {
protected:
    sf::Packet joinRequest(const std::string& name) const
    {
        return makeConnectRequest({name, sf::Color(10, 20, 30)});
    }
};

TEST_F(ServerReceiveTest, ANewcomerHearsTheGameInJoinOrder)
{
    hostWith(2);
    currentMapFile = "Desert.map";
    game.roundSettings = GameStartSettings{30, 2, 4};
    game.token.present = true;
    game.pickups = {Pickup{11, 1.0f, 2.0f, 0.0f, 3}, Pickup{12, 3.0f, 4.0f, 0.0f, 5}};
    arrive(joinRequest("New"), 2009);
    const std::string log = logOf([] { EXPECT_TRUE(serverReceive()); });

    ASSERT_EQ(game.players.size(), 4u);
    const Player& newcomer = *game.players.back();
    EXPECT_EQ(newcomer.name, "New");
    EXPECT_EQ(newcomer.colour, sf::Color(10, 20, 30));
    EXPECT_EQ(newcomer.netTag, 3u);
    EXPECT_EQ(peers[newcomer.playerId].address, (NetAddress{loopback, 2009}));
    EXPECT_LT(log.find("New is connecting"), log.find("New has joined the game")) << log;

    std::vector<PacketType> toNewcomer;
    std::vector<uint16_t> joinedTold;
    for (SentPacket& p : takeSent()) {
        if (p.type == PacketType::PlayerJoined)
            joinedTold.push_back(p.port);
        if (p.port != 2009)
            continue;
        toNewcomer.push_back(p.type);
        if (p.type == PacketType::ConnectAccepted) {
            std::string map;
            int32_t tokens = 0, skill = 0, density = 0;
            p.fields >> map >> tokens >> skill >> density;
            EXPECT_EQ(map, "Desert.map");
            EXPECT_EQ(tokens, 30);
            EXPECT_EQ(skill, 2);
            EXPECT_EQ(density, 4);
        } else if (p.type == PacketType::YourPlayerId) {
            int16_t id = 0;
            p.fields >> id;
            EXPECT_EQ(id, newcomer.playerId);
        }
    }
    EXPECT_EQ(joinedTold, (std::vector<uint16_t>{2002, 2003}));
    std::vector<PacketType> expected = {PacketType::ConnectAccepted, PacketType::YourPlayerId,
                                        PacketType::ServerVersion};
    for (int other = 0; other < 3; ++other)
        expected.insert(expected.end(),
                        {PacketType::ExistingPlayer, PacketType::RemotePlayerX, PacketType::RemotePlayerY,
                         PacketType::RemotePlayerAngle, PacketType::RemotePlayerSpeed,
                         PacketType::RemotePlayerNitro, PacketType::DroneState, PacketType::DronePosition,
                         PacketType::DroneAngle, PacketType::PlayerValue, PacketType::PlayerTokens});
    expected.insert(expected.end(), {PacketType::TokenPosition, PacketType::PickupAdded, PacketType::PickupAdded});
    EXPECT_EQ(toNewcomer, expected);
}

TEST_F(ServerReceiveTest, RefusalsLeaveThePlayersAsTheyWere)
{
    struct Case {
        const char* what;
        int maxNetPlayers;
        int clients;
        uint16_t fromPort;
        const char* reason;
    };
    const Case cases[] = {
        {"two of two", 2, 1, 2009, "Refused connection attempt from New, server is full"},
        {"a ninth player", 8, 7, 2009, "Refused connection attempt from New, server is full"},
        {"the same machine again", 8, 2, 2002, "Refused connection attempt from New, duplicate connection"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        hostWith(c.clients);
        gameSettings.maxNetPlayers = c.maxNetPlayers;
        arrive(joinRequest("New"), c.fromPort);
        const std::string log = logOf([] { serverReceive(); });
        EXPECT_TRUE(contains(log, c.reason)) << log;
        const std::vector<SentPacket> sent = takeSent();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].type, PacketType::ConnectRefused);
        EXPECT_EQ(sent[0].port, c.fromPort);
        EXPECT_EQ(game.players.size(), static_cast<std::size_t>(c.clients + 1));
        TearDown();
    }
}

TEST_F(ServerReceiveTest, ClientStateIsKeptAndRelayedUnderItsSendersId)
{
    struct Case {
        sf::Packet packet;
        PacketType relay;
        float value; // the float relayed, or the flag as 0 / 1
        std::function<float(const Player&)> kept;
    };
    const Case cases[] = {
        {packetOf(PacketType::PlayerX, 55.5f), PacketType::RemotePlayerX, 55.5f,
         [](const Player& p) { return p.netTargetX; }},
        {packetOf(PacketType::PlayerY, -7.0f), PacketType::RemotePlayerY, -7.0f,
         [](const Player& p) { return p.netTargetY; }},
        {packetOf(PacketType::PlayerAngle, 90.0f), PacketType::RemotePlayerAngle, 90.0f,
         [](const Player& p) { return p.netTargetAngle * 57.295776f; }},
        {packetOf(PacketType::PlayerSpeed, 300.0f), PacketType::RemotePlayerSpeed, 300.0f,
         [](const Player& p) { return p.speed; }},
        {packetOf(PacketType::PlayerNitro, true), PacketType::RemotePlayerNitro, 1.0f,
         [](const Player& p) { return p.nitroActive ? 1.0f : 0.0f; }},
        {packetOf(PacketType::PlayerDisabled, true), PacketType::RemotePlayerDisabled, 1.0f,
         [](const Player& p) { return p.disabledReceived ? 1.0f : 0.0f; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.relay));
        SetUp();
        hostWith(2);
        arrive(c.packet, 2002);
        serverReceive();
        EXPECT_NEAR(c.kept(*findPlayer(2)), c.value, 1e-3f);
        std::vector<SentPacket> sent = takeSent();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].type, c.relay);
        EXPECT_EQ(sent[0].port, 2003); // never back to its own machine
        int16_t id = 0;
        sent[0].fields >> id;
        EXPECT_EQ(id, 2);
        float value = 0.0f;
        if (c.relay == PacketType::RemotePlayerNitro || c.relay == PacketType::RemotePlayerDisabled) {
            bool flag = false;
            sent[0].fields >> flag;
            value = flag ? 1.0f : 0.0f;
        } else {
            sent[0].fields >> value;
        }
        EXPECT_NEAR(value, c.value, 1e-3f);
        TearDown();
    }
}

TEST_F(ServerReceiveTest, AnItemTheServerNeverAwardedIsNotUsed)
{
    for (const int held : {0, 1}) {
        SCOPED_TRACE(held);
        SetUp();
        hostWith(2);
        findPlayer(2)->itemCounts[Bomb] = held;
        arrive(packetOf(PacketType::UseItem, static_cast<int32_t>(Bomb)), 2002);
        serverReceive();
        EXPECT_EQ(findPlayer(2)->itemCounts[Bomb], 0);
        const std::vector<SentPacket> sent = takeSent();
        EXPECT_EQ(sent.size(), held ? 1u : 0u);
        if (held) {
            EXPECT_EQ(sent[0].type, PacketType::PlayerUsedItem);
            EXPECT_EQ(sent[0].port, 2003);
        }
        TearDown();
    }
}

TEST_F(ServerReceiveTest, TakesAtMost1024PacketsPerCall)
{
    hostWith(1);
    for (int i = 0; i < 1025; ++i)
        arrive(packetOf(PacketType::ClientPing, false), 2002);
    const std::string log = logOf([] { serverReceive(); });
    EXPECT_EQ(transport.incoming.size(), 1u);
    EXPECT_EQ(takeSent().size(), 1024u); // a reply each, and nothing printed for keep-alives
    EXPECT_EQ(log, "");
    serverReceive();
    EXPECT_TRUE(transport.incoming.empty());
    EXPECT_EQ(takeSent().size(), 1u);
}

TEST_F(ServerReceiveTest, StrangersAndBrokenPacketsAreDroppedAndTheRestApplied)
{
    hostWith(2);
    findPlayer(2)->netTargetX = 1.0f;
    arrive(packetOf(PacketType::PlayerX, 9.0f), 4444);                      // nobody we know
    arrive(packetOf(PacketType::PlayerX, 9.0f), 2002, sf::IpAddress(127, 0, 0, 2)); // the right port elsewhere
    arrive(packetOf(PacketType::PlayerX, std::nanf("")), 2002);            // refused by its reader
    arrive(packetOf(PacketType::PlayerY), 2002);                            // cut short
    arrive(packetOf(PacketType::PlayerX, 1e30f), 2002);                     // off the map
    arrive(packetOf(PacketType::PlayerX, 9.0f), 4444);                      // the stranger again
    arrive(packetOf(PacketType::PlayerX, 5.0f), 2002);
    fakeNow = 2000.0;
    const std::string log = logOf([] { serverReceive(); });

    EXPECT_EQ(findPlayer(2)->netTargetX, 5.0f);
    EXPECT_EQ(findPlayer(2)->netTargetY, 0.0f);
    EXPECT_EQ(peers[2].lastHeard, 2000.0);
    const std::vector<SentPacket> sent = takeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, PacketType::RemotePlayerX);
    const std::string stranger = "Received packet from unknown source 127.0.0.1:4444";
    EXPECT_EQ(log.find(stranger), log.rfind(stranger)) << log; // once in a few seconds
    EXPECT_TRUE(contains(log, stranger)) << log;
    EXPECT_TRUE(contains(log, "Received packet from unknown source 127.0.0.2:2002")) << log;

    arrive(packetOf(PacketType::PlayerX, 9.0f), 4444);
    fakeNow += unknownSenderQuietSeconds;
    EXPECT_TRUE(contains(logOf([] { serverReceive(); }), stranger));
}

TEST_F(ServerReceiveTest, PingsChatAndLeaving)
{
    hostWith(2);
    arrive(packetOf(PacketType::ClientPing, true), 2002);
    arrive(packetOf(PacketType::ChatRequest, std::string("hello")), 2002);
    arrive(packetOf(PacketType::TextLine, std::string("a line")), 2003);
    arrive(packetOf(PacketType::Leave), 2003);
    const std::string log = logOf([] { serverReceive(); });
    EXPECT_TRUE(contains(log, "Received a ping from P2")) << log;
    EXPECT_TRUE(contains(log, "P2: hello")) << log;
    EXPECT_TRUE(contains(log, "a line")) << log;
    EXPECT_TRUE(contains(log, "P3 has left the game")) << log;
    std::vector<std::pair<PacketType, uint16_t>> sent;
    for (const SentPacket& p : takeSent())
        sent.emplace_back(p.type, p.port);
    EXPECT_EQ(sent, (std::vector<std::pair<PacketType, uint16_t>>{{PacketType::ServerPingReply, 2002},
                                                                  {PacketType::ChatMessage, 2002},
                                                                  {PacketType::ChatMessage, 2003},
                                                                  {PacketType::TextLine, 2002},
                                                                  {PacketType::TextLine, 2003},
                                                                  {PacketType::PlayerLeft, 2002}}));
    EXPECT_EQ(findPlayer(3), nullptr);
}

// What a client says is cleaned before the server prints, logs or relays it.
TEST_F(ServerReceiveTest, ForgedLinesInChatAndTextLinesAreCleaned)
{
    for (const PacketType type : {PacketType::ChatRequest, PacketType::TextLine}) {
        SCOPED_TRACE(static_cast<int>(type));
        SetUp();
        hostWith(1);
        arrive(packetOf(type, forgedText), 2002);
        const std::string log = logOf([] { serverReceive(); });
        EXPECT_TRUE(contains(log, "gg03:00:00: HostPlayer was kicked for cheating[31m")) << log;
        EXPECT_TRUE(noForgedLine(log)) << log;
        std::vector<SentPacket> sent = takeSent();
        ASSERT_EQ(sent.size(), 1u);
        if (type == PacketType::ChatRequest) {
            int16_t id = 0;
            sent[0].fields >> id;
        }
        std::string relayed;
        sent[0].fields >> relayed;
        EXPECT_EQ(relayed, "gg03:00:00: HostPlayer was kicked for cheating[31m");
        TearDown();
    }
}

} // namespace
