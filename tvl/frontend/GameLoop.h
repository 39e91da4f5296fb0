#pragma once
// The game's frame loop: playGame sets a game up, runs frames until it is over and tears it
// down. It strings the world's step together with what reaches beyond the world: the sounds
// and packets of the step's events, the network tick and the game-over window.
#include "world/GameSettings.h"

#include <string>

namespace tvl {

// Runs one game of type (1 single player, 2 multiplayer) on mapFile (below "Base\Maps\") with
// settings. false after a message box when the map or the physics world cannot be set up (a
// network game is then ended); true after a game was played.
bool playGame(int type, const std::string& mapFile, const GameStartSettings* settings);

// One frame of the loop: simulateGameFrame with the frame time, then drawGameFrame (a lost
// network game ends it first). For a driver that steps a game itself after setUpGame (the
// benchmark), simulateGameFrame is the step alone: the world's update, the events turned into
// sounds and packets, the camera and the win check (each winner's game-over window opens over a
// frame that shows the winning score); dt in seconds.
void runGameFrame();
void simulateGameFrame(float dt);

// The tick callback: in a multiplayer game with a network role, netGame.netAlive = networkTick()
// and netGame.netTicked = true. It does not run inside itself (a modal dialog there pumps ticks).
void gameTick(float tickSeconds);

} // namespace tvl
