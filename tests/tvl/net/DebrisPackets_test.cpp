// Debris bursts over the fake transport: a client asks, the server makes them and tells every
// client, and what arrives at a client is made there without going back.
#include "tvl/net/NetFixture.h"

#include "world/Effects.h"

#include "support/Packets.h"

#include <cmath>
#include <limits>

using namespace tvl;
using namespace nettest;

namespace {

using testsupport::next;

class DebrisPacketsTest : public NetTest {
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        clearEffects();
    }
    void TearDown() override
    {
        clearEffects();
        NetTest::TearDown();
    }
    void sendEvents()
    {
        sendEventPackets(game.events);
        game.events.clear();
    }
    void spawn(bool relay)
    {
        spawnDebris(&position, &velocity, &size, &maxSize, &colour, 800.0f, 0.9f, relay);
    }

    const sf::Vector2f position{10.0f, 20.0f}, velocity{3.0f, -4.0f}, size{4.0f, 4.0f}, maxSize{400.0f, 400.0f};
    const sf::Color colour{250, 75, 25, 255};
};

// The fields in their order on the wire.
void expectBurst(sf::Packet& p)
{
    for (float expected : {10.0f, 20.0f, 3.0f, -4.0f, 4.0f, 4.0f, 400.0f, 400.0f})
        EXPECT_EQ(next<float>(p), expected);
    for (int expected : {250, 75, 25, 255})
        EXPECT_EQ(next<sf::Uint8>(p), expected);
    EXPECT_EQ(next<float>(p), 800.0f);
    EXPECT_EQ(next<float>(p), 0.9f);
    EXPECT_TRUE(p.endOfPacket());
}

sf::Packet burstPacket(PacketType type, float maxSizeX, float growthRate)
{
    return packetOf(type, 10.0f, 20.0f, 3.0f, -4.0f, 4.0f, 4.0f, maxSizeX, 400.0f, sf::Uint8(250), sf::Uint8(75),
                    sf::Uint8(25), sf::Uint8(255), growthRate, 0.9f);
}

TEST_F(DebrisPacketsTest, AClientAsksTheServerAndMakesNothingItself)
{
    joinAs(4);
    spawn(true);
    EXPECT_TRUE(debrisParticles.empty());
    sendEvents();
    std::vector<SentPacket> sent = takeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, PacketType::DebrisRequest);
    EXPECT_EQ(sent[0].port, 2000);
    expectBurst(sent[0].fields);

    // The server's answer is made here and not told again.
    arrive(burstPacket(PacketType::Debris, 400.0f, 800.0f), 2000);
    clientReceive();
    ASSERT_EQ(debrisParticles.size(), 1u);
    EXPECT_EQ(debrisParticles[0].position, position);
    EXPECT_EQ(debrisParticles[0].growthRate, 800.0f);
    sendEvents();
    EXPECT_TRUE(takeSent().empty());
}

TEST_F(DebrisPacketsTest, AServerMakesWhatItAndItsClientsAskForAndTellsEveryClient)
{
    hostWith(2);
    spawn(true);
    ASSERT_EQ(debrisParticles.size(), 1u);
    sendEvents();
    std::vector<SentPacket> sent = takeSent();
    ASSERT_EQ(sent.size(), 2u);
    for (SentPacket& p : sent) {
        EXPECT_EQ(p.type, PacketType::Debris);
        expectBurst(p.fields);
    }
    EXPECT_EQ(sent[0].port, 2002);
    EXPECT_EQ(sent[1].port, 2003);

    // A client's request, then two the server refuses: maxSize.x 0 and a NaN growth rate.
    arrive(burstPacket(PacketType::DebrisRequest, 400.0f, 800.0f), 2003);
    arrive(burstPacket(PacketType::DebrisRequest, 0.0f, 800.0f), 2002);
    arrive(burstPacket(PacketType::DebrisRequest, 400.0f, std::numeric_limits<float>::quiet_NaN()), 2002);
    serverReceive();
    EXPECT_EQ(debrisParticles.size(), 2u);
    sendEvents();
    sent = takeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].type, PacketType::Debris);
    EXPECT_EQ(sent[1].port, 2003);
}

TEST_F(DebrisPacketsTest, OnlyRelayedBurstsOfANetworkGameGoOut)
{
    hostWith(1);
    spawn(false);
    game.gameType = SinglePlayerGame;
    netRole = NoNetRole;
    spawn(true);
    EXPECT_EQ(debrisParticles.size(), 2u);
    sendEvents();
    EXPECT_TRUE(takeSent().empty());
}

} // namespace
