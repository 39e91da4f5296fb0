// playGame: the set-up of one game, its frame loop and its tear-down.
#include "world/Game.h"

#include "audio/Audio.h"
#include "core/FrameUpdate.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Messages.h"
#include "core/Random.h"
#include "core/Scene.h"
#include "core/StringUtils.h"
#include "frontend/GameOverWindow.h"
#include "app/Compositor.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "graphics/Textures.h"
#include "net/Network.h"
#include "net/Packets.h"
#include "ui/AudioPanel.h"
#include "ui/Console.h"
#include "ui/Dialogs.h"
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

#include <cmath>

namespace tvl {

namespace {

constexpr float degreesToRadians = 0.017453292f;
constexpr float spinRadiansPerSecond = 160.0f * degreesToRadians;
constexpr float twoPi = 6.2831853f;

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

SavedLighting saveLighting()
{
    return {kv::ambientLightLevel, worldView.gameLightLevel, worldView.gameLightColour,
            worldView.gameFogDensity, worldView.gameFogColour, windSpeed, windDirection};
}

void restoreLighting(const SavedLighting& saved)
{
    kv::ambientLightLevel = saved.ambientLevel;
    worldView.gameLightLevel = saved.lightLevel;
    worldView.gameLightColour = saved.lightColour;
    worldView.gameFogDensity = saved.fogDensity;
    worldView.gameFogColour = saved.fogColour;
    windSpeed = saved.windSpeed;
    windDirection = saved.windDirection;
}

float wrapRadians(float angle)
{
    angle = std::fmod(angle, twoPi);
    return angle < 0.0f ? angle + twoPi : angle;
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
    worldView.gameLightLevel = lighting.lightLevel;
    worldView.gameLightColour = lighting.lightColour;
    worldView.gameFogDensity = lighting.fogDensity;
    worldView.gameFogColour = lighting.fogColour;
    windSpeed = lighting.windSpeed;
    windDirection = lighting.windDir;
    kv::ambientLightLevel = lighting.lightLevel;
    if (!kv::Audio::playMusic("Base\\Music\\" + music, 0.0f))
        kv::Audio::playMusic("Base\\Music\\" + defaultMusicFilename, 0.0f);
}

void addPlayers()
{
    clearPlayers();
    if (gameType != SinglePlayerGame && gameType != MultiplayerGame)
        return;
    if (auto local = addPlayer(gameSettings.playerColour, gameSettings.playerName, false)) {
        localPlayerIndex = 0;
        local->netTag = 0;
    }
    if (gameType == SinglePlayerGame)
        addPlayer(gameSettings.aiColour, "Computer", true);
}

void placePlayers()
{
    for (size_t i = 0; i < players.size(); ++i) {
        Player& p = *players[i];
        const sf::Vector2f position = randomMapPosition(p.radius);
        const float angle = wrapRadians(kv::randomFloat(0.0f, 360.0f) * degreesToRadians);
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
    gameType = NoGame;
    paused = false;
    if (!loadMap(mapFile)) {
        kv::showMessage(mapError);
        return false;
    }
    replantRequested = true;
    mapViewOpen = false;
    sizeWorldView();
    if (!createPhysicsWorld(mapWorldSize.x, mapWorldSize.y)) {
        kv::showMessage("Failed to initialise physics");
        return false;
    }
    gameType = type;
    roundSettings = *settings;
    audioPanelOpen = false;
    startMapAmbience(mapFile);

    readGameImageSizes();
    addPlayers();
    if (simulatesGame())
        placeToken(randomMapPosition(gameImageSizes.token.x * 0.5f));
    placePlayers();
    pickups.clear();
    if (simulatesGame()) {
        const int target = pickupTarget();
        for (int i = 0; i < target; ++i)
            spawnRandomPickup();
    }
    layoutHud();
    consoleOpen = false;
    netTicked = false;
    netAlive = true;
    kv::registerOnTickCallback(gameTick);
    gameEnded = false;
    return true;
}

namespace {

bool networkLost()
{
    return gameType == MultiplayerGame && netTicked && !netAlive;
}

void endLostNetworkGame()
{
    if (netRole == ClientRole) {
        kv::printMessage("Server disconnected");
        kv::showMessage(kv::messageList.empty() ? std::string() : kv::messageList.back().text);
    }
    gameEnded = true;
}

void runConsoleStep()
{
    kv::Console::handleInput();
    if (kv::pendingCommand.empty())
        return;
    kv::Console::addToHistory();
    const std::string line = kv::pendingCommand;
    kv::pendingCommand.clear();
    const int result = runConsoleCommand(line);
    if (result == consoleCommandUnknown)
        kv::printMessage("No command or game variable \"" + line + "\"");
    else if (result == consoleCommandExit)
        gameEnded = true;
}

void runTickWork()
{
    const bool focused = kv::InputHooks::windowHasFocus();
    handleMouseWheel(kv::mouseWheelDelta, focused && kv::InputHooks::isKeyDown(sf::Keyboard::LControl));
    if (!paused)
        updateAmbience();
    if (gameEnded)
        return;
    if (networkLost()) {
        endLostNetworkGame();
        return;
    }
    handleGameKeys();
    if (!gameEnded && consoleOpen)
        runConsoleStep();
    if (focused && !kv::Keyboard::pressedKeys.empty() && kv::Keyboard::pressedKeys.front() == sf::Keyboard::Tilde)
        consoleOpen = !consoleOpen;
}

void updateWorldObjects(float dt)
{
    static constexpr uint8_t tokenBlue[3] = {0, 0, 240};
    static constexpr uint8_t pickupRed[3] = {255, 0, 0};
    if (token.present) {
        if (!paused)
            token.angle = wrapRadians(token.angle + dt * spinRadiansPerSecond);
        const sf::Vector2f position(token.x, token.y);
        const sf::Vector2f size = gameImageSizes.token * 1.5f;
        addMinimapMarker(0, &position, &size, &token.angle, tokenBlue);
    }
    for (Pickup& pickup : pickups) {
        if (!paused)
            pickup.angle = wrapRadians(pickup.angle + dt * spinRadiansPerSecond);
        const sf::Vector2f position(pickup.x, pickup.y);
        const bool known = pickup.type >= 0 && pickup.type < itemTypeCount;
        const sf::Vector2f size = known ? gameImageSizes.items[pickup.type] * 0.75f : sf::Vector2f();
        addMinimapMarker(0, &position, &size, &pickup.angle, pickupRed);
    }
}

void updatePlayers(float dt)
{
    // A snapshot: an update may reach the network, which may change the list.
    const std::vector<std::shared_ptr<Player>> snapshot = players;
    const sf::Vector2f size = gameImageSizes.ship * 2.0f;
    for (const auto& player : snapshot) {
        player->update(dt);
        const sf::Vector2f position(player->x, player->y);
        const uint8_t colour[3] = {player->colour.r, player->colour.g, player->colour.b};
        addMinimapMarker(1, &position, &size, &player->angle, colour);
    }
    if (checkForWinners(gameOver) > 0)
        gameEnded = true;
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
    if (kv::AudioPanel::update())
        audioPanelOpen = false;
}

void updateCursorGrab()
{
    const bool grab = kv::InputHooks::windowHasFocus() && !consoleOpen && !audioPanelOpen && !paused;
    if (grab == kv::cursorGrabbed)
        return;
    kv::cursorGrabbed = grab;
    kv::renderWindow->setMouseCursorGrabbed(grab);
}

} // namespace

void simulateGameFrame(float dt)
{
    if (!paused) {
        stepPhysics(dt, localPlayer());
        updateSmoke(dt);
        updateFire(dt);
        updateDebris(dt);
        updateWildlife(dt);
        updatePlants(dt);
    }
    if (kv::pollerTicked)
        runTickWork();
    if (!paused)
        updateProjectiles(dt);
    updateWorldObjects(dt);
    updatePlayers(dt);
    updateGameCamera();
}

void drawGameFrame()
{
    kv::getRenderLayer(kv::layerDisplay, false)->clear(sf::Color::Black);
    kv::resizeLayerTextures();
    drawWorld();
    if (physicsDebug) {
        const sf::FloatRect visible = visibleWorldRect(worldView.scroll, worldView.pixelSize, worldView.worldRenderScale);
        drawPhysicsDebug(&visible);
    }
    drawHud();
    if (paused)
        drawPausedPicture();
    if (consoleOpen)
        kv::Console::draw();
    if (audioPanelOpen)
        drawAudioPanel();
    updateCursorGrab();
    kv::displayFrame(0);
}

void runGameFrame()
{
    // A network game that ended inside the last pump has emptied the player list: stop
    // before anything steps or draws them.
    if (networkLost()) {
        endLostNetworkGame();
        return;
    }
    simulateGameFrame(kv::frameTime);
    drawGameFrame();
}

void tearDownGame()
{
    kv::unregisterOnTickCallback(gameTick);
    if (kv::cursorGrabbed) {
        kv::cursorGrabbed = false;
        kv::renderWindow->setMouseCursorGrabbed(false);
    }
    if (netRole != NoNetRole)
        shutdownNetwork();
    clearEffects();
    clearProjectiles();
    gameType = NoGame;
    pickups.clear();
    destroyPhysicsWorld();
    stopMusic();
}

bool playGame(int type, const std::string& mapFile, const GameStartSettings* settings)
{
    const SavedLighting lighting = saveLighting();
    if (!settings || !setUpGame(type, mapFile, settings)) {
        restoreLighting(lighting);
        gameType = NoGame;
        // Nobody may be left waiting on a game that never started.
        if (netRole != NoNetRole)
            shutdownNetwork();
        return false;
    }
    while (!gameEnded) {
        runGameFrame();
        if (kv::SceneManager::quitRequested)
            break;
    }
    tearDownGame();
    restoreLighting(lighting);
    return true;
}

} // namespace tvl
