// A server and three clients, each its own process on 127.0.0.1, play through a relay that
// loses, duplicates and reorders datagrams while the server's port is flooded with malformed
// ones. Nobody crashes or is dropped, and once the loss stops every view heals within the
// re-send period.
#include "net/Network.h"
#include "world/Game.h"
#include "support/NetSoak.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

using namespace soak;

namespace {

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Every peer's report, or nothing when one does not answer.
std::optional<std::vector<PeerReport>> reportAll(std::vector<PeerProcess>& peers)
{
    for (PeerProcess& p : peers)
        p.command("report");
    std::vector<PeerReport> reports;
    for (PeerProcess& p : peers) {
        std::optional<PeerReport> r;
        while (!r) {
            const std::optional<std::string> line = p.readLine(5.0);
            if (!line)
                return std::nullopt;
            r = parseReport(*line);
        }
        reports.push_back(*r);
    }
    return reports;
}

// Polls the peers until their reports pass; the seconds it took, or nothing within the bound.
template <typename Check>
std::optional<double> secondsUntil(std::vector<PeerProcess>& peers, double bound, Check check,
                                   std::vector<PeerReport>& last)
{
    const double start = now();
    while (now() - start < bound) {
        const auto reports = reportAll(peers);
        if (!reports)
            return std::nullopt;
        last = *reports;
        if (check(last))
            return now() - start;
    }
    return std::nullopt;
}

bool everyoneSeesEveryone(const std::vector<PeerReport>& reports)
{
    for (const PeerReport& viewer : reports)
        for (const PeerReport& owner : reports)
            if (owner.ownId == tvl::unassignedPlayerId || !viewer.player(owner.ownId))
                return false;
    return true;
}

TEST(NetSoak, ThreeClientsThroughALossyRelayAndAFloodConverge)
{
    std::vector<PeerProcess> peers;
    peers.reserve(4);
    peers.push_back(PeerProcess::server(0));
    const uint16_t serverPort = peers[0].port();
    ASSERT_NE(serverPort, 0);
    UdpRelay relay(serverPort);
    ASSERT_NE(relay.port(), 0);
    // The join has no retry of its own: the clients come in over a clean line.
    for (int i = 1; i <= 3; ++i)
        peers.push_back(PeerProcess::client(i, relay.port()));
    relay.start();
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(peers[static_cast<std::size_t>(i)].joined(20.0)) << "client " << i;
    std::vector<PeerReport> reports;
    ASSERT_TRUE(secondsUntil(peers, 20.0, everyoneSeesEveryone, reports));

    relay.setImpaired(true);
    relay.setFlood(true, 300, 5000);
    // Everyone drives through the bad line for a while.
    const auto driving = reportAll(peers);
    ASSERT_TRUE(driving);
    const double drivingStart = now();
    while (now() - drivingStart < 3.0)
        ASSERT_TRUE(reportAll(peers));
    for (PeerProcess& p : peers)
        p.command("stop");
    // Last moves may be lost while the loss lasts.
    const double stopped = now();
    while (now() - stopped < 0.5)
        ASSERT_TRUE(reportAll(peers));

    relay.setImpaired(false);
    // The re-send period, plus a tick for the pass to come round and one for the server's hop.
    const double bound = tvl::keepAlivePeriod + 0.2;
    const std::optional<double> healed = secondsUntil(peers, 5.0, viewsAgree, reports);
    ASSERT_TRUE(healed) << "views never agreed";
    EXPECT_LE(*healed, bound);

    const UdpRelay::Counts counts = relay.counts();
    std::printf("healed in %.3f s; relay forwarded %llu, dropped %llu, duplicated %llu, held back %llu; flood %llu\n",
                *healed, static_cast<unsigned long long>(counts.forwarded),
                static_cast<unsigned long long>(counts.dropped), static_cast<unsigned long long>(counts.duplicated),
                static_cast<unsigned long long>(counts.heldBack), static_cast<unsigned long long>(counts.flood));
    EXPECT_GT(counts.dropped, 0u);
    EXPECT_GT(counts.duplicated, 0u);
    EXPECT_GT(counts.heldBack, 0u);
    EXPECT_GT(counts.flood, 500u);
    for (std::size_t i = 0; i < peers.size(); ++i) {
        SCOPED_TRACE(i);
        const PeerReport& r = reports[i];
        EXPECT_TRUE(r.connected);
        EXPECT_EQ(r.players.size(), 4u);
        // It drove: it is no longer where it was when the line went bad.
        EXPECT_NE(r.player(r.ownId)->x, (*driving)[i].player(r.ownId)->x);
        EXPECT_FALSE(peers[i].ended());
    }
    relay.setFlood(false);
    for (PeerProcess& p : peers)
        EXPECT_EQ(p.quit(), 0);
    relay.stop();
}

} // namespace
