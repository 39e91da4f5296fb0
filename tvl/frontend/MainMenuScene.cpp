#include "frontend/MainMenuScene.h"

#include "app/WindowLog.h"
#include "audio/Audio.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "dialogs/AudioPanelModal.h"
#include "dialogs/DisplayModeDialog.h"
#include "frontend/GameLoop.h"
#include "frontend/GameSettingsWindow.h"
#include "frontend/HostWindow.h"
#include "frontend/JoinWindow.h"
#include "frontend/MapCarousel.h"
#include "frontend/PlayerOptionsWindow.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/MessageDisplay.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "ui/Console.h"
#include "world/GameAssets.h"
#include "world/GameSettings.h"

#include <SFML/Window/Keyboard.hpp>

#include <iterator>

namespace tvl {

namespace {

struct MenuRow {
    const char* caption;
    int icon;
    const char* hint;
};

enum MenuChoice {
    choiceSinglePlayer,
    choiceHost,
    choiceJoin,
    choicePlayerOptions,
    choiceAudioPanel,
    choiceVideoOptions,
    choiceHelp,
    choiceExit,
};

const MenuRow menuRows[] = {
    {"New Single Player Game", 111, "Begin a new single player game."},
    {"Host Network Server", 141, "Begin a new network game playing as a listening server."},
    {"Connect to Server", 19, "Connect to server as a network client."},
    {"Player Options", 102, "Set network player name and colour."},
    {"Audio Panel", 144, "Open the Audio Panel."},
    {"Video Options", 167, "Change display resolution."},
    {"Help", 122, "View the readme file."},
    {"Exit Game", 38, "Exit to OS."},
};

// The carousel's name in the log.
const char* const mapSelectionName = "Map Selection";

// The carousel's pulsing highlight, shared by every draw.
float highlightLevel = 0;
bool highlightRising = true;

const sf::Color plainColour(150, 150, 150, 255);

sf::Color highlightColour()
{
    const auto grey = static_cast<sf::Uint8>(150.0f + 100.0f * highlightLevel);
    return sf::Color(grey, grey, grey, 255);
}

sf::Vector2f viewSize()
{
    return kv::renderWindow->getView().getSize();
}

bool pointerIn(const MainMenuScene::HitRect& r)
{
    return r.width > 0 && r.height > 0 && kv::Mouse::isInRect(r.x, r.y, r.x + r.width, r.y + r.height);
}

bool clickedIn(const MainMenuScene::HitRect& r)
{
    return kv::leftClicked && kv::input.focus && pointerIn(r);
}

MainMenuScene::HitRect toHitRect(const sf::FloatRect& r)
{
    return {r.left, r.top, r.width, r.height};
}

void drawCentred(const std::string& text, float y, uint32_t size)
{
    const float x = (viewSize().x - kv::textWidth(*kv::osdFont, size, text)) / 2.0f;
    kv::drawText(kv::layerUI, {x, y}, sf::Color::White, text, *kv::osdFont, size);
}

} // namespace

MainMenuScene::MainMenuScene()
    : menuMusicPath(std::string(menuMusicFolder) + menuMusicFilename)
{
    clearColour = sf::Color(0, 0, 0, 255);
    kv::menuMoveSoundName = "mmove";
    kv::menuSelectSoundName = "mselect";
    kv::menuCancelSoundName = "mcancel";
    mainMenu.create("Menu", kv::getAppNameAndVersion(), kv::appWebsite);
    mainMenu.setFooterText(kv::appCredits);
    for (const MenuRow& row : menuRows)
        mainMenu.addItem(row.caption, row.icon, row.hint);

    background.load(menuBackgroundPath);
    dot.setRadius(3);
    dot.setPointCount(16);
    dot.setOrigin(3, 3);
    if (!mapListEntries.empty())
        loadPreview();
}

MainMenuScene::~MainMenuScene()
{
    mainMenu.destroyItems();
}

void MainMenuScene::update(float dt)
{
    // The menu music comes back whenever nothing plays (after every game). One that does not
    // start is tried again only once a game or a window has run.
    if (!menuMusicFailed && kv::Audio::currentMusic().getStatus() != sf::SoundSource::Playing)
        menuMusicFailed = !kv::Audio::playMusic(menuMusicPath);

    if (state == 0) {
        mainMenu.update(dt);
        updateMainMenu();
    } else {
        updateMapSelection();
    }
}

void MainMenuScene::returnedFromLoop()
{
    menuMusicFailed = false;
    refreshCarouselTexts();
}

void MainMenuScene::updateMainMenu()
{
    if (mainMenu.cancelled) {
        mainMenu.cancelled = false;
        mainMenu.chosen = -1;
        kv::SceneManager::quitRequested = true;
        return;
    }
    const int choice = mainMenu.chosen;
    mainMenu.chosen = -1;
    if (choice >= 0 && choice < static_cast<int>(std::size(menuRows)))
        kv::writeLog(std::string("Menu: ") + menuRows[choice].caption);
    switch (choice) {
    case choiceSinglePlayer:
        if (mapListEntries.empty()) {
            kv::printMessage("No maps found");
            break;
        }
        // Repeats of a held Enter or Space that arrived while the menu waited for its release
        // are still in this tick's list; the carousel must not take them as a start.
        while (kv::Keyboard::keyPressed(sf::Keyboard::Enter, true) || kv::Keyboard::keyPressed(sf::Keyboard::Space, true)) {
        }
        state = 1;
        refreshCarouselTexts();
        // Told once drawn: until then its hit rectangles are empty and a click finds nothing.
        mapSelectionToAnnounce = true;
        break;
    case choiceHost:
        hostServerWindow();
        returnedFromLoop();
        break;
    case choiceJoin:
        newClientNetworkGame();
        returnedFromLoop();
        break;
    case choicePlayerOptions:
        playerOptionsWindow();
        returnedFromLoop();
        break;
    case choiceAudioPanel:
        kv::AudioPanel::showModal();
        returnedFromLoop();
        break;
    case choiceVideoOptions:
        showVideoOptions();
        returnedFromLoop();
        break;
    case choiceHelp:
        showDocumentation();
        returnedFromLoop();
        break;
    case choiceExit:
        kv::SceneManager::quitRequested = true;
        break;
    default:
        break;
    }
}

void MainMenuScene::showVideoOptions()
{
    const bool wasEmulating = kv::emulatingResolution;
    kv::DisplayModeChoice mode;
    mode.width = 1024;
    mode.height = 768;
    mode.windowed = false;
    if (kv::showDisplayModeDialog(mode) != 1)
        return;
    kv::KVCore::setDisplayMode(static_cast<int>(mode.width), static_cast<int>(mode.height), 32, mode.windowed);
    if (wasEmulating) {
        // The settings hold the size asked for; the view size in use was widened to the old
        // window's shape and would drift with every change.
        kv::renderWindow->setView(kv::renderWindow->getDefaultView());
        kv::emulatingResolution = false;
        kv::KVCore::emulateResolution(kv::settings.emulatedWidth, kv::settings.emulatedHeight, 0, false);
    }
    kv::setMessagesOrigin();
    kv::Console::updateLayout();
    kv::AudioPanel::resetButtons();
    kv::AudioPanel::build();
    mainMenu.updateLayout();
}

void MainMenuScene::updateMapSelection()
{
    const int count = static_cast<int>(mapListEntries.size());
    if (count == 0) {
        state = 0;
        return;
    }
    if (kv::Keyboard::keyPressed(sf::Keyboard::Escape, true) || clickedIn(backRect)) {
        state = 0;
        kv::logWindowClosed(mapSelectionName);
        return;
    }
    if (kv::Keyboard::keyPressed(sf::Keyboard::Enter, true) || kv::Keyboard::keyPressed(sf::Keyboard::Space, true) ||
        clickedIn(previewRect)) {
        startSelectedMap();
        state = 0;
        kv::logWindowClosed(mapSelectionName);
        return;
    }
    int step = 0;
    if (kv::Keyboard::keyPressed(sf::Keyboard::Left, true) || clickedIn(previousRect))
        step = -1;
    if (kv::Keyboard::keyPressed(sf::Keyboard::Right, true) || clickedIn(nextRect))
        step = 1;
    // Once per tick, so a fast spin counts every notch and a frame between ticks none twice.
    if (step == 0 && kv::pollerTicked && kv::input.focus)
        step = wheelStep(kv::mouseWheelDelta);
    if (step != 0)
        selectMap(step < 0 ? prevMap(selectedMap, count) : nextMap(selectedMap, count));

    if (clickedIn(setupRect)) {
        gameSettingsWindow();
        returnedFromLoop();
    }
}

void MainMenuScene::startSelectedMap()
{
    GameStartSettings start;
    start.tokensCount = gameSettings.tokensCount;
    start.skillLevel = gameSettings.skillLevel;
    start.itemsDensity = gameSettings.itemsDensity;
    // A copy: the game may not outlive a change of the list, but the name must outlive the game.
    const std::string mapFile = mapListEntries[static_cast<size_t>(selectedMap)].mapFilename;
    playGame(1, mapFile, &start);
    returnedFromLoop();
}

void MainMenuScene::selectMap(int index)
{
    selectedMap = index;
    if (selectedMap >= 0 && static_cast<size_t>(selectedMap) < mapListEntries.size())
        kv::writeLog("Map: " + mapListEntries[static_cast<size_t>(selectedMap)].title);
    loadPreview();
    refreshCarouselTexts();
}

void MainMenuScene::loadPreview()
{
    previewRect = {};
    preview = sf::Texture();
    if (selectedMap < 0 || static_cast<size_t>(selectedMap) >= mapListEntries.size())
        return;
    const std::string path = previewPath(mapListEntries[static_cast<size_t>(selectedMap)].mapFilename);
    if (!preview.loadFromFile(kv::resolvePath(path)))
        preview = sf::Texture();
    preview.setSmooth(true);
    previewSprite.setTexture(preview, true);
}

void MainMenuScene::refreshCarouselTexts()
{
    if (selectedMap < 0 || static_cast<size_t>(selectedMap) >= mapListEntries.size())
        return;
    const MapListEntry& map = mapListEntries[static_cast<size_t>(selectedMap)];
    titleText = map.title;
    infoText = mapInfoLine(map.width, map.height, map.musicFilename, defaultMusicFilename);
    skillText = "Skill: " + skillName(gameSettings.skillLevel);
    tokensText = "Tokens: " + std::to_string(gameSettings.tokensCount);
    densityText = "Items Density: " + itemsDensityName(gameSettings.itemsDensity);
}

void MainMenuScene::draw(float dt)
{
    stepHighlight(highlightLevel, highlightRising, dt);
    kv::drawFullScreenTexture(background.texture);
    if (state == 0)
        mainMenu.draw();
    else if (!mapListEntries.empty()) {
        drawMapSelection();
        if (mapSelectionToAnnounce) {
            kv::logWindowShown(mapSelectionName, {{0, 0}, viewSize()});
            mapSelectionToAnnounce = false;
        }
    }
}

void MainMenuScene::drawArrow(kv::sfSprite& sprite, const sf::Vector2f& position, float scale, float rotation,
                              HitRect& rect)
{
    sprite.setPosition(position);
    sprite.setRotation(rotation);
    sprite.setScale(scale, scale);
    const bool hovered = pointerIn(toHitRect(sprite.getGlobalBounds()));
    if (hovered)
        sprite.setScale(scale * 1.1f, scale * 1.1f);
    sprite.setColor(hovered ? highlightColour() : plainColour);
    rect = toHitRect(sprite.getGlobalBounds());
    kv::getRenderLayer(kv::layerUI, false)->draw(sprite);
}

void MainMenuScene::drawMapSelection()
{
    const sf::Vector2f view = viewSize();
    kv::RenderLayer* ui = kv::getRenderLayer(kv::layerUI, false);
    kv::textOutlineThickness = 0.75f;
    kv::textOutlineColour = sf::Color::Black;

    kv::drawRect({0, 0}, view, kv::clDialogBlurBack, true, 0);
    drawCentred(titleText, 55, 32);
    drawCentred(infoText, 105, 16);

    // The preview, centred, outlined brighter while the pointer is over it.
    const sf::Vector2f fitted = fitPreview(preview.getSize(), view);
    if (fitted.x > 0 && fitted.y > 0) {
        const sf::Vector2f topLeft((view.x - fitted.x) / 2.0f, (view.y - fitted.y) / 2.0f);
        previewSprite.setPosition(topLeft);
        previewSprite.setScale(fitted.x / static_cast<float>(preview.getSize().x),
                               fitted.y / static_cast<float>(preview.getSize().y));
        previewSprite.setColor(sf::Color::White);
        ui->draw(previewSprite);
        previewRect = {topLeft.x, topLeft.y, fitted.x, fitted.y};
        kv::drawRect(topLeft, fitted, pointerIn(previewRect) ? highlightColour() : plainColour, false, 4.0f);
    } else {
        previewRect = {};
    }

    // One dot per map, the selected one bright.
    const int count = static_cast<int>(mapListEntries.size());
    for (int i = 0; i < count; i++) {
        dot.setPosition(view.x / 2.0f - static_cast<float>(count - 1) * 11.0f + 22.0f * static_cast<float>(i), 17);
        dot.setFillColor(i == selectedMap ? sf::Color(255, 255, 255, 192) : sf::Color(128, 128, 128, 128));
        ui->draw(dot);
    }

    // The Game Setup panel.
    setupRect = {view.x / 2.0f - 175.0f, view.y - 140.0f, 350.0f, 120.0f};
    const sf::Vector2f panel(setupRect.x, setupRect.y);
    kv::drawRect(panel, {setupRect.width, setupRect.height},
                 pointerIn(setupRect) ? sf::Color::White : sf::Color(255, 255, 255, 128), true, 0);
    kv::drawText(kv::layerUI, panel + sf::Vector2f(10, 10), sf::Color(255, 255, 255, 160), "Game Setup", *kv::osdFont, 16);
    const float lineY = panel.y + 34.0f;
    kv::drawLine({panel.x, lineY}, {panel.x + setupRect.width, lineY}, sf::Color(255, 255, 255, 128), 2.0f);
    kv::drawText(kv::layerUI, {panel.x + 10, lineY + 12}, sf::Color::White, skillText, *kv::osdFont, 16);
    kv::drawText(kv::layerUI, {panel.x + 10, lineY + 36}, sf::Color::White, tokensText, *kv::osdFont, 16);
    kv::drawText(kv::layerUI, {panel.x + 10, lineY + 60}, sf::Color::White, densityText, *kv::osdFont, 16);

    drawArrow(*uiSprite3, {100, view.y / 2.0f}, 0.5f, 180, previousRect);
    drawArrow(*uiSprite3, {view.x - 100, view.y / 2.0f}, 0.5f, 0, nextRect);
    drawArrow(*uiSprite4, {view.x - 70, 70}, 1.0f, 0, backRect);

    kv::textOutlineThickness = 0;
    kv::textOutlineColour = sf::Color::Black;
}

} // namespace tvl
