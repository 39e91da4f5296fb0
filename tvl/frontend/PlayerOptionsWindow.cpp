#include "frontend/PlayerOptionsWindow.h"
#include "frontend/WindowParts.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/Theme.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"
#include "net/PacketReaders.h"
#include "ui/Form.h"
#include "ui/TextBox.h"
#include "world/GameSettings.h"

#include <SFML/Window/Keyboard.hpp>

namespace tvl {

namespace {
constexpr int iconChange = 17, iconDone = 175;
} // namespace

void playerOptionsWindow()
{
    if (!frontendWindowOpen())
        return;
    kv::ModalScope scope;
    dropQueuedEnter();
    const sf::Vector2f view = kv::renderWindow->getView().getSize();
    const sf::Vector2f at((view.x - 420) / 2, (view.y - 300) / 2);
    kv::Form form;
    form.create(at, {420, 300}, "Multiplayer Options");
    kv::TextBox name;
    name.createWithCaption(gameSettings.playerName, "Player Name", at.x + 10, at.y + 70, 0,
                           static_cast<unsigned>(wire::maxNameLength));
    if (name.id < kv::maxComponentIds)
        kv::focusedComponentId = static_cast<uint32_t>(name.id);
    kv::Label colourCaption;
    colourCaption.create({at.x + 10, at.y + 135}, kv::clButtonText, "Player Colour", *kv::standardFont,
                         kv::componentTextSize);
    kv::Rectangle swatch;
    swatch.create({at.x + 140, at.y + 130}, {at.x + 210, at.y + 164});
    kv::Button change, done;
    makeTextButton(change, "Change", iconChange, kv::Keyboard::noKey, {at.x + 230, at.y + 130});
    makeTextButton(done, "Done", iconDone, sf::Keyboard::Enter, {at.x + 265, at.y + 260});

    kv::ModalBackdrop backdrop;
    backdrop.capture();
    kv::WindowLog log("Multiplayer Options");
    log.shown({form.getPosition(), form.getSize()});
    for (;;) {
        kv::drawModalBackground(backdrop);
        form.update();
        form.draw();
        name.update();
        name.draw();
        colourCaption.draw();
        swatch.shape.setFillColor(gameSettings.playerColour);
        swatch.draw();
        change.update();
        change.draw();
        done.update();
        done.draw();
        kv::displayFrame(0);
        if (change.clicked)
            kv::showColourDialog("Player Colour", gameSettings.playerColour);
        if (!done.clicked)
            continue;
        const std::string chosen = wire::cleanPlayerName(name.edit.text);
        if (chosen.empty()) {
            kv::showMessage("Player Name is required");
            continue;
        }
        gameSettings.playerName = chosen;
        return;
    }
}

} // namespace tvl
