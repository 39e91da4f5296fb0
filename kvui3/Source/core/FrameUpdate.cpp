#include "core/FrameUpdate.h"

#include "core/Messages.h"

#include <algorithm>
#include <vector>

namespace kv {

float frameTime = 0;
float tickInterval = 1.0f / ticksPerSecond;
bool tickGateStarted = false;
unsigned frameRateLimit = 0;
bool pollerTicked = false;
float pollerTickSeconds = 1.0f / ticksPerSecond;
uint32_t pollerTickCount = 0;
bool leftClicked = false;
bool leftButtonDown = false;
bool mouseCaptured = false;
sf::Vector2i mousePosition;
float mouseWheelDelta = 0;
std::string typedText;
bool screenshotRequested = false;
bool cursorGrabbed = false;
bool focusLost = false;

namespace {
std::vector<TickCallback> onTickCallbacks;
} // namespace

void (*onAgeHints)(float) = nullptr;

bool TickGate::advance(double elapsed, unsigned frameLimit, double interval)
{
    if (frameLimit >= 1 && frameLimit <= ticksPerSecond) {
        accumulated = 0;
        return true;
    }
    accumulated += elapsed;
    if (accumulated < interval)
        return false;
    accumulated = std::min(accumulated - interval, interval);
    return true;
}

void registerOnTickCallback(TickCallback callback)
{
    if (std::find(onTickCallbacks.begin(), onTickCallbacks.end(), callback) != onTickCallbacks.end()) {
        printError("registerOnTickCallback: Callback already registered");
        return;
    }
    onTickCallbacks.push_back(callback);
}

void unregisterOnTickCallback(TickCallback callback)
{
    onTickCallbacks.erase(std::remove(onTickCallbacks.begin(), onTickCallbacks.end(), callback),
                          onTickCallbacks.end());
}

void runTickCallbacks(float tickSeconds)
{
    for (TickCallback callback : onTickCallbacks)
        callback(tickSeconds);
}

} // namespace kv
