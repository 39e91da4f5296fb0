#include "core/FrameUpdate.h"

#include "audio/Audio.h"
#include "core/Framework.h"
#include "core/Keyboard.h"
#include "core/Log.h"
#include "platform/MessageBox.h"
#include "platform/WindowControl.h"

#include <SFML/System/Clock.hpp>

#include <algorithm>
#include <cstdlib>

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
sf::Clock frameClock;
TickGate tickGate;
std::vector<TickCallback> onTickCallbacks;
} // namespace

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

void startTickGate()
{
    if (tickGateStarted)
        return;
    tickInterval = 1.0f / ticksPerSecond;
    tickGate = TickGate();
    tickGateStarted = true;
    writeLog("Events poller started at 30 ticks per second");
}

void stopTickGate()
{
    tickGateStarted = false;
    writeLog("Events poller stopped");
}

void registerOnTickCallback(TickCallback callback)
{
    onTickCallbacks.push_back(callback);
}

void unregisterOnTickCallback(TickCallback callback)
{
    onTickCallbacks.erase(std::remove(onTickCallbacks.begin(), onTickCallbacks.end(), callback),
                          onTickCallbacks.end());
}

void pumpFrame()
{
    pollerTicked = false;
    frameTime = static_cast<float>(frameClock.restart().asMicroseconds()) / 1000000.0f;
    if (tickGateStarted && tickGate.advance(frameTime, frameRateLimit, tickInterval)) {
        pollerTickSeconds = tickInterval;
        pollerTicked = true;
    }
    leftClicked = false;
    if (pollerTicked)
        pollEvents();
    Audio::pollSound();

    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return;
    if (focusLost) {
        if (renderWindow->hasFocus())
            focusLost = false;
    } else if (!renderWindow->hasFocus()) {
        focusLost = true;
        if (!displayWindowed)
            minimiseWindow(static_cast<unsigned long>(renderWindow->getSystemHandle()));
    }
}

static void closeProgram()
{
    runOnQuitCallbacks();
    renderWindow->close();
    KVCore::shutdown();
    std::exit(0);
}

void handleEvent(const sf::Event& event)
{
    switch (event.type) {
    case sf::Event::Closed:
        if (displayWindowed && !askYesNo("Are you sure you want to close " + appName + " ?", "Confirm"))
            break;
        closeProgram();
        break;
    case sf::Event::GainedFocus:
        renderWindow->setMouseCursorGrabbed(cursorGrabbed);
        break;
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::F12)
            screenshotRequested = true;
        Keyboard::addPressedKey(static_cast<uint32_t>(event.key.code));
        break;
    case sf::Event::TextEntered:
        if (event.text.unicode == 96)
            Keyboard::addPressedKey(sf::Keyboard::Tilde);
        else if (event.text.unicode >= 32 && event.text.unicode < 127)
            typedText += static_cast<char>(event.text.unicode);
        break;
    case sf::Event::MouseWheelScrolled:
        mouseWheelDelta = event.mouseWheelScroll.delta;
        break;
    default:
        break;
    }
}

void pollEvents()
{
    if (!tickGateStarted || !pollerTicked)
        return;
    pollerTickCount++;
    for (TickCallback callback : onTickCallbacks)
        callback(pollerTickSeconds);
    Keyboard::pressedKeys.clear();
    typedText.clear();
    mouseWheelDelta = 0;
    if (!renderWindow.isBuilt())
        return;
    sf::Event event;
    while (renderWindow->pollEvent(event))
        handleEvent(event);
}

} // namespace kv
