#include "support/NetSoak.h"

#include "core/Angle.h"
#include "net/Network.h"
#include "net/Packets.h"
#include "net/UdpTransport.h"
#include "support/GameFixture.h"
#include "world/Game.h"
#include "world/Map.h"
#include "world/Player.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace soak {

namespace {

using Clock = std::chrono::steady_clock;

// --- The peer, inside its child process ---

// The game's socket, counting what passes.
class CountingTransport final : public tvl::Transport {
public:
    tvl::UdpTransport socket;
    uint64_t sentPackets = 0, sentBytes = 0, receivedPackets = 0, receivedBytes = 0;

    sf::Socket::Status send(const void* data, std::size_t size, const sf::IpAddress& address,
                            uint16_t port) override
    {
        const sf::Socket::Status status = socket.send(data, size, address, port);
        if (status == sf::Socket::Done) {
            ++sentPackets;
            sentBytes += size;
        }
        return status;
    }
    std::optional<tvl::NetAddress> receive(sf::Packet& packet) override
    {
        std::optional<tvl::NetAddress> from = socket.receive(packet);
        if (from) {
            ++receivedPackets;
            receivedBytes += packet.getDataSize();
        }
        return from;
    }
};

constexpr double tickSeconds = 1.0 / 30.0;

// Player pathIndex circles its own centre; the heading follows the circle.
void placeOnPath(tvl::Player& player, int pathIndex, double t)
{
    const float radius = 80.0f;
    const float rate = 0.8f + 0.1f * static_cast<float>(pathIndex);
    const float theta = static_cast<float>(pathIndex) + rate * static_cast<float>(t);
    player.x = 300.0f + 200.0f * static_cast<float>(pathIndex % 4) + radius * std::cos(theta);
    player.y = 300.0f + 300.0f * static_cast<float>(pathIndex / 4) + radius * std::sin(theta);
    // 0 is up, clockwise: the direction of travel (-sin, cos) measured from up.
    player.angle = kv::wrapRadians(std::atan2(-std::sin(theta), -std::cos(theta)));
    player.speed = radius * rate;
}

void printReport(const CountingTransport& transport, bool connected)
{
    const tvl::Player* own = tvl::localPlayer();
    std::ostringstream line;
    line << "report " << (own ? own->playerId : 0) << ' ' << connected << ' ' << transport.sentPackets << ' '
         << transport.sentBytes << ' ' << transport.receivedPackets << ' ' << transport.receivedBytes << ' '
         << tvl::game.players.size();
    line.precision(9);
    for (const auto& p : tvl::game.players) {
        const bool mine = p.get() == own;
        line << ' ' << p->playerId << ' ' << (mine ? p->x : p->netTargetX) << ' ' << (mine ? p->y : p->netTargetY)
             << ' ' << (mine ? p->angle : p->netTargetAngle);
    }
    std::printf("%s\n", line.str().c_str());
    std::fflush(stdout);
}

// The commands that arrived on standard input since the last call, whole lines only.
std::vector<std::string> takeCommands(std::string& pending)
{
    char chunk[256];
    pollfd in{0, POLLIN, 0};
    while (poll(&in, 1, 0) > 0 && (in.revents & POLLIN)) {
        const ssize_t n = read(0, chunk, sizeof chunk);
        if (n <= 0)
            break;
        pending.append(chunk, static_cast<std::size_t>(n));
    }
    std::vector<std::string> lines;
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
        lines.push_back(pending.substr(0, end));
        pending.erase(0, end + 1);
    }
    return lines;
}

