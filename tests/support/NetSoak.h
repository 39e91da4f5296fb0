#pragma once
// Whole network games between processes on 127.0.0.1: a headless peer (server or client) in a
// child process that drives its player along a circle at 30 ticks a second and answers
// commands, and a UDP relay between the clients and the server that can lose, duplicate and
// reorder datagrams and flood the server's port with malformed ones. The network keeps one
// machine per process, so each peer is its own process.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace soak {

// One player as a peer sees it: its own from the truth, another's from what it heard.
struct PlayerView {
    int id = 0;
    float x = 0.0f, y = 0.0f, angle = 0.0f; // world pixels, radians
};

// A peer's answer to "report".
struct PeerReport {
    int ownId = 0;
    bool connected = false; // still a server or a client
    uint64_t sentPackets = 0, sentBytes = 0, receivedPackets = 0, receivedBytes = 0;
    std::vector<PlayerView> players;

    const PlayerView* player(int id) const;
};

// A peer in a child process. Commands on its standard input, one a line, are acted on at its
// next tick: "stop" ends the driving (the player stays where it is, speed 0), "report" prints
// one report line, "quit" shuts the network down and exits 0.
class PeerProcess {
public:
    // Hosts on 127.0.0.1, any free port; the port is read from the peer's first line.
    static PeerProcess server(int pathIndex);
    // Joins the server at 127.0.0.1:port; joined() waits for its accepted answer.
    static PeerProcess client(int pathIndex, uint16_t serverPort);
    PeerProcess(PeerProcess&& other) noexcept;
    PeerProcess& operator=(PeerProcess&&) = delete;
    ~PeerProcess(); // kills a peer still running

    uint16_t port() const { return port_; }
    // The next line the peer printed, or nothing within timeoutSeconds.
    std::optional<std::string> readLine(double timeoutSeconds);
    void command(const std::string& line);
    // Waits for the accepted join ("joined" line).
    bool joined(double timeoutSeconds);
    // Quits and reaps; the exit status (or -1 when it had to be killed or had already died).
    int quit(double timeoutSeconds = 5.0);
    // The peer process has ended (crashed, or left on its own).
    bool ended();

private:
    PeerProcess(pid_t pid, int in, int out) : pid_(pid), in_(in), out_(out) {}
    static PeerProcess spawn(bool serve, int pathIndex, uint16_t serverPort);

    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    uint16_t port_ = 0;
    std::string buffer_;
};

// Seconds on a steady clock.
double seconds();

// Parses a report line; nothing when it is not one.
std::optional<PeerReport> parseReport(const std::string& line);

// Every peer's report (all asked first, then all read), or nothing when one does not answer.
std::optional<std::vector<PeerReport>> reportAll(std::vector<PeerProcess>& peers);
// Polls the peers until their reports pass check; the seconds it took, or nothing within bound
// seconds. last holds the last reports read.
std::optional<double> secondsUntil(std::vector<PeerProcess>& peers, double bound,
                                   const std::function<bool(const std::vector<PeerReport>&)>& check,
                                   std::vector<PeerReport>& last);

// True when every peer has its ID and sees every other peer's player.
bool everyoneSeesEveryone(const std::vector<PeerReport>& reports);
// True when every peer's view of every other player lies within the state thresholds of that
// player's own pose (and everyone sees everyone).
bool viewsAgree(const std::vector<PeerReport>& reports);

// Between the clients and one server, all on 127.0.0.1: clients send to port(); each client
// gets its own socket towards the server, so the server tells them apart. Runs on its own
// thread from start() to stop().
class UdpRelay {
public:
    explicit UdpRelay(uint16_t serverPort, uint32_t seed = 1);
    ~UdpRelay();
    uint16_t port() const { return port_; }
    void start();
    void stop();

    // Loses 10 %, duplicates 2 % and holds 10 % back 5 to 20 ms, both ways; off: passes all.
    void setImpaired(bool on) { impaired_ = on; }
    // Malformed datagrams at the server's port, perSecond a second up to limit in all:
    // random bytes and a join with a broken name from a stranger, and short or out-of-range
    // packets through the clients' own sockets.
    void setFlood(bool on, int perSecond = 300, uint64_t limit = 100000);

    struct Counts {
        uint64_t forwarded = 0, dropped = 0, duplicated = 0, heldBack = 0, flood = 0;
    };
    Counts counts() const;
    // Seconds from a client's PlayerX reaching the server's port to the first relay of the same
    // value leaving it, while not impaired; taken and cleared.
    std::vector<double> takeRelayDelays();

private:
    struct Client {
        uint16_t port; // the client's
        int socket;    // ours towards the server
    };
    struct Held {
        double due;
        int socket;
        uint16_t toPort;
        bool clientToServer;
        std::vector<uint8_t> bytes;
    };
    void run();
    void forward(int socket, const std::vector<uint8_t>& bytes, uint16_t toPort, bool clientToServer);
    void deliver(int socket, const std::vector<uint8_t>& bytes, uint16_t toPort, bool clientToServer);
    void flood(double now);
    double random();

    uint16_t serverPort_;
    int front_ = -1, stranger_ = -1;
    uint16_t port_ = 0;
    std::vector<Client> clients_;
    std::vector<Held> held_;
    std::atomic<bool> running_{false}, impaired_{false}, flooding_{false};
    std::atomic<int> floodRate_{0};
    std::atomic<uint64_t> floodLimit_{0};
    double floodDue_ = 0.0;
    uint32_t randomState_;
    std::thread thread_;
    mutable std::mutex mutex_; // counts and delays
    Counts counts_;
    std::vector<double> delays_;
    std::vector<std::pair<uint32_t, double>> pendingX_; // value bits, time it reached the server
};

// One game from start to quit: a server (path 0) and clients 1.. through a relay. Once everyone
// sees everyone, all drive for drivingSeconds (through a lossy line under a flood when lossy),
// stop, and with lossy keep the loss half a second more; then the line is clean and the views
// are polled until they agree.
struct SoakRun {
    std::string failure; // what broke off the run; empty when every step ran
    std::vector<PeerReport> drivingStart, drivingEnd; // server first
    double drivingStartTime = 0.0, drivingEndTime = 0.0;
    std::optional<double> healed; // seconds from the clean line to the views agreeing
    std::vector<PeerReport> healedReports;
    UdpRelay::Counts counts;
    std::vector<double> relayDelays; // while driving on a clean line
    bool someoneEnded = false;       // a peer process ended before it was told to quit
    std::vector<int> exitCodes;
};
SoakRun runSoak(int clients, double drivingSeconds, bool lossy);

// The value that fraction of values lie at or below (nearest rank: 0.5 the median); 0 for none.
double percentile(std::vector<double> values, double fraction);

} // namespace soak
