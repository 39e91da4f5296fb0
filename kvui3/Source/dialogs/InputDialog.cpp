#include "dialogs/InputDialog.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"

#include <SFML/Window/Keyboard.hpp>
#include <algorithm>

namespace kv {

namespace {
constexpr unsigned inputMaxLength = 64;
constexpr int iconOk = 175;
constexpr int iconCancel = 10;
} // namespace

void InputDialog::create(const std::string& value, const std::string&, const std::string& prompt)
{
    const sf::Vector2f view = renderWindow->getView().getSize();
    const float ls = componentLineSpacing();
    const sf::Font& font = *standardFont;

    textBox.create(value, {0, 0}, inputMaxLength);
    const float limit = std::min(digitsWidth(font, componentTextSize, 60), view.x * 0.6f);
    if (textBox.getWidth() > limit)
        textBox.setSize({limit, textBox.getHeight()});

    width = textBox.getWidth() + 40;
    width = std::max(width, std::max(textWidth(font, componentTextSize, prompt) + 20, 450.0f));
    width = std::max(width, textBox.getWidth() + 10);
    height = ls * 6;
    x = (view.x - width) / 2;
    y = (view.y - height) / 2;
    textBox.setPosition({x + 20, y + 2 * ls + 5});
    form.create({x, y}, {width, height}, prompt);

    const sf::Vector2f row(x, y + height - 32 - 10);
    const sfSprite okIcon(Icons::getIcon(iconOk)), cancelIcon(Icons::getIcon(iconCancel));
    ok.create("Ok", &okIcon, &row, sf::Keyboard::Enter, "", false);
    cancel.create("Cancel", &cancelIcon, &row, sf::Keyboard::Escape, "", false);
    const sf::Vector2f buttonSize(digitsWidth(font, componentTextSize, 6) + 64, -1);
    ok.setSize(buttonSize);
    cancel.setSize(buttonSize);
    ok.setPosition({x + 10, row.y});
    cancel.setPosition({x + 10 + ok.getWidth() + 10, row.y});

    if (textBox.id < maxComponentIds)
        focusedComponentId = static_cast<uint32_t>(textBox.id);
}

int showInputDialog(std::string& value, const std::string& unused, const std::string& prompt)
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return 0;
    ModalScope scope;
    InputDialog dialog;
    dialog.create(value, unused, prompt);
    if (settings.autoSelectInputDialog)
        selectAll(dialog.textBox.edit);

    ModalBackdrop backdrop;
    backdrop.capture();
    writeLog("Input: " + prompt);
    WindowLog log(prompt);
    log.shown({dialog.form.getPosition(), dialog.form.getSize()});
    int result = -1;
    while (result < 0) {
        drawModalBackground(backdrop);
        dialog.form.update();
        dialog.form.draw();
        dialog.textBox.update();
        dialog.textBox.draw();
        dialog.ok.update();
        dialog.ok.draw();
        dialog.cancel.update();
        dialog.cancel.draw();
        if (dialog.ok.clicked) {
            value = dialog.textBox.edit.text;
            result = 1;
        } else if (dialog.cancel.clicked) {
            result = 0;
        }
        displayFrame(0);
    }
    showClosingFrame(backdrop);
    return result;
}

} // namespace kv
