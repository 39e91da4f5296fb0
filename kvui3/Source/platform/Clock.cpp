#include "platform/Clock.h"

#include <chrono>
#include <ctime>

namespace kv {

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

UtcTime utcNow()
{
    UtcTime out;
    struct timespec ts {};
    struct tm utc {};
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || !gmtime_r(&ts.tv_sec, &utc))
        return out;
    out.year = utc.tm_year + 1900;
    out.month = utc.tm_mon + 1;
    out.day = utc.tm_mday;
    out.hour = utc.tm_hour;
    out.minute = utc.tm_min;
    out.second = utc.tm_sec;
    out.hundredths = static_cast<int>(ts.tv_nsec / 10000000);
    return out;
}

} // namespace kv
