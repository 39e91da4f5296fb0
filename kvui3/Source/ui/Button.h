#pragma once
// The framework's push button: an icon button (32 x 32, a hint while hovered, flat), a narrow
// one (12 x 32, a toolbar separator) or a text button (icon and caption centred as one block,
// with a raised border). A click shows in `clicked` for one frame; owners read it after update.
#include "core/Keyboard.h"
#include "graphics/Sprite.h"
#include "ui/SimpleWidgets.h"

#include <string>

namespace kv {

enum ButtonStyle : uint32_t { buttonIcon = 0, buttonNarrow = 1, buttonText = 2 };

struct ButtonParts {
    Rectangle back;            // theme.clButtonBack
    Rectangle pressedBack;     // theme.clButtonPressedBack, one pixel smaller, drawn while hovered
    Rectangle disabledOverlay; // theme.clButtonBack, over everything while disabled
    BevelPanel sunkenBorder;   // while hovered
    BevelPanel raisedBorder;   // text buttons, unless the flatButtons setting is on
    Label caption;             // theme.clButtonText, standard font, 18
    sfSprite icon;
};

class Button : public Component {
public:
    bool created = false;
    bool hasIcon = false;
    std::string name; // "auto:<n>", also the key of the button's hint
    std::string hint; // as given to create; not shown
    uint32_t shortcutKey = Keyboard::noKey;
    std::string shortcutName; // the key's display name; "" without a key and for narrow buttons
    // Owners set these directly.
    bool enabled = true;
    bool visible = true;
    uint32_t style = buttonIcon;
    bool clicked = false; // true for the one frame of a click
    bool hovered = false;
    ButtonParts parts;
    sf::Vector2f position;
    sf::Vector2f size;
    sf::Vector2f iconOffset;    // relative to position
    sf::Vector2f captionOffset; // relative to position

    // An icon (32 x 32) or narrow (12 x 32) button at *position, enabled and visible; icon may be
    // null. shortcutKey is a key code or Keyboard::noKey. Rebuilds a created button. Always true.
    bool create(const std::string& text, const sfSprite* icon, const sf::Vector2f* position,
                uint32_t shortcutKey, const std::string& hint, bool narrow);
    // Takes a copy of an icon with a non-empty size, stretched over the button's size as it is now.
    void setIcon(const sfSprite& icon);
    // The hint a hovered icon button shows: the caption, with " - [<key name>]" when it has a key.
    std::string hintText() const;

    void destroy() override { created = false; }
    // Every frame: hover and mouse click (enabled only), then the shortcut key. A click waits for
    // the button's or key's release. The shortcut counts only while the button is enabled and
    // visible, and F4 never fires while left Alt is held (Alt+F4 closes the window).
    void update() override;
    // Only while visible: back or (hovered) pressed back and the icon moved by one pixel; the
    // caption of a text button; the disabled overlay; the hovered border and hint; the raised
    // border of a text button.
    void draw() override;
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    // Makes this a text button of the given size; a size component <= 0 takes the caption's
    // width + 48 and max(line spacing + 2, 34). The icon and caption are centred as one block.
    // create does not call it: icon and narrow buttons keep their fixed size.
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return parts.back.getAlpha(); }
    // The back takes alpha, the overlay half of it; the caption keeps its own.
    void setAlpha(uint8_t alpha) override;
};

} // namespace kv
