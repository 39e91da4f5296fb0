// Shots over the fake transport: what a server announces, removes and hits, what a client
// forwards, and what a client makes of the server's announcements.
#include "tvl/net/NetFixture.h"

#include "core/Hash.h"
#include "platform/Clock.h"
#include "world/Images.h"
#include "world/Player.h"

#include "support/Packets.h"

#include <cmath>

using namespace tvl;
using namespace nettest;

namespace {

using testsupport::next;

constexpr float right = 1.5707964f; // radians, toward +x

// Every projectile image 12 x 32, so shots have a hit box.
class WeaponPacketsTest : public NetTest {
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        resetImageTables();
        (*images)[0].width = 12;
        (*images)[0].height = 32;
        imageCount = 1;
    }
    void TearDown() override
    {
        resetImageTables();
        NetTest::TearDown();
    }

    void sendEvents()
    {
        sendEventPackets(game.events);
        game.events.clear();
    }
};

std::vector<uint16_t> portsOf(const std::vector<SentPacket>& sent, PacketType type)
{
    std::vector<uint16_t> ports;
    for (const SentPacket& p : sent)
        if (p.type == type)
            ports.push_back(p.port);
    return ports;
}

TEST_F(WeaponPacketsTest, AServerAnnouncesHitsAndRemovesItsShots)
{
    hostWith(2); // 1 here, 2 and 3 on ports 2002 and 2003
    findPlayer(3)->x = 1000.0f;
    findPlayer(3)->y = 1000.0f;
    findPlayer(3)->radius = 24.0f;
    const sf::Vector2f origin(970.0f, 1000.0f), inherited(3.0f, -4.0f);
    const float angle = right;
    const Projectile* shot = fireWeapon(WeaponType::DronePulse, &origin, &angle, 1, 3, -1, &inherited);
    ASSERT_NE(shot, nullptr);
    const int32_t id = shot->id;
    sendEvents();

    std::vector<SentPacket> sent = takeSent();
    ASSERT_EQ(sent.size(), 2u);
    for (SentPacket& p : sent) {
        EXPECT_EQ(p.type, PacketType::WeaponFired);
        EXPECT_EQ(next<int32_t>(p.fields), static_cast<int32_t>(WeaponType::DronePulse));
        EXPECT_EQ(next<int32_t>(p.fields), id);
        EXPECT_EQ(next<float>(p.fields), 970.0f);
        EXPECT_EQ(next<float>(p.fields), 1000.0f);
        EXPECT_NEAR(next<float>(p.fields), 90.0f, 1e-3f);
        EXPECT_EQ(next<float>(p.fields), 3.0f);
        EXPECT_EQ(next<float>(p.fields), -4.0f);
        EXPECT_EQ(next<int16_t>(p.fields), 1);
        EXPECT_EQ(next<int16_t>(p.fields), 3);
        EXPECT_TRUE(p.fields.endOfPacket());
    }
    EXPECT_EQ(portsOf(sent, PacketType::WeaponFired), (std::vector<uint16_t>{2002, 2003}));

    // 10 px on it reaches player 3, a client's: the sound for all, the hit for its machine.
    updateProjectiles(0.01f);
    EXPECT_TRUE(game.projectiles.empty());
    sendEvents();
    sent = takeSent();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(portsOf(sent, PacketType::PlaySound), (std::vector<uint16_t>{2002, 2003}));
    EXPECT_EQ(next<uint32_t>(sent[0].fields), kv::hashName("Contact\\LaserHit"));
    ASSERT_EQ(sent[2].type, PacketType::PlayerHit);
    EXPECT_EQ(sent[2].port, 2003);
    EXPECT_EQ(next<int32_t>(sent[2].fields), static_cast<int32_t>(WeaponType::DronePulse));
    // The velocity it hit with: (3, -4) extra, 0.125 px/s of it bled off.
    EXPECT_NEAR(next<float>(sent[2].fields), 1002.925f, 1e-3f);
    EXPECT_NEAR(next<float>(sent[2].fields), -3.9f, 1e-3f);
    EXPECT_TRUE(sent[2].fields.endOfPacket());
    EXPECT_EQ(portsOf(sent, PacketType::ProjectileRemoved), (std::vector<uint16_t>{2002, 2003}));
    EXPECT_EQ(next<int32_t>(sent[4].fields), id);
    EXPECT_EQ(findPlayer(3)->dronePulseHit, 0.0f); // its own machine applies it
}

TEST_F(WeaponPacketsTest, AServerFiresWhatAClientAsksFor)
{
    hostWith(2);
    arrive(packetOf(PacketType::FireWeapon, int32_t(3), 5.0f, 6.0f, 90.0f, 0.0f, 0.0f, int16_t(-1)), 2003);
    arrive(makeFireWeapon({WeaponType::Missile, {5.0f, 6.0f}, 90.0f, {1.0f, 2.0f}, 3}), 2002);
    serverReceive();
    ASSERT_EQ(game.projectiles.size(), 1u);
    const Projectile& p = game.projectiles[0];
    EXPECT_EQ(p.type, WeaponType::Missile);
    EXPECT_EQ(p.ownerId, 2);
    EXPECT_EQ(p.targetId, 3);
    EXPECT_NEAR(p.angle, right, 1e-5f);
    sendEvents();
    EXPECT_EQ(portsOf(takeSent(), PacketType::WeaponFired), (std::vector<uint16_t>{2002, 2003}));
}

