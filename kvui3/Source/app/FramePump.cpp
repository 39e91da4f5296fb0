#include "app/FramePump.h"

#include "app/KVCore.h"
#include "audio/Audio.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Log.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/Shaders.h"
#include "platform/MessageBox.h"
#include "platform/Signals.h"
#include "platform/WindowControl.h"
#include "ui/Component.h"

#include <SFML/System/Clock.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kv {

namespace {
sf::Clock frameClock;
TickGate tickGate;
} // namespace

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

// Runs the on-quit callbacks and KVCore::shutdown, then exits with code 0.
static void closeProgram();

void pumpFrame()
{
    // A quit signal ends the program as closing the window does, without asking first.
    if (int signal = quitSignalReceived()) {
        writeLog("Ending on signal " + std::to_string(signal));
        closeProgram();
    }
    pollerTicked = false;
    frameTime = static_cast<float>(frameClock.restart().asMicroseconds()) / 1000000.0f;
    if (tickGateStarted && tickGate.advance(frameTime, frameRateLimit, tickInterval)) {
        pollerTickSeconds = tickInterval;
        pollerTicked = true;
    }
    leftClicked = false;
    sampleInput();
    if (pollerTicked)
        pollEvents();
    Audio::pollSound();

    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return;
    unsigned long handle = static_cast<unsigned long>(renderWindow->getSystemHandle());
    if (focusLost) {
        if (input.focus && !windowIsMinimised(handle))
            focusLost = false;
    } else if (!input.focus) {
        focusLost = true;
        if (!displayWindowed)
            minimiseWindow(handle);
    }
}

static void closeProgram()
{
    runOnQuitCallbacks();
    renderWindow->close();
    KVCore::shutdown();
    std::exit(0);
}

static sf::Vector2i leftPressPosition;
// The left Control key by its own events: a quick Ctrl+F12 is over before the next sample.
static bool leftControlPressed = false;

void handleEvent(const sf::Event& event)
{
    switch (event.type) {
    case sf::Event::Closed:
        if (displayWindowed && !askYesNo("Are you sure you want to close " + appName + " ?", "Confirm"))
            break;
        closeProgram();
        break;
    case sf::Event::GainedFocus:
        if (renderWindow.isBuilt())
            renderWindow->setMouseCursorGrabbed(cursorGrabbed);
        Keyboard::forgetReleasedKeys();
        // A Control released elsewhere sent us no release event.
        leftControlPressed = false;
        break;
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::LControl)
            leftControlPressed = true;
        if (event.key.code == sf::Keyboard::F12) {
            // The event says whether a Control key was down when F12 went down; which one, the
            // left key's own events say (or the sample, for one held since before the focus came).
            if (event.key.control && (leftControlPressed || input.held(sf::Keyboard::LControl)))
                Shaders::reloadAll();
            else
                screenshotRequested = true;
        }
        Keyboard::addPressedKey(static_cast<uint32_t>(event.key.code));
        break;
    case sf::Event::KeyReleased:
        // Under load SFML can pass on the release half of an X11 auto-repeat pair; only a key
        // that is really up counts as released.
        if (!input.held(event.key.code)) {
            Keyboard::keyReleased(static_cast<uint32_t>(event.key.code));
            if (event.key.code == sf::Keyboard::LControl)
                leftControlPressed = false;
        } else {
            Keyboard::releaseWhileHeld(static_cast<uint32_t>(event.key.code));
        }
        break;
    case sf::Event::TextEntered:
        // Printable ASCII only: X11 sends 127 for Delete and control codes for Ctrl+letters.
        if (event.text.unicode == 96)
            Keyboard::addPressedKey(sf::Keyboard::Tilde);
        else if (event.text.unicode >= 32 && event.text.unicode < 127)
            typedText += static_cast<char>(event.text.unicode);
        break;
    case sf::Event::MouseWheelScrolled:
        mouseWheelDelta = event.mouseWheelScroll.delta;
        break;
    case sf::Event::MouseButtonPressed:
        if (event.mouseButton.button == sf::Mouse::Left) {
            leftButtonDown = true;
            leftPressPosition = Mouse::pointerInView();
        }
        break;
    case sf::Event::MouseButtonReleased:
        if (event.mouseButton.button == sf::Mouse::Left && leftButtonDown) {
            sf::Vector2i release = Mouse::pointerInView();
            int dx = release.x - leftPressPosition.x, dy = release.y - leftPressPosition.y;
            int distance = static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
            sf::Vector2f view = InputHooks::currentViewSize();
            if (static_cast<float>(distance) < std::max(view.x, view.y) / 50.0f)
                leftClicked = true;
            leftButtonDown = false;
        }
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
    nextComponentTick();
    runTickCallbacks(pollerTickSeconds);
    if (onAgeHints)
        onAgeHints(pollerTickSeconds);
    Keyboard::pressedKeys.clear();
    typedText.clear();
    mouseWheelDelta = 0;
    Keyboard::settleReleases();
    if (mouseCaptured) {
        if (!(input.focus && input.buttons != 0)) {
            if (input.focus)
                mousePosition = input.pointer;
            mouseCaptured = false;
        }
    }
    sf::Event event;
    while (InputHooks::pollWindowEvent(event)) {
        if (imguiEnabled)
            ImGui::SFML::ProcessEvent(*renderWindow, event);
        handleEvent(event);
    }
    input.wheel = mouseWheelDelta;
}

} // namespace kv
