#pragma once
// The live input state the framework reads from the window, behind hooks so the event and
// key logic can be driven without a window. The defaults ask renderWindow and SFML.
#include <SFML/System/Vector2.hpp>

namespace kv::InputHooks {

extern bool (*windowHasFocus)();
extern bool (*isKeyDown)(int key);       // live state of an SFML key code
extern bool (*isButtonDown)(int button); // 0 left, 1 right, 2 middle
extern sf::Vector2i (*mousePixel)();     // pointer position in window pixels
// Maps window pixels through the window's current view.
extern sf::Vector2f (*mapPixelToView)(sf::Vector2i pixel);
extern sf::Vector2f (*currentViewSize)();

// Puts the window-backed defaults back.
void reset();

} // namespace kv::InputHooks
