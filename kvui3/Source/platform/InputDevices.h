#pragma once
// The keyboard and pointer as the X server sees them now, in two round trips (one keymap query,
// one pointer query) instead of one per key and button.
#include <bitset>
#include <cstdint>

namespace kv {

// Key codes are SFML's (A = 0 ... Pause = 100).
constexpr int inputKeyCount = 101;

struct InputDeviceState {
    std::bitset<inputKeyCount> keys; // held keys
    uint8_t buttons = 0;             // 1 left, 2 right, 4 middle
    int x = 0, y = 0;                // pointer in the window's pixels
};

// Reads the state for the X11 window x11WindowHandle. False, with out cleared, when there is no
// display or no window; the display connection is opened once and kept.
bool queryInputDevices(unsigned long x11WindowHandle, InputDeviceState& out);

} // namespace kv
