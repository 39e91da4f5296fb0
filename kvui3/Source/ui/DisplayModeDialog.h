#pragma once
// The dialog that picks a fullscreen resolution, or running in a window.
#include <cstdint>

namespace kv {

struct DisplayModeChoice {
    uint32_t width = 0;
    uint32_t height = 0;
    bool windowed = false;
};

// Runs the dialog until it is closed. 1 when the user confirmed a mode (mode is then filled),
// 0 when cancelled (mode unchanged).
int showDisplayModeDialog(DisplayModeChoice& mode);

} // namespace kv