TEST_F(WeaponPacketsTest, AClientForwardsItsShotsAndFollowsTheServer)
{
    joinAs(4);
    const sf::Vector2f origin(10.0f, 20.0f), inherited(-1.0f, 0.5f);
    const float angle = right;
    EXPECT_EQ(fireWeapon(WeaponType::Missile, &origin, &angle, 4, 7, -1, &inherited), nullptr);
    EXPECT_TRUE(game.projectiles.empty());
    sendEvents();
    std::vector<SentPacket> sent = takeSent();
    ASSERT_EQ(sent.size(), 1u);
    SentPacket& forward = sent[0];
    EXPECT_EQ(forward.type, PacketType::FireWeapon);
    EXPECT_EQ(forward.port, 2000);
    EXPECT_EQ(next<int32_t>(forward.fields), static_cast<int32_t>(WeaponType::Missile));
    EXPECT_EQ(next<float>(forward.fields), 10.0f);
    EXPECT_EQ(next<float>(forward.fields), 20.0f);
    EXPECT_NEAR(next<float>(forward.fields), 90.0f, 1e-3f);
    EXPECT_EQ(next<float>(forward.fields), -1.0f);
    EXPECT_EQ(next<float>(forward.fields), 0.5f);
    EXPECT_EQ(next<int16_t>(forward.fields), 7);
    EXPECT_TRUE(forward.fields.endOfPacket());

    // The announcement, the same again (UDP may repeat it) and one of an unknown weapon.
    const sf::Packet announced = makeWeaponFired({WeaponType::DronePulse, 300, {1.0f, 2.0f}, 90.0f, {3.0f, 4.0f}, 4, -1});
    arrive(announced, 2000);
    arrive(announced, 2000);
    arrive(packetOf(PacketType::WeaponFired, int32_t(3), int32_t(301), 1.0f, 2.0f, 90.0f, 0.0f, 0.0f, int16_t(4),
                    int16_t(-1)),
           2000);
    clientReceive();
    ASSERT_EQ(game.projectiles.size(), 1u);
    const Projectile& p = game.projectiles[0];
    EXPECT_EQ(p.id, 300);
    EXPECT_EQ(p.type, WeaponType::DronePulse);
    EXPECT_EQ(p.ownerId, 4);
    EXPECT_NEAR(p.vx, 1003.0f, 1e-2f);
    EXPECT_NEAR(p.vy, 4.0f, 1e-2f);
    // Announced shots are not told back to the server.
    sendEvents();
    EXPECT_TRUE(takeSent().empty());

    arrive(packetOf(PacketType::ProjectileRemoved, int32_t(300)), 2000);
    clientReceive();
    EXPECT_TRUE(game.projectiles.empty());
}

// Every machine logs the shots it makes or is told of; a flood of them logs a few lines a second
// and says how many it left out.
TEST_F(WeaponPacketsTest, AFloodOfShotsLogsAFewLinesASecond)
{
    for (const bool server : {true, false}) {
        SCOPED_TRACE(server ? "server" : "client");
        SetUp();
        server ? hostWith(1) : joinAs(4);
        const int shots = 5000;
        const double start = kv::steadySeconds();
        std::string log;
        for (int i = 0; i < shots; ++i) {
            if (server)
                arrive(makeFireWeapon({WeaponType::PulseCannon, {5.0f, 6.0f}, 90.0f, {}, -1}), 2002);
            else
                arrive(makeWeaponFired({WeaponType::PulseCannon, i, {5.0f, 6.0f}, 90.0f, {}, 4, -1}), 2000);
            if (transport.incoming.size() == maxPacketsPerReceive || i == shots - 1)
                log += logOf([server] { server ? serverReceive() : clientReceive(); });
        }
        const double seconds = kv::steadySeconds() - start;
        ASSERT_EQ(game.projectiles.size(), static_cast<std::size_t>(shots));
        std::size_t lines = 0, firedLines = 0;
        for (std::size_t at = 0; (at = log.find('\n', at)) != std::string::npos; ++at)
            ++lines;
        for (std::size_t at = 0; (at = log.find(": Fired pulse cannon ", at)) != std::string::npos; ++at)
            ++firedLines;
        // Five a second in periods that the first line of each opens, and a count before each.
        const double periods = std::floor(seconds) + 2.0;
        EXPECT_LE(static_cast<double>(firedLines), 5.0 * periods) << seconds << " s";
        EXPECT_LE(static_cast<double>(lines), 10.0 * periods) << log;
        TearDown();
    }
}

} // namespace
