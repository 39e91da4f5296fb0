#pragma once
// The full-screen icon menu: a title bar across the top, a column of large rows (icon and
// caption) and a footer bar with the current row's big icon, caption, hint and two
// right-aligned texts. The mouse selects by hovering and activates by clicking; Up and Down
// move (wrapping), Enter or Space activate, Escape cancels. Each move, activation and cancel
// plays a sound.
//
// Use: construct, set the three sound names, create, addItem per row; then every frame
// update(dt), read chosen and cancelled, and draw. update is not modal.
#include "audio/Audio.h"
#include "core/LazyObject.h"
#include "graphics/Sprite.h"
#include "ui/SimpleWidgets.h"

#include <SFML/Graphics/Sprite.hpp>

#include <string>
#include <vector>

namespace kv {

struct CoolMenuItem {
    Rectangle background;
    sfSprite icon; // a copy of the sheet's icon
    Label caption;
    std::string hint;
    int iconNumber = 0;
};

// Sound names every menu looks up in create; the owner sets them first.
extern std::string menuSelectSoundName;
extern std::string menuMoveSoundName;
extern std::string menuCancelSoundName;

// Shared by every menu: the last pointer position seen (whole view units), the caption pulse
// (level 140..250 once running, 128 at start) and its direction, the icon-size direction, and
// the sprite that draws the footer's big icon.
extern sf::Vector2i coolMenuLastMouse;
extern float coolMenuPulseLevel;
extern bool coolMenuPulseRising;
extern bool coolMenuIconGrowing;
extern LazyObject<sfSprite> coolMenuIconSprite;

// How the menus play a sound number that is known to be in the table; the default plays it at
// the listener, not positional, volume and pitch 1. Tests replace it.
extern void (*playMenuSound)(Audio::SoundNumber number);

class CoolMenu {
public:
    Rectangle titleBar;
    Label titleLabel;
    Label headingLabel;
    Rectangle footerBar;
    Label captionLabel;
    Label hintLabel;
    Label textLabel;
    Label footerTextLabel;
    float hintX = 0;
    int current = 0;
    int hovered = -1;
    int chosen = -1;        // row activated during the last update, -1 none
    bool cancelled = false; // Escape during the last update
    float listWidth = 320;
    float captionX = 0;
    std::vector<CoolMenuItem> items;
    Audio::SoundNumber selectSound = -1;
    Audio::SoundNumber moveSound = -1;
    Audio::SoundNumber cancelSound = -1;
    float rowHeight = 0;
    float iconSize = 96;

    CoolMenu() = default;
    ~CoolMenu();
    CoolMenu(const CoolMenu&) = delete;
    CoolMenu& operator=(const CoolMenu&) = delete;

    // (Re)builds the menu without rows: the title left and the heading right in the title
    // bar, text right in the footer.
    void create(const std::string& title, const std::string& text, const std::string& heading);
    // Places the bars, the labels and the rows for the current view (after a display change).
    void updateLayout();
    // The second right-aligned footer line.
    void setFooterText(const std::string& text);
    // Appends a row below the others with the sheet's icon iconNumber. A caption wider than the
    // rows (less 96) widens every row; rows too many for the view get lower (coolMenuRowHeight).
    void addItem(const std::string& caption, int iconNumber, const std::string& hint);
    // The same with the icon and the caption's width (standard font, 18) given; addItem above
    // fetches both (which needs the window).
    void addItem(const std::string& caption, int iconNumber, const std::string& hint, const sf::Sprite& icon,
                 float captionWidth);
    // Makes index current, wrapping both ways; plays the move sound and slides the hint in
    // again. Nothing without rows.
    void select(int index);
    // Plays the select sound; chosen = current.
    void activate();
    // One frame: pointer and keys, row colours, and the animations advanced by dt seconds.
    void update(float dt);
    // On layerUI.
    void draw();
    void destroyItems();

private:
    void placeRows();
    void updateInput();
    void updateLook(float dt);
};

// The height of each of rows rows stacked from top: preferred, or lower so that the last one
// ends by bottom. Whole pixels; preferred without rows.
float coolMenuRowHeight(float preferred, float top, float bottom, std::size_t rows);

// The caption pulse after dt seconds: 100 per second up to 250, then down to 140, and so on;
// the level is kept inside 140..250 so a long frame never makes it flash.
void stepCaptionPulse(float& level, bool& rising, float dt);
// The footer icon's edge after dt seconds: 65 per second between 32 and 96 when animated,
// else 64; always inside 32..96.
float stepIconSize(float size, bool& growing, bool animate, float dt);
// The hint's x after dt seconds: 3000 per second down to 104.
float stepHintX(float x, float dt);

} // namespace kv
