// The game's state flags and the rules the frame loop wires together: the players, the win
// check, the in-game keys, zoom, pause, the tick callback and the camera.
#include "world/Game.h"

#include "app/WindowLog.h"
#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "core/Theme.h"
#include "dialogs/Dialogs.h"
#include "ui/AudioPanel.h"
#include "ui/Hints.h"
#include "world/Ambience.h"
#include "world/GameAssets.h"
#include "world/Hud.h"
#include "world/Map.h"
#include "world/Player.h"
#include "world/WorldView.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>

namespace tvl {

namespace {

bool windowFocused()
{
    return kv::input.focus;
}

void setRenderScale(float scale)
{
    if (scale == gameSettings.renderScale)
        return;
    gameSettings.renderScale = scale;
    showRenderScaleHint();
}

} // namespace

std::shared_ptr<Player> addPlayer(sf::Color colour, std::string name, bool isComputer)
{
    if (game.players.size() >= static_cast<size_t>(maxPlayers)) {
        kv::printError("Too many players");
        return nullptr;
    }
    auto player = std::make_shared<Player>();
    player->colour = colour;
    player->name = std::move(name);
    player->isComputer = isComputer;
    player->tokens = 0;
    player->radius = std::max(gameImageSizes.ship.x, gameImageSizes.ship.y) * 0.5f;
    // The counter wraps: after many joins it reaches IDs still in play.
    do {
        player->playerId = nextPlayerId();
    } while (findPlayer(player->playerId));
    game.players.push_back(player);
    return player;
}

int checkForWinners(const std::function<void(int)>& announce)
{
    // Most frames nobody has won: the snapshot is only taken when somebody has.
    const auto won = [](const std::shared_ptr<Player>& player) {
        return player->tokens >= game.roundSettings.tokensCount;
    };
    if (std::none_of(game.players.begin(), game.players.end(), won))
        return 0;
    const std::vector<std::shared_ptr<Player>> snapshot = game.players;
    int winners = 0;
    for (const auto& player : snapshot) {
        if (!won(player))
            continue;
        // An earlier announcement may have changed the list: pass where the player is now.
        const auto now = std::find(game.players.begin(), game.players.end(), player);
        if (now == game.players.end())
            continue;
        ++winners;
        announce(static_cast<int>(now - game.players.begin()));
    }
    return winners;
}

float zoomedRenderScale(float scale, int direction)
{
    if (direction > 0 && scale < maxZoomScale)
        return scale + renderScaleStep;
    if (direction < 0 && scale > minZoomScale)
        return scale - renderScaleStep;
    return scale;
}

std::string renderScaleHintText(float scale)
{
    std::string text = "Scale: " + kv::floatToString(scale) + "x";
    if (scale == defaultRenderScale)
        text += " (Default)";
    return text;
}

const std::string renderScaleHintId = "RENDER_SCALE_HINT";

void showRenderScaleHint()
{
    const float scale = clampRenderScale(gameSettings.renderScale);
    if (scale != worldView.worldRenderScale) {
        worldView.worldRenderScale = scale;
        worldView.resizePending = true;
        replantRequested = true;
    }
    const sf::Vector2f position = renderScaleHintPlace();
    kv::addHint(renderScaleHintId, 2.0f, &position, &kv::clHintText, &kv::clHintBack,
                renderScaleHintText(gameSettings.renderScale));
}

void handleMouseWheel(float delta, bool zoomHeld)
{
    if (delta == 0.0f || game.consoleOpen || game.audioPanelOpen)
        return;
    // Down is a negative delta; the setting swaps the directions.
    bool down = delta < 0.0f;
    if (gameSettings.invertMouseWheel)
        down = !down;
    if (zoomHeld) {
        setRenderScale(zoomedRenderScale(gameSettings.renderScale, down ? -1 : 1));
        return;
    }
    Player* player = localPlayer();
    if (!player)
        return;
    if (down)
        selectNextItem(*player);
    else
        selectPreviousItem(*player);
}

void pressPause()
{
    if (game.gameType == SinglePlayerGame) {
        game.paused = !game.paused;
        return;
    }
    kv::printMessage("Cannot pause in multiplayer");
    game.paused = false;
}

bool pressEscape()
{
    if (game.paused) {
        game.paused = false;
        return false;
    }
    return kv::showConfirmDialog("End game and return to menu?") == 1;
}

void handleGameKeys()
{
    using kv::Keyboard::keyPressed;
    minimapMarkers.clear();
    topUpPickups();
    if (game.consoleOpen || game.audioPanelOpen || !localPlayer() || !windowFocused())
        return;

    if (keyPressed(sf::Keyboard::Tab, true) || keyPressed(sf::Keyboard::M, true))
        game.mapViewOpen = !game.mapViewOpen;
    if (keyPressed(sf::Keyboard::Num1, true))
        selectPreviousItem(*localPlayer());
    if (keyPressed(sf::Keyboard::Num2, true))
        selectNextItem(*localPlayer());
    if (keyPressed(sf::Keyboard::Escape, true) && pressEscape())
        game.gameEnded = true;
    if (keyPressed(sf::Keyboard::F1, true))
        showDocumentation();
    if (keyPressed(sf::Keyboard::F5, true)) {
        game.audioPanelOpen = true;
        kv::logWindowShown("Audio Panel", kv::AudioPanel::area());
    }
    if (keyPressed(sf::Keyboard::Add, true))
        setRenderScale(zoomedRenderScale(gameSettings.renderScale, 1));
    if (keyPressed(sf::Keyboard::Subtract, true))
        setRenderScale(zoomedRenderScale(gameSettings.renderScale, -1));
    if (keyPressed(sf::Keyboard::Pause, true))
        pressPause();
}

void updateGameCamera()
{
    const Player* player = localPlayer();
    if (!player)
        return;
    const float scale = worldView.worldRenderScale;
    const sf::Vector2f view(std::floor(static_cast<float>(worldView.pixelSize.x) / scale),
                            std::floor(static_cast<float>(worldView.pixelSize.y) / scale));
    worldView.scroll = cameraScroll({player->x, player->y}, view, mapWorldSize);
}

} // namespace tvl
