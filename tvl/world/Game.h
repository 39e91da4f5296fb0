#pragma once
// The game in progress as the session runs it: its set-up, the world's part of a frame, its
// drawing and its tear-down (the frame loop that strings them together with the network and
// the game-over window is frontend/GameLoop.h). The rules it runs are GameRules.h; the keys,
// the zoom, the camera and the dialogs are GameSession.h. Main thread only.
#include "world/GameRules.h"
#include "world/GameSession.h"
#include "world/GameSettings.h"
#include "world/GameState.h"

#include <string>

namespace tvl {

// The game's state (the flags, roundSettings, the players, the pickups and the token) is the
// record game (GameState.h). The map's lighting (light level, light colour, fog) lives in
// worldView and its wind in the loaded map (Map.h); setUpGame sets them from the map list and
// tearDownGame puts them back.

// The console's part of a tick. While it is open it reads the tick's keys, and an entered line
// goes into its history and runs through consoleCommandRunner: an unknown line prints "No
// command or game variable "<line>"", exit ends the game. Then, with the window focused, the
// grave key anywhere in the tick's keys opens or closes it (its character is never typed into
// the line); opening gives the console the keyboard focus.
void runConsoleTick();

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

} // namespace tvl
