#pragma once
// Two-dimensional value noise over a fixed 256-byte table: smooth, and the same on every
// machine for one seed.
#include <cstdint>

namespace kv {

// The fixed byte table behind valueNoise2D.
extern const uint8_t noiseTable[256];

// Value noise in 0 ... 255 at (x, y): a table byte exactly at whole-number coordinates,
// smoothstep-blended between them. 0 for a non-finite coordinate.
double valueNoise2D(double x, double y, uint32_t seed);

} // namespace kv
