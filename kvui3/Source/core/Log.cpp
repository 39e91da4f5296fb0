#include "core/Log.h"

#include <cstdio>
#include <ctime>

namespace kv {

void writeLog(const std::string& text)
{
    struct timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm utc {};
    gmtime_r(&ts.tv_sec, &utc);
    std::fprintf(stderr, "%02d:%02d:%02d: %s\n", utc.tm_hour, utc.tm_min, utc.tm_sec, text.c_str());
}

} // namespace kv
