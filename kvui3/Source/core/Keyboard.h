#pragma once
// Keyboard input as a per-tick list of pressed key codes (SFML key codes, 0..100).
#include <cstdint>
#include <string>
#include <vector>

namespace kv::Keyboard {

constexpr size_t maxPressedKeys = 129;
constexpr uint32_t noKey = 0xFFFFFFFF;

extern std::vector<uint32_t> pressedKeys;

// Appends a key pressed during this tick; -1 is ignored, a 130th key is refused with a message.
void addPressedKey(uint32_t code);

// Whether key was pressed this tick (window focused); consume removes its first occurrence.
bool keyPressed(int key, bool consume);

} // namespace kv::Keyboard

namespace kv::Keyboard {

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
