#pragma once
// What drives the local vehicle for one frame, as a value: read once a frame from the window's
// input sample by the game session (playerInputFrom, GameSession.h). The driving model and the
// held-item rules take it and never read the keyboard, so a test (or another machine) can drive
// a player by handing it one.
namespace tvl {

struct PlayerInput {
    int throttle = 0;     // +1 forward, -1 back, 0 none
    int steering = 0;     // -1 left, +1 right, 0 none
    bool nitro = false;   // the nitro key is held
    bool useItem = false; // the use button is held
    // Left Control was pressed this tick: one use at once, whatever the button's repeat wait.
    bool useItemPressed = false;
    // The console or the Audio Panel has the keyboard: no driving, no nitro, no item use.
    bool keyboardTaken = false;
};

} // namespace tvl
