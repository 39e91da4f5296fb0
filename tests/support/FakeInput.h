#pragma once
// Test double for the window's input: the per-frame sample and the hooks behind it.
#include "app/NestedLoop.h"
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"

#include <initializer_list>

namespace kv::test {

// The window's input as the readers see it: focus, held keys and buttons, the pointer (window
// pixels equal view units) and the view size (1024 x 768 unless a test sets it). focus, keys,
// buttons and pointer edit kv::input itself, and the sampling hooks keep what a test put there. The key
// and button waits pump frames as start-up sets them to.
struct FakeInput {
    struct KeySet {
        void insert(int key) { input.keys.set(static_cast<size_t>(key)); }
        void clear() { input.keys.reset(); }
        KeySet& operator=(std::initializer_list<int> list)
        {
            clear();
            for (int key : list)
                insert(key);
            return *this;
        }
    };
    struct ButtonSet {
        void insert(int button) { input.buttons = static_cast<uint8_t>(input.buttons | 1 << button); }
        void clear() { input.buttons = 0; }
        ButtonSet& operator=(std::initializer_list<int> list)
        {
            clear();
            for (int button : list)
                insert(button);
            return *this;
        }
    };
    static inline bool& focus = input.focus;
    static inline KeySet keys;
    static inline ButtonSet buttons;
    static inline sf::Vector2i& pointer = input.pointer;
    static inline sf::Vector2f view {1024, 768};

    FakeInput()
    {
        input = InputState();
        focus = true;
        view = {1024, 768};
        InputHooks::readDevices = [](InputState&) {};
        InputHooks::mapPixelToView = [](sf::Vector2i p) { return sf::Vector2f(p); };
        InputHooks::currentViewSize = [] { return view; };
        runWaitLoop = pumpWhile;
        Keyboard::pressedKeys.clear();
        // No key is held, so none is still waited out by an earlier test.
        Keyboard::forgetReleasedKeys();
        typedText.clear();
        leftClicked = false;
        leftButtonDown = false;
    }
    ~FakeInput()
    {
        InputHooks::reset();
        input = InputState();
        Keyboard::pressedKeys.clear();
    }
    FakeInput(const FakeInput&) = delete;
    FakeInput& operator=(const FakeInput&) = delete;
};

} // namespace kv::test
