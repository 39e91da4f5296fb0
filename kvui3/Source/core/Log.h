#pragma once
#include <string>

namespace kv {

class RateLimiter;

// The log entry point: one "HH:MM:SS: text" line (UTC) on stderr, so that start-up failures
// are visible even before the window or the console exist.
void writeLog(const std::string& text);

// writeLog for a line that comes with every event of a kind, so that the log cannot grow with
// the traffic: only a line that limiter passes at now (seconds) is written, and when it held
// lines back, "(N lines like the next left out)" goes first.
void writeLogLimited(RateLimiter& limiter, double now, const std::string& text);

} // namespace kv