[[noreturn]] void runPeer(bool serve, int pathIndex, uint16_t serverPort)
{
    using namespace tvl;
    gametest::resetGameState();
    game.gameType = MultiplayerGame;
    CountingTransport transport;
    if (!transport.socket.bind(0, sf::IpAddress::LocalHost))
        _exit(2);
    netTransport = &transport;
    const std::string name = (serve ? "Host" : "Client") + std::to_string(pathIndex);
    const sf::Color colour(static_cast<sf::Uint8>(40 * pathIndex), 200, 100);

    if (serve) {
        netRole = ServerRole;
        currentMapFile = "Soak.map"; // told to each joiner, and checked there
        std::printf("ready %u\n", static_cast<unsigned>(transport.socket.localPort()));
    } else {
        serverAddress = NetAddress{sf::IpAddress::LocalHost, serverPort};
        sf::Packet request = makeConnectRequest({name, colour});
        sendPacketWithRetries(serverAddress, request, handshakeAttempts);
        wire::ConnectAccepted accepted;
        ConnectAnswer answer = ConnectAnswer::None;
        const auto giveUp = Clock::now() + std::chrono::seconds(20);
        while ((answer = receiveConnectAnswer(serverAddress, accepted)) == ConnectAnswer::None) {
            if (Clock::now() > giveUp)
                _exit(3);
            std::this_thread::sleep_for(std::chrono::duration<double>(tickSeconds));
        }
        if (answer == ConnectAnswer::Refused) {
            std::printf("refused\n");
            std::fflush(stdout);
            _exit(3);
        }
        netRole = ClientRole;
        std::printf("joined\n");
    }
    std::fflush(stdout);
    // As the game's start does: the local player first, on a client without its ID yet.
    auto local = addPlayer(colour, name, false);
    if (!serve)
        local->playerId = unassignedPlayerId;
    game.localPlayerIndex = 0;

    bool driving = true, connected = true;
    double pathTime = 0.0;
    std::string pending;
    auto next = Clock::now();
    for (;;) {
        for (const std::string& line : takeCommands(pending)) {
            if (line == "stop") {
                driving = false;
                local->speed = 0.0f;
            } else if (line == "report") {
                printReport(transport, connected);
            } else if (line == "quit") {
                if (netRole != NoNetRole)
                    shutdownNetwork();
                _exit(0);
            }
        }
        if (driving) {
            pathTime += tickSeconds;
            placeOnPath(*local, pathIndex, pathTime);
        }
        if (connected && !networkTick()) {
            connected = false;
            std::printf("ended\n");
            std::fflush(stdout);
        }
        next += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(tickSeconds));
        std::this_thread::sleep_until(next);
    }
}

// --- The relay's datagrams ---

void putInt32(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void putFloat(std::vector<uint8_t>& bytes, float value)
{
    uint8_t raw[4];
    std::memcpy(raw, &value, 4);
    bytes.insert(bytes.end(), raw, raw + 4);
}

int32_t typeOf(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 4)
        return -1;
    return static_cast<int32_t>((uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) |
                                uint32_t(bytes[3]));
}

uint32_t bitsAt(const std::vector<uint8_t>& bytes, std::size_t offset)
{
    uint32_t bits = 0;
    std::memcpy(&bits, bytes.data() + offset, 4);
    return bits;
}

int openLoopbackSocket()
{
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return -1;
    return s;
}

uint16_t localPortOf(int s)
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

void sendTo(int s, const std::vector<uint8_t>& bytes, uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    sendto(s, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
}

// One waiting datagram and its sender's port; nothing when none waits.
std::optional<std::pair<std::vector<uint8_t>, uint16_t>> receiveFrom(int s)
{
    uint8_t buffer[65536];
    sockaddr_in address{};
    socklen_t size = sizeof address;
    const ssize_t n = recvfrom(s, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&address), &size);
    if (n < 0)
        return std::nullopt;
    return std::make_pair(std::vector<uint8_t>(buffer, buffer + n), ntohs(address.sin_port));
}

} // namespace

// --- Peers, from the test's side ---

