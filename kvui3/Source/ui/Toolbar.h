#pragma once
// A small docked window: a form titled "Toolbar" (owners retitle it), a row of icon buttons under
// the title bar and a status label. A toolbar lying partly outside the view slides back in, 30
// pixels a tick, while the mouse touches the screen edge beside it. Pressing on the title bar of
// a docked toolbar only shows a hint saying so; an undocked one is dragged by its title bar.
//
// Use: create, addButton / addSeparator per button, then every frame update and draw; read a
// button's clicked flag through the pointer addButton returned.
#include "ui/Button.h"
#include "ui/Form.h"

#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>
#include <deque>
#include <string>

namespace kv {

class Toolbar : public Component {
public:
    std::string name; // "auto:<n>", the key of the toolbar's hint
    // In insertion order. A deque, so the pointers addButton hands out stay valid as buttons
    // are added; destroy ends them all.
    std::deque<Button> buttons;
    bool docked = false;
    bool dragging = false;
    bool moved = false; // set in the tick in which the toolbar slid back into view
    sf::Vector2i lastMouse; // view units, stored at the end of every update
    Form form;
    Label status; // theme.clMenuText, on the button row right of the buttons
    sf::Vector2f position;
    sf::Vector2f size;
    bool titled = false; // untitled toolbars draw no form and put the buttons at the top

    // The title bar height plus a row of 32-pixel buttons: line spacing + 48.
    static float barHeight() { return componentLineSpacing() + 48; }

    // A docked, titled, empty toolbar at position, three bar heights wide, with a new name.
    void create(const sf::Vector2f& position);
    // Appends a button with the sheet's icon iconNumber (fetching it needs the window), lays the
    // row out and returns the stored button. text is the icon button's hint caption; a narrow
    // button is 12 wide. shortcutKey is a key code or Keyboard::noKey.
    Button* addButton(const std::string& text, int iconNumber, uint32_t shortcutKey, const std::string& hint,
                      bool narrow);
    // The same with the icon given; null for none.
    Button* addButton(const std::string& text, const sf::Sprite* icon, uint32_t shortcutKey,
                      const std::string& hint, bool narrow);
    // A narrow button with the separator icon and no text, key or hint: a gap in the row.
    Button* addSeparator();
    // Sets the title and lays the row out (the toolbar is at least as wide as its title).
    void setTitle(const std::string& title);
    // Buttons left to right from x + 2 under the title bar: a narrow one takes 16, another its
    // width + 4. The width becomes the larger of the title's width + 6 and the row's + 2.
    void layout();

    // Empties the button list; pointers from addButton end here.
    void destroy() override;
    // On ticks only: slides back into view, shows the docked hint or drags by the title bar,
    // then updates every button.
    void update() override;
    // The form (when titled), the status label, the buttons in order.
    void draw() override;
    // Moves the form and the status label and lays the row out.
    void setPosition(const sf::Vector2f& p) override;
    sf::Vector2f getPosition() override { return position; }
    void setSize(const sf::Vector2f& s) override;
    sf::Vector2f getSize() override { return size; }
    float getWidth() override { return size.x; }
    float getHeight() override { return size.y; }
    uint8_t getAlpha() override { return form.getAlpha(); }
    void setAlpha(uint8_t alpha) override;

private:
    void slideIntoView();
    const std::string* titleBarHint();
};

} // namespace kv
