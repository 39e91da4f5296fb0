// A server and three clients, each its own process on 127.0.0.1, play through a relay that
// loses, duplicates and reorders datagrams while the server's port is flooded with malformed
// ones. Nobody crashes or is dropped, and once the loss stops every view heals within the
// re-send period.
#include "net/Network.h"
#include "support/NetSoak.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace soak;

namespace {

TEST(NetSoak, ThreeClientsThroughALossyRelayAndAFloodConverge)
{
    const SoakRun run = runSoak(3, 3.0, true);
    ASSERT_EQ(run.failure, "");
    ASSERT_TRUE(run.healed) << "the views never agreed";
    // The re-send period, plus a tick for the pass to come round and one for the server's hop.
    EXPECT_LE(*run.healed, tvl::keepAlivePeriod + 0.2);
    std::printf("healed in %.3f s; relay forwarded %llu, dropped %llu, duplicated %llu, held back %llu; flood %llu\n",
                *run.healed, static_cast<unsigned long long>(run.counts.forwarded),
                static_cast<unsigned long long>(run.counts.dropped),
                static_cast<unsigned long long>(run.counts.duplicated),
                static_cast<unsigned long long>(run.counts.heldBack), static_cast<unsigned long long>(run.counts.flood));
    // The line really was bad.
    EXPECT_GT(run.counts.dropped, 0u);
    EXPECT_GT(run.counts.duplicated, 0u);
    EXPECT_GT(run.counts.heldBack, 0u);
    EXPECT_GT(run.counts.flood, 500u);

    EXPECT_FALSE(run.someoneEnded);
    EXPECT_EQ(run.exitCodes, (std::vector<int>{0, 0, 0, 0}));
    ASSERT_EQ(run.healedReports.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const PeerReport& end = run.healedReports[i];
        EXPECT_TRUE(end.connected);
        EXPECT_EQ(end.players.size(), 4u);
        // It drove through the bad line.
        const PlayerView* was = run.drivingStart[i].player(end.ownId);
        ASSERT_NE(was, nullptr);
        EXPECT_NE(end.player(end.ownId)->x, was->x);
    }
}

// A full server: eight players (the host and seven clients, each its own process) play, and the
// ninth is refused; the eight are none the worse for it.
TEST(NetSoak, TheNinthPlayerIsRefusedAndTheEightPlayOn)
{
    std::vector<PeerProcess> peers;
    peers.push_back(PeerProcess::server(0));
    const uint16_t port = peers[0].port();
    ASSERT_NE(port, 0);
    for (int i = 1; i < 8; ++i) {
        peers.push_back(PeerProcess::client(i, port));
        ASSERT_TRUE(peers.back().joined(20.0)) << "client " << i << " was not accepted";
    }
    PeerProcess ninth = PeerProcess::client(8, port);
    const std::optional<std::string> answer = ninth.readLine(20.0);
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, "refused");

    std::vector<PeerReport> last;
    ASSERT_TRUE(secondsUntil(peers, 10.0, everyoneSeesEveryone, last)) << "the eight did not all see each other";
    for (const PeerReport& report : last) {
        EXPECT_TRUE(report.connected);
        EXPECT_EQ(report.players.size(), 8u);
    }
    for (PeerProcess& peer : peers)
        EXPECT_EQ(peer.quit(), 0);
    ninth.quit();
}

} // namespace
