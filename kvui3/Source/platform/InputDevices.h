#pragma once
// The keyboard focus, the keyboard and the pointer as the X server sees them now. The three
// questions go out together and cost one round trip, where asking SFML costs one per key,
// button and focus test.
#include <bitset>
#include <cstdint>

namespace kv {

// Key codes are SFML's (A = 0 ... Pause = 100).
constexpr int inputKeyCount = 101;

struct InputDeviceState {
    bool focus = false;              // the window holds the keyboard focus
    std::bitset<inputKeyCount> keys; // held keys
    uint8_t buttons = 0;             // 1 left, 2 right, 4 middle
    int x = 0, y = 0;                // pointer in the window's pixels
};

// The key code X gives keySymbol in a keyboard mapping of perCode symbols for each code from
// firstCode on (symbols holds total of them): the first code holding it in column 0, else in
// column 1, and so on, as XKeysymToKeycode searches. 0 when no code holds it.
uint8_t firstKeyCode(const uint32_t* symbols, int total, int perCode, int firstCode, uint32_t keySymbol);

// Reads the state for the X11 window x11WindowHandle. False, with out cleared, when there is no
// display or no window, or the server did not answer; the connection is opened on first use
// and kept.
bool queryInputDevices(unsigned long x11WindowHandle, InputDeviceState& out);

} // namespace kv
