#pragma once
// The framework's random numbers: PCG32 (XSH-RR) generators, one per function, each seeded
// on first use from per-run entropy. The seeded modes re-seed a generator of their own with
// (seed, seed + 12) on every call, so one seed always gives one result on every machine.
// Only the main thread calls these.
#include <cstddef>
#include <cstdint>

namespace kv {

// PCG32 with the published XSH-RR output.
struct Pcg32 {
    uint64_t state = 0;
    uint64_t increment = 1; // always odd

    void seed(uint64_t initState, uint64_t initSeq);
    uint32_t next();
};

// count bytes, each the low 8 bits of one output of the byte generator.
void fillRandomBytes(void* buffer, size_t count);

// A uniform integer in [min, max], both inclusive, without modulo bias. min when min > max.
int randomInt(int min, int max, bool seeded = false, unsigned seed = 0);

// A uniform float in [min, max): never max itself (min when the two are equal).
float randomFloat(float min, float max, bool seeded = false, unsigned seed = 0);

} // namespace kv
