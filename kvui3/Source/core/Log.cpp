#include "core/Log.h"

#include "core/RateLimiter.h"
#include "platform/Clock.h"

#include <cstdio>

namespace kv {

void writeLog(const std::string& text)
{
    UtcTime now = utcNow();
    std::fprintf(stderr, "%02d:%02d:%02d: %s\n", now.hour, now.minute, now.second, text.c_str());
}

void writeLogLimited(RateLimiter& limiter, double now, const std::string& text)
{
    if (!limiter.pass(now))
        return;
    if (limiter.heldBackBefore() > 0)
        writeLog("(" + std::to_string(limiter.heldBackBefore()) + " lines like the next left out)");
    writeLog(text);
}

} // namespace kv
