#pragma once
// Keyboard input as a per-tick list of pressed key codes (SFML key codes, 0..100), key names,
// and mouse helpers. Live state (focus, held keys and buttons) comes through core/Input.h.
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// Runs a nested frame loop that pumps frames while keepWaiting() holds, for at most maxSeconds.
// The app layer sets it (app/NestedLoop.h); unset, the key and button waits return at once.
extern void (*runWaitLoop)(const std::function<bool()>& keepWaiting, float maxSeconds);

} // namespace kv

namespace kv::Keyboard {

constexpr std::size_t maxPressedKeys = 129;
constexpr uint32_t noKey = 0xFFFFFFFF;
constexpr int ctrlZ = 98; // F14 stands for Control+Z
constexpr int ctrlY = 99; // F15 stands for Control+Y

extern std::vector<uint32_t> pressedKeys;

// Appends a key pressed during this tick; -1 is ignored, a 130th key is refused with a message.
// A key that was waited out is not added again until its release event (X11 auto-repeat).
void addPressedKey(uint32_t code);

// A key went up: it counts again on its next press.
void keyReleased(uint32_t code);
// A release event came while the last sample had the key down: the release half of an X11
// auto-repeat pair, or a release that came after the sample. Which one the next tick's sample
// tells (settleReleases).
void releaseWhileHeld(uint32_t code);
// At a tick, before its events: a key whose release came while it was sampled down, and which is
// now up, counts again on its next press (also when its wait began after that release).
void settleReleases();

// The window got the focus back: a waited-out key released elsewhere sent us no release event.
void forgetReleasedKeys();

// Whether key was pressed this tick (window focused); consume removes its first occurrence.
// ctrlZ / ctrlY are true when the left Control key is held and Z / Y was pressed.
bool keyPressed(int key, bool consume);

// Pumps frames (runWaitLoop) until the key is up, the window loses focus, or 0.5 s pass. A key still
// held afterwards is ignored until it is released.
void waitForKeyRelease(int key);

struct KeyName {
    uint32_t code;
    std::string name;
};
extern std::vector<KeyName> keyNames;

// Fills the 101-entry name table (codes 0..100); start-up calls it once.
void buildKeyNames();
// 98 "Ctrl+Z", 99 "Ctrl+Y", otherwise the table's name, or "" for an unknown code.
std::string getKeyName(uint32_t code);

} // namespace kv::Keyboard

namespace kv::Mouse {

constexpr uint8_t leftButton = 1, rightButton = 2, middleButton = 4;

// The pointer in whole view units (mapped through the current view, truncated): this frame's
// sample while focused, else the last known position (mousePosition keeps it).
sf::Vector2i pointerInView();
// Mask of the buttons held now; 0 without focus.
uint8_t getButtons();
// Whether the pointer, mapped through the current view and truncated, lies in the rectangle
// (edges included).
bool isInRect(float left, float top, float right, float bottom);
// Clears the click state and pumps frames (runWaitLoop) until the left button is up (at most 0.5 s).
void waitForButtonRelease();

} // namespace kv::Mouse
