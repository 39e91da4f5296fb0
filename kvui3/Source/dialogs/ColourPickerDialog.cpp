#include "dialogs/ColourPickerDialog.h"

#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"

#include <SFML/Window/Keyboard.hpp>

namespace kv {

namespace {
constexpr int iconOk = 175, iconCancel = 10;

void makeButton(Button& button, const std::string& caption, int icon, uint32_t key)
{
    const sfSprite sprite(Icons::getIcon(icon));
    const sf::Vector2f origin(0, 0);
    button.create(caption, &sprite, &origin, key, "", false);
    button.setSize({textWidth(*standardFont, componentTextSize, caption) + 64, -1});
}
} // namespace

void ColourPickerDialog::create(const sf::Color& colour)
{
    const sf::Vector2f view = renderWindow->getView().getSize();
    const sf::Vector2f at((view.x - width) / 2, (view.y - height) / 2);
    form.create(at, {width, height}, "Select Colour");
    makeButton(ok, "Ok", iconOk, sf::Keyboard::Enter);
    makeButton(cancel, "Cancel", iconCancel, sf::Keyboard::Escape);
    const float row = at.y + height - margin - cancel.getHeight();
    cancel.setPosition({at.x + width - margin - cancel.getWidth(), row});
    ok.setPosition({cancel.getPosition().x - 10 - ok.getWidth(), row});
    const sf::Vector2f pickerAt(at.x + margin, at.y + Form::titleBarHeight() + margin);
    picker.create(pickerAt, {width - 2 * margin, row - margin - pickerAt.y}, colour);
}

void ColourPickerDialog::destroy()
{
    ok.destroy();
    cancel.destroy();
    picker.destroy();
}

void ColourPickerDialog::update()
{
    if (!pollerTicked)
        return;
    form.update();
    ok.update();
    cancel.update();
    picker.update();
}

void ColourPickerDialog::draw()
{
    form.draw();
    ok.draw();
    cancel.draw();
    picker.draw();
    Dialog::draw();
}

} // namespace kv
