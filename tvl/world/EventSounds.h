#pragma once
// The game's events as sounds: what the frame loop hears of a step. Main thread only.
#include "world/GameEvents.h"

namespace tvl {

// The frame's sounds: the listener follows the local player (while the game runs), then
// every sound event is played here.
void playEventSounds(const GameEventList& events);

} // namespace tvl
