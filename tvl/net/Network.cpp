#include "net/Network.h"

#include "core/Geometry.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "net/NetworkInternal.h"
#include "net/UdpTransport.h"
#include "platform/Clock.h"
#include "world/Map.h"
#include "world/Player.h"

#include <cmath>
#include <optional>
#include <vector>

namespace tvl {

void printNetworkEvent(const std::string& text, const sf::Color& colour)
{
    kv::printMessage(text, colour);
    kv::writeLog(text);
}

std::unordered_map<uint16_t, PeerState> peers;
double (*netClockSeconds)() = kv::steadySeconds;

namespace {

// Made on the first tick of each network game.
std::optional<double> keepAliveStart;

struct UnknownSender {
    uint32_t ip = 0;
    uint16_t port = 0;
    double reportedAt = 0.0;
};
// Addresses reported lately; a flood from many addresses stops being reported at this many.
std::vector<UnknownSender> unknownSenders;
constexpr std::size_t maxUnknownSenders = 64;

std::string wholeSeconds(double seconds)
{
    return std::to_string(std::lround(seconds));
}

void sendFlag(int destination, PacketType type, bool value)
{
    sf::Packet packet = makePacket(type);
    packet << value;
    sendPacket(destination, type, packet, -1);
}

void sendFloat(PacketType type, float value)
{
    sf::Packet packet = makePacket(type);
    packet << value;
    sendPacket(PacketDestination::Server, type, packet, -1);
}

void sendTokenPosition()
{
    if (!game.token.present)
        return;
    sf::Packet packet = makePacket(PacketType::TokenPosition);
    packet << game.token.x << game.token.y;
    sendPacket(PacketDestination::AllClients, PacketType::TokenPosition, packet, -1);
}

// The keep-alive pass of a client; false when the server has been silent too long.
bool clientKeepAlive(double now)
{
    sendFlag(PacketDestination::Server, PacketType::ClientPing, false);
    const double silent = now - serverHeardAt;
    if (silent > silenceWarningAfter)
        printNetworkEvent("Losing connection to server (no response for " + wholeSeconds(silent) + " seconds)");
    if (silent > silenceDropAfter) {
        shutdownNetwork();
        return false;
    }
    return true;
}

void serverKeepAlive(double now)
{
    // Backwards: a kick removes the player from the list.
    for (int i = static_cast<int>(game.players.size()) - 1; i >= 0; --i) {
        const Player& player = *game.players[i];
        if (isLocallyControlled(player.playerId))
            continue;
        const auto id = static_cast<int16_t>(player.playerId);
        sendFlag(player.playerId, PacketType::ServerPing, false);
        const double silent = now - peers[player.playerId].lastHeard;
        if (silent > silenceWarningAfter)
            printNetworkEvent(player.name + " is losing connection (no response for " + wholeSeconds(silent) +
                             " seconds)");
        if (silent > silenceDropAfter)
            kickPlayer(id, "connection timed out");
    }
}

UdpTransport& gameSocket()
{
    // Made on first use: no socket exists before a network game.
    static UdpTransport socket;
    return socket;
}

} // namespace

double serverHeardAt = 0.0;

wire::MapArea loadedMapArea()
{
    return wire::MapArea{mapWorldSize};
}

int playerIndexOf(uint16_t playerId)
{
    for (std::size_t i = 0; i < game.players.size(); ++i)
        if (game.players[i]->playerId == playerId)
            return static_cast<int>(i);
    return -1;
}

bool bindGameSocket(uint16_t port)
{
    keepAliveStart.reset();
    if (!gameSocket().bind(port))
        return false;
    netTransport = &gameSocket();
    return true;
}

uint16_t gameSocketPort()
{
    return gameSocket().localPort();
}

bool bindServerSocket(uint16_t port)
{
    serverAddress = NetAddress{};
    return bindGameSocket(port);
}

void reportUnknownSender(const NetAddress& from)
{
    const double now = netClockSeconds();
    const uint32_t ip = from.address ? from.address->toInteger() : 0;
    std::erase_if(unknownSenders, [now](const UnknownSender& s) { return now - s.reportedAt >= unknownSenderQuietSeconds; });
    for (const UnknownSender& s : unknownSenders)
        if (s.ip == ip && s.port == from.port)
            return;
    if (unknownSenders.size() >= maxUnknownSenders)
        return;
    unknownSenders.push_back({ip, from.port, now});
    kv::printMessage("Received packet from unknown source " + (from.address ? from.address->toString() : "") + ":" +
                     std::to_string(from.port));
}

bool networkTick()
{
    if (netRole == NoNetRole) {
        kv::printMessage("networkTick: Not connected");
        return false;
    }
    const bool received = netRole == ServerRole ? serverReceive() : clientReceive();
    if (!received) {
        shutdownNetwork();
        return false;
    }
    const double now = netClockSeconds();
    if (!keepAliveStart)
        keepAliveStart = now;
    const bool keepAlivePass = now - *keepAliveStart > keepAlivePeriod;
    // Nothing is acknowledged: on each pass the state goes again, so a lost last change heals.
    sendLocalPlayerState(keepAlivePass);
    if (!keepAlivePass)
        return true;
    keepAliveStart = now;
    if (netRole == ClientRole)
        return clientKeepAlive(now);
    sendTokenPosition();
    serverKeepAlive(now);
    return true;
}

void sendLocalPlayerState(bool resendAll)
{
    const bool server = netRole == ServerRole;
    if (Player* local = localPlayer()) {
        const auto id = static_cast<int16_t>(local->playerId);
        PeerState& sent = peers[local->playerId];
        if (resendAll || std::fabs(local->x - sent.lastSentX) > positionThreshold) {
            server ? sendPlayerX(id, local->x) : sendFloat(PacketType::PlayerX, local->x);
            sent.lastSentX = local->x;
        }
        if (resendAll || std::fabs(local->y - sent.lastSentY) > positionThreshold) {
            server ? sendPlayerY(id, local->y) : sendFloat(PacketType::PlayerY, local->y);
            sent.lastSentY = local->y;
        }
        if (resendAll ||
            !kv::anglesWithin(kv::radians(local->angle), kv::radians(sent.lastSentAngle), angleThresholdDegrees)) {
            server ? sendPlayerAngle(id, local->angle)
                   : sendFloat(PacketType::PlayerAngle, local->angle * wireDegreesPerRadian);
            sent.lastSentAngle = local->angle;
        }
        if (resendAll || std::fabs(local->speed - sent.lastSentSpeed) > speedThreshold) {
            server ? sendPlayerSpeed(id, local->speed) : sendFloat(PacketType::PlayerSpeed, local->speed);
            sent.lastSentSpeed = local->speed;
        }
        if (resendAll || local->nitroActive != sent.lastSentNitro) {
            server ? sendPlayerNitro(id, local->nitroActive)
                   : sendFlag(PacketDestination::Server, PacketType::PlayerNitro, local->nitroActive);
            sent.lastSentNitro = local->nitroActive;
        }
        const bool disabled = local->isDisabled();
        if (resendAll || disabled != sent.lastSentDisabled) {
            server ? sendPlayerDisabled(id, disabled)
                   : sendFlag(PacketDestination::Server, PacketType::PlayerDisabled, disabled);
            sent.lastSentDisabled = disabled;
        }
    }
    if (!server)
        return;
    for (const auto& player : game.players) {
        const auto id = static_cast<int16_t>(player->playerId);
        PeerState& sent = peers[player->playerId];
        if (player->netTag != sent.lastSentNetTag) {
            sendPlayerState(id, static_cast<int32_t>(player->netTag));
            sent.lastSentNetTag = player->netTag;
        }
        if (std::fabs(player->droneX - sent.lastSentDroneX) > positionThreshold ||
            std::fabs(player->droneY - sent.lastSentDroneY) > positionThreshold) {
            sendDronePosition(id, player->droneX, player->droneY);
            sent.lastSentDroneX = player->droneX;
            sent.lastSentDroneY = player->droneY;
        }
        if (!kv::anglesWithin(kv::radians(player->droneAngle), kv::radians(sent.lastSentDroneAngle),
                              angleThresholdDegrees)) {
            sendDroneAngle(id, player->droneAngle);
            sent.lastSentDroneAngle = player->droneAngle;
        }
    }
}

void shutdownNetwork()
{
    if (netRole == ClientRole) {
        sf::Packet packet = makePacket(PacketType::Leave);
        sendPacket(PacketDestination::Server, PacketType::Leave, packet, -1);
        printNetworkEvent("Disconnected from server");
    } else if (netRole == ServerRole) {
        sf::Packet packet = makePacket(PacketType::ServerShutdown);
        sendPacket(PacketDestination::AllClients, PacketType::ServerShutdown, packet, -1);
        printNetworkEvent("Shutdown server");
    }
    if (netRole != NoNetRole) {
        gameSocket().unbind();
        if (netTransport == &gameSocket())
            netTransport = nullptr;
        netRole = NoNetRole;
    }
    serverAddress = NetAddress{};
    peers.clear();
    keepAliveStart.reset();
    unknownSenders.clear();
    clearPlayers();
}

void kickPlayer(int16_t playerId, const std::string& reason)
{
    // A negative ID would read as a destination code.
    if (playerId >= 0) {
        sf::Packet kicked = makePacket(PacketType::Kicked);
        kicked << reason;
        sendPacket(playerId, PacketType::Kicked, kicked, -1);
    }
    const Player* player = playerId < 0 ? nullptr : findPlayer(static_cast<uint16_t>(playerId));
    if (!player) {
        removeDisconnectedPlayer(playerId);
        return;
    }
    const std::string line = player->name + " was kicked for " + reason;
    printNetworkEvent(line);
    sf::Packet text = makePacket(PacketType::TextLine);
    text << line;
    sendPacket(PacketDestination::Everyone, PacketType::TextLine, text, -1);
    sf::Packet left = makePacket(PacketType::PlayerLeft);
    left << playerId;
    sendPacket(PacketDestination::AllClients, PacketType::PlayerLeft, left, playerId);
    removeDisconnectedPlayer(playerId);
}

void removeDisconnectedPlayer(int16_t playerId)
{
    const int index = playerId < 0 ? -1 : playerIndexOf(static_cast<uint16_t>(playerId));
    if (index < 0) {
        kv::printError("removeDisconnectedPlayer: Player ID " + std::to_string(playerId) + " not found");
        return;
    }
    // The game steps and draws the local player through its index: it stays for the game's end.
    if (index == game.localPlayerIndex)
        return;
    printNetworkEvent(game.players[index]->name + " has left the game", sf::Color::White);
    peers.erase(static_cast<uint16_t>(playerId));
    erasePlayer(index);
}

void spawnPlayer(int16_t playerId, const sf::Vector2f& position, float angleRadians)
{
    Player* player = playerId < 0 ? nullptr : findPlayer(static_cast<uint16_t>(playerId));
    if (!player) {
        kv::printError("spawnPlayer: Player ID " + std::to_string(playerId) + " not found");
        return;
    }
    if (netRole != ServerRole)
        return;
    player->angle = angleRadians;
    player->x = position.x;
    player->y = position.y;
    player->netTag = 0;
    if (isLocallyControlled(player->playerId)) {
        PeerState& sent = peers[player->playerId];
        sent.lastSentX = position.x;
        sent.lastSentY = position.y;
        sent.lastSentAngle = angleRadians;
        sent.lastSentNetTag = 0;
    }
}

void printChatLine(int playerIndex, const std::string& text)
{
    if (playerIndex < 0 || playerIndex >= static_cast<int>(game.players.size()))
        return;
    printNetworkEvent(game.players[playerIndex]->name + ": " + text, sf::Color(255, 255, 0));
}

void handleTextLine(PacketType type, sf::Packet& packet)
{
    if (type != PacketType::TextLine)
        return;
    const auto line = wire::readText(packet);
    if (!line)
        return;
    printNetworkEvent(line->text);
    if (netRole == ServerRole) {
        sf::Packet again = makePacket(PacketType::TextLine);
        again << line->text;
        sendPacket(PacketDestination::Everyone, PacketType::TextLine, again, -1);
    }
}

void printNetworkInfo()
{
    if (netRole == NoNetRole) {
        kv::printMessage("Network is not connected");
        return;
    }
    kv::printMessage("Network Information");
    kv::printMessage(std::string("Server: ") + (netRole == ServerRole ? "True" : "False"));
    kv::printMessage("NumPlayers: " + std::to_string(game.players.size()));
    for (const auto& player : game.players)
        kv::printMessage("Player ID " + std::to_string(player->playerId) + ": " + player->name);
}

} // namespace tvl
