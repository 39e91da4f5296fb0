#pragma once
// Ambience: environment levels, ambient loops, wildlife and plant placement.
namespace tvl {
// Keeps the ambient loops playing at their current levels (once per world frame).
void playAmbientLoops();
}
