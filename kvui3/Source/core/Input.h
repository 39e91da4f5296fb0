#pragma once
// The window's input, sampled once a frame into a plain value that every reader of input takes
// from: held keys, buttons, pointer, wheel and focus. The sources behind the sample are hooks so
// the event and key logic can be driven without a window; the default asks the X server about
// renderWindow, in one round trip a frame.
#include <SFML/System/Vector2.hpp>

#include <bitset>
#include <cstdint>

namespace kv {

struct InputState {
    std::bitset<101> keys;  // held keys, by SFML key code (A = 0 ... Pause = 100)
    uint8_t buttons = 0;    // Mouse::leftButton 1 | rightButton 2 | middleButton 4
    sf::Vector2i pointer;   // window pixels
    float wheel = 0;        // this tick's wheel movement (mouseWheelDelta once the tick's events ran)
    bool focus = false;     // the window has the keyboard focus

    // Held, whether or not the window has the focus; false for codes outside 0 .. 100.
    bool held(int key) const { return key >= 0 && key < 101 && keys.test(static_cast<size_t>(key)); }
    // Held and the window focused.
    bool keyDown(int key) const { return focus && held(key); }
    // 0 left, 1 right, 2 middle; held and the window focused.
    bool buttonDown(int button) const { return focus && button >= 0 && button < 3 && (buttons >> button & 1) != 0; }
};

// The current frame's sample.
extern InputState input;

// Refreshes focus, keys, buttons and pointer from the hooks below. pumpFrame calls it once a
// frame, before the tick's events are handled, so a release event can tell a key that is really
// up from X11 auto-repeat. Readers of the pointer take it only while focused.
void sampleInput();

} // namespace kv

namespace sf {
class Event;
}

namespace kv::InputHooks {

// Fills focus, keys, buttons and pointer from the devices.
extern void (*readDevices)(InputState& state);
// Maps window pixels through the window's current view.
extern sf::Vector2f (*mapPixelToView)(sf::Vector2i pixel);
extern sf::Vector2f (*currentViewSize)();
// Takes the window's next event; false when none is waiting.
extern bool (*pollWindowEvent)(sf::Event& event);

// Puts the window-backed defaults back.
void reset();

} // namespace kv::InputHooks
