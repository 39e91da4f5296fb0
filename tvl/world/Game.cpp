// One game in the world: its set-up, the world's part of a frame, its drawing and its tear-down.
#include "world/Game.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "audio/Audio.h"
#include "core/Angle.h"
#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Messages.h"
#include "core/Random.h"
#include "core/StringUtils.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/GlContextHold.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "graphics/Textures.h"
#include "ui/AudioPanel.h"
#include "ui/Console.h"
#include "ui/Hints.h"
#include "dialogs/Dialogs.h"
#include "world/Ambience.h"
#include "world/ConsoleCommands.h"
#include "world/Effects.h"
#include "world/GameAssets.h"
#include "world/Hud.h"
#include "world/Images.h"
#include "world/Map.h"
#include "world/Physics.h"
#include "world/Player.h"
#include "world/Projectiles.h"
#include "world/WorldView.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>

namespace tvl {

namespace {

constexpr float spinRadiansPerSecond = 160.0f * kv::degreesToRadians;

// What the game changes of the world's lighting, to be put back when it ends (a night map
// must not leave the menu dark).
struct SavedLighting {
    float ambientLevel;
    float lightLevel;
    sf::Color lightColour;
    float fogDensity;
    sf::Color fogColour;
    float windSpeed;
    float windDirection;
};

// Taken by setUpGame, put back by tearDownGame.
SavedLighting savedLighting;

SavedLighting saveLighting()
{
    return {kv::ambientLightLevel, worldView.gameLightLevel, worldView.gameLightColour,
            worldView.gameFogDensity, worldView.gameFogColour, windSpeed, windDirection};
}

void applyLighting(const SavedLighting& saved)
{
    kv::ambientLightLevel = saved.ambientLevel;
    worldView.gameLightLevel = saved.lightLevel;
    worldView.gameLightColour = saved.lightColour;
    worldView.gameFogDensity = saved.fogDensity;
    worldView.gameFogColour = saved.fogColour;
    windSpeed = saved.windSpeed;
    windDirection = saved.windDirection;
}

sf::Vector2f imageSize(int image)
{
    if (image < 0 || image >= imageCount)
        return {0.0f, 0.0f};
    const ImageRecord& record = (*images)[image];
    return {static_cast<float>(record.width), static_cast<float>(record.height)};
}

void readGameImageSizes()
{
    gameImageSizes.ship = imageSize(shipImageNumber);
    gameImageSizes.token = imageSize(tokenImageNumber);
    for (int i = 0; i < itemTypeCount; ++i)
        gameImageSizes.items[i] = imageSize(itemImageNumbers[i]);
}

void stopMusic()
{
    if (kv::Audio::currentMusic().getStatus() != sf::SoundSource::Stopped)
        kv::Audio::currentMusic().stop();
    kv::Audio::currentMusicPath.clear();
    kv::Audio::currentMusicName.clear();
}

// The music and the lighting of the map-list entry for mapFile (defaults without one).
void startMapAmbience(const std::string& mapFile)
{
    stopMusic();
    MapListEntry lighting;
    std::string music = defaultMusicFilename;
    for (const MapListEntry& entry : mapListEntries) {
        if (kv::equalsIgnoreCase(entry.mapFilename, mapFile)) {
            lighting = entry;
            if (!entry.musicFilename.empty())
                music = entry.musicFilename;
            break;
        }
    }
    applyLighting({lighting.lightLevel, lighting.lightLevel, lighting.lightColour, lighting.fogDensity,
                   lighting.fogColour, lighting.windSpeed, lighting.windDir});
    if (!kv::Audio::playMusic("Base\\Music\\" + music, 0.0f))
        kv::Audio::playMusic("Base\\Music\\" + defaultMusicFilename, 0.0f);
}

void addPlayers()
{
    clearPlayers();
    if (game.gameType != SinglePlayerGame && game.gameType != MultiplayerGame)
        return;
    if (auto local = addPlayer(gameSettings.playerColour, gameSettings.playerName, false)) {
        game.localPlayerIndex = 0;
        local->netTag = 0;
        if (netRole == ClientRole)
            local->playerId = unassignedPlayerId;
    }
    if (game.gameType == SinglePlayerGame)
        addPlayer(gameSettings.aiColour, "Computer", true);
}

void placePlayers()
{
    for (size_t i = 0; i < game.players.size(); ++i) {
        Player& p = *game.players[i];
        const sf::Vector2f position = randomMapPosition(p.radius);
        const float angle = kv::wrapRadians(kv::randomFloat(0.0f, 360.0f) * kv::degreesToRadians);
        p.x = p.renderX = p.stepX = p.netTargetX = position.x;
        p.y = p.renderY = p.stepY = p.netTargetY = position.y;
        p.angle = p.renderAngle = p.stepAngle = p.netTargetAngle = angle;
        p.speed = 0.0f;
        p.trailTimer = 0.0f;
        if (i == 0)
            createVehicleBody(p, position.x, position.y, angle, gameImageSizes.ship.x, gameImageSizes.ship.y);
    }
}

void sizeWorldView()
{
    const sf::Vector2f viewSize = kv::renderWindow->getView().getSize();
    const sf::Vector2u pixels(static_cast<unsigned>(viewSize.x), static_cast<unsigned>(viewSize.y));
    setWorldViewSize(gameSettings.renderScale, pixels, sf::FloatRect(0.0f, 0.0f, viewSize.x, viewSize.y));
}

} // namespace

bool setUpGame(int type, const std::string& mapFile, const GameStartSettings* settings)
{
    savedLighting = saveLighting();
    game = GameState{};
    if (!loadMap(mapFile)) {
        kv::showMessage(mapError);
        return false;
    }
    replantRequested = true;
    sizeWorldView();
    if (!createPhysicsWorld(mapWorldSize.x, mapWorldSize.y)) {
        kv::showMessage("Failed to initialise physics");
        return false;
    }
    game.gameType = type;
    game.joinedAsClient = type == MultiplayerGame && netRole == ClientRole;
    game.roundSettings = *settings;
    startMapAmbience(mapFile);
    initAmbience();

    readGameImageSizes();
    addPlayers();
    if (simulatesGame())
        placeToken(randomMapPosition(gameImageSizes.token.x * 0.5f));
    placePlayers();
    if (simulatesGame()) {
        const int target = pickupTarget();
        for (int i = 0; i < target; ++i)
            spawnRandomPickup();
    }
    layoutHud();
    return true;
}

bool networkLost()
{
    return game.gameType == MultiplayerGame && game.netTicked && !game.netAlive;
}

void endLostNetworkGame()
{
    if (game.joinedAsClient) {
        kv::printMessage("Server disconnected");
        kv::showMessage(kv::messageList.empty() ? std::string() : kv::messageList.back().text);
    }
    game.gameEnded = true;
}

namespace {

void runConsoleStep()
{
    kv::Console::handleInput();
    if (kv::pendingCommand.empty())
        return;
    kv::Console::addToHistory();
    kv::consoleHistoryIndex = static_cast<int>(kv::consoleHistory.size());
    const std::string line = kv::pendingCommand;
    kv::pendingCommand.clear();
    const int result = consoleCommandRunner ? consoleCommandRunner(line) : consoleCommandUnknown;
    if (result == consoleCommandUnknown)
        kv::printMessage("No command or game variable \"" + line + "\"");
    else if (result == consoleCommandExit)
        game.gameEnded = true;
}

} // namespace

void runConsoleTick()
{
    const auto& keys = kv::Keyboard::pressedKeys;
    const bool grave =
        kv::input.focus && std::find(keys.begin(), keys.end(), sf::Keyboard::Tilde) != keys.end();
    // The key that opens and closes the console types no character into its line.
    if (grave)
        kv::typedText.erase(std::remove_if(kv::typedText.begin(), kv::typedText.end(),
                                           [](char c) { return c == '`' || c == '~'; }),
                            kv::typedText.end());
    if (!game.gameEnded && game.consoleOpen)
        runConsoleStep();
    if (grave) {
        game.consoleOpen = !game.consoleOpen;
        if (game.consoleOpen) {
            kv::Console::takeFocus();
            kv::Form& form = kv::consoleWidgets->consoleForm;
            kv::logWindowShown("Console", {form.getPosition(), form.getSize()});
        } else {
            kv::logWindowClosed("Console");
        }
    }
}

PlayerInput gameFrameInput(const kv::InputState& state)
{
    return game.consoleOpen ? PlayerInput{} : playerInputFrom(state);
}

namespace {

void runTickWork()
{
    const bool focused = kv::input.focus;
    handleMouseWheel(kv::mouseWheelDelta, focused && kv::input.keyDown(sf::Keyboard::LControl));
    if (!game.paused)
        updateAmbience();
    if (game.gameEnded)
        return;
    if (networkLost()) {
        endLostNetworkGame();
        return;
    }
    handleGameKeys();
    runConsoleTick();
}

void updateWorldObjects(float dt)
{
    static constexpr uint8_t tokenBlue[3] = {0, 0, 240};
    static constexpr uint8_t pickupRed[3] = {255, 0, 0};
    if (game.token.present) {
        if (!game.paused)
            game.token.angle = kv::wrapRadians(game.token.angle + dt * spinRadiansPerSecond);
        const sf::Vector2f position(game.token.x, game.token.y);
        const sf::Vector2f size = gameImageSizes.token * 1.5f;
        addMinimapMarker(0, &position, &size, &game.token.angle, tokenBlue);
    }
    for (Pickup& pickup : game.pickups) {
        if (!game.paused)
            pickup.angle = kv::wrapRadians(pickup.angle + dt * spinRadiansPerSecond);
        const sf::Vector2f position(pickup.x, pickup.y);
        const bool known = pickup.type >= 0 && pickup.type < itemTypeCount;
        const sf::Vector2f size = known ? gameImageSizes.items[pickup.type] * 0.75f : sf::Vector2f();
        addMinimapMarker(0, &position, &size, &pickup.angle, pickupRed);
    }
}

void updatePlayers(float dt, const PlayerInput& input)
{
    // An update only reports what it did (game.events): the list stays as it is.
    const sf::Vector2f size = gameImageSizes.ship * 2.0f;
    for (const auto& player : game.players) {
        player->update(dt, input);
        const sf::Vector2f position(player->x, player->y);
        const uint8_t colour[3] = {player->colour.r, player->colour.g, player->colour.b};
        addMinimapMarker(1, &position, &size, &player->angle, colour);
    }
}

void drawPausedPicture()
{
    const sf::Vector2f viewSize = kv::renderWindow->getView().getSize();
    kv::drawShadowedSprite(*uiSprite0, viewSize * 0.5f, {1.0f, 1.0f}, {16.0f, 16.0f});
}

void drawAudioPanel()
{
    const sf::Vector2f viewSize = kv::renderWindow->getView().getSize();
    kv::drawRect({0.0f, 0.0f}, viewSize, sf::Color(47, 47, 47, 192), true, 0.0f);
    if (kv::AudioPanel::update()) {
        game.audioPanelOpen = false;
        kv::logWindowClosed("Audio Panel");
    }
}

void updateCursorGrab()
{
    const bool grab = kv::input.focus && !game.consoleOpen && !game.audioPanelOpen && !game.paused;
    if (grab == kv::cursorGrabbed)
        return;
    kv::cursorGrabbed = grab;
    kv::renderWindow->setMouseCursorGrabbed(grab);
}

} // namespace

void updateGameWorld(float dt)
{
    // The frame's input, read once for the physics steps and the players.
    const PlayerInput input = gameFrameInput(kv::input);
    if (!game.paused) {
        stepPhysics(dt, localPlayer(), input);
        updateSmoke(dt);
        updateFire(dt);
        updateDebris(dt);
        updateWildlife(dt);
        updatePlants(dt);
    }
    if (kv::pollerTicked)
        runTickWork();
    if (!game.paused)
        updateProjectiles(dt);
    updateWorldObjects(dt);
    updatePlayers(dt, input);
}

void drawGameFrame()
{
    const kv::GlContextHold binds; // one GL context record for the frame's many binds
    kv::getRenderLayer(kv::layerDisplay, false)->clear(sf::Color::Black);
    kv::resizeLayerTextures();
    drawWorld();
    if (game.physicsDebug) {
        const sf::FloatRect visible = visibleWorldRect(worldView.scroll, worldView.pixelSize, worldView.worldRenderScale);
        drawPhysicsDebug(&visible);
    }
    drawHud();
    if (game.paused)
        drawPausedPicture();
    if (game.consoleOpen)
        kv::Console::draw();
    if (game.audioPanelOpen)
        drawAudioPanel();
    updateCursorGrab();
    kv::displayFrame(0);
}

void tearDownGame()
{
    clearEffects();
    clearProjectiles();
    game.gameType = NoGame;
    game.pickups.clear();
    destroyPhysicsWorld();
    stopMusic();
    applyLighting(savedLighting);
    kv::resetLighting(); // whatever the map left, the menu is drawn in daylight
    // The render-scale hint and the in-game panel's hints must not outlive the game.
    kv::hints.clear();
}

} // namespace tvl
