// The client's receive over the fake transport: what each packet from the server does to the
// local game, and what is refused.
#include "core/Framework.h"
#include "core/Messages.h"
#include "tvl/net/NetFixture.h"
#include "world/Player.h"

#include <cmath>
#include <functional>

using namespace tvl;
using namespace nettest;

namespace {

class ClientReceiveTest : public NetTest {};

Player& p7()
{
    return *findPlayer(7);
}

TEST_F(ClientReceiveTest, EachPacketFromTheServer)
{
    // The local player 600, remote players 7 and 8; pickup 5 (a Bomb) lies on the map.
    struct Case {
        const char* what;
        sf::Packet packet;
        std::function<void(const std::string& log)> check;
        bool alive = true;
        uint16_t fromPort = 2000;
    };
    const std::string appName = kv::appName, appVersion = kv::appVersion;
    kv::appName = "Torvale!";
    kv::appVersion = "1.7b";
    const Case cases[] = {
        {"our ID", packetOf(PacketType::YourPlayerId, int16_t(42)),
         [](auto&) { EXPECT_EQ(localPlayer()->playerId, 42); }},
        {"an ID another player holds", packetOf(PacketType::YourPlayerId, int16_t(7)),
         [](auto&) { EXPECT_EQ(localPlayer()->playerId, 600); }},
        {"version in another case", packetOf(PacketType::ServerVersion, std::string("TORVALE! V1.7B")),
         [](auto& log) { EXPECT_TRUE(contains(log, "Client and server versions match: ")) << log; }},
        {"an existing player", packetOf(PacketType::ExistingPlayer, int16_t(9), std::string("Nine"), uint8_t(1), uint8_t(2), uint8_t(3), int32_t(3)),
         [](auto&) {
             ASSERT_NE(findPlayer(9), nullptr);
             EXPECT_EQ(findPlayer(9)->name, "Nine");
             EXPECT_EQ(findPlayer(9)->netTag, 3u);
         }},
        {"a player already here", packetOf(PacketType::ExistingPlayer, int16_t(7), std::string("Again"), uint8_t(1), uint8_t(2), uint8_t(3), int32_t(3)),
         [](auto&) {
             EXPECT_EQ(game.players.size(), 3u);
             EXPECT_EQ(p7().name, "P7");
         }},
        {"a joined player", packetOf(PacketType::PlayerJoined, int16_t(9), std::string("Ni\tne"), uint8_t(1), uint8_t(2), uint8_t(3)),
         [](auto&) {
             ASSERT_NE(findPlayer(9), nullptr);
             EXPECT_EQ(findPlayer(9)->name, "Nine");
         }},
        {"a joined ID already here", packetOf(PacketType::PlayerJoined, int16_t(600), std::string("X"), uint8_t(1), uint8_t(2), uint8_t(3)),
         [](auto&) { EXPECT_EQ(game.players.size(), 3u); }},
        {"x of another player", packetOf(PacketType::RemotePlayerX, int16_t(7), 50.0f),
         [](auto&) {
             EXPECT_EQ(p7().netTargetX, 50.0f);
             EXPECT_EQ(p7().x, 0.0f);
         }},
        {"x of ours", packetOf(PacketType::RemotePlayerX, int16_t(600), 50.0f),
         [](auto&) { EXPECT_EQ(localPlayer()->x, 50.0f); }},
        {"y", packetOf(PacketType::RemotePlayerY, int16_t(7), 60.0f),
         [](auto&) { EXPECT_EQ(p7().netTargetY, 60.0f); }},
        {"angle", packetOf(PacketType::RemotePlayerAngle, int16_t(7), 90.0f),
         [](auto&) { EXPECT_NEAR(p7().netTargetAngle, 1.5707963f, 1e-5f); }},
        {"speed", packetOf(PacketType::RemotePlayerSpeed, int16_t(7), 12.0f),
         [](auto&) { EXPECT_EQ(p7().speed, 12.0f); }},
        {"nitro", packetOf(PacketType::RemotePlayerNitro, int16_t(7), true),
         [](auto&) { EXPECT_TRUE(p7().nitroActive); }},
        {"disabled", packetOf(PacketType::RemotePlayerDisabled, int16_t(7), true),
         [](auto&) { EXPECT_TRUE(p7().disabledReceived); }},
        {"net tag", packetOf(PacketType::PlayerValue, int16_t(7), int32_t(5)),
         [](auto&) { EXPECT_EQ(p7().netTag, 5u); }},
        {"tokens", packetOf(PacketType::PlayerTokens, int16_t(7), int16_t(4)),
         [](auto&) { EXPECT_EQ(p7().tokens, 4); }},
        {"drone up", packetOf(PacketType::DroneState, int16_t(7), true),
         [](auto&) {
             EXPECT_TRUE(p7().droneActive);
             EXPECT_EQ(p7().droneX, p7().x + 80.0f);
             EXPECT_EQ(p7().droneY, p7().y + 20.0f);
         }},
        {"drone position", packetOf(PacketType::DronePosition, int16_t(7), 1.0f, 2.0f),
         [](auto&) {
             EXPECT_EQ(p7().droneTargetX, 1.0f);
             EXPECT_EQ(p7().droneTargetY, 2.0f);
         }},
        {"drone angle", packetOf(PacketType::DroneAngle, int16_t(7), 180.0f),
         [](auto&) { EXPECT_NEAR(p7().droneTargetAngle, 3.1415927f, 1e-5f); }},
        {"a used item", packetOf(PacketType::PlayerUsedItem, int16_t(7), int32_t(Bomb)),
         [](auto&) { EXPECT_EQ(p7().itemCounts[Bomb], 0); }},
        {"a player left", packetOf(PacketType::PlayerLeft, int16_t(7)),
         [](auto& log) {
             EXPECT_EQ(findPlayer(7), nullptr);
             EXPECT_TRUE(contains(log, "P7 has left the game")) << log;
         }},
        {"we left, says the server", packetOf(PacketType::PlayerLeft, int16_t(600)),
         [](auto&) {
             EXPECT_EQ(game.players.size(), 3u);
             EXPECT_EQ(localPlayer()->playerId, 600);
         }},
        {"an unknown player left", packetOf(PacketType::PlayerLeft, int16_t(77)),
         [](auto& log) { EXPECT_TRUE(contains(log, "removeDisconnectedPlayer: Player ID 77 not found")) << log; }},
        {"the token", packetOf(PacketType::TokenPosition, 10.0f, 20.0f),
         [](auto&) {
             EXPECT_TRUE(game.token.present);
             EXPECT_EQ(game.token.x, 10.0f);
             EXPECT_EQ(game.token.y, 20.0f);
         }},
        {"a pickup", packetOf(PacketType::PickupAdded, int32_t(6), 1.0f, 2.0f, int32_t(EMP)),
         [](auto&) {
             ASSERT_EQ(game.pickups.size(), 2u);
             EXPECT_EQ(game.pickups[1].id, 6);
             EXPECT_EQ(game.pickups[1].type, EMP);
         }},
        {"a pickup already here", packetOf(PacketType::PickupAdded, int32_t(5), 1.0f, 2.0f, int32_t(EMP)),
         [](auto&) { EXPECT_EQ(game.pickups.size(), 1u); }},
        {"a pickup removed", packetOf(PacketType::PickupRemoved, int32_t(5)),
         [](auto&) { EXPECT_TRUE(game.pickups.empty()); }},
        {"an item picked up", packetOf(PacketType::ItemPickedUp, int16_t(7), int32_t(5)),
         [](auto&) {
             EXPECT_EQ(p7().itemCounts[Bomb], 2);
             EXPECT_EQ(p7().currentItem, Bomb);
         }},
        {"chat", packetOf(PacketType::ChatMessage, int16_t(7), std::string("hi")),
         [](auto& log) { EXPECT_TRUE(contains(log, "P7: hi")) << log; }},
        {"a text line", packetOf(PacketType::TextLine, std::string("hello all")),
         [](auto& log) { EXPECT_TRUE(contains(log, "hello all")) << log; }},
        {"chat that forges a log line", packetOf(PacketType::ChatMessage, int16_t(7), forgedText),
         [](auto& log) {
             EXPECT_TRUE(contains(log, "P7: gg03:00:00: HostPlayer was kicked for cheating[31m")) << log;
             EXPECT_TRUE(noForgedLine(log)) << log;
         }},
        {"a text line that forges a log line", packetOf(PacketType::TextLine, forgedText),
         [](auto& log) {
             EXPECT_TRUE(contains(log, ": gg03:00:00: HostPlayer")) << log;
             EXPECT_TRUE(noForgedLine(log)) << log;
         }},
        {"a token off the map", packetOf(PacketType::TokenPosition, 1e30f, 20.0f),
         [](auto&) { EXPECT_FALSE(game.token.present); }},
        {"x off the map", packetOf(PacketType::RemotePlayerX, int16_t(7), -1e30f),
         [](auto&) { EXPECT_EQ(p7().netTargetX, 0.0f); }},
        {"a ping reply", packetOf(PacketType::ServerPingReply, true),
         [](auto& log) { EXPECT_TRUE(contains(log, "Recieved ping reply from server")) << log; }},
        {"the server shuts down", makePacket(PacketType::ServerShutdown), [](auto&) {}, false},
        {"another port", packetOf(PacketType::RemotePlayerX, int16_t(7), 50.0f),
         [](auto& log) {
             EXPECT_EQ(p7().netTargetX, 0.0f);
             EXPECT_TRUE(contains(log, "Received packet from unknown source 127.0.0.1:2001")) << log;
         },
         true, 2001},
        {"cut short", packetOf(PacketType::RemotePlayerX, int16_t(7)),
         [](auto&) { EXPECT_EQ(p7().netTargetX, 0.0f); }},
        {"not finite", packetOf(PacketType::RemotePlayerSpeed, int16_t(7), INFINITY),
         [](auto&) { EXPECT_EQ(p7().speed, 0.0f); }},
        {"an unknown player", packetOf(PacketType::RemotePlayerSpeed, int16_t(77), 3.0f),
         [](auto& log) { EXPECT_EQ(log, ""); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        joinAs(600);
        addPlayer(7, 0).itemCounts[Bomb] = 1;
        addPlayer(8, 0);
        game.pickups = {Pickup{5, 3.0f, 4.0f, 0.0f, Bomb}};
        arrive(c.packet, c.fromPort);
        bool alive = true;
        const std::string log = logOf([&] { alive = clientReceive(); });
        EXPECT_EQ(alive, c.alive);
        c.check(log);
        TearDown();
    }
    kv::appName = appName;
    kv::appVersion = appVersion;
}

TEST_F(ClientReceiveTest, AServerPingIsAnswered)
{
    joinAs(600);
    for (const bool want : {false, true}) {
        arrive(packetOf(PacketType::ServerPing, want), 2000);
        const std::string log = logOf([] { clientReceive(); });
        EXPECT_EQ(contains(log, "Recieved ping request from server"), want) << log;
        std::vector<SentPacket> sent = takeSent();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].type, PacketType::ClientPingReply);
        EXPECT_EQ(sent[0].port, 2000);
        bool flag = !want;
        sent[0].fields >> flag;
        EXPECT_EQ(flag, want);
    }
}

} // namespace
