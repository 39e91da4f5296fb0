#include "ui/Toolbar.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Theme.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "ui/Hints.h"

#include <algorithm>

namespace kv {

namespace {

constexpr float slideStep = 30;

// Built once: the hint is refreshed on every hovered tick.
const std::string dockedHint = "This toolbar is docked and cannot be dragged";
const std::string dragHint = "Drag";

} // namespace

void Toolbar::create(const sf::Vector2f& at)
{
    destroy();
    docked = titled = true;
    dragging = moved = false;
    const float height = barHeight();
    size = {height * 3, height};
    form.create(at, size, "Toolbar");
    status.create(at, theme.clMenuText, "", *standardFont, componentTextSize);
    setPosition(at);
    // Wider than the empty row until the first button lays the row out.
    setSize({height * 3, height});
    name = makeAutoName();
}

Button* Toolbar::addButton(const std::string& text, int iconNumber, uint32_t shortcutKey, const std::string& hint,
                           bool narrow)
{
    const sf::Sprite icon = Icons::getIcon(iconNumber);
    return addButton(text, &icon, shortcutKey, hint, narrow);
}

Button* Toolbar::addButton(const std::string& text, const sf::Sprite* icon, uint32_t shortcutKey,
                           const std::string& hint, bool narrow)
{
    const sf::Vector2f origin(0, 0);
    Button& button = buttons.emplace_back();
    if (icon) {
        const sfSprite sprite(*icon);
        button.create(text, &sprite, &origin, shortcutKey, hint, narrow);
    } else {
        button.create(text, nullptr, &origin, shortcutKey, hint, narrow);
    }
    layout();
    return &button;
}

Button* Toolbar::addSeparator()
{
    return addButton("", Icons::iconSeparator, Keyboard::noKey, "", true);
}

void Toolbar::setTitle(const std::string& title)
{
    form.title.setText(title);
    layout();
}

void Toolbar::layout()
{
    float x = position.x + 2;
    const float y = titled ? position.y + componentLineSpacing() + 8 : position.y;
    for (Button& button : buttons) {
        button.setPosition({x, y});
        x += button.style == buttonNarrow ? 16 : button.getWidth() + 4;
    }
    const float titleWidth = textWidth(*standardFont, componentTextSize, form.title.getText()) + 6;
    setSize({std::max(titleWidth, x + 2 - position.x), size.y});
}

void Toolbar::destroy()
{
    for (Button& button : buttons)
        button.destroy();
    buttons.clear();
}

void Toolbar::slideIntoView()
{
    if (Mouse::getButtons() != 0)
        return;
    const sf::Vector2f view = InputHooks::currentViewSize();
    const float band = barHeight();
    sf::Vector2f p = position;
    if (Mouse::isInRect(0, p.y, 1, p.y + band) && p.x < 0)
        p.x = std::min(p.x + slideStep, 0.0f);
    else if (Mouse::isInRect(view.x - 2, p.y, view.x - 1, p.y + band) && p.x + size.x > view.x)
        p.x = std::max(p.x - slideStep, view.x - size.x);
    if (Mouse::isInRect(0, 0, view.x - 1, 1) && p.y < 0)
        p.y = std::min(p.y + slideStep, 0.0f);
    else if (Mouse::isInRect(0, view.y - 2, view.x - 1, view.y - 1) && p.y + size.y > view.y)
        p.y = std::max(p.y - slideStep, view.y - size.y);
    if (p != position) {
        setPosition(p);
        moved = true;
    }
}

// The hint the title bar asks for in this tick, if any; drags an undocked toolbar.
const std::string* Toolbar::titleBarHint()
{
    const bool overTitle = Mouse::isInRect(position.x + 1, position.y + 1, position.x + size.x - 1,
                                           position.y + componentLineSpacing() + 2);
    const uint8_t held = Mouse::getButtons(); // 0 without focus
    if (docked)
        return overTitle && held == Mouse::leftButton ? &dockedHint : nullptr;

    if (dragging) {
        if (held & Mouse::leftButton) {
            const sf::Vector2i step = Mouse::pointerInView() - lastMouse;
            if (step != sf::Vector2i(0, 0))
                setPosition(position + sf::Vector2f(step));
        } else {
            dragging = false;
        }
        return nullptr;
    }
    if (!overTitle)
        return nullptr;
    if (held == Mouse::leftButton && !mouseCaptured) {
        dragging = mouseCaptured = true;
        return nullptr;
    }
    return held == 0 ? &dragHint : nullptr;
}

void Toolbar::update()
{
    if (!pollerTicked)
        return;
    moved = false;
    const sf::Vector2i mouse = Mouse::pointerInView();
    slideIntoView();
    const std::string* hint = titleBarHint();
    for (Button& button : buttons)
        button.update();
    if (hint) {
        const sf::Vector2f at(static_cast<float>(mouse.x) + 16, position.y + 16);
        addHint(name, 0, &at, &theme.clHintText, &theme.clHintBack, *hint);
    }
    lastMouse = mouse;
}

void Toolbar::draw()
{
    if (titled)
        form.draw();
    status.draw();
    for (Button& button : buttons)
        button.draw();
    drawDebugBounds();
}

void Toolbar::setPosition(const sf::Vector2f& p)
{
    position = p;
    form.setPosition(p);
    status.setPosition({p.x + 36 * static_cast<float>(buttons.size()) + 2, p.y + size.y - (componentLineSpacing() + 10)});
    layout();
}

void Toolbar::setSize(const sf::Vector2f& s)
{
    size = s;
    form.setSize(s);
}

void Toolbar::setAlpha(uint8_t alpha)
{
    for (Button& button : buttons)
        button.setAlpha(alpha);
    form.setAlpha(alpha);
    status.setAlpha(alpha);
}

} // namespace kv