double seconds()
{
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

const PlayerView* PeerReport::player(int id) const
{
    for (const PlayerView& p : players)
        if (p.id == id)
            return &p;
    return nullptr;
}

PeerProcess PeerProcess::spawn(bool serve, int pathIndex, uint16_t serverPort)
{
    std::signal(SIGPIPE, SIG_IGN); // a dead peer's input fails its write instead
    int toPeer[2], fromPeer[2];
    if (pipe(toPeer) != 0 || pipe(fromPeer) != 0)
        return PeerProcess(-1, -1, -1);
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(toPeer[0], 0);
        dup2(fromPeer[1], 1);
        // The peer's log goes to <TVL_PEER_LOG>.<pid> when that is set.
        const char* logPrefix = std::getenv("TVL_PEER_LOG");
        const std::string log = logPrefix ? logPrefix + std::string(".") + std::to_string(getpid()) : "/dev/null";
        dup2(open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        // Nothing else of the test's: other peers' pipes, the relay's sockets.
        for (int fd = 3; fd < 1024; ++fd)
            close(fd);
        runPeer(serve, pathIndex, serverPort);
    }
    close(toPeer[0]);
    close(fromPeer[1]);
    return PeerProcess(pid, toPeer[1], fromPeer[0]);
}

PeerProcess PeerProcess::server(int pathIndex)
{
    PeerProcess peer = spawn(true, pathIndex, 0);
    if (const std::optional<std::string> line = peer.readLine(10.0); line && line->rfind("ready ", 0) == 0)
        peer.port_ = static_cast<uint16_t>(std::stoi(line->substr(6)));
    return peer;
}

PeerProcess PeerProcess::client(int pathIndex, uint16_t serverPort)
{
    return spawn(false, pathIndex, serverPort);
}

PeerProcess::PeerProcess(PeerProcess&& other) noexcept
    : pid_(other.pid_), in_(other.in_), out_(other.out_), port_(other.port_), buffer_(std::move(other.buffer_))
{
    other.pid_ = -1;
    other.in_ = other.out_ = -1;
}

PeerProcess::~PeerProcess()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (in_ >= 0)
        close(in_);
    if (out_ >= 0)
        close(out_);
}

std::optional<std::string> PeerProcess::readLine(double timeoutSeconds)
{
    const double giveUp = seconds() + timeoutSeconds;
    for (;;) {
        if (const std::size_t end = buffer_.find('\n'); end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return line;
        }
        const double left = giveUp - seconds();
        if (left <= 0.0 || out_ < 0)
            return std::nullopt;
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left * 1000.0) + 1) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0)
            return std::nullopt; // the peer is gone
        buffer_.append(chunk, static_cast<std::size_t>(n));
    }
}

void PeerProcess::command(const std::string& line)
{
    const std::string text = line + "\n";
    if (in_ >= 0 && write(in_, text.data(), text.size()) < 0) {
        // A dead peer: ended() and the missing answers tell the test.
    }
}

bool PeerProcess::joined(double timeoutSeconds)
{
    const std::optional<std::string> line = readLine(timeoutSeconds);
    return line && *line == "joined";
}

int PeerProcess::quit(double timeoutSeconds)
{
    if (pid_ <= 0)
        return -1;
    command("quit");
    const double giveUp = seconds() + timeoutSeconds;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_)
            break;
        if (done < 0 || seconds() > giveUp) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
            return -1;
        }
        pollfd none{-1, 0, 0};
        poll(&none, 0, 5); // the child's exit has no descriptor to wait on
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool PeerProcess::ended()
{
    if (pid_ <= 0)
        return true;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return true;
    }
    return false;
}

std::optional<PeerReport> parseReport(const std::string& line)
{
    std::istringstream in(line);
    std::string word;
    PeerReport report;
    std::size_t count = 0;
    if (!(in >> word) || word != "report" ||
        !(in >> report.ownId >> report.connected >> report.sentPackets >> report.sentBytes >> report.receivedPackets >>
          report.receivedBytes >> count))
        return std::nullopt;
    // Through strtof, which reads "nan" and "inf" back as well.
    const auto readFloat = [&](float& value) {
        std::string token;
        if (!(in >> token))
            return false;
        value = std::strtof(token.c_str(), nullptr);
        return true;
    };
    report.players.resize(count);
    for (PlayerView& p : report.players)
        if (!(in >> p.id) || !readFloat(p.x) || !readFloat(p.y) || !readFloat(p.angle))
            return std::nullopt;
    return report;
}

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

