// The send path over a fake transport: destinations, retries, the bytes of the built packets
// and the lookup of a sender's player.
#include "net/Network.h"
#include "net/Packets.h"
#include "support/GameFixture.h"
#include "tvl/net/FakeTransport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tvl;
using Bytes = std::vector<uint8_t>;

namespace {

const sf::IpAddress loopback(127, 0, 0, 1);
constexpr uint16_t serverPort = 2000;

class SendPathTest : public testing::Test {
protected:
    nettest::FakeTransport transport;

    void SetUp() override
    {
        gametest::resetGameState();
        transport = nettest::FakeTransport();
        game.gameType = MultiplayerGame;
        peers.clear();
        serverAddress = NetAddress{};
        netTransport = &transport;
    }
    void TearDown() override
    {
        netTransport = nullptr;
        serverAddress = NetAddress{};
        peers.clear();
        gametest::endGameState();
    }

    // A player with that ID; port 0 means no address (this machine's own, a computer player).
    void addPlayer(uint16_t id, uint16_t port, const sf::IpAddress& ip = loopback)
    {
        auto player = std::make_shared<Player>();
        player->playerId = id;
        game.players.push_back(player);
        if (port != 0)
            peers[id].address = NetAddress{ip, port};
    }

    // What the send wrote to the log (the message list's echo while no window is open).
    template <typename F>
    std::string logOf(F&& send)
    {
        testing::internal::CaptureStderr();
        send();
        return testing::internal::GetCapturedStderr();
    }
};

Bytes bytesOf(const sf::Packet& packet)
{
    const auto* data = static_cast<const uint8_t*>(packet.getData());
    return Bytes(data, data + packet.getDataSize());
}

struct DestinationCase {
    const char* what;
    int32_t role;
    int localIndex;
    int destination;
    int16_t exclude;
    std::vector<uint16_t> ports; // who received it, in order
    const char* log;             // "" when nothing may be printed
};

TEST_F(SendPathTest, DestinationMatrix)
{
    // Players: 1 (this server's own), 2, 3, a computer player 4, and one with ID 65535.
    const DestinationCase cases[] = {
        {"everyone from a client", ClientRole, 0, PacketDestination::Everyone, -1, {serverPort}, ""},
        {"everyone from the server", ServerRole, 0, PacketDestination::Everyone, 3, {2002, 2065}, ""},
        {"everyone without a role", NoNetRole, 0, PacketDestination::Everyone, -1, {}, ""},
        {"all clients but the newcomer", ServerRole, 0, PacketDestination::AllClients, 3, {2002, 2065}, ""},
        {"all clients, -1 excludes nobody", ServerRole, 0, PacketDestination::AllClients, -1,
         {2002, 2003, 2065}, ""},
        {"all clients without a local player", ServerRole, -1, PacketDestination::AllClients, -1,
         {2002, 2003}, "Error: sendPacket: Cannnot resolve local server player"},
        {"all clients from a client", ClientRole, 0, PacketDestination::AllClients, -1, {},
         "Client attempted to send a packet to all other clients"},
        {"all clients without a role", NoNetRole, 0, PacketDestination::AllClients, -1, {},
         "Client attempted to send a packet to all other clients"},
        {"server from the server", ServerRole, 0, PacketDestination::Server, -1, {},
         "Server attempted to send a packet to itself!"},
        {"server from a client", ClientRole, 0, PacketDestination::Server, -1, {serverPort}, ""},
        {"server without a role", NoNetRole, 0, PacketDestination::Server, -1, {}, ""},
        {"one player", ServerRole, 0, 3, -1, {2003}, ""},
        {"a computer player", ServerRole, 0, 4, -1, {}, ""},
        {"an unknown player", ServerRole, 0, 77, -1, {},
         "Error: Packet's destination player ID is invalid 77 (packet type 40)"},
    };
    for (const DestinationCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        addPlayer(1, 0);
        addPlayer(2, 2002);
        addPlayer(3, 2003);
        addPlayer(4, 0);
        addPlayer(65535, 2065);
        netRole = c.role;
        game.localPlayerIndex = c.localIndex;
        if (c.role == ClientRole)
            serverAddress = NetAddress{loopback, serverPort};

        sf::Packet packet = makePacket(PacketType::PlayerJoined);
        const std::string log =
            logOf([&] { sendPacket(c.destination, PacketType::PlayerJoined, packet, c.exclude); });

        EXPECT_EQ(transport.sentPorts(), c.ports);
        for (const nettest::SentDatagram& d : transport.sent) {
            EXPECT_EQ(d.address, loopback);
            EXPECT_EQ(d.bytes, bytesOf(packet));
        }
        if (*c.log)
            EXPECT_NE(log.find(c.log), std::string::npos) << log;
        else
            EXPECT_EQ(log, "");
        TearDown();
    }
}

TEST_F(SendPathTest, RetriesUntilTheSocketTakesThePacket)
{
    struct Case {
        std::vector<sf::Socket::Status> statuses;
        int attempts;
        bool sent;
        int calls;
        const char* log;
    };
    const Case cases[] = {
        {{sf::Socket::NotReady, sf::Socket::NotReady, sf::Socket::Done}, 3, true, 3, ""},
        {{sf::Socket::Error}, 3, false, 3, "Failed to send packet to 127.0.0.1 after 3 attempts\n"},
        {{sf::Socket::Partial, sf::Socket::Done}, 10, true, 2, ""},
        {{sf::Socket::NotReady}, 10, false, 10, "Failed to send packet to 127.0.0.1 after 10 attempts\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attempts);
        transport = nettest::FakeTransport();
        transport.statuses = c.statuses;
        sf::Packet packet = makePacket(PacketType::ConnectRefused);
        bool sent = false;
        const std::string log = logOf([&] {
            sent = sendPacketWithRetries(NetAddress{loopback, 6000}, packet, c.attempts);
        });
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(transport.sendCalls, c.calls);
        // The line names the address alone, never the port.
        if (*c.log)
            EXPECT_TRUE(log.ends_with(c.log)) << log;
        else
            EXPECT_EQ(log, "");
    }
}

TEST_F(SendPathTest, NoAddressOrNoTransportSendsNothing)
{
    sf::Packet packet = makePacket(PacketType::Leave);
    EXPECT_EQ(logOf([&] { EXPECT_FALSE(sendPacketWithRetries(NetAddress{}, packet, 3)); }), "");
    EXPECT_EQ(transport.sendCalls, 0);

    netTransport = nullptr;
    const std::string log =
        logOf([&] { EXPECT_FALSE(sendPacketWithRetries(NetAddress{loopback, 6000}, packet, 3)); });
    EXPECT_NE(log.find("Failed to send packet to 127.0.0.1 after 3 attempts"), std::string::npos);
}

// Integers go big-endian, floats as their four bytes in this machine's order (x86: little),
// strings as a u32 length and the bytes.
TEST_F(SendPathTest, BuiltPacketsHaveTheProtocolsBytes)
{
    const Bytes connectRequest = {0, 0, 0, 2, 0, 0, 0, 3, 'A', 'n', 'n', 1, 2, 3};
    EXPECT_EQ(bytesOf(makeConnectRequest({"Ann", sf::Color(1, 2, 3)})), connectRequest);

    const Bytes connectAccepted = {0, 0, 0, 4, 0, 0, 0, 5, 'a', '.', 'm', 'a', 'p',
                                   0, 0, 0, 25, 0, 0, 0, 1, 0, 0, 0, 2};
    EXPECT_EQ(bytesOf(makeConnectAccepted({"a.map", 25, 1, 2})), connectAccepted);

    const Bytes fireWeapon = {0, 0, 0, 17, 0, 0, 0, 2,                  // type, Missile
                              0x00, 0x00, 0x80, 0x3f, 0x00, 0x00, 0x00, 0x40, // origin 1, 2
                              0x00, 0x00, 0xb4, 0x42,                      // 90 degrees
                              0x00, 0x00, 0x80, 0xbf, 0x00, 0x00, 0x00, 0x3f, // inherited -1, 0.5
                              0x00, 0x07};                                 // target 7
    EXPECT_EQ(bytesOf(makeFireWeapon({WeaponType::Missile, {1.0f, 2.0f}, 90.0f, {-1.0f, 0.5f}, 7})),
              fireWeapon);

    const Bytes playSound = {0, 0, 0, 21, 1, 2, 3, 4,                      // type, name hash
                             0x00, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00, 0xc0, // 8, -2
                             0, 0, 0, 1, 'v',                              // voice
                             0x00, 0x00, 0x00, 0x3f, 0x00, 0x00, 0x00, 0x40}; // volume .5, pitch 2
    EXPECT_EQ(bytesOf(makePlaySound({0x01020304, {8.0f, -2.0f}, "v", 0.5f, 2.0f})), playSound);

    const Bytes weaponFired = {0, 0, 0, 25, 0, 0, 0, 0, 0, 0, 1, 0x2c,     // type, Pulse, id 300
                               0x00, 0x00, 0x80, 0x3f, 0x00, 0x00, 0x00, 0x40, // origin 1, 2
                               0x00, 0x00, 0xb4, 0x42,                      // 90 degrees
                               0, 0, 0, 0, 0, 0, 0, 0,                      // inherited 0, 0
                               0x01, 0xf5, 0xff, 0xff};                     // owner 501, target -1
    EXPECT_EQ(bytesOf(makeWeaponFired({WeaponType::PulseCannon, 300, {1.0f, 2.0f}, 90.0f, {}, 501, -1})),
              weaponFired);

    // 41 from its relay builder, as it leaves the socket.
    netRole = ServerRole;
    addPlayer(1, 0);
    addPlayer(501, 2501);
    game.localPlayerIndex = 0;
    sendPlayerTokens(501, 12);
    ASSERT_EQ(transport.sent.size(), 1u);
    EXPECT_EQ(transport.sent[0].bytes, (Bytes{0, 0, 0, 41, 0x01, 0xf5, 0, 12}));
}

// Player fields go to every client but the player's own; tokens and the drone to all of them.
TEST_F(SendPathTest, RelaysSkipTheirPlayerWhereTheyShould)
{
    netRole = ServerRole;
    addPlayer(1, 0);
    addPlayer(2, 2002);
    addPlayer(3, 2003);
    game.localPlayerIndex = 0;
    struct Case {
        void (*send)();
        Bytes bytes;
        std::vector<uint16_t> ports;
    };
    const Case cases[] = {
        {[] { sendPlayerX(2, 1.0f); }, {0, 0, 0, 30, 0, 2, 0x00, 0x00, 0x80, 0x3f}, {2003}},
        {[] { sendPlayerY(2, 2.0f); }, {0, 0, 0, 31, 0, 2, 0x00, 0x00, 0x00, 0x40}, {2003}},
        {[] { sendPlayerAngle(2, 0.0f); }, {0, 0, 0, 32, 0, 2, 0, 0, 0, 0}, {2003}},
        {[] { sendPlayerSpeed(2, 2.0f); }, {0, 0, 0, 33, 0, 2, 0x00, 0x00, 0x00, 0x40}, {2003}},
        {[] { sendPlayerNitro(2, true); }, {0, 0, 0, 34, 0, 2, 1}, {2003}},
        {[] { sendPlayerDisabled(2, false); }, {0, 0, 0, 35, 0, 2, 0}, {2003}},
        {[] { sendPlayerUsedItem(2, Drone); }, {0, 0, 0, 36, 0, 2, 0, 0, 0, 6}, {2003}},
        {[] { sendPlayerState(2, 3); }, {0, 0, 0, 37, 0, 2, 0, 0, 0, 3}, {2003}},
        {[] { sendDronePosition(2, 1.0f, 2.0f); },
         {0, 0, 0, 42, 0, 2, 0x00, 0x00, 0x80, 0x3f, 0x00, 0x00, 0x00, 0x40}, {2002, 2003}},
        {[] { sendDroneAngle(2, 0.0f); }, {0, 0, 0, 43, 0, 2, 0, 0, 0, 0}, {2002, 2003}},
        {[] { sendPickupAdded(3, 9, 1.0f, 2.0f, Bomb); },
         {0, 0, 0, 47, 0, 0, 0, 9, 0x00, 0x00, 0x80, 0x3f, 0x00, 0x00, 0x00, 0x40, 0, 0, 0, 2}, {2003}},
    };
    for (const Case& c : cases) {
        transport.sent.clear();
        c.send();
        ASSERT_FALSE(transport.sent.empty());
        SCOPED_TRACE(int(transport.sent[0].bytes[3]));
        EXPECT_EQ(transport.sentPorts(), c.ports);
        EXPECT_EQ(transport.sent[0].bytes, c.bytes);
    }
}

TEST_F(SendPathTest, AnglesTravelInDegrees)
{
    netRole = ServerRole;
    addPlayer(1, 0);
    addPlayer(2, 2002);
    game.localPlayerIndex = 0;
    sendDroneAngle(1, 3.14159265f);
    ASSERT_EQ(transport.sent.size(), 1u);
    sf::Packet packet;
    packet.append(transport.sent[0].bytes.data(), transport.sent[0].bytes.size());
    int32_t type = 0;
    int16_t id = 0;
    float degrees = 0.0f;
    packet >> type >> id >> degrees;
    EXPECT_NEAR(degrees, 180.0f, 1e-3f);
}

TEST_F(SendPathTest, FindsThePlayerOfAnAddress)
{
    addPlayer(1, 0);
    addPlayer(2, 2002);
    addPlayer(3, 2003, sf::IpAddress(127, 0, 0, 2));
    struct Case {
        NetAddress from;
        int index;
    };
    const Case cases[] = {
        {{loopback, 2002}, 1},
        {{sf::IpAddress(127, 0, 0, 2), 2003}, 2},
        {{loopback, 2003}, -1}, // same machine, another port
        {{sf::IpAddress(127, 0, 0, 2), 2002}, -1},
        {{std::nullopt, 0}, 0}, // absent matches absent: received addresses are always present
    };
    for (const Case& c : cases)
        EXPECT_EQ(findPlayerByAddress(c.from), c.index) << c.from.port;
}

} // namespace
