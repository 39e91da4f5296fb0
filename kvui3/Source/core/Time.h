#pragma once
// Time helpers and the packed UTC time stamp.
#include <SFML/System/Clock.hpp>

#include <cstdint>

namespace kv {

// UTC date and time packed from the low byte up: day (8 bits), month (8), year (16),
// hour (8), minute (8), second (8), hundredths (8).
using TimeStamp = uint64_t;

struct TimeParts {
    int year, month, day, hour, minute, second, hundredths;
};
TimeStamp packTimeStamp(const TimeParts& parts);
TimeParts unpackTimeStamp(TimeStamp stamp);
// The current UTC time; the hundredths come from the same reading as the seconds.
TimeStamp getTimeStamp();

// True, restarting the clock, once it shows at least 1 / timesPerSecond seconds.
bool intervalElapsed(sf::Clock& clock, uint32_t timesPerSecond);

// The frame of a one-second looping animation of frameCount frames at the given time in
// milliseconds (the steady clock when omitted). 0 frames, or more than 100, give 0.
int getAnimationFrame(uint32_t frameCount, uint64_t milliseconds);
int getAnimationFrame(uint32_t frameCount);

} // namespace kv
