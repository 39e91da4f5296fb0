// The network tick over the fake transport and a moved clock: silence, keep-alive and the
// re-send of unchanged state, the state thresholds, kicks, the join's wait, and the host's
// socket over 127.0.0.1.
#include "net/NetworkInternal.h"
#include "net/UdpTransport.h"
#include "tvl/net/NetFixture.h"
#include "world/Player.h"

#include <cmath>

using namespace tvl;
using namespace nettest;

namespace {

class NetworkTest : public NetTest {};

std::vector<PacketType> typesOf(const std::vector<SentPacket>& sent)
{
    std::vector<PacketType> types;
    for (const SentPacket& p : sent)
        types.push_back(p.type);
    return types;
}

TEST_F(NetworkTest, ClientWarnsOfSilenceAndLeavesAfterThirtySeconds)
{
    struct Case {
        double silent;
        const char* warning; // "" for none
        bool alive;
    };
    const Case cases[] = {
        {2.9, "", true},
        {3.6, "Losing connection to server (no response for 4 seconds)", true},
        {30.5, "Losing connection to server (no response for 31 seconds)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.silent);
        SetUp();
        joinAs(600);
        arrive(packetOf(PacketType::ServerPingReply, false), 2000);
        ASSERT_TRUE(networkTick()); // heard now; the keep-alive clock starts
        takeSent();
        fakeNow += c.silent;
        bool alive = true;
        const std::string log = logOf([&] { alive = networkTick(); });
        EXPECT_EQ(alive, c.alive);
        EXPECT_EQ(contains(log, "Losing connection"), *c.warning != '\0') << log;
        if (*c.warning) {
            EXPECT_TRUE(contains(log, c.warning)) << log;
        }
        const std::vector<PacketType> sent = typesOf(takeSent());
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), c.alive ? PacketType::ClientPing : PacketType::Leave);
        EXPECT_EQ(contains(log, "Disconnected from server"), !c.alive);
        EXPECT_EQ(netRole, c.alive ? ClientRole : NoNetRole);
        TearDown();
    }
}

TEST_F(NetworkTest, ServerPingsOnlyRemotePlayersAndKicksTheSilent)
{
    struct Case {
        double silent;
        const char* warning;
        std::size_t playersLeft;
    };
    const Case cases[] = {
        {2.9, "", 4},
        {3.6, "P2 is losing connection (no response for 4 seconds)", 4},
        // Both clients go in one backward walk.
        {30.5, "P3 was kicked for connection timed out", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.silent);
        SetUp();
        hostWith(2);
        addPlayer(9, 0, "Computer").isComputer = true;
        ASSERT_TRUE(networkTick());
        fakeNow += c.silent;
        takeSent();
        const std::string log = logOf([&] { EXPECT_TRUE(networkTick()); });
        if (*c.warning)
            EXPECT_TRUE(contains(log, c.warning)) << log;
        else
            EXPECT_FALSE(contains(log, "losing connection")) << log;
        std::vector<uint16_t> pinged;
        for (const SentPacket& p : takeSent())
            if (p.type == PacketType::ServerPing)
                pinged.push_back(p.port);
        EXPECT_EQ(pinged, (std::vector<uint16_t>{2003, 2002})); // last to first, never 1 or 9
        EXPECT_EQ(game.players.size(), c.playersLeft);
        EXPECT_EQ(localPlayer()->playerId, 1);
        TearDown();
    }
}

