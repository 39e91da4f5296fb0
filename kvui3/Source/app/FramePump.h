#pragma once
// The frame pump: frame time, the 30-per-second tick, the window's events and the close road.
#include "core/FrameUpdate.h"

#include <SFML/Window/Event.hpp>

namespace kv {

// Starts the tick gate at ticksPerSecond (once).
void startTickGate();
void stopTickGate();

// The frame update, run after every displayed frame and from every wait loop. A quit signal
// received since the last one (platform/Signals.h) takes the close road here.
void pumpFrame();
// One tick of input: callbacks, per-tick resets, the window's events.
void pollEvents();
// Handles one window event as the pump does (exposed for tests fed with built events).
void handleEvent(const sf::Event& event);

} // namespace kv
