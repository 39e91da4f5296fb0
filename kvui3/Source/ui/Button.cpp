#include "ui/Button.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "ui/Hints.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>

namespace kv {

namespace {

sf::Color withAlpha(sf::Color colour, uint8_t alpha)
{
    colour.a = alpha;
    return colour;
}

void createBox(Rectangle& box, const sf::Vector2f& size, const sf::Color& fill)
{
    box.create({0, 0}, size);
    box.shape.setFillColor(fill);
    box.shape.setOutlineThickness(0);
}

} // namespace

bool Button::create(const std::string& text, const sfSprite* icon, const sf::Vector2f* at, uint32_t key,
                    const std::string& hintText, bool narrow)
{
    if (created)
        destroy();
    name = makeAutoName();
    position = *at;
    size = narrow ? sf::Vector2f(12, 32) : sf::Vector2f(32, 32);
    iconOffset = captionOffset = {0, 0};
    enabled = visible = true;
    clicked = hovered = false;
    shortcutKey = key;

    createBox(parts.back, size, theme.clButtonBack);
    createBox(parts.pressedBack, size, theme.clButtonPressedBack);
    createBox(parts.disabledOverlay, size, withAlpha(theme.clButtonBack, 192));
    const sf::Color light = withAlpha(theme.clButtonBorderLight, 128), dark = withAlpha(theme.clButtonBorderDark, 128);
    parts.sunkenBorder.create(position, size + sf::Vector2f(1, 1), dark, light, sf::Color::Transparent);
    parts.raisedBorder.create(position, size, light, dark, sf::Color::Transparent);

    hasIcon = false;
    if (icon)
        setIcon(*icon);
    parts.caption.create(position, theme.clButtonText, text, *standardFont, componentTextSize);

    style = narrow ? buttonNarrow : buttonIcon;
    shortcutName = !narrow && key != Keyboard::noKey ? Keyboard::getKeyName(key) : std::string();
    hint = hintText;
    setPosition(position);
    setAlpha(255);
    created = true;
    return true;
}

void Button::setIcon(const sfSprite& icon)
{
    const sf::FloatRect bounds = icon.getLocalBounds();
    if (bounds.width <= 0 || bounds.height <= 0)
        return;
    hasIcon = true;
    parts.icon = icon;
    parts.icon.setOrigin(0, 0);
    parts.icon.setRotation(0);
    parts.icon.setScale(size.x / bounds.width, size.y / bounds.height);
    parts.icon.setPosition(position + iconOffset);
}

std::string Button::hintText() const
{
    std::string text = parts.caption.getText();
    if (shortcutKey != Keyboard::noKey)
        text += " - [" + shortcutName + "]";
    return text;
}

void Button::update()
{
    clicked = false;
    if (!visible) {
        hovered = false;
        return;
    }
    if (enabled) {
        hovered = Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y);
        if (hovered && leftClicked) {
            clicked = true;
            Mouse::waitForButtonRelease();
        }
    } else {
        hovered = false;
    }
    // A disabled button is not there for the keyboard either.
    if (shortcutKey == Keyboard::noKey || !enabled)
        return;
    if (shortcutKey == sf::Keyboard::F4 && input.keyDown(sf::Keyboard::LAlt))
        return;
    const int key = static_cast<int>(shortcutKey);
    if (Keyboard::keyPressed(key, true)) {
        Keyboard::waitForKeyRelease(key);
        Keyboard::pressedKeys.clear();
        clicked = true;
    }
}

void Button::draw()
{
    if (!visible)
        return;
    const bool pressedLook = hovered && style != buttonNarrow;
    (pressedLook ? parts.pressedBack : parts.back).draw();

    if (hasIcon) {
        const sf::RenderStates states = uiIconStates(enabled);
        const sf::Vector2f at = position + iconOffset;
        if (pressedLook)
            parts.icon.setPosition(at + sf::Vector2f(1, 1));
        componentLayer()->draw(parts.icon, states);
        if (pressedLook)
            parts.icon.setPosition(at);
    }

    if (style == buttonText)
        parts.caption.draw();
    if (!enabled)
        parts.disabledOverlay.draw();
    if (pressedLook) {
        parts.sunkenBorder.draw();
        if (style == buttonIcon) {
            const sf::Vector2f at(position.x + 20, position.y + 52);
            addHint(name, 0, &at, &theme.clHintText, &theme.clHintBack, hintText());
        }
    } else if (style == buttonText && !settings.flatButtons) {
        parts.raisedBorder.draw();
    }
    drawDebugBounds();
}

void Button::setPosition(const sf::Vector2f& p)
{
    position = p;
    parts.pressedBack.setPosition(p + sf::Vector2f(1, 1));
    parts.back.setPosition(p);
    parts.disabledOverlay.setPosition(p);
    parts.sunkenBorder.setPosition(p);
    parts.raisedBorder.setPosition(p);
    parts.icon.setPosition(p + iconOffset);
    parts.caption.setPosition(p + captionOffset);
}

void Button::setSize(const sf::Vector2f& s)
{
    const float captionWidth = textWidth(*standardFont, componentTextSize, parts.caption.getText());
    const float lineSpacing = componentLineSpacing();
    size.x = s.x <= 0 ? captionWidth + 48 : s.x;
    size.y = s.y <= 0 ? std::max(lineSpacing + 2, 34.0f) : s.y;
    iconOffset.x = (size.x - (captionWidth + 32 + 2)) * 0.5f;
    iconOffset.y = (size.y - 32) * 0.5f;
    captionOffset.x = iconOffset.x + 32 + 2;
    captionOffset.y = (size.y - lineSpacing) * 0.5f;
    style = buttonText;
    parts.raisedBorder.setSize(size);
    parts.sunkenBorder.setSize(size);
    parts.back.setSize(size);
    parts.disabledOverlay.setSize(size);
    parts.pressedBack.setSize(size - sf::Vector2f(1, 1));
    setPosition(position);
}

void Button::setAlpha(uint8_t alpha)
{
    parts.back.setAlpha(alpha);
    parts.disabledOverlay.setAlpha(static_cast<uint8_t>(alpha / 2));
}

} // namespace kv
