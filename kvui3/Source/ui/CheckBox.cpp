#include "ui/CheckBox.h"

#include "core/Keyboard.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "ui/Component.h"

#include <algorithm>

namespace kv {

void CheckBox::create(float atX, float atY, const std::string& text)
{
    if (created)
        destroy();
    caption = text;
    const struct {
        sfSprite& sprite;
        const char* texture;
    } parts[] = {{checkedSprite, "CheckBox_Checked"},
                 {uncheckedSprite, "CheckBox_Unchecked"},
                 {mouseOverSprite, "CheckBox_MouseOver"}};
    for (const auto& part : parts)
        part.sprite.setTexture(InternalTextures::getTexture(part.texture).texture, true);
    const sf::FloatRect box = checkedSprite.getLocalBounds();
    x = atX;
    y = atY;
    width = box.width + 2 + textWidth(*standardFont, componentTextSize, caption);
    height = std::max(componentLineSpacing(), box.height);
    checked = false;
    armed_ = true;
    for (const auto& part : parts)
        part.sprite.setPosition(x, y);
    created = true;
}

void CheckBox::destroy()
{
    if (!created)
        return;
    caption.clear();
    x = y = 0;
    checked = false;
    created = false;
}

void CheckBox::update()
{
    RenderLayer* layer = componentLayer();
    const bool held = (Mouse::getButtons() & Mouse::leftButton) != 0;
    if (Mouse::isInRect(x, y, x + width, y + height)) {
        layer->draw(mouseOverSprite);
        if (held && armed_) {
            Mouse::waitForButtonRelease();
            checked = !checked;
            armed_ = false;
        }
    }
    // Re-armed only once the button is up, so a press held past the wait does not toggle again.
    if (!held)
        armed_ = true;
    layer->draw(checked ? checkedSprite : uncheckedSprite);
    drawText(layerUI, {x + checkedSprite.getLocalBounds().width + 2, y}, theme.clFormText, caption, *standardFont,
             componentTextSize);
}

uint8_t CheckBox::getAlpha()
{
    return checkedSprite.getColor().a;
}

void CheckBox::setAlpha(uint8_t alpha)
{
    for (sfSprite* sprite : {&checkedSprite, &uncheckedSprite, &mouseOverSprite}) {
        sf::Color colour = sprite->getColor();
        colour.a = alpha;
        sprite->setColor(colour);
    }
}

} // namespace kv