TEST_F(NetworkTest, LocalStateIsSentOnlyBeyondItsThresholds)
{
    struct Case {
        const char* what;
        float dx, dAngleDegrees, dSpeed;
        bool nitro;
        std::vector<PacketType> clientSends;
    };
    const Case cases[] = {
        {"still", 0, 0, 0, false, {}},
        {"1.5 px", 1.5f, 0, 0, false, {}},
        {"1.6 px", 1.6f, 0, 0, false, {PacketType::PlayerX}},
        {"1.9 degrees", 0, 1.9f, 0, false, {}},
        {"2.1 degrees", 0, 2.1f, 0, false, {PacketType::PlayerAngle}},
        {"speed 1.0", 0, 0, 1.0f, false, {}},
        {"speed 1.1", 0, 0, 1.1f, false, {PacketType::PlayerSpeed}},
        {"nitro on", 0, 0, 0, true, {PacketType::PlayerNitro}},
        {"all", 2, 3, 2, true,
         {PacketType::PlayerX, PacketType::PlayerAngle, PacketType::PlayerSpeed, PacketType::PlayerNitro}},
    };
    for (const bool server : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (server ? " (server)" : " (client)"));
            SetUp();
            if (server)
                hostWith(1);
            else
                joinAs(600);
            Player& local = *localPlayer();
            local.x = local.y = 100.0f;
            local.angle = 1.0f;
            local.speed = 10.0f;
            sendLocalPlayerState();
            takeSent();

            local.x += c.dx;
            local.angle += c.dAngleDegrees * 0.017453292f;
            local.speed += c.dSpeed;
            local.nitroActive = c.nitro;
            sendLocalPlayerState();
            const std::vector<SentPacket> sent = takeSent();
            // A server relays the same fields as 30.. with its own ID, to its client.
            std::vector<PacketType> expected;
            for (PacketType t : c.clientSends)
                expected.push_back(server ? static_cast<PacketType>(static_cast<int>(t) + 25) : t);
            EXPECT_EQ(typesOf(sent), expected);
            for (const SentPacket& p : sent) {
                EXPECT_EQ(p.port, server ? 2002 : 2000);
                if (server) {
                    sf::Packet fields = p.fields;
                    int16_t id = 0;
                    fields >> id;
                    EXPECT_EQ(id, 1);
                }
            }
            TearDown();
        }
    }
}

TEST_F(NetworkTest, EachKeepAlivePassResendsUnchangedState)
{
    hostWith(1);
    game.token.present = true;
    game.token.x = 40.0f;
    game.token.y = 50.0f;
    ASSERT_TRUE(networkTick());
    fakeNow += 0.5;
    ASSERT_TRUE(networkTick());
    takeSent();
    fakeNow += 0.6; // 1.1 s after the keep-alive clock started
    ASSERT_TRUE(networkTick());
    EXPECT_EQ(typesOf(takeSent()),
              (std::vector<PacketType>{PacketType::RemotePlayerX, PacketType::RemotePlayerY,
                                       PacketType::RemotePlayerAngle, PacketType::RemotePlayerSpeed,
                                       PacketType::RemotePlayerNitro, PacketType::RemotePlayerDisabled,
                                       PacketType::TokenPosition, PacketType::ServerPing}));
    fakeNow += 0.5;
    ASSERT_TRUE(networkTick());
    EXPECT_TRUE(takeSent().empty());
}

TEST_F(NetworkTest, KickTellsEveryoneAndRemovesThePlayer)
{
    hostWith(2);
    const std::string log = logOf([] { kickPlayer(2, "cheating"); });
    std::vector<std::pair<PacketType, uint16_t>> sent;
    for (const SentPacket& p : takeSent())
        sent.emplace_back(p.type, p.port);
    EXPECT_EQ(sent, (std::vector<std::pair<PacketType, uint16_t>>{{PacketType::Kicked, 2002},
                                                                  {PacketType::TextLine, 2002},
                                                                  {PacketType::TextLine, 2003},
                                                                  {PacketType::PlayerLeft, 2003}}));
    EXPECT_TRUE(contains(log, "P2 was kicked for cheating")) << log;
    EXPECT_TRUE(contains(log, "P2 has left the game")) << log;
    EXPECT_EQ(findPlayer(2), nullptr);
    EXPECT_EQ(peers.count(2), 0u);

    const std::string unknown = logOf([] { kickPlayer(77, "x"); });
    EXPECT_TRUE(contains(unknown, "Packet's destination player ID is invalid 77 (packet type 24)")) << unknown;
    EXPECT_TRUE(contains(unknown, "removeDisconnectedPlayer: Player ID 77 not found")) << unknown;
    EXPECT_TRUE(takeSent().empty());
    EXPECT_EQ(game.players.size(), 2u);
}

