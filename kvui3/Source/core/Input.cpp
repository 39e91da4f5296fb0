#include "core/Input.h"

#include "core/Framework.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace kv::InputHooks {

namespace {

bool windowOpen()
{
    return renderWindow.isBuilt() && renderWindow->isOpen();
}

bool defaultHasFocus()
{
    return windowOpen() && renderWindow->hasFocus();
}

bool defaultKeyDown(int key)
{
    return key >= 0 && key < sf::Keyboard::KeyCount && sf::Keyboard::isKeyPressed(static_cast<sf::Keyboard::Key>(key));
}

bool defaultButtonDown(int button)
{
    return button >= 0 && button < sf::Mouse::ButtonCount &&
           sf::Mouse::isButtonPressed(static_cast<sf::Mouse::Button>(button));
}

sf::Vector2i defaultMousePixel()
{
    return windowOpen() ? sf::Mouse::getPosition(*renderWindow) : sf::Vector2i();
}

sf::Vector2f defaultMapPixel(sf::Vector2i pixel)
{
    return windowOpen() ? renderWindow->mapPixelToCoords(pixel) : sf::Vector2f(pixel);
}

sf::Vector2f defaultViewSize()
{
    return windowOpen() ? renderWindow->getView().getSize() : sf::Vector2f();
}

} // namespace

bool (*windowHasFocus)() = defaultHasFocus;
bool (*isKeyDown)(int) = defaultKeyDown;
bool (*isButtonDown)(int) = defaultButtonDown;
sf::Vector2i (*mousePixel)() = defaultMousePixel;
sf::Vector2f (*mapPixelToView)(sf::Vector2i) = defaultMapPixel;
sf::Vector2f (*currentViewSize)() = defaultViewSize;

void reset()
{
    windowHasFocus = defaultHasFocus;
    isKeyDown = defaultKeyDown;
    isButtonDown = defaultButtonDown;
    mousePixel = defaultMousePixel;
    mapPixelToView = defaultMapPixel;
    currentViewSize = defaultViewSize;
}

} // namespace kv::InputHooks
