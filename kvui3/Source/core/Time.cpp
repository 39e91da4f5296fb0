#include "core/Time.h"

#include "platform/Clock.h"


namespace kv {

TimeStamp packTimeStamp(const TimeParts& p)
{
    return static_cast<uint64_t>(p.day & 0xFF) | static_cast<uint64_t>(p.month & 0xFF) << 8 |
           static_cast<uint64_t>(p.year & 0xFFFF) << 16 | static_cast<uint64_t>(p.hour & 0xFF) << 32 |
           static_cast<uint64_t>(p.minute & 0xFF) << 40 | static_cast<uint64_t>(p.second & 0xFF) << 48 |
           static_cast<uint64_t>(p.hundredths & 0xFF) << 56;
}

TimeParts unpackTimeStamp(TimeStamp s)
{
    TimeParts p;
    p.day = static_cast<int>(s & 0xFF);
    p.month = static_cast<int>(s >> 8 & 0xFF);
    p.year = static_cast<int>(s >> 16 & 0xFFFF);
    p.hour = static_cast<int>(s >> 32 & 0xFF);
    p.minute = static_cast<int>(s >> 40 & 0xFF);
    p.second = static_cast<int>(s >> 48 & 0xFF);
    p.hundredths = static_cast<int>(s >> 56 & 0xFF);
    return p;
}

TimeStamp getTimeStamp()
{
    UtcTime now = utcNow();
    return packTimeStamp({now.year, now.month, now.day, now.hour, now.minute, now.second, now.hundredths});
}

bool intervalElapsed(sf::Clock& clock, uint32_t timesPerSecond)
{
    if (timesPerSecond == 0 || clock.getElapsedTime().asSeconds() < 1.0f / static_cast<float>(timesPerSecond))
        return false;
    clock.restart();
    return true;
}

int getAnimationFrame(uint32_t frameCount, uint64_t milliseconds)
{
    if (frameCount == 0)
        return 0;
    uint32_t c = static_cast<uint32_t>((milliseconds / 10) % 100);
    uint32_t step = 100 / frameCount;
    if (step == 0)
        return 0;
    uint32_t frame = c / step;
    return static_cast<int>(frame > frameCount - 1 ? frameCount - 1 : frame);
}

int getAnimationFrame(uint32_t frameCount)
{
    return getAnimationFrame(frameCount, static_cast<uint64_t>(steadySeconds() * 1000.0));
}

} // namespace kv
