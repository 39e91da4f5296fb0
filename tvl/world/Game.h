#pragma once
// The game in progress as the world sees it: its set-up, the world's part of a frame, its
// drawing and its tear-down (the frame loop that strings them together with the network and
// the game-over window is frontend/GameLoop.h). This file also holds the token and pickup
// rules, the player IDs, the in-game keys and the render-scale hint. Main thread only.
//
// The rules (pickups, the token, IDs, the win check, zoom and pause, the camera) are plain
// functions over the state below, so they run without a window.
#include "world/GameSettings.h"
#include "world/GameState.h"
#include "world/Items.h"
#include "world/PlayerInput.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tvl {

class Player;

// The game's state (the flags, roundSettings, the players, the pickups and the token) is the
// record game (GameState.h). The map's lighting (light level, light colour, fog) lives in
// worldView and its wind in the loaded map (Map.h); setUpGame sets them from the map list and
// tearDownGame puts them back.

// Whether this machine runs the rules is simulatesGame (Player.h).

// --- Pickups and the token ---

constexpr int32_t maxPickupId = 999999;
constexpr int32_t maxPickupCount = 5000;

// A uniformly random point at least margin pixels inside the loaded map (x in margin ..
// width - margin, likewise y); on a map narrower than two margins, its middle.
sf::Vector2f randomMapPosition(float margin);

// Moves the token to position (angle 0, present). The first call also sets up its light.
void placeToken(sf::Vector2f position);

// The next pickup ID: the counter advances and wraps to 0 beyond 999999.
int32_t nextPickupId();
// Appends a pickup (angle 0). id -1 takes nextPickupId and reports PickupAdded (a server tells
// its clients); any other id is kept (a client uses the server's IDs).
void addPickup(const sf::Vector2f& position, ItemType type, int id);
// On a simulating machine only (simulatesGame): a pickup of a random type (0 .. 6, each equally likely) at a
// random position 50 pixels inside the map. Elsewhere nothing.
void spawnRandomPickup();
// Removes pickups[index] (order kept) and reports PickupRemoved. An index outside the list is
// ignored.
void removePickup(int index);

// How many pickups a map of widthTiles x heightTiles holds at itemsDensity (0 None .. 4
// Ultra): (tiles / 10000, whole) x {1, 3, 6, 32}, clamped to 1 .. 5000. None gives 0; any
// other density gives the lower clamp, 1.
int pickupTargetFor(int itemsDensity, int64_t widthTiles, int64_t heightTiles);
// The same for roundSettings and the loaded map.
int pickupTarget();
// Spawns pickups until the list holds pickupTarget (simulating machine only).
void topUpPickups();

// --- Players ---

// The next player ID: a counter that starts at 500 and is never reset by a game; it advances
// and wraps to 0 above 999, so a run's first player gets 501.
uint16_t nextPlayerId();
// A client's own player carries this until the server names it: no ID on the wire is
// negative, so no packet can name it.
constexpr uint16_t unassignedPlayerId = 65535;
// Appends a player with that colour, name and flag, 0 tokens, radius half the larger side of
// the ship image and the next player ID that no player in the list holds. With 8 players
// already: "Too many players" (error) and null.
std::shared_ptr<Player> addPlayer(sf::Color colour, std::string name, bool isComputer);

// Test support: the ID counters as at program start (player 500, pickup 0).
void resetIdCountersForTests();

// --- The win check ---

// Every player in a snapshot of the list (taken first: the game-over window pumps ticks that
// may add or remove players) whose tokens reach roundSettings.tokensCount gets announce(its
// index in the list at that moment), in list order; one an earlier announcement removed is
// skipped. Returns how many were announced.
int checkForWinners(const std::function<void(int)>& announce);

// --- Keys, zoom and pause ---

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

// The Pause key: single player toggles paused; multiplayer prints "Cannot pause in
// multiplayer" and leaves the game running.
void pressPause();
// Escape: resumes a paused game, otherwise asks to end it. Returns whether the game ends.
bool pressEscape();

// Once per tick: empties the minimap markers, tops up the pickups and reads this tick's keys.
void handleGameKeys();
// The console's part of a tick. While it is open it reads the tick's keys, and an entered line
// goes into its history and runs through consoleCommandRunner: an unknown line prints "No
// command or game variable "<line>"", exit ends the game. Then, with the window focused, the
// grave key anywhere in the tick's keys opens or closes it (its character is never typed into
// the line); opening gives the console the keyboard focus.
void runConsoleTick();
// The local player's driving for this frame from the sample; none while the console is open
// (its typing is not driving).
PlayerInput gameFrameInput(const kv::InputState& state);

// --- The camera ---

// The world view's scroll for the frame: centred on the local player, kept on the map
// (cameraScroll, WorldView.h). Nothing without a local player.
void updateGameCamera();

// --- The game ---

// The set-up of a game of type (1 single player, 2 multiplayer) on mapFile (below
// "Base\Maps\") with settings (not null): a fresh game record, the map, the physics world, the
// map's music and lighting (the lighting before is kept), the players, the token and the
// pickups. false after a message box when the map or the physics world cannot be set up.
bool setUpGame(int type, const std::string& mapFile, const GameStartSettings* settings);
// The world's part of one frame, dt in seconds: the local player's input read once from the
// frame's sample (kv::input), physics and effects, the tick's keys and pickup top-up when the
// poller ticked, projectiles, the token and pickups, the players. What it did is left in
// game.events.
void updateGameWorld(float dt);
// Draws and displays the frame.
void drawGameFrame();
// Undoes the set-up and puts the lighting back: daylight, no queued lights, no hints.
void tearDownGame();

// A network game has ended under us: the last tick found the network gone.
bool networkLost();
// Ends such a game: on a machine that joined it as a client, "Server disconnected" is printed
// and the newest message line shown in a message box; gameEnded.
void endLostNetworkGame();

} // namespace tvl
