#pragma once
// The dialog that picks a fullscreen resolution, or running in a window.
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct DisplayModeChoice {
    uint32_t width = 0;
    uint32_t height = 0;
    bool windowed = false;
};

// The smallest mode the dialog accepts.
inline constexpr unsigned minimumModeWidth = 640, minimumModeHeight = 480;

struct DisplayModeRow {
    std::string text; // "W x H", with " (current resolution)" on the window's size
    int modeIndex = 0; // where the size first comes in the mode list
};

struct DisplayModeRows {
    std::vector<DisplayModeRow> rows;
    int selected = -1; // the row of the window's size; -1 when no row has it
};

// One row per width x height of modes, in their order: the list repeats each size once per
// colour depth, and the depth is not chosen here.
DisplayModeRows listDisplayModes(const std::vector<sf::VideoMode>& modes, sf::Vector2u windowSize);

// Where the dialog reads the display's fullscreen modes: KVCore::getFullscreenMode unless a test
// puts its own list in. Modes run from index 0 up to the first of width 0.
extern sf::VideoMode (*fullscreenModeSource)(int index);

// Runs the dialog until it is closed. 1 when the user confirmed a mode of at least 640 x 480
// (mode is then filled with its size and the "Window" toggle), 0 when cancelled (mode
// unchanged). A smaller mode is refused with a message and the dialog stays. The values passed
// in are not read. Unlike the other modal dialogs it leaves the caller's next frame time as it
// was. 0 without a window.
int showDisplayModeDialog(DisplayModeChoice& mode);

} // namespace kv
