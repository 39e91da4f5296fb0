// Joining a server in a real window, against a server socket of the test's own on 127.0.0.1:
// the request on the wire, a refusal, an acceptance (after a stranger's packet) and Escape.
#include "core/Messages.h"
#include "net/Network.h"
#include "net/UdpTransport.h"
#include "support/Display.h"
#include "tvl/net/NetFixture.h"

#include "support/DialogScript.h"
#include "support/UiTestSupport.h"

#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

using namespace tvl;
using kv::test::DialogScript;

namespace {

const sf::IpAddress local = sf::IpAddress::LocalHost;

class ConnectDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(kv::test::openWidgetWindow());
        gametest::resetGameState();
        gameSettings.playerName = "Joiner";
        gameSettings.playerColour = sf::Color(1, 2, 3);
        ASSERT_TRUE(server.bind(0, local));
        playClientGame = [](const std::string& mapFile, const GameStartSettings& settings) {
            playedMap = mapFile;
            playedTokens = settings.tokensCount;
            return true;
        };
        playedMap.clear();
    }
    void TearDown() override
    {
        netRole = NoNetRole;
        shutdownNetwork();
        playClientGame = nullptr;
        kv::InputHooks::reset();
        kv::test::closeTestWindow();
        gametest::endGameState();
    }

    // Each tick until it came: the join request, answered with reply (from `from`).
    void answerRequest(DialogScript& script, const sf::Packet& reply, UdpTransport* from = nullptr)
    {
        script.every(1, 90, [this, reply, from](DialogScript&) mutable {
            if (joiner)
                return;
            sf::Packet request;
            joiner = server.receive(request);
            if (!joiner)
                return;
            int32_t type = 0;
            std::string name;
            uint8_t r = 0, g = 0, b = 0;
            request >> type >> name >> r >> g >> b;
            EXPECT_EQ(type, static_cast<int32_t>(PacketType::ConnectRequest));
            EXPECT_EQ(name, "Joiner");
            EXPECT_EQ(sf::Color(r, g, b), sf::Color(1, 2, 3));
            (from ? *from : server).send(reply.getData(), reply.getDataSize(), local, joiner->port);
        });
    }

    NetAddress serverAt() { return NetAddress{local, server.localPort()}; }

    UdpTransport server;
    std::optional<NetAddress> joiner;
    kv::test::FakeInput fake;
    static inline std::string playedMap;
    static inline int playedTokens = 0;
};

TEST_F(ConnectDisplay, ARefusalIsShownAndEndsTheAttempt)
{
    DialogScript script;
    answerRequest(script, makePacket(PacketType::ConnectRefused));
    script.press(45, sf::Keyboard::Enter); // closes "Connection refused"
    EXPECT_FALSE(connectToServer(serverAt()));
    EXPECT_TRUE(joiner);
    EXPECT_EQ(netRole, NoNetRole);
    EXPECT_TRUE(playedMap.empty());
}

TEST_F(ConnectDisplay, AnAcceptedJoinPlaysTheServersGame)
{
    UdpTransport stranger;
    ASSERT_TRUE(stranger.bind(0, local));
    DialogScript script;
    // A stranger's acceptance comes first and counts for nothing.
    answerRequest(script, makeConnectAccepted({"Elsewhere.map", 3, 0, 0}), &stranger);
    script.at(20, [&](DialogScript&) {
        ASSERT_TRUE(joiner);
        sf::Packet accepted = makeConnectAccepted({"Desert.map", 30, 1, 2});
        server.send(accepted.getData(), accepted.getDataSize(), local, joiner->port);
    });
    EXPECT_TRUE(connectToServer(serverAt()));
    EXPECT_EQ(playedMap, "Desert.map");
    EXPECT_EQ(playedTokens, 30);
    EXPECT_EQ(netRole, ClientRole);
    EXPECT_EQ(serverAddress, serverAt());
}

// A server that names a map this game refuses to open has still taken the joiner in: the
// joiner says why, leaves, and is back where the join began.
TEST_F(ConnectDisplay, AnAcceptanceNamingABadMapIsToldAndLeft)
{
    DialogScript script;
    answerRequest(script, makeConnectAccepted({"..\\..\\secret.map", 10, 1, 1}));
    script.press(45, sf::Keyboard::Enter); // closes the message
    // A wait that went on would be cancelled here, and the test fail.
    script.at(300, [](DialogScript&) { kv::test::FakeInput::keys = {sf::Keyboard::Escape}; });
    testing::internal::CaptureStderr();
    EXPECT_FALSE(connectToServer(serverAt()));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(nettest::contains(log, "Message: Unable to join: the server's answer names no map that can be "
                                       "loaded here"))
        << log;
    EXPECT_EQ(netRole, NoNetRole);
    EXPECT_TRUE(playedMap.empty());
    sf::Packet leave;
    std::optional<NetAddress> from;
    for (int i = 0; i < 300 && !from; ++i)
        if (!(from = server.receive(leave)))
            sf::sleep(sf::milliseconds(10));
    ASSERT_TRUE(from);
    EXPECT_EQ(from, joiner);
    int32_t type = 0;
    leave >> type;
    EXPECT_EQ(type, static_cast<int32_t>(PacketType::Leave));
}

TEST_F(ConnectDisplay, EscapeCancelsWithoutARole)
{
    DialogScript script;
    script.at(10, [](DialogScript&) { kv::test::FakeInput::keys = {sf::Keyboard::Escape}; });
    script.at(14, [](DialogScript&) { kv::test::FakeInput::keys.clear(); });
    answerRequest(script, makePacket(PacketType::TextLine)); // an answer the wait ignores
    EXPECT_FALSE(connectToServer(serverAt()));
    EXPECT_GE(script.tick(), 14u); // the key was waited out
    EXPECT_EQ(netRole, NoNetRole);
    EXPECT_TRUE(playedMap.empty());
}

} // namespace

namespace {

// The client's receive ends the game with a message box: a kick (the network already shut
// down when the reason shows) and a server of another version.
TEST_F(ConnectDisplay, AKickOrAnotherVersionEndsTheGameWithItsMessage)
{
    struct Case {
        sf::Packet packet;
        const char* message;
        int32_t roleWhileShown;
    };
    const Case cases[] = {
        {nettest::packetOf(PacketType::Kicked, std::string("cheating")), "Message: cheating", NoNetRole},
        {nettest::packetOf(PacketType::ServerVersion, std::string("Other v9")),
         "Message: Incorrect version, server is Other v9", ClientRole},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        nettest::FakeTransport transport;
        netTransport = &transport;
        netRole = ClientRole;
        serverAddress = NetAddress{local, 2000};
        const auto* data = static_cast<const uint8_t*>(c.packet.getData());
        transport.incoming.push_back({{data, data + c.packet.getDataSize()}, serverAddress});
        int32_t roleShown = -1;
        DialogScript script;
        script.at(5, [&](DialogScript& s) {
            roleShown = netRole;
            s.pressNow(sf::Keyboard::Enter);
        });
        testing::internal::CaptureStderr();
        EXPECT_FALSE(clientReceive());
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(nettest::contains(log, c.message)) << log;
        EXPECT_EQ(roleShown, c.roleWhileShown);
        netRole = NoNetRole;
        netTransport = nullptr;
    }
}

} // namespace
