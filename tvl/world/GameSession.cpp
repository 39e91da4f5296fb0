// The game session's side of a frame: the input it hands the rules, the in-game keys, the zoom
// and its hint, the camera and the dialogs the game opens.
#include "world/GameSession.h"

#include "app/WindowLog.h"
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
#include "world/GameRules.h"
#include "world/GameSettings.h"
#include "world/GameState.h"
#include "world/Hud.h"
#include "world/Map.h"
#include "world/Player.h"
#include "world/WorldView.h"

#include <SFML/Window/Keyboard.hpp>

#include <cmath>

namespace tvl {

GameSession session;

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

PlayerInput playerInputFrom(const kv::InputState& state)
{
    using Key = sf::Keyboard;
    PlayerInput input;
    if (!state.focus)
        return input;
    const auto down = [&state](int a, int b) { return state.keyDown(a) || state.keyDown(b); };
    if (down(Key::Up, Key::W))
        input.throttle = 1;
    else if (down(Key::Down, Key::S))
        input.throttle = -1;
    if (down(Key::Left, Key::A))
        input.steering = -1;
    else if (down(Key::Right, Key::D))
        input.steering = 1;
    input.nitro = state.keyDown(Key::Space) || down(Key::LShift, Key::RShift);
    input.useItem = state.buttonDown(0);
    return input;
}

PlayerInput gameFrameInput(const kv::InputState& state)
{
    PlayerInput input;
    input.keyboardTaken = true;
    if (session.consoleOpen)
        return input;
    input = playerInputFrom(state);
    input.keyboardTaken = session.audioPanelOpen;
    // Taken from the tick's keys, so that one press is one use.
    input.useItemPressed = kv::Keyboard::keyPressed(sf::Keyboard::LControl, true);
    return input;
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
    kv::addHint(renderScaleHintId, 2.0f, &position, &kv::theme.clHintText, &kv::theme.clHintBack,
                renderScaleHintText(gameSettings.renderScale));
}

void handleMouseWheel(float delta, bool zoomHeld)
{
    if (delta == 0.0f || session.consoleOpen || session.audioPanelOpen)
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
    if (session.consoleOpen || session.audioPanelOpen || !localPlayer() || !windowFocused())
        return;

    if (keyPressed(sf::Keyboard::Tab, true) || keyPressed(sf::Keyboard::M, true))
        session.mapViewOpen = !session.mapViewOpen;
    if (keyPressed(sf::Keyboard::Num1, true))
        selectPreviousItem(*localPlayer());
    if (keyPressed(sf::Keyboard::Num2, true))
        selectNextItem(*localPlayer());
    if (keyPressed(sf::Keyboard::Escape, true) && pressEscape())
        game.gameEnded = true;
    if (keyPressed(sf::Keyboard::F1, true))
        showDocumentation();
    if (keyPressed(sf::Keyboard::F5, true)) {
        session.audioPanelOpen = true;
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

void showDocumentation()
{
    kv::showTextFile("tvl.txt", "", kv::getAppNameAndVersion() + " Documentation");
}

} // namespace tvl
