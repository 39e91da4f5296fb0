#pragma once
// A network game over the fake transport and a clock the test moves: players with machines,
// packets queued as if they arrived, and what went out read back as types and fields.
#include "net/Network.h"
#include "net/Packets.h"
#include "platform/Clock.h"
#include "support/GameFixture.h"
#include "tvl/net/FakeTransport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace nettest {

inline const sf::IpAddress loopback(127, 0, 0, 1);

inline double fakeNow = 0.0;
inline double fakeClock()
{
    return fakeNow;
}

// A sent datagram as a packet, its type already read.
struct SentPacket {
    tvl::PacketType type;
    uint16_t port;
    sf::Packet fields;
};

class NetTest : public testing::Test {
protected:
    FakeTransport transport;

    void SetUp() override
    {
        gametest::resetGameState();
        tvl::shutdownNetwork(); // no role yet: only forgets the last test's network
        transport = FakeTransport();
        tvl::game.gameType = tvl::MultiplayerGame;
        tvl::peers.clear();
        tvl::serverAddress = tvl::NetAddress{};
        tvl::netTransport = &transport;
        fakeNow = 1000.0;
        tvl::netClockSeconds = fakeClock;
    }
    void TearDown() override
    {
        tvl::netRole = tvl::NoNetRole;
        tvl::shutdownNetwork();
        tvl::netTransport = nullptr;
        tvl::serverAddress = tvl::NetAddress{};
        tvl::peers.clear();
        tvl::netClockSeconds = kv::steadySeconds;
        gametest::endGameState();
    }

    // A player with that ID; port 0: no machine (this one's own, a computer player).
    tvl::Player& addPlayer(uint16_t id, uint16_t port, const std::string& name = "")
    {
        auto player = std::make_shared<tvl::Player>();
        player->playerId = id;
        player->name = name.empty() ? "P" + std::to_string(id) : name;
        tvl::game.players.push_back(player);
        if (port != 0) {
            tvl::peers[id].address = tvl::NetAddress{loopback, port};
            tvl::peers[id].lastHeard = fakeNow;
        }
        return *player;
    }

    // A server whose own player (ID 1) is local, with clients 2.. on ports 2002...
    void hostWith(int clients)
    {
        tvl::netRole = tvl::ServerRole;
        addPlayer(1, 0, "Host");
        tvl::game.localPlayerIndex = 0;
        for (int i = 0; i < clients; ++i)
            addPlayer(static_cast<uint16_t>(2 + i), static_cast<uint16_t>(2002 + i));
    }

    // A client of the server at 127.0.0.1:2000 whose own player has ID localId.
    void joinAs(uint16_t localId)
    {
        tvl::netRole = tvl::ClientRole;
        tvl::serverAddress = tvl::NetAddress{loopback, 2000};
        addPlayer(localId, 0, "Me");
        tvl::game.localPlayerIndex = 0;
    }

    void arrive(const sf::Packet& packet, uint16_t fromPort, const sf::IpAddress& ip = loopback)
    {
        const auto* data = static_cast<const uint8_t*>(packet.getData());
        transport.incoming.push_back({std::vector<uint8_t>(data, data + packet.getDataSize()),
                                      tvl::NetAddress{ip, fromPort}});
    }

    // What went out since the last call, oldest first.
    std::vector<SentPacket> takeSent()
    {
        std::vector<SentPacket> out;
        for (const SentDatagram& d : transport.sent) {
            SentPacket p{tvl::PacketType::ServerShutdown, d.port, sf::Packet()};
            p.fields.append(d.bytes.data(), d.bytes.size());
            int32_t type = 0;
            p.fields >> type;
            p.type = static_cast<tvl::PacketType>(type);
            out.push_back(std::move(p));
        }
        transport.sent.clear();
        return out;
    }

    template <typename F>
    std::string logOf(F&& run)
    {
        testing::internal::CaptureStderr();
        run();
        return testing::internal::GetCapturedStderr();
    }
};

template <typename... Fields>
sf::Packet packetOf(tvl::PacketType type, const Fields&... fields)
{
    sf::Packet packet = tvl::makePacket(type);
    if constexpr (sizeof...(fields) > 0)
        (packet << ... << fields);
    return packet;
}

inline bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A peer's text that tries to pass a line of its own into the log and to drive a terminal.
inline const std::string forgedText = "gg\n03:00:00: HostPlayer was kicked for cheating\x1b[31m";
// True when no line of log is one the peer forged, and no terminal escape got through.
inline bool noForgedLine(const std::string& log)
{
    return !contains("\n" + log, "\n03:00:00: HostPlayer") && !contains(log, "\x1b");
}

} // namespace nettest
