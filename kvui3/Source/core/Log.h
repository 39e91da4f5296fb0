#pragma once
#include <string>

namespace kv {

// The log entry point: one "HH:MM:SS: text" line (UTC) on stderr, so that start-up failures
// are visible even before the window or the console exist.
void writeLog(const std::string& text);

} // namespace kv
