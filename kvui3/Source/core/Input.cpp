#include "core/Input.h"

#include "core/Framework.h"
#include "platform/InputDevices.h"

namespace kv {

InputState input;

void sampleInput()
{
    InputHooks::readDevices(input);
}

} // namespace kv

namespace kv::InputHooks {

namespace {

bool windowOpen()
{
    return renderWindow.isBuilt() && renderWindow->isOpen();
}

void defaultReadDevices(InputState& state)
{
    InputDeviceState devices;
    if (windowOpen())
        queryInputDevices(static_cast<unsigned long>(renderWindow->getSystemHandle()), devices);
    state.focus = devices.focus;
    state.keys = devices.keys;
    state.buttons = devices.buttons;
    state.pointer = {devices.x, devices.y};
}

sf::Vector2f defaultMapPixel(sf::Vector2i pixel)
{
    return windowOpen() ? renderWindow->mapPixelToCoords(pixel) : sf::Vector2f(pixel);
}

bool defaultPollWindowEvent(sf::Event& event)
{
    return renderWindow.isBuilt() && renderWindow->pollEvent(event);
}

sf::Vector2f defaultViewSize()
{
    return windowOpen() ? renderWindow->getView().getSize() : sf::Vector2f();
}

} // namespace

void (*readDevices)(InputState&) = defaultReadDevices;
sf::Vector2f (*mapPixelToView)(sf::Vector2i) = defaultMapPixel;
sf::Vector2f (*currentViewSize)() = defaultViewSize;
bool (*pollWindowEvent)(sf::Event&) = defaultPollWindowEvent;

void reset()
{
    readDevices = defaultReadDevices;
    mapPixelToView = defaultMapPixel;
    currentViewSize = defaultViewSize;
    pollWindowEvent = defaultPollWindowEvent;
}

} // namespace kv::InputHooks
