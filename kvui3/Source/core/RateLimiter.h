#pragma once
// Bounds how often something that comes with every event of a kind (a log line a shot) happens:
// at most `limit` events pass in each period, and the ones held back are counted so that the
// next to pass can say how many there were. Time comes in as seconds on any steady clock.
#include <cstdint>

namespace kv {

class RateLimiter {
public:
    // limit events in each period of periodSeconds (a period opens with its first event).
    constexpr RateLimiter(uint32_t limit, double periodSeconds) : limit(limit), period(periodSeconds) {}

    // Whether an event at now passes. One that passes takes the count held back before it.
    bool pass(double now);
    // The events held back between the last two that passed.
    uint64_t heldBackBefore() const { return leftOut; }

private:
    uint32_t limit;
    double period;
    double periodStart = 0.0;
    uint32_t passedInPeriod = 0;
    bool started = false;
    uint64_t heldBack = 0;
    uint64_t leftOut = 0;
};

} // namespace kv
