#pragma once
// A captioned toggle drawn with the internal textures "CheckBox_Checked", "CheckBox_Unchecked"
// and "CheckBox_MouseOver". It is not a Component: it has slots of its own and draws inside
// update.
#include "graphics/Sprite.h"

#include <cstdint>
#include <string>

namespace kv {

class CheckBox {
public:
    bool created = false;
    std::string caption;
    float x = 0, y = 0, width = 0, height = 0;
    bool checked = false;
    sfSprite checkedSprite;
    sfSprite uncheckedSprite;
    sfSprite mouseOverSprite;

    virtual ~CheckBox() = default;

    // At (x, y), unchecked; width = box + 2 + caption width (standard font, 18), height = the
    // larger of a line and the box. Destroys first when created.
    void create(float atX, float atY, const std::string& text);

    // Empties the caption, zeroes the position, clears checked and created.
    virtual void destroy();
    // Input and drawing for this frame: the mouse-over box under the pointer, a press of the
    // left button inside toggles once (again only after the button went up), then the box
    // and the caption in theme.clFormText.
    virtual void update();
    virtual bool isChecked() { return checked; }
    virtual void setChecked(bool value) { checked = value; }
    virtual float getWidth() { return width; }
    virtual float getHeight() { return height; }
    // The checked sprite's alpha / all three sprites' alpha.
    virtual uint8_t getAlpha();
    virtual void setAlpha(uint8_t alpha);

private:
    bool armed_ = true; // a press may toggle; cleared by a toggle, set again on release
};

} // namespace kv
