#include "core/Keyboard.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Messages.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>

namespace kv {

void (*runWaitLoop)(const std::function<bool()>&, float) = nullptr;

namespace {
constexpr float releaseWaitSeconds = 0.5f;

void waitWhile(const std::function<bool()>& keepWaiting)
{
    if (runWaitLoop)
        runWaitLoop(keepWaiting, releaseWaitSeconds);
}
} // namespace

} // namespace kv

namespace kv::Keyboard {

std::vector<uint32_t> pressedKeys;
std::vector<KeyName> keyNames;

namespace {
// Keys waited out while still held; their auto-repeat presses are dropped.
std::vector<uint32_t> heldAfterWait;
// Keys whose release event came while they were sampled down.
std::vector<uint32_t> releasedWhileHeld;
} // namespace

void addPressedKey(uint32_t code)
{
    if (code == noKey)
        return;
    // Only the key's release event ends its wait-out: a repeat press queued before the release
    // is handled after the key is already up, so the live state cannot tell it from a new press.
    if (std::find(heldAfterWait.begin(), heldAfterWait.end(), code) != heldAfterWait.end())
        return;
    if (pressedKeys.size() >= maxPressedKeys) {
        printError("Keyboard::addPressedKey: Too many pressed keycodes.");
        return;
    }
    pressedKeys.push_back(code);
}

void keyReleased(uint32_t code)
{
    std::erase(heldAfterWait, code);
    std::erase(releasedWhileHeld, code);
}

void releaseWhileHeld(uint32_t code)
{
    // Also before the key's wait begins: a press and its release can come in one tick, ahead of
    // the wait that the press starts.
    if (std::find(releasedWhileHeld.begin(), releasedWhileHeld.end(), code) == releasedWhileHeld.end())
        releasedWhileHeld.push_back(code);
}

void settleReleases()
{
    // Every repeat press of a key comes before its release: none is left queued once it is up.
    std::erase_if(releasedWhileHeld, [](uint32_t code) {
        if (input.held(static_cast<int>(code)))
            return false;
        std::erase(heldAfterWait, code);
        return true;
    });
}

void forgetReleasedKeys()
{
    std::erase_if(heldAfterWait, [](uint32_t code) { return !input.held(static_cast<int>(code)); });
}

static bool takeKey(uint32_t key, bool consume)
{
    auto it = std::find(pressedKeys.begin(), pressedKeys.end(), key);
    if (it == pressedKeys.end())
        return false;
    if (consume)
        pressedKeys.erase(it);
    return true;
}

bool keyPressed(int key, bool consume)
{
    if (key < 0 || !input.focus)
        return false;
    if (key == ctrlZ || key == ctrlY) {
        if (!input.keyDown(sf::Keyboard::LControl))
            return false;
        return takeKey(key == ctrlZ ? sf::Keyboard::Z : sf::Keyboard::Y, consume);
    }
    return takeKey(static_cast<uint32_t>(key), consume);
}

void waitForKeyRelease(int key)
{
    // While the key is held, every press that arrives is X11 auto-repeat: drop those from the
    // wait's first pump on, until the release event (which may still be queued when we return).
    const uint32_t code = static_cast<uint32_t>(key);
    if (input.held(key) &&
        std::find(heldAfterWait.begin(), heldAfterWait.end(), code) == heldAfterWait.end())
        heldAfterWait.push_back(code);
    waitWhile([key] { return input.keyDown(key); });
}

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
    if (code == ctrlZ)
        return "Ctrl+Z";
    if (code == ctrlY)
        return "Ctrl+Y";
    for (const KeyName& k : keyNames)
        if (k.code == code)
            return k.name;
    return "";
}

} // namespace kv::Keyboard

namespace kv::Mouse {

uint8_t getButtons()
{
    return input.focus ? input.buttons : 0;
}

sf::Vector2i pointerInView()
{
    if (input.focus)
        mousePosition = input.pointer;
    const sf::Vector2f p = InputHooks::mapPixelToView(mousePosition);
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

bool isInRect(float left, float top, float right, float bottom)
{
    const sf::Vector2i p = pointerInView();
    const float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    return left <= x && x <= right && top <= y && y <= bottom;
}

void waitForButtonRelease()
{
    leftButtonDown = false;
    leftClicked = false;
    waitWhile([] { return input.buttonDown(0); });
}

} // namespace kv::Mouse
