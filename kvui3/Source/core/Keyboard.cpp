#include "core/Keyboard.h"

#include "core/Framework.h"
#include "core/Messages.h"

#include <algorithm>

namespace kv::Keyboard {

std::vector<uint32_t> pressedKeys;

void addPressedKey(uint32_t code)
{
    if (code == noKey)
        return;
    if (pressedKeys.size() >= maxPressedKeys) {
        printError("Keyboard::addPressedKey: Too many pressed keycodes.");
        return;
    }
    pressedKeys.push_back(code);
}

bool keyPressed(int key, bool consume)
{
    if (key < 0 || !renderWindow.isBuilt() || !renderWindow->hasFocus())
        return false;
    auto it = std::find(pressedKeys.begin(), pressedKeys.end(), static_cast<uint32_t>(key));
    if (it == pressedKeys.end())
        return false;
    if (consume)
        pressedKeys.erase(it);
    return true;
}

} // namespace kv::Keyboard

namespace kv::Keyboard {

std::vector<KeyName> keyNames;

void buildKeyNames()
{
    static const char* const fixed[] = {
        "Escape", "left Control", "left Shift", "left Alt", "Left OS system", "Right Control",
        "Right Shift", "Right Alt", "Right OS system", "Menu", "[", "]", ";", ",", ".", "'", "/",
        "\\", "~", "=", "-", "Space", "Return", "Backspace", "Tab", "Page up", "Page down", "End",
        "Home", "Insert", "Delete", "+", "-", "*", "/", "Left arrow", "Right arrow", "Up arrow",
        "Down arrow"};
    keyNames.clear();
    auto add = [](const std::string& name) {
        keyNames.push_back({static_cast<uint32_t>(keyNames.size()), name});
    };
    for (char c = 'A'; c <= 'Z'; c++)
        add(std::string(1, c));
    for (char c = '0'; c <= '9'; c++)
        add(std::string(1, c));
    for (const char* name : fixed)
        add(name);
    for (int i = 0; i <= 9; i++)
        add("numpad " + std::to_string(i));
    for (int i = 1; i <= 15; i++)
        add("F" + std::to_string(i));
    add("Pause");
}

std::string getKeyName(uint32_t code)
{
    if (code == 98)
        return "Ctrl+Z";
    if (code == 99)
        return "Ctrl+Y";
    for (const KeyName& k : keyNames)
        if (k.code == code)
            return k.name;
    return "";
}

} // namespace kv::Keyboard
