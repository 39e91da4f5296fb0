#include "core/RateLimiter.h"

namespace kv {

bool RateLimiter::pass(double now)
{
    if (!started || now - periodStart >= period) {
        started = true;
        periodStart = now;
        passedInPeriod = 0;
    }
    if (passedInPeriod >= limit) {
        ++heldBack;
        return false;
    }
    ++passedInPeriod;
    leftOut = heldBack;
    heldBack = 0;
    return true;
}

} // namespace kv
