#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "core/Framework.h"
#include "graphics/RenderLayers.h"
#include "ui/Component.h"
#include "ui/Hints.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace kv {

void ModalBackdrop::capture()
{
    captured = false;
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return;
    sf::RenderWindow& window = *renderWindow;
    const sf::Vector2u size = window.getSize();
    if (size.x == 0 || size.y == 0 || !snapshot.create(size.x, size.y))
        return;

    // The frame last shown, darkened in the back buffer, which the dialog's first frame covers
    // anyway. A window resized since then is taken as it stands.
    const sf::View view = window.getView();
    const sf::Texture& shown = lastShownFrame();
    if (shown.getSize() == size) {
        window.setView(window.getDefaultView());
        window.draw(sf::Sprite(shown));
        window.setView(view);
    }
    sf::RectangleShape shade(view.getSize());
    shade.setPosition(view.getCenter() - view.getSize() / 2.0f);
    shade.setFillColor(backdropShade);
    window.draw(shade);
    if (!window.setActive(true))
        return;
    snapshot.update(window);
    captured = true;
}

void drawModalBackground(const ModalBackdrop& backdrop)
{
    clearLayer(sf::Color(0, 0, 0, 0), layerDisplay);
    if (backdrop.captured)
        drawFullScreenTexture(backdrop.snapshot);
    else
        clearLayer(sf::Color(0, 0, 0, 255), layerDisplay);
}

void showClosingFrame(const ModalBackdrop& backdrop)
{
    drawModalBackground(backdrop);
    displayFrame(0);
}

ModalScope::ModalScope() : focus_(focusedComponentId)
{
    modalDialogRunning = true;
    hints.clear();
}

ModalScope::~ModalScope()
{
    hints.clear();
    focusedComponentId = focus_;
}

} // namespace kv
