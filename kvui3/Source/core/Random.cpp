#include "core/Random.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <ctime>

namespace kv {

namespace {

constexpr uint64_t pcgMultiplier = 0x5851f42d4c957f2dULL;

Pcg32 byteGenerator;
bool byteGeneratorSeeded = false;
std::atomic_flag byteGeneratorBusy = ATOMIC_FLAG_INIT;

Pcg32 intGenerator;
bool intGeneratorSeeded = false;
Pcg32 seededIntGenerator;

Pcg32 floatGenerator;
bool floatGeneratorSeeded = false;
Pcg32 seededFloatGenerator;

// Addresses differ from run to run (ASLR), which is all the entropy the byte generator needs.
void seedByteGenerator()
{
    static int stackMarker;
    uint64_t sequence = reinterpret_cast<uintptr_t>(&byteGenerator);
    uint64_t mix = reinterpret_cast<uintptr_t>(&stackMarker) ^ reinterpret_cast<uintptr_t>(&seedByteGenerator);
    byteGenerator.seed(static_cast<uint64_t>(std::time(nullptr)) ^ mix, sequence);
    byteGeneratorSeeded = true;
}

void seedFromRandomBytes(Pcg32& generator)
{
    unsigned char bytes[16];
    fillRandomBytes(bytes, sizeof bytes);
    uint64_t initState;
    uint64_t initSeq;
    std::memcpy(&initState, bytes, 8);
    std::memcpy(&initSeq, bytes + 8, 8);
    generator.seed(initState, initSeq);
}

Pcg32& pickGenerator(Pcg32& unseeded, bool& unseededReady, Pcg32& seededOne, bool seeded,
                     unsigned seed)
{
    if (seeded) {
        // seed + 12 wraps at 32 bits, like the seed itself.
        seededOne.seed(seed, seed + 12u);
        return seededOne;
    }
    if (!unseededReady) {
        seedFromRandomBytes(unseeded);
        unseededReady = true;
    }
    return unseeded;
}

} // namespace

void Pcg32::seed(uint64_t initState, uint64_t initSeq)
{
    increment = (initSeq << 1) | 1u;
    state = (initState + increment) * pcgMultiplier + increment;
}

uint32_t Pcg32::next()
{
    uint64_t old = state;
    state = old * pcgMultiplier + increment;
    uint32_t xorshifted = static_cast<uint32_t>(((old >> 18) ^ old) >> 27);
    uint32_t rot = static_cast<uint32_t>(old >> 59);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

void fillRandomBytes(void* buffer, size_t count)
{
    while (byteGeneratorBusy.test_and_set(std::memory_order_acquire)) {
    }
    if (!byteGeneratorSeeded)
        seedByteGenerator();
    unsigned char* out = static_cast<unsigned char*>(buffer);
    for (size_t i = 0; i < count; i++)
        out[i] = static_cast<unsigned char>(byteGenerator.next() & 0xFFu);
    byteGeneratorBusy.clear(std::memory_order_release);
}

int randomInt(int min, int max, bool seeded, unsigned seed)
{
    if (min > max)
        return min;
    Pcg32& generator = pickGenerator(intGenerator, intGeneratorSeeded, seededIntGenerator, seeded, seed);
    uint32_t bound = static_cast<uint32_t>(max) - static_cast<uint32_t>(min) + 1u;
    // Unsigned arithmetic throughout: the result and the bound may lie outside int's range
    // on the way. A bound of 0 is the whole 32-bit range, where every output is fair.
    if (bound == 0)
        return static_cast<int>(static_cast<uint32_t>(min) + generator.next());
    uint32_t threshold = (0u - bound) % bound;
    uint32_t output;
    do
        output = generator.next();
    while (output < threshold);
    return static_cast<int>(static_cast<uint32_t>(min) + output % bound);
}

float randomFloat(float min, float max, bool seeded, unsigned seed)
{
    Pcg32& generator = pickGenerator(floatGenerator, floatGeneratorSeeded, seededFloatGenerator, seeded, seed);
    // 24 bits fill a float's mantissa exactly, so the fraction itself is below 1.
    float fraction = static_cast<float>(generator.next() >> 8) * (1.0f / 16777216.0f);
    float value = min + fraction * (max - min);
    // The sum can still round up onto max (min 1, max 2); step back to the last float before it.
    if ((max > min && value >= max) || (max < min && value <= max))
        value = std::nextafter(max, min);
    return value;
}

} // namespace kv
