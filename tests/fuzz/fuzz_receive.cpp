// Both receives over arbitrary datagrams from the server, two clients and a stranger: whatever
// arrives, the game stays whole. The local player stays while the network runs, IDs and pickup
// ids stay unique, the list stays within its limit, every received number is finite (debris
// included) and every received position lies on the map or within its margin.
//
// Input: byte 0 picks the role (bit 0: server); then datagrams, each a sender byte (mod 4:
// the server's port, client 2, client 3, a stranger), a type byte, a length byte and that
// many field bytes.
#include "net/Network.h"
#include "world/Effects.h"
#include "world/Game.h"
#include "world/Map.h"
#include "world/Player.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <set>
#include <utility>
#include <vector>

using namespace tvl;

namespace {

const sf::IpAddress loopback(127, 0, 0, 1);
constexpr uint16_t senderPorts[4] = {2000, 2002, 2003, 4444};

class QueueTransport final : public Transport {
public:
    std::deque<std::pair<std::vector<uint8_t>, NetAddress>> incoming;

    sf::Socket::Status send(const void*, std::size_t, const sf::IpAddress&, uint16_t) override
    {
        return sf::Socket::Done;
    }
    std::optional<NetAddress> receive(sf::Packet& packet) override
    {
        packet.clear();
        if (incoming.empty())
            return std::nullopt;
        auto [bytes, from] = std::move(incoming.front());
        incoming.pop_front();
        packet.append(bytes.data(), bytes.size());
        return from;
    }
};

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void addPeer(uint16_t id, uint16_t port)
{
    auto player = std::make_shared<Player>();
    player->playerId = id;
    player->name = "P";
    game.players.push_back(player);
    if (port != 0)
        peers[id].address = NetAddress{loopback, port};
}

bool onMap(float x, float y)
{
    const wire::MapArea area{mapWorldSize};
    return area.holds({x, y});
}

void checkGame(uint16_t localId)
{
    check(game.players.size() <= static_cast<std::size_t>(maxPlayers));
    std::set<uint16_t> ids;
    for (const auto& p : game.players) {
        check(ids.insert(p->playerId).second);
        for (float v : {p->x, p->y, p->speed, p->netTargetX, p->netTargetY, p->netTargetAngle, p->droneTargetX,
                        p->droneTargetY, p->droneTargetAngle})
            check(std::isfinite(v));
        check(onMap(p->x, p->y) && onMap(p->netTargetX, p->netTargetY) && onMap(p->droneTargetX, p->droneTargetY));
    }
    std::set<int32_t> pickups;
    for (const Pickup& pickup : game.pickups)
        check(pickups.insert(pickup.id).second && onMap(pickup.x, pickup.y));
    check(onMap(game.token.x, game.token.y));
    for (const Projectile& p : game.projectiles)
        check(onMap(p.x, p.y));
    for (const DebrisParticle& d : debrisParticles)
        check(debrisFieldsSound(d.position, d.velocity, d.size, d.maxSize, d.growthRate, d.alphaScale));
    if (netRole != NoNetRole) {
        const Player* local = localPlayer();
        check(local != nullptr);
        // A client's own ID may be named by the server; a server's never changes.
        check(netRole == ClientRole || local->playerId == localId);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static QueueTransport transport;
    transport.incoming.clear();
    netTransport = &transport;
    netRole = NoNetRole;
    shutdownNetwork();
    game = GameState{};
    clearEffects();
    game.gameType = MultiplayerGame;
    mapWidth = mapHeight = 100;
    mapWorldSize = sf::Vector2f(1600.0f, 1600.0f);

    const bool server = data[0] & 1;
    netRole = server ? ServerRole : ClientRole;
    const uint16_t localId = server ? 1 : unassignedPlayerId;
    addPeer(localId, 0);
    game.localPlayerIndex = 0;
    addPeer(2, server ? 2002 : 0);
    addPeer(3, server ? 2003 : 0);
    if (!server)
        serverAddress = NetAddress{loopback, 2000};

    for (size_t at = 1; at + 3 <= size;) {
        const uint16_t port = senderPorts[data[at] % 4];
        const int32_t type = data[at + 1];
        const size_t length = std::min<size_t>(data[at + 2], size - at - 3);
        sf::Packet datagram;
        datagram << type;
        datagram.append(data + at + 3, length);
        const auto* bytes = static_cast<const uint8_t*>(datagram.getData());
        transport.incoming.push_back(
            {std::vector<uint8_t>(bytes, bytes + datagram.getDataSize()), NetAddress{loopback, port}});
        at += 3 + length;
    }
    const bool alive = server ? serverReceive() : clientReceive();
    check(alive || !server);
    checkGame(localId);
    netRole = NoNetRole;
    shutdownNetwork();
    return 0;
}
