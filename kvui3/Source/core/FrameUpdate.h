#pragma once
// The per-frame state the frame pump (app/FramePump.h) fills: frame time, tick gate, input.
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>

namespace kv {

constexpr unsigned ticksPerSecond = 30;

extern float frameTime;          // seconds between the two latest pumpFrame calls
extern float tickInterval;       // 1 / ticksPerSecond once the gate is started
extern bool tickGateStarted;
extern unsigned frameRateLimit;  // the window's limit as last applied; 0 = none
extern bool pollerTicked;        // a tick ran during this pumpFrame
extern float pollerTickSeconds;  // always the tick interval
extern uint32_t pollerTickCount;
extern bool leftClicked;         // a left click completed in this frame
extern bool leftButtonDown;
extern bool mouseCaptured;
extern sf::Vector2i mousePosition;
extern float mouseWheelDelta;
extern std::string typedText;
extern bool screenshotRequested;
extern bool cursorGrabbed;
extern bool focusLost;

// Tick gate arithmetic, kept apart from the clocks so it can be tested. The gate keeps its
// remainder (a stall gives one tick, not a burst), so a 60 Hz frame limit still ticks 30
// times a second.
struct TickGate {
    double accumulated = 0; // seconds towards the next tick
    // Feeds one frame's elapsed seconds; true when a tick is due.
    bool advance(double elapsed, unsigned frameLimit, double interval);
};

// Called on every tick with pollerTickSeconds, in registration order. A callback registered
// already is reported as an error and not added again.
using TickCallback = void (*)(float);
void registerOnTickCallback(TickCallback callback);
void unregisterOnTickCallback(TickCallback callback);
// Runs them all; the frame pump calls it once per tick.
void runTickCallbacks(float tickSeconds);

// Each tick ages the hints.
extern void (*onAgeHints)(float tickSeconds);

} // namespace kv
