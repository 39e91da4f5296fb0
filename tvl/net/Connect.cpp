// Joining a server: the handshake and its wait screen.
#include "app/Compositor.h"
#include "app/NestedLoop.h"
#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Messages.h"
#include "core/Scene.h"
#include "dialogs/Dialogs.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "net/Network.h"
#include "net/NetworkInternal.h"
#include "platform/Ascii.h"
#include "world/GameAssets.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>

namespace tvl {

bool (*playClientGame)(const std::string& mapFile, const GameStartSettings& settings) = nullptr;

namespace {

constexpr unsigned waitTextSize = 50;
constexpr float escapeWaitOutSeconds = 0.5f;

// Without a map list nothing can be checked: loading the map decides.
bool mapIsKnown(const std::string& mapFile)
{
    return mapListEntries.empty() ||
           std::any_of(mapListEntries.begin(), mapListEntries.end(),
                       [&](const MapListEntry& entry) { return kv::equalsIgnoreCase(entry.mapFilename, mapFile); });
}

void drawWaitScreen(const std::string& connecting)
{
    kv::getRenderLayer(kv::layerDisplay, false)->clear(sf::Color::Black);
    kv::resizeLayerTextures();
    const sf::Font& font = *kv::largeFont;
    kv::drawText(kv::layerUI, {10.0f, 10.0f}, sf::Color::White, connecting, font, waitTextSize);
    const float bottom = kv::renderWindow->getView().getSize().y - font.getLineSpacing(waitTextSize) - 2.0f;
    kv::drawText(kv::layerUI, {10.0f, bottom}, sf::Color::White, "Press escape to cancel", font, waitTextSize);
    kv::displayFrame(2);
}

bool escapeHeld()
{
    return kv::input.keyDown(sf::Keyboard::Escape);
}

} // namespace

ConnectAnswer receiveConnectAnswer(const NetAddress& server, wire::ConnectAccepted& accepted)
{
    if (!netTransport)
        return ConnectAnswer::None;
    sf::Packet packet;
    const std::optional<NetAddress> from = netTransport->receive(packet);
    if (!from)
        return ConnectAnswer::None;
    if (*from != server) {
        reportUnknownSender(*from);
        return ConnectAnswer::None;
    }
    int32_t type = 0;
    if (!(packet >> type))
        return ConnectAnswer::None;
    if (type == static_cast<int32_t>(PacketType::ConnectRefused) && wire::readNoFields(packet))
        return ConnectAnswer::Refused;
    if (type != static_cast<int32_t>(PacketType::ConnectAccepted))
        return ConnectAnswer::None;
    const auto fields = wire::readConnectAccepted(packet);
    if (!fields)
        return ConnectAnswer::Unusable;
    accepted = *fields;
    printNetworkEvent("Connection accepted");
    // The packets after this one may be lost: silence counts from here.
    serverHeardAt = netClockSeconds();
    return ConnectAnswer::Accepted;
}

bool connectToServer(const NetAddress& server)
{
    if (!server.address)
        return false;
    if (netRole != NoNetRole)
        shutdownNetwork();
    if (!bindGameSocket(0)) {
        kv::printMessage("Failed to bind UDP socket");
        return false;
    }
    kv::printMessage("UDP socket bound on local port " + std::to_string(gameSocketPort()));
    sf::Packet request = makeConnectRequest({gameSettings.playerName, gameSettings.playerColour});
    sendPacketWithRetries(server, request, handshakeAttempts);

    const std::string connecting =
        "Connecting to " + server.address->toString() + ":" + std::to_string(server.port) + "...";
    wire::ConnectAccepted accepted;
    ConnectAnswer answer = ConnectAnswer::None;
    {
        kv::NestedLoop scope;
        while (answer == ConnectAnswer::None) {
            if (kv::SceneManager::quitRequested)
                return false;
            if (kv::pollerTicked) {
                if (escapeHeld()) {
                    // The key must not reach the menu as well.
                    kv::pumpWhile(escapeHeld, escapeWaitOutSeconds);
                    return false;
                }
                answer = receiveConnectAnswer(server, accepted);
            }
            drawWaitScreen(connecting);
        }
    }
    if (answer == ConnectAnswer::Refused) {
        kv::showMessage("Connection refused");
        shutdownNetwork();
        return false;
    }
    netRole = ClientRole;
    serverAddress = server;
    std::string unusable;
    if (answer == ConnectAnswer::Unusable)
        unusable = "Unable to join: the server's answer names no map that can be loaded here";
    else if (!mapIsKnown(accepted.mapFile))
        unusable = "The server's map " + accepted.mapFile + " is not installed";
    if (!unusable.empty()) {
        // The server has taken us in: the Leave of the shutdown tells it otherwise.
        shutdownNetwork();
        kv::showMessage(unusable);
        return false;
    }
    const GameStartSettings settings{accepted.tokensCount, accepted.skillLevel, accepted.itemsDensity};
    return playClientGame && playClientGame(accepted.mapFile, settings);
}

} // namespace tvl
