// The full-view text reader: the file in a scrolling list under a toolbar with one Done button.
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Log.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "ui/Colours.h"
#include "ui/ListBox.h"
#include "ui/Toolbar.h"

#include <SFML/Window/Keyboard.hpp>

namespace kv {

void showTextFile(const std::string& fileName, const std::string&, const std::string& title)
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return;
    ModalScope scope;
    const sf::Vector2f view = renderWindow->getView().getSize();
    const float top = Toolbar::barHeight();
    ListBox list;
    list.create("", {5, top + 5}, {view.x - 10, view.y - top - 10}, *monoFont, componentTextSize);
    list.selectable = false;
    list.keyboard = true;
    if (list.id < maxComponentIds)
        focusedComponentId = static_cast<uint32_t>(list.id);
    if (!list.loadFromTextFile(fileName)) {
        showMessage("Error reading \"" + fileName + "\"");
        return;
    }

    WindowLog log(fileName);
    log.shown({{0, 0}, view});
    Toolbar toolbar;
    toolbar.create({0, 0});
    const Button* done = toolbar.addButton("Done", 175, sf::Keyboard::Enter, "", false);
    toolbar.setTitle(title);

    bool finished = false;
    while (!finished) {
        clearLayer(colourBlack, layerUI);
        list.update();
        list.draw();
        if (pollerTicked) {
            toolbar.update();
            toolbar.draw();
            finished = !toolbar.moved && done->clicked;
        } else {
            toolbar.draw();
        }
        displayFrame(0);
    }
}

} // namespace kv
