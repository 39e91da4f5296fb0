#include "dialogs/DisplayModeDialog.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/Log.h"
#include "core/Scene.h"
#include "core/Theme.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/ListBox.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <string>

namespace kv {

sf::VideoMode (*fullscreenModeSource)(int index) = KVCore::getFullscreenMode;

namespace {
constexpr float formWidth = 640, formHeight = 480, listWidth = 620;
constexpr unsigned listRows = 12;
constexpr int iconOk = 175;
constexpr int iconCancel = 10;

std::string sizeText(unsigned width, unsigned height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

struct DisplayModeDialog {
    float x = 0, y = 0;
    float separatorY = 0;
    Form form;
    ListBox list;
    Button ok;
    Button cancel;
    CheckBox windowToggle;
    DisplayModeRows rows;

    void create(const std::vector<sf::VideoMode>& modes)
    {
        const sf::Vector2f view = renderWindow->getView().getSize();
        x = (view.x - formWidth) / 2;
        y = (view.y - formHeight) / 2;
        form.create({x, y}, {formWidth, formHeight}, "Select Display Mode");

        list.createWithRows({x + 10, y + Form::titleBarHeight() + 10}, listWidth, listRows);
        rows = listDisplayModes(modes, renderWindow->getSize());
        for (const DisplayModeRow& row : rows.rows)
            list.addItem(row.text, "", std::to_string(row.modeIndex));
        list.selected = rows.selected;
        list.scrollToSelection();
        list.keyboard = true;
        if (list.id < maxComponentIds)
            focusedComponentId = static_cast<uint32_t>(list.id);

        windowToggle.create(x + 10, list.getPosition().y + list.getHeight() + 10, "Window");
        windowToggle.setChecked(displayWindowed);

        const sf::Vector2f row(x + 10, y + formHeight - 32 - 10);
        separatorY = row.y - 10;
        const sfSprite okIcon(Icons::getIcon(iconOk)), cancelIcon(Icons::getIcon(iconCancel));
        ok.create("Ok", &okIcon, &row, sf::Keyboard::Enter, "", false);
        cancel.create("Cancel", &cancelIcon, &row, sf::Keyboard::Escape, "", false);
        const sf::Vector2f buttonSize(digitsWidth(*standardFont, componentTextSize, 6) + 64, -1);
        ok.setSize(buttonSize);
        cancel.setSize(buttonSize);
        ok.setPosition(row);
        cancel.setPosition({x + 10 + ok.getWidth() + 10, row.y});
    }

    void drawFrame()
    {
        form.draw();
        list.update();
        list.draw();
        cancel.update();
        cancel.draw();
        ok.update();
        ok.draw();
        drawLine({x + 10, separatorY}, {x + formWidth - 10, separatorY}, clFormBorderDark, 1);
        windowToggle.update();
    }

    // The row Ok or a double-click asks for this frame, -1 for none. A double-click is read once.
    int confirmedRow()
    {
        int row = ok.clicked ? list.selected : -1;
        if (list.activated >= 0) {
            row = list.activated;
            list.activated = -1;
        }
        return row >= 0 && row < static_cast<int>(rows.rows.size()) ? row : -1;
    }
};

std::vector<sf::VideoMode> readFullscreenModes()
{
    std::vector<sf::VideoMode> modes;
    for (int i = 0;; ++i) {
        const sf::VideoMode mode = fullscreenModeSource(i);
        if (mode.width == 0)
            return modes;
        modes.push_back(mode);
    }
}

int runDisplayModeDialog(DisplayModeChoice& mode)
{
    ModalScope scope;
    DisplayModeDialog dialog;
    dialog.create(readFullscreenModes());

    ModalBackdrop backdrop;
    backdrop.capture();
    writeLog("Display mode dialog");
    WindowLog log("Select Display Mode");
    log.shown({dialog.form.getPosition(), dialog.form.getSize()});
    int result = -1;
    while (result < 0) {
        drawModalBackground(backdrop);
        dialog.drawFrame();
        const int row = dialog.confirmedRow();
        if (row >= 0) {
            const sf::VideoMode chosen = fullscreenModeSource(dialog.rows.rows[static_cast<size_t>(row)].modeIndex);
            if (chosen.width >= minimumModeWidth && chosen.height >= minimumModeHeight) {
                mode.width = chosen.width;
                mode.height = chosen.height;
                mode.windowed = dialog.windowToggle.isChecked();
                result = 1;
            } else {
                showMessage("Unsupported resolution.  Resolution must be at least 640 x 480.");
            }
        } else if (dialog.cancel.clicked) {
            result = 0;
        }
        displayFrame(0);
    }
    showClosingFrame(backdrop);
    return result;
}
} // namespace

DisplayModeRows listDisplayModes(const std::vector<sf::VideoMode>& modes, sf::Vector2u windowSize)
{
    DisplayModeRows out;
    for (size_t i = 0; i < modes.size(); ++i) {
        const sf::VideoMode& mode = modes[i];
        const bool seen = std::any_of(modes.begin(), modes.begin() + static_cast<std::ptrdiff_t>(i),
                                      [&](const sf::VideoMode& m) { return m.width == mode.width && m.height == mode.height; });
        if (seen)
            continue;
        DisplayModeRow row{sizeText(mode.width, mode.height), static_cast<int>(i)};
        if (out.selected < 0 && mode.width == windowSize.x && mode.height == windowSize.y) {
            row.text += " (current resolution)";
            out.selected = static_cast<int>(out.rows.size());
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

int showDisplayModeDialog(DisplayModeChoice& mode)
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return 0;
    // Unlike the other dialogs, this one leaves the caller's next frame time alone.
    const bool zeroDt = SceneManager::zeroDtNextFrame;
    const int result = runDisplayModeDialog(mode);
    SceneManager::zeroDtNextFrame = zeroDt;
    return result;
}

} // namespace kv
