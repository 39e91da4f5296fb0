#include "dialogs/Dialog.h"

#include "graphics/RenderLayers.h"
#include "ui/Component.h"

namespace kv {

Dialog::Dialog()
{
    bounds_.setFillColor(sf::Color::Transparent);
    bounds_.setOutlineColor(sf::Color(0, 0, 255, 255));
    bounds_.setOutlineThickness(1);
}

void Dialog::draw()
{
    if (!showComponentBounds)
        return;
    bounds_.setPosition(getPosition());
    bounds_.setSize(getSize());
    componentLayer()->draw(bounds_);
}

} // namespace kv
