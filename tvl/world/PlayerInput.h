#pragma once
// What drives the local vehicle for one frame, as a value: read once a frame from the window's
// input sample. The driving model and the held-item rules take it and never read the keyboard,
// so a test (or another machine) can drive a player by handing it one.
namespace kv {
struct InputState;
}

namespace tvl {

struct PlayerInput {
    int throttle = 0;     // +1 forward, -1 back, 0 none
    int steering = 0;     // -1 left, +1 right, 0 none
    bool nitro = false;   // the nitro key is held
    bool useItem = false; // the use button is held (a press of Left Control is read per tick)
};

// The local player's input from a sample: nothing without the focus; Up or W forward (before
// Down or S back), Left or A left (before Right or D right), Space or either Shift nitro, the
// left mouse button use.
PlayerInput playerInputFrom(const kv::InputState& state);

} // namespace tvl
