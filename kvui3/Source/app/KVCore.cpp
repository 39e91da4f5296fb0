#include "app/KVCore.h"

#include "app/Compositor.h"
#include "app/FramePump.h"
#include "app/NestedLoop.h"
#include "audio/Audio.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Log.h"
#include "core/SFMLLogStream.h"
#include "core/Settings.h"
#include "core/StringUtils.h"
#include "core/Theme.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/MessageDisplay.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "platform/MessageBox.h"
#include "platform/Signals.h"
#include "platform/Startup.h"
#include "ui/AudioPanel.h"
#include "ui/Component.h"
#include "ui/Console.h"
#include "ui/Hints.h"
#include "ui/ScriptConsole.h"

#include <SFML/Config.hpp>
#include <imgui.h>


namespace kv::KVCore {

namespace {

// The lower layers' notifications and sinks, wired to the layers above once per process.
void connectLayers()
{
    static bool connected = false;
    if (connected)
        return;
    connected = true;
    Console::attachToMessages();
    runWaitLoop = pumpWhile;
    onAgeHints = ageHints;
    themeChanged.subscribe([] {
        createScriptConsole();
        AudioPanel::resetButtons();
        AudioPanel::build();
    });
    displayModeChanged.subscribe(createScriptConsole);
    Audio::cameUp.subscribe(AudioPanel::build);
}

} // namespace

bool init()
{
    connectLayers();
    installQuitSignalHandlers();
    captureSFMLErrors();
    loadSettings();

    // Without a display SFML aborts inside its first window call; fail here instead.
    if (!displayAvailable()) {
        writeLog("KVCore::init: No display available.");
        releaseSFMLErrors();
        return false;
    }

    int width, height;
    unsigned bpp;
    bool windowed;
    sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    if (settingsFileMissing) {
        width = static_cast<int>(desktop.width);
        height = static_cast<int>(desktop.height);
        bpp = 32;
        windowed = false;
    } else {
        width = settings.width;
        height = settings.height;
        if (width == 0 || height == 0) {
            width = static_cast<int>(desktop.width);
            height = static_cast<int>(desktop.height);
        }
        bpp = static_cast<unsigned>(settings.bpp);
        windowed = settings.window;
    }
    if (!setDisplayMode(width, height, bpp, windowed)) {
        releaseSFMLErrors();
        return false;
    }

    if (!Shaders::init()) {
        printError("KVCore::init: " + Shaders::getLastError());
        releaseSFMLErrors();
        return false;
    }

    initRenderLayers();
    imguiEnabled = true;
    ImGui::SFML::Init(*renderWindow);
    ImGui::GetIO().ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;

    loadTheme();
    if (!Text::init()) {
        showErrorBox("KVCore::init: loadFonts failed.");
        releaseSFMLErrors();
        return false;
    }
    ImGui::SFML::Update(*renderWindow, sf::seconds(0.1f));
    setMessagesOrigin();
    Keyboard::buildKeyNames();
    InternalTextures::loadTextures();

    static const int cursorIcons[] = {164, 61, 84};
    for (int i = 0; i < 3; i++) {
        cursorSprites[i + 2] = Icons::getIcon(cursorIcons[i]);
        sf::FloatRect bounds = cursorSprites[i + 2].getLocalBounds();
        cursorSprites[i + 2].setOrigin(bounds.width / 2, bounds.height / 2);
    }
    initFpsText();

    Audio::init();
    startTickGate();
    // The first frame reads input before any pump has sampled it.
    sampleInput();

    // The console's edit line claims the first id, so no later widget shares its focus.
    resetComponentIds();
    if (!createConsole()) {
        showErrorBox("KVCore::Init: createConsole failed.");
        releaseSFMLErrors();
        return false;
    }
    createScriptConsole();

    frameworkInitialised = true;
    writeLog("KVUI3 initialised using " +
             formatString("SFML v%d.%d.%d", SFML_VERSION_MAJOR, SFML_VERSION_MINOR, SFML_VERSION_PATCH));

    if (!settingsFileMissing && settings.emulatedWidth != 0 && settings.emulatedHeight != 0)
        emulateResolution(settings.emulatedWidth, settings.emulatedHeight, 0, true);
    if (emulatingResolution) {
        setMessagesOrigin();
        Console::updateLayout();
    }
    return true;
}

void shutdown()
{
    if (!frameworkInitialised)
        return;
    saveSettings();
    if (emulatingResolution) {
        renderWindow->setView(renderWindow->getDefaultView());
        emulatingResolution = false;
    }
    InternalTextures::unloadTextures();
    clearConsoleLines();
    stopTickGate();
    // The music streams exist even without a device (currentMusic is never null); they must
    // go while SFML's error stream is still ours, not in static destruction after it.
    Audio::stopAll();
    if (Audio::audioReady) {
        Audio::shutdown();
        AudioPanel::resetButtons();
        Audio::audioReady = false;
    }
    releaseSFMLErrors();
    // ImGui's renderer frees its GL objects, so it goes while the window's context lives.
    if (imguiEnabled) {
        ImGui::SFML::Shutdown();
        imguiEnabled = false;
        // Its atlas went with the context; a later start-up adds the font again.
        imguiLargeFont = nullptr;
    }
    renderWindow->close();
    frameworkInitialised = false;
}

} // namespace kv::KVCore
