#pragma once
// What the front-end windows share: whether they can run, their text buttons, and the start
// that leaves no Enter behind from the menu that opened them.
#include "ui/Button.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>

namespace tvl {

// The program's window exists and is open; the windows do not run without it.
bool frontendWindowOpen();

// A text button 150 wide at `at` with icon and shortcut key.
void makeTextButton(kv::Button& button, const std::string& caption, int icon, uint32_t key, sf::Vector2f at);

// Drops the Enter presses still queued in this tick (a held Enter's repeats that arrived while
// the menu waited for its release), so they do not answer the window just opened.
void dropQueuedEnter();

// This tick's press of key, taken like a button's shortcut: consumed, its release waited for and
// the tick's other presses dropped. False without the focus.
bool keyTaken(int key);

// The place of the Dear ImGui window being built (between its Begin and End), in pixels.
sf::FloatRect imguiWindowArea();

// The flags of the front-end's Dear ImGui windows: fixed in place and size, not saved, and
// without ImGui's keyboard navigation (Enter and Escape are the windows' own keys).
int frontendImGuiFlags();

} // namespace tvl
