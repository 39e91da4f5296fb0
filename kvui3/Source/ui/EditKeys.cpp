#include "ui/EditKeys.h"

#include "core/Input.h"
#include "core/Keyboard.h"

namespace kv::editKeys {

using Key = sf::Keyboard::Key;

sf::String fromLatin1(std::string_view text)
{
    sf::String result;
    for (unsigned char c : text)
        result += sf::Uint32(c);
    return result;
}

bool controlHeld()
{
    return input.keyDown(Key::LControl) || input.keyDown(Key::RControl);
}

bool shiftDown()
{
    return input.keyDown(Key::LShift) || input.keyDown(Key::RShift);
}

void waitOut(std::initializer_list<Key> keys)
{
    for (Key key : keys)
        Keyboard::waitForKeyRelease(key);
    Keyboard::pressedKeys.clear();
}

} // namespace kv::editKeys
