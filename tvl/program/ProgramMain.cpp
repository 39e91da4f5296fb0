#include "program/ProgramMain.h"

#include "app/Compositor.h"
#include "app/KVCore.h"
#include "audio/Audio.h"
#include "core/FrameUpdate.h"
#include "core/Scene.h"
#include "core/Settings.h"
#include "dialogs/AudioPanelModal.h"
#include "frontend/GameLoop.h"
#include "frontend/MainMenuScene.h"
#include "graphics/RenderLayers.h"
#include "net/ConsoleCommandTable.h"
#include "net/Network.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Startup.h"
#include "world/Effects.h"
#include "world/GameAssets.h"
#include "world/GameSettings.h"
#include "world/Images.h"
#include "world/Map.h"

#include <imgui.h>

namespace tvl {

int programMain()
{
    using namespace kv;
    changeToProgramFolderIfNeeded();

    appName = "Torvale!";
    appVersion = "1.7";
    appCredits = "(c) 2026 The Torvale! team";
    appWebsite = "https://torvale.example.org/";
    // The game's own theme, when it ships one, replaces the framework's.
    constexpr const char* gameUiConfigPath = "base\\uiConfig.ini";
    if (fileExists(gameUiConfigPath))
        uiConfigPath = gameUiConfigPath;
    defaultSoundVolume = 90;
    defaultMusicVolume = 18;

    if (!KVCore::init()) {
        showPlainMessageBox("KVCore::init failed.", "Error");
        return 1;
    }
    kv::AudioPanel::connectDialogs();
    // No ImGui settings or log file is read or written.
    ImGui::GetIO().IniFilename = nullptr;
    ImGui::GetIO().LogFilename = nullptr;

    loadGameSettings();
    // Closing the window ends the program from inside the frame pump, without coming back
    // here: the settings are saved on that road too (the normal end below saves them once).
    registerOnQuitCallback(saveGameSettings);
    // The menu's first frame does not wait for the game's assets: the menu loads them once it
    // is shown, and whatever needs them first finishes them.
    deferGameAssets();
    // A join that the server accepted plays its game through the frame loop above the network.
    playClientGame = [](const std::string& mapFile, const GameStartSettings& settings) {
        return playGame(MultiplayerGame, mapFile, &settings);
    };
    // The console's commands reach the network, which lies above the game loop's world.
    consoleCommandRunner = runConsoleCommand;
    if (!plantListReady) {
        clearPlants();
        plantListReady = true;
    }

    // The menu lives for the whole run; the scene stack only points to it.
    MainMenuScene menu;
    SceneManager::setCurrentScene(&menu);

    while (!SceneManager::quitRequested) {
        float dt = frameTime;
        if (!SceneManager::currentScene) {
            SceneManager::quitRequested = true;
            break;
        }
        if (SceneManager::currentScene->clearColour != sf::Color(0, 0, 0, 0))
            getRenderLayer(layerDisplay, false)->clear(SceneManager::currentScene->clearColour);
        resizeLayerTextures();
        if (SceneManager::zeroDtNextFrame) {
            SceneManager::currentScene->update(0);
            SceneManager::zeroDtNextFrame = false;
        } else {
            SceneManager::currentScene->update(dt);
        }
        SceneManager::currentScene->draw(dt);
        displayFrame(0);
    }

    saveGameSettings();
    Audio::shutdown();
    clearMapList();
    unloadMap();
    resetImageTables();
    if (plantListReady) {
        clearPlants();
        plantListReady = false;
    }
    renderWindow->setView(renderWindow->getDefaultView());
    emulatingResolution = false;
    KVCore::shutdown();
    return 0;
}

} // namespace tvl
