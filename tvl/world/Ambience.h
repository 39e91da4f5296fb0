#pragma once
// Ambience: environment levels, ambient loops, wildlife and plant placement.
namespace tvl {
// At every round start: sound and id look-ups; every level back to -1 (no loop plays yet).
void initAmbience();
// Keeps the ambient loops playing at their current levels (once per world frame).
void playAmbientLoops();
// Once per tick of a running game: levels, wildlife and plant placement around the view.
void updateAmbience();
// Set when a map is loaded or the render scale changes: the plants are placed again.
extern bool replantRequested;
}