TEST_F(NetworkTest, ShutdownTellsThePeersAndForgetsEveryone)
{
    for (const int32_t role : {ServerRole, ClientRole}) {
        SetUp();
        if (role == ServerRole)
            hostWith(2);
        else
            joinAs(600);
        const std::string log = logOf(shutdownNetwork);
        const std::vector<PacketType> sent = typesOf(takeSent());
        if (role == ServerRole) {
            EXPECT_EQ(sent, (std::vector<PacketType>{PacketType::ServerShutdown, PacketType::ServerShutdown}));
            EXPECT_TRUE(contains(log, "Shutdown server"));
        } else {
            EXPECT_EQ(sent, std::vector<PacketType>{PacketType::Leave});
            EXPECT_TRUE(contains(log, "Disconnected from server"));
        }
        EXPECT_EQ(netRole, NoNetRole);
        EXPECT_FALSE(serverAddress.address);
        EXPECT_TRUE(game.players.empty());
        EXPECT_EQ(game.localPlayerIndex, -1);
        EXPECT_TRUE(peers.empty());
        TearDown();
    }
}

TEST_F(NetworkTest, TheJoinsWaitTakesOnlyItsServersAnswer)
{
    const NetAddress server{loopback, 2000};
    struct Case {
        const char* what;
        sf::Packet packet;
        uint16_t fromPort;
        ConnectAnswer answer;
        const char* log;
    };
    const Case cases[] = {
        {"another port", makeConnectAccepted({"Desert.map", 25, 1, 2}), 2001, ConnectAnswer::None,
         "Received packet from unknown source 127.0.0.1:2001"},
        {"refused", makePacket(PacketType::ConnectRefused), 2000, ConnectAnswer::Refused, ""},
        {"accepted", makeConnectAccepted({"Desert.map", 25, 1, 2}), 2000, ConnectAnswer::Accepted,
         "Connection accepted"},
        // The server has taken us in: the wait ends, to say why and leave.
        {"a map outside the maps folder", makeConnectAccepted({"../x.map", 25, 1, 2}), 2000,
         ConnectAnswer::Unusable, ""},
        {"another type", packetOf(PacketType::TextLine, std::string("hi")), 2000, ConnectAnswer::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        arrive(c.packet, c.fromPort);
        wire::ConnectAccepted accepted;
        ConnectAnswer answer = ConnectAnswer::None;
        const std::string log = logOf([&] { answer = receiveConnectAnswer(server, accepted); });
        EXPECT_EQ(answer, c.answer);
        if (*c.log) {
            EXPECT_TRUE(contains(log, c.log)) << log;
        }
        if (answer == ConnectAnswer::Accepted) {
            EXPECT_EQ(accepted.mapFile, "Desert.map");
        }
        fakeNow += unknownSenderQuietSeconds;
    }
}

TEST_F(NetworkTest, SilenceCountsFromTheAcceptedAnswer)
{
    const NetAddress server{loopback, 2000};
    serverHeardAt = 0.0; // the last game's server, long ago
    fakeNow = 5000.0;
    arrive(makeConnectAccepted({"Desert.map", 25, 1, 2}), 2000);
    wire::ConnectAccepted accepted;
    ASSERT_EQ(receiveConnectAnswer(server, accepted), ConnectAnswer::Accepted);
    joinAs(unassignedPlayerId);
    // Whatever follows the answer is lost: the first keep-alive pass still keeps the game.
    ASSERT_TRUE(networkTick());
    fakeNow += 2.0;
    const std::string log = logOf([] { EXPECT_TRUE(networkTick()); });
    EXPECT_FALSE(contains(log, "Losing connection")) << log;
}

TEST_F(NetworkTest, HostSocketBindsAFreePortAndRefusesATakenOne)
{
    UdpTransport holder;
    ASSERT_TRUE(holder.bind(0, sf::IpAddress::LocalHost));
    const uint16_t port = holder.localPort();
    logOf([&] { EXPECT_FALSE(bindServerSocket(port)); });
    EXPECT_EQ(netTransport, &transport);
    holder.unbind();
    ASSERT_TRUE(bindServerSocket(port));
    EXPECT_NE(netTransport, &transport);
    EXPECT_EQ(gameSocketPort(), port);
    hostWith(0);
    logOf(shutdownNetwork);
    EXPECT_EQ(netTransport, nullptr);
    EXPECT_EQ(gameSocketPort(), 0);
}

} // namespace