std::optional<double> secondsUntil(std::vector<PeerProcess>& peers, double bound,
                                   const std::function<bool(const std::vector<PeerReport>&)>& check,
                                   std::vector<PeerReport>& last)
{
    const double start = seconds();
    while (seconds() - start < bound) {
        const auto reports = reportAll(peers);
        if (!reports)
            return std::nullopt;
        last = *reports;
        if (check(last))
            return seconds() - start;
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

bool viewsAgree(const std::vector<PeerReport>& reports)
{
    for (const PeerReport& viewer : reports) {
        if (viewer.players.size() != reports.size())
            return false;
        for (const PeerReport& owner : reports) {
            const PlayerView* truth = owner.player(owner.ownId);
            const PlayerView* seen = viewer.player(owner.ownId);
            if (!truth || !seen)
                return false;
            const float turn = std::fabs(kv::wrapRadians(seen->angle - truth->angle + kv::pi) - kv::pi);
            // Written so that a value that is not a number never agrees.
            if (!(std::fabs(seen->x - truth->x) <= tvl::positionThreshold &&
                  std::fabs(seen->y - truth->y) <= tvl::positionThreshold &&
                  turn <= tvl::angleThresholdDegrees * kv::degreesToRadians))
                return false;
        }
    }
    return true;
}

SoakRun runSoak(int clients, double drivingSeconds, bool lossy)
{
    SoakRun run;
    std::vector<PeerProcess> peers;
    peers.reserve(static_cast<std::size_t>(clients) + 1);
    peers.push_back(PeerProcess::server(0));
    if (peers[0].port() == 0) {
        run.failure = "the server did not start";
        return run;
    }
    UdpRelay relay(peers[0].port());
    // The clients exist before the relay's thread does: they are forked from this process.
    for (int i = 1; i <= clients; ++i)
        peers.push_back(PeerProcess::client(i, relay.port()));
    relay.start();
    // The join has no retry of its own: the clients come in over a clean line.
    for (int i = 1; i <= clients; ++i)
        if (!peers[static_cast<std::size_t>(i)].joined(20.0)) {
            run.failure = "client " + std::to_string(i) + " did not join";
            return run;
        }
    std::vector<PeerReport> last;
    if (!secondsUntil(peers, 20.0, everyoneSeesEveryone, last)) {
        run.failure = "the players never all saw each other";
        return run;
    }

    relay.setImpaired(lossy);
    relay.setFlood(lossy);
    relay.takeRelayDelays();
    const auto report = [&](std::vector<PeerReport>& into, double& at) {
        at = seconds();
        const auto reports = reportAll(peers);
        if (reports)
            into = *reports;
        else
            run.failure = "a peer stopped answering";
        return reports.has_value();
    };
    if (!report(run.drivingStart, run.drivingStartTime))
        return run;
    double at = 0.0;
    while (seconds() - run.drivingStartTime < drivingSeconds)
        if (!report(last, at))
            return run;
    if (!report(run.drivingEnd, run.drivingEndTime))
        return run;
    run.relayDelays = relay.takeRelayDelays();
    for (PeerProcess& p : peers)
        p.command("stop");
    // The last moves may be lost while the loss lasts.
    const double stopped = seconds();
    while (lossy && seconds() - stopped < 0.5)
        if (!report(last, at))
            return run;

    relay.setImpaired(false);
    run.healed = secondsUntil(peers, 5.0, viewsAgree, run.healedReports);
    run.counts = relay.counts();
    relay.setFlood(false);
    for (PeerProcess& p : peers)
        run.someoneEnded = run.someoneEnded || p.ended();
    for (PeerProcess& p : peers)
        run.exitCodes.push_back(p.quit());
    relay.stop();
    return run;
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

// --- The relay ---

UdpRelay::UdpRelay(uint16_t serverPort, uint32_t seed) : serverPort_(serverPort), randomState_(seed | 1u)
{
    front_ = openLoopbackSocket();
    stranger_ = openLoopbackSocket();
    port_ = front_ >= 0 ? localPortOf(front_) : 0;
}

UdpRelay::~UdpRelay()
{
    stop();
    for (const Client& c : clients_)
        close(c.socket);
    if (front_ >= 0)
        close(front_);
    if (stranger_ >= 0)
        close(stranger_);
}

void UdpRelay::start()
{
    running_ = true;
    thread_ = std::thread([this] { run(); });
}

void UdpRelay::stop()
{
    running_ = false;
    if (thread_.joinable())
        thread_.join();
}

void UdpRelay::setFlood(bool on, int perSecond, uint64_t limit)
{
    floodRate_ = perSecond;
    floodLimit_ = limit;
    flooding_ = on;
}

UdpRelay::Counts UdpRelay::counts() const
{
    std::lock_guard lock(mutex_);
    return counts_;
}

std::vector<double> UdpRelay::takeRelayDelays()
{
    std::lock_guard lock(mutex_);
    return std::exchange(delays_, {});
}

double UdpRelay::random()
{
    // xorshift32: the same run for the same seed.
    randomState_ ^= randomState_ << 13;
    randomState_ ^= randomState_ >> 17;
    randomState_ ^= randomState_ << 5;
    return static_cast<double>(randomState_) / 4294967296.0;
}

void UdpRelay::run()
{
    std::vector<pollfd> watched;
    while (running_) {
        watched.assign(1, pollfd{front_, POLLIN, 0});
        for (const Client& c : clients_)
            watched.push_back(pollfd{c.socket, POLLIN, 0});
        poll(watched.data(), watched.size(), 1);
        while (auto datagram = receiveFrom(front_)) {
            const uint16_t from = datagram->second;
            auto client = std::find_if(clients_.begin(), clients_.end(), [&](const Client& c) { return c.port == from; });
            if (client == clients_.end()) {
                clients_.push_back(Client{from, openLoopbackSocket()});
                client = clients_.end() - 1;
            }
            forward(client->socket, datagram->first, serverPort_, true);
        }
        for (std::size_t i = 0; i < clients_.size(); ++i)
            while (auto datagram = receiveFrom(clients_[i].socket))
                forward(front_, datagram->first, clients_[i].port, false);
        const double now = seconds();
        for (std::size_t i = 0; i < held_.size();) {
            if (held_[i].due <= now) {
                const Held h = std::move(held_[i]);
                held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(i));
                deliver(h.socket, h.bytes, h.toPort, h.clientToServer);
            } else {
                ++i;
            }
        }
        flood(now);
    }
}

void UdpRelay::forward(int socket, const std::vector<uint8_t>& bytes, uint16_t toPort, bool clientToServer)
{
    if (!impaired_) {
        deliver(socket, bytes, toPort, clientToServer);
        return;
    }
    const double roll = random();
    std::lock_guard lock(mutex_);
    if (roll < 0.10) {
        ++counts_.dropped;
    } else if (roll < 0.12) {
        ++counts_.duplicated;
        sendTo(socket, bytes, toPort);
        sendTo(socket, bytes, toPort);
        ++counts_.forwarded;
    } else if (roll < 0.22) {
        ++counts_.heldBack;
        held_.push_back(Held{seconds() + 0.005 + 0.015 * random(), socket, toPort, clientToServer, bytes});
    } else {
        sendTo(socket, bytes, toPort);
        ++counts_.forwarded;
    }
}

void UdpRelay::deliver(int socket, const std::vector<uint8_t>& bytes, uint16_t toPort, bool clientToServer)
{
    sendTo(socket, bytes, toPort);
    const double now = seconds();
    const int32_t type = typeOf(bytes);
    std::lock_guard lock(mutex_);
    ++counts_.forwarded;
    if (impaired_)
        return;
    if (clientToServer && type == static_cast<int32_t>(tvl::PacketType::PlayerX) && bytes.size() == 8) {
        std::erase_if(pendingX_, [&](const auto& p) { return now - p.second > 1.0; });
        pendingX_.emplace_back(bitsAt(bytes, 4), now);
    } else if (!clientToServer && type == static_cast<int32_t>(tvl::PacketType::RemotePlayerX) && bytes.size() == 10) {
        const uint32_t bits = bitsAt(bytes, 6);
        const auto match = std::find_if(pendingX_.begin(), pendingX_.end(), [&](const auto& p) { return p.first == bits; });
        if (match != pendingX_.end()) {
            delays_.push_back(now - match->second);
            pendingX_.erase(match);
        }
    }
}

void UdpRelay::flood(double now)
{
    if (!flooding_) {
        floodDue_ = now;
        return;
    }
    using tvl::PacketType;
    const auto typeCode = [](PacketType t) { return static_cast<uint32_t>(t); };
    while (floodDue_ <= now && counts().flood < floodLimit_) {
        floodDue_ += 1.0 / std::max(1, floodRate_.load());
        std::vector<uint8_t> bytes;
        int from = stranger_;
        const int kind = static_cast<int>(random() * 4.0);
        if (kind == 0) {
            // Noise of any length, from a machine nobody knows.
            bytes.resize(static_cast<std::size_t>(random() * 48.0));
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(random() * 256.0);
        } else if (kind == 1) {
            // A join whose name claims more bytes than any datagram holds.
            putInt32(bytes, typeCode(PacketType::ConnectRequest));
            putInt32(bytes, 0xFFFFFFF0u);
            bytes.insert(bytes.end(), {'a', 'b', 'c'});
        } else if (!clients_.empty()) { // before any client: an empty datagram from the stranger
            // Through a real client's own socket, so the server reads it as that player's.
            from = clients_[static_cast<std::size_t>(random() * static_cast<double>(clients_.size()))].socket;
            if (kind == 2) {
                // Cut short: each of these has at least four bytes of fields, or a flag.
                static const PacketType cut[] = {PacketType::PlayerX,    PacketType::PlayerY,   PacketType::PlayerAngle,
                                                 PacketType::PlayerSpeed, PacketType::UseItem,  PacketType::FireWeapon,
                                                 PacketType::DebrisRequest, PacketType::ChatRequest};
                static const PacketType flags[] = {PacketType::PlayerNitro, PacketType::PlayerDisabled,
                                                   PacketType::ClientPing, PacketType::ClientPingReply};
                if (random() < 0.5) {
                    putInt32(bytes, typeCode(cut[static_cast<std::size_t>(random() * std::size(cut))]));
                    for (int n = static_cast<int>(random() * 4.0); n > 0; --n)
                        bytes.push_back(static_cast<uint8_t>(random() * 256.0));
                } else {
                    putInt32(bytes, typeCode(flags[static_cast<std::size_t>(random() * std::size(flags))]));
                }
            } else {
                // Whole, but out of range.
                static const PacketType floats[] = {PacketType::PlayerX, PacketType::PlayerY, PacketType::PlayerAngle,
                                                    PacketType::PlayerSpeed};
                static const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                                            std::numeric_limits<float>::infinity(),
                                            -std::numeric_limits<float>::infinity()};
                const double pick = random();
                if (pick < 0.6) {
                    putInt32(bytes, typeCode(floats[static_cast<std::size_t>(random() * std::size(floats))]));
                    putFloat(bytes, bad[static_cast<std::size_t>(random() * std::size(bad))]);
                } else if (pick < 0.8) {
                    putInt32(bytes, typeCode(PacketType::UseItem));
                    putInt32(bytes, random() < 0.5 ? 99u : 0xFFFFFFFFu);
                } else {
                    putInt32(bytes, typeCode(PacketType::ChatRequest));
                    putInt32(bytes, 0xFFFFFFFFu);
                }
            }
        }
        sendTo(from, bytes, serverPort_);
        std::lock_guard lock(mutex_);
        ++counts_.flood;
    }
}

} // namespace soak
