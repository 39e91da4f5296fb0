// A client's network game on the real map that ends under it, over UDP on 127.0.0.1: the join
// through the wait screen, the game, then the server's shutdown packet or its 30 s of silence.
// Either way the player reads "Server disconnected" in a message box and is back where the join
// began, and the server is told Leave.
#include "core/Framework.h"
#include "core/Messages.h"
#include "frontend/GameLoop.h"
#include "net/Network.h"
#include "net/UdpTransport.h"
#include "platform/Clock.h"
#include "world/GameState.h"

#include "support/DialogScript.h"
#include "support/Display.h"
#include "support/FakeInput.h"
#include "support/GameFixture.h"
#include "support/GameWindow.h"

#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

namespace {

using namespace tvl;
using kv::test::DialogScript;

const sf::IpAddress local = sf::IpAddress::LocalHost;

// The network's clock, moved on by the test to make the server fall silent.
double clockOffset = 0.0;
double movedClock()
{
    return kv::steadySeconds() + clockOffset;
}

class ClientGameEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(gametest::openGameWindow(640, 480));
        fake.view = {640, 480};
        gameSettings.playerName = "Joiner";
        playClientGame = [](const std::string& mapFile, const GameStartSettings& settings) {
            return playGame(MultiplayerGame, mapFile, &settings);
        };
        clockOffset = 0.0;
        netClockSeconds = movedClock;
        ASSERT_TRUE(server.bind(0, local));
    }
    void TearDown() override
    {
        netRole = NoNetRole;
        shutdownNetwork();
        playClientGame = nullptr;
        netClockSeconds = kv::steadySeconds;
        kv::InputHooks::reset();
        kv::test::closeTestWindow();
        gametest::endGameState();
    }

    // The sender of the next packet of that type at the server's socket, the others before it
    // dropped; nothing when none came in `polls` looks 10 ms apart (1: only what is there).
    std::optional<NetAddress> receiveAtServer(PacketType wanted, int polls)
    {
        sf::Packet packet;
        for (int i = 0; i < polls;) {
            const std::optional<NetAddress> from = server.receive(packet);
            int32_t type = -1;
            if (from && packet >> type && type == static_cast<int32_t>(wanted))
                return from;
            if (!from && ++i < polls)
                sf::sleep(sf::milliseconds(10));
        }
        return std::nullopt;
    }

    UdpTransport server;
    // Focused whatever else the display shows.
    kv::test::FakeInput fake;
};

TEST_F(ClientGameEnd, ServerShutdownOrSilenceSaysServerDisconnected)
{
    for (const bool silence : {false, true}) {
        SCOPED_TRACE(silence ? "30 s of silence" : "ServerShutdown");
        kv::messageList.clear();
        std::optional<NetAddress> joiner;
        bool ended = false;   // the server shut down or fell silent
        std::string shown;    // the newest message line as the box opened
        DialogScript script;
        script.every(1, 1800, [&](DialogScript& s) {
            if (!joiner) {
                joiner = receiveAtServer(PacketType::ConnectRequest, 1);
                if (joiner) {
                    sf::Packet accepted = makeConnectAccepted({"Meadow.map", 10, 1, 1});
                    server.send(accepted.getData(), accepted.getDataSize(), local, joiner->port);
                }
            } else if (!ended && game.gameType == MultiplayerGame && game.netTicked) {
                ended = true;
                if (silence) {
                    clockOffset += silenceDropAfter + 1.0;
                } else {
                    sf::Packet shutdown = makePacket(PacketType::ServerShutdown);
                    server.send(shutdown.getData(), shutdown.getDataSize(), local, joiner->port);
                }
            } else if (ended && shown.empty() && !kv::messageList.empty() &&
                       kv::messageList.back().text == "Server disconnected") {
                shown = kv::messageList.back().text;
                s.pressNow(sf::Keyboard::Enter);
            }
        });
        testing::internal::CaptureStderr();
        const bool played = connectToServer(NetAddress{local, server.localPort()});
        const std::string log = testing::internal::GetCapturedStderr();

        EXPECT_TRUE(played);
        EXPECT_TRUE(ended);
        EXPECT_EQ(netRole, NoNetRole);
        EXPECT_EQ(game.gameType, NoGame);
        const std::size_t leaving = log.find("Disconnected from server"), box = log.find("Message: Server disconnected");
        EXPECT_NE(box, std::string::npos) << log;
        EXPECT_LT(leaving, box) << log;
        EXPECT_EQ(shown, "Server disconnected");
        EXPECT_EQ(receiveAtServer(PacketType::Leave, 300), joiner);
    }
}

} // namespace
