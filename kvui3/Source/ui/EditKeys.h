#pragma once
// What the one-line and the many-line text editors share: their text is Latin-1 bytes, and they
// read the same modifier keys from the frame's input sample.
#include <SFML/System/String.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <initializer_list>
#include <string_view>

namespace kv::editKeys {

// Each byte as the code point of the same number.
sf::String fromLatin1(std::string_view text);
bool controlHeld();
bool shiftDown();
// After a clipboard key: waits for keys to be released, so they do not repeat into the next
// ticks, and spends this tick's pressed keys.
void waitOut(std::initializer_list<sf::Keyboard::Key> keys);

} // namespace kv::editKeys
