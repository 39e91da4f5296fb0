#pragma once
// Test double for the window's live input, behind InputHooks.
#include "app/NestedLoop.h"
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"

#include <set>

namespace kv::test {

// The window's live state as the widgets read it: focus, held keys and buttons, the pointer
// (window pixels equal view units) and the view size (1024 x 768 unless a test sets it). The key
// and button waits pump frames as start-up sets them to.
struct FakeInput {
    static inline bool focus = true;
    static inline std::set<int> keys;
    static inline std::set<int> buttons;
    static inline sf::Vector2i pointer;
    static inline sf::Vector2f view {1024, 768};

    FakeInput()
    {
        focus = true;
        keys.clear();
        buttons.clear();
        pointer = {};
        view = {1024, 768};
        InputHooks::windowHasFocus = [] { return focus; };
        InputHooks::isKeyDown = [](int k) { return keys.count(k) > 0; };
        InputHooks::isButtonDown = [](int b) { return buttons.count(b) > 0; };
        InputHooks::mousePixel = [] { return pointer; };
        InputHooks::mapPixelToView = [](sf::Vector2i p) { return sf::Vector2f(p); };
        InputHooks::currentViewSize = [] { return view; };
        runWaitLoop = pumpWhile;
        Keyboard::pressedKeys.clear();
        typedText.clear();
        leftClicked = false;
        leftButtonDown = false;
    }
    ~FakeInput()
    {
        InputHooks::reset();
        Keyboard::pressedKeys.clear();
    }
    FakeInput(const FakeInput&) = delete;
    FakeInput& operator=(const FakeInput&) = delete;
};

} // namespace kv::test
