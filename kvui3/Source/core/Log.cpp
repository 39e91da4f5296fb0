#include "core/Log.h"

#include "platform/Clock.h"

#include <cstdio>

namespace kv {

void writeLog(const std::string& text)
{
    UtcTime now = utcNow();
    std::fprintf(stderr, "%02d:%02d:%02d: %s\n", now.hour, now.minute, now.second, text.c_str());
}

} // namespace kv
