#pragma once
// Nested frame loops: modal dialogs and input waits that run frames inside a caller's frame.
// A loop that draws ends each frame with displayFrame, which pumps; closing the window inside
// takes the same close road as in the main loop.
#include "ui/Component.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>

namespace kv {

// The scope of one nested loop. It saves what the loop's frames may change under its caller --
// the render layers' draw offset, scale and text outline, the clip depth, the cursor grab and
// which widgets Tab can reach (ComponentTicks) and whether the caller is a modal dialog (the loop
// itself starts as none, modalDialogRunning) -- and on leaving puts it back (clips the loop left
// open are ended), empties the per-tick input (pressed keys, typed text, wheel: the loop's own
// ticks took it, and the press that opened the loop must not be handled again by its caller) and
// gives the caller's next frame a frame time of 0, so the time spent inside does not land on the
// caller's world as one long step.
class NestedLoop {
public:
    NestedLoop();
    ~NestedLoop();
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;

private:
    sf::Vector2f drawOffset;
    sf::Vector2f drawScale;
    float textOutlineThickness;
    sf::Color textOutlineColour;
    int clipDepth;
    bool cursorGrabbed;
    ComponentTicks componentTicks;
    bool modalDialog;
};

// Pumps frames 1 ms apart inside a NestedLoop while keepWaiting() holds, for at most maxSeconds
// (asked before every frame; the scope opens with the first frame). KVCore::init makes it the
// key and button waits' loop.
void pumpWhile(const std::function<bool()>& keepWaiting, float maxSeconds);

} // namespace kv
