#include "app/NestedLoop.h"

#include "app/Compositor.h"
#include "app/FramePump.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Scene.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>

#include <optional>

namespace kv {

NestedLoop::NestedLoop()
    : drawOffset(currentDrawOffset), drawScale(currentDrawScale), textOutlineThickness(kv::textOutlineThickness),
      textOutlineColour(kv::textOutlineColour), clipDepth(kv::clipDepth()), cursorGrabbed(kv::cursorGrabbed),
      componentTicks(enterComponentLoop()), modalDialog(modalDialogRunning)
{
    modalDialogRunning = false;
}

NestedLoop::~NestedLoop()
{
    Keyboard::pressedKeys.clear();
    typedText.clear();
    mouseWheelDelta = 0;
    input.wheel = 0;
    while (kv::clipDepth() > clipDepth)
        endClipRect();
    currentDrawOffset = drawOffset;
    currentDrawScale = drawScale;
    kv::textOutlineThickness = textOutlineThickness;
    kv::textOutlineColour = textOutlineColour;
    if (kv::cursorGrabbed != cursorGrabbed) {
        kv::cursorGrabbed = cursorGrabbed;
        if (renderWindow.isBuilt() && renderWindow->isOpen())
            renderWindow->setMouseCursorGrabbed(cursorGrabbed);
    }
    leaveComponentLoop(componentTicks);
    modalDialogRunning = modalDialog;
    frameTime = 0;
    SceneManager::zeroDtNextFrame = true;
}

void pumpWhile(const std::function<bool()>& keepWaiting, float maxSeconds)
{
    // A wait that pumps no frame leaves the caller's frame as it was.
    std::optional<NestedLoop> scope;
    sf::Clock clock;
    while (keepWaiting() && clock.getElapsedTime().asSeconds() <= maxSeconds) {
        if (!scope)
            scope.emplace();
        pumpFrame();
        sf::sleep(sf::milliseconds(1));
    }
}

} // namespace kv
