#pragma once
// The game session's side of a frame, around the rules: what it reads from the window's input
// for them, the in-game keys, the zoom and its hint, the camera and the dialogs the game opens.
// Main thread only.
#include "world/PlayerInput.h"

#include <string>

namespace kv {
struct InputState;
}

namespace tvl {

// What the session shows over the game in progress; setUpGame starts it afresh.
struct GameSession {
    bool consoleOpen = false;    // the console is shown and takes the keyboard
    bool audioPanelOpen = false; // the in-game Audio Panel is shown
    bool mapViewOpen = false;    // the full-screen map view is shown
    bool physicsDebug = false;   // the physics debug view is drawn
};
extern GameSession session;

// The local player's input from a sample: nothing without the focus; Up or W forward (before
// Down or S back), Left or A left (before Right or D right), Space or either Shift nitro, the
// left mouse button use. The item-use press is not in a sample (gameFrameInput adds it).
PlayerInput playerInputFrom(const kv::InputState& state);
// The local player's driving for this frame from the sample, with a press of Left Control in
// the tick's keys taken as the item-use press; none while the console is open (its typing is
// not driving). keyboardTaken while the console or the Audio Panel is open.
PlayerInput gameFrameInput(const kv::InputState& state);

// --- Keys and zoom ---

constexpr float renderScaleStep = 0.5f;
constexpr float minZoomScale = 1.0f; // the keys and the wheel stop here
constexpr float maxZoomScale = 8.0f;
constexpr float defaultRenderScale = 1.5f;

// One zoom step in (+1) or out (-1) of scale: +0.5 while below 8, -0.5 while above 1,
// otherwise unchanged.
float zoomedRenderScale(float scale, int direction);
// "Scale: 1.5x (Default)", "Scale: 2x": the scale as the framework formats floats, and
// " (Default)" at exactly 1.5.
std::string renderScaleHintText(float scale);
// Applies gameSettings.renderScale to the world view and shows the hint for 2 s, under the
// scoreboard (renderScaleHintPlace).
void showRenderScaleHint();
// The hint's id, "RENDER_SCALE_HINT".
extern const std::string renderScaleHintId;
// One tick's wheel movement (delta < 0 is down) outside the console and the Audio Panel:
// with zoomHeld (the window focused and Left Control held) a zoom step out (down) or in (up),
// otherwise the local player's next (down) or previous (up) item; invertMouseWheel swaps
// the directions.
void handleMouseWheel(float delta, bool zoomHeld);

// Escape: resumes a paused game, otherwise asks to end it. Returns whether the game ends.
bool pressEscape();

// Once per tick: empties the minimap markers, tops up the pickups and reads this tick's keys:
// Tab or M the map view, 1 and 2 the item, Escape pressEscape, F1 the documentation, F5 the
// Audio Panel, the keypad's + and - the zoom, Pause pressPause. The dialogs open here, between
// the rules' steps, never inside one.
void handleGameKeys();

// --- The camera ---

// The world view's scroll for the frame: centred on the local player, kept on the map
// (cameraScroll, WorldView.h). Nothing without a local player.
void updateGameCamera();

// --- The dialogs ---

// Shows tvl.txt (in the working folder) in the framework's text viewer.
void showDocumentation();

} // namespace tvl
