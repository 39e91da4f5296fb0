#pragma once
// The game session's side of a frame: what it reads from the window's input for the rules.
// Main thread only.
#include "world/PlayerInput.h"

namespace kv {
struct InputState;
}

namespace tvl {

// The local player's input from a sample: nothing without the focus; Up or W forward (before
// Down or S back), Left or A left (before Right or D right), Space or either Shift nitro, the
// left mouse button use. The item-use press is not in a sample (gameFrameInput adds it).
PlayerInput playerInputFrom(const kv::InputState& state);
// The local player's driving for this frame from the sample, with a press of Left Control in
// the tick's keys taken as the item-use press; none while the console is open (its typing is
// not driving).
PlayerInput gameFrameInput(const kv::InputState& state);

} // namespace tvl
