#pragma once
// The program's only scene: the icon menu (state 0) and the map selection carousel (state 1)
// from which a single-player game starts. Games and the front-end windows run their own frame
// loops inside update and come back to it.
#include "core/Scene.h"
#include "graphics/Sprite.h"
#include "graphics/Textures.h"
#include "ui/CoolMenu.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <string>

namespace tvl {

// The menu's music, a .mus asset in menuMusicFolder.
constexpr const char* menuMusicFilename = "MainMenu.mus";
constexpr const char* menuMusicFolder = "base\\music\\";
constexpr const char* menuBackgroundPath = "base\\Textures\\menuback.png";

class MainMenuScene : public kv::Scene {
public:
    // Screen rectangles in view units; zero size hits nothing.
    struct HitRect {
        float x = 0, y = 0, width = 0, height = 0;
    };

    int state = 0; // 0 the icon menu, 1 the map selection
    kv::CoolMenu mainMenu;
    kv::GameTexture background;
    sf::Texture preview; // of mapListEntries[selectedMap]; empty when it did not load
    int selectedMap = 0;
    // Written by draw, read by the next update.
    HitRect previewRect, previousRect, nextRect, setupRect, backRect;
    // Set when the menu music failed to start; cleared when a game or window returns.
    bool menuMusicFailed = false;

    // Builds the menu, loads the background and the first map's preview. Needs the window and
    // the map list.
    MainMenuScene();
    ~MainMenuScene() override;
    MainMenuScene(const MainMenuScene&) = delete;
    MainMenuScene& operator=(const MainMenuScene&) = delete;

    void update(float dt) override;
    void draw(float dt) override;

private:
    bool mapSelectionToAnnounce = false;

    void updateMainMenu();
    void updateMapSelection();
    void showVideoOptions();
    void startSelectedMap();
    void selectMap(int index);
    void loadPreview();
    void refreshCarouselTexts();
    // After a game or a window ran its own loop.
    void returnedFromLoop();
    void drawMapSelection();
    void drawArrow(kv::sfSprite& sprite, const sf::Vector2f& position, float scale, float rotation,
                   HitRect& rect);

    std::string menuMusicPath;
    kv::sfSprite previewSprite;
    sf::CircleShape dot;
    // The carousel's texts, rebuilt when the map or the settings change.
    std::string titleText, infoText, skillText, tokensText, densityText;
};

} // namespace tvl
