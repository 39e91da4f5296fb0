// Network traffic of whole games between processes on 127.0.0.1: the bytes a second each client
// sends and receives with 2, 4 and 8 players all moving at 30 ticks a second, the delay from a
// client's datagram reaching the server's port to the server's relay of it leaving (which
// includes the wait for the server's next tick), and a long soak through a lossy relay under a
// flood of malformed datagrams. Prints figures; never fails on a time.
// Usage: net_traffic [seconds driving per player count, default 5] [soak seconds, default 60]
#include "BenchSupport.h"
#include "support/NetSoak.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace soak;

namespace {

struct Rates {
    double sentMin = 1e30, sentMax = 0.0, sentSum = 0.0;
    double receivedMin = 1e30, receivedMax = 0.0, receivedSum = 0.0;
    double datagramsSentSum = 0.0, datagramsReceivedSum = 0.0;
    int clients = 0;
};

// Bytes a second of each client (every report but the server's, which is first).
Rates clientRates(const SoakRun& run)
{
    Rates r;
    const double span = run.drivingEndTime - run.drivingStartTime;
    for (std::size_t i = 1; i < run.drivingEnd.size(); ++i) {
        const double sent = static_cast<double>(run.drivingEnd[i].sentBytes - run.drivingStart[i].sentBytes) / span;
        const double received =
            static_cast<double>(run.drivingEnd[i].receivedBytes - run.drivingStart[i].receivedBytes) / span;
        r.sentMin = std::min(r.sentMin, sent);
        r.sentMax = std::max(r.sentMax, sent);
        r.sentSum += sent;
        r.receivedMin = std::min(r.receivedMin, received);
        r.receivedMax = std::max(r.receivedMax, received);
        r.receivedSum += received;
        r.datagramsSentSum +=
            static_cast<double>(run.drivingEnd[i].sentPackets - run.drivingStart[i].sentPackets) / span;
        r.datagramsReceivedSum +=
            static_cast<double>(run.drivingEnd[i].receivedPackets - run.drivingStart[i].receivedPackets) / span;
        ++r.clients;
    }
    return r;
}

double serverRate(const SoakRun& run, bool sent)
{
    const PeerReport& a = run.drivingStart[0];
    const PeerReport& b = run.drivingEnd[0];
    const uint64_t bytes = sent ? b.sentBytes - a.sentBytes : b.receivedBytes - a.receivedBytes;
    return static_cast<double>(bytes) / (run.drivingEndTime - run.drivingStartTime);
}

void printRun(const SoakRun& run)
{
    const Rates r = clientRates(run);
    std::printf("  over %.1f s, per client: sends %.0f B/s (min %.0f, max %.0f), receives %.0f B/s (min %.0f, max %.0f)\n",
                run.drivingEndTime - run.drivingStartTime, r.sentSum / r.clients, r.sentMin, r.sentMax,
                r.receivedSum / r.clients, r.receivedMin, r.receivedMax);
    std::printf("  per client: %.0f datagrams/s out, %.0f in\n", r.datagramsSentSum / r.clients,
                r.datagramsReceivedSum / r.clients);
    std::printf("  server: sends %.0f B/s, receives %.0f B/s\n", serverRate(run, true), serverRate(run, false));
    if (run.healed)
        std::printf("  views agree %.3f s after the line is clean\n", *run.healed);
    else
        std::printf("  views never agreed within 5 s\n");
    bool allQuit = !run.someoneEnded;
    for (const int code : run.exitCodes)
        allQuit = allQuit && code == 0;
    std::printf("  every peer %s\n", allQuit ? "stayed and quit cleanly" : "did NOT stay and quit cleanly");
}

} // namespace

int main(int argc, char** argv)
{
    const double drivingSeconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const double soakSeconds = argc > 2 ? std::atof(argv[2]) : 60.0;
    std::printf("net_traffic on %s, 127.0.0.1 only\n", bench::cpuModel().c_str());

    for (const int players : {2, 4, 8}) {
        std::printf("%d players, all moving, clean line:\n", players);
        const SoakRun run = runSoak(players - 1, drivingSeconds, false);
        if (!run.failure.empty()) {
            std::printf("  run broke off: %s\n", run.failure.c_str());
            continue;
        }
        printRun(run);
        if (run.relayDelays.empty())
            std::printf("  server relay delay: no other client to relay to\n");
        else
            std::printf("  server relay delay over %zu PlayerX: median %.2f ms, 95th percentile %.2f ms\n",
                        run.relayDelays.size(), 1000.0 * percentile(run.relayDelays, 0.5),
                        1000.0 * percentile(run.relayDelays, 0.95));
    }

    std::printf("soak: 4 players through 10 %% loss, 2 %% duplicates, reordering and a flood, %.0f s:\n", soakSeconds);
    const SoakRun soak = runSoak(3, soakSeconds, true);
    if (!soak.failure.empty()) {
        std::printf("  run broke off: %s\n", soak.failure.c_str());
        return 0;
    }
    printRun(soak);
    std::printf("  relay forwarded %llu, dropped %llu, duplicated %llu, held back %llu; flood datagrams %llu\n",
                static_cast<unsigned long long>(soak.counts.forwarded),
                static_cast<unsigned long long>(soak.counts.dropped),
                static_cast<unsigned long long>(soak.counts.duplicated),
                static_cast<unsigned long long>(soak.counts.heldBack),
                static_cast<unsigned long long>(soak.counts.flood));
    return 0;
}
