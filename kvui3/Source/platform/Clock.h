#pragma once
// The program's clocks: a steady one for frame timing, the wall clock for UTC stamps.

namespace kv {

// Seconds on a steady clock from an arbitrary start; never goes backwards.
double steadySeconds();

struct UtcTime {
    int year = 0;        // e.g. 2024
    int month = 0;       // 1..12
    int day = 0;         // 1..31
    int hour = 0;        // 0..23
    int minute = 0;      // 0..59
    int second = 0;      // 0..60 (60 on a leap second)
    int hundredths = 0;  // 0..99
};

// The current time in UTC. All zeros when the system clock cannot be read.
UtcTime utcNow();

} // namespace kv
