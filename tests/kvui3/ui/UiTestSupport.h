#pragma once
// Test doubles for the widget tests: live input behind InputHooks, and layerUI switched to
// recording so draws can be inspected without GL.
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "graphics/RenderLayers.h"

#include <set>

namespace kv::test {

// The window's live state as the widgets read it: focus, held keys and buttons, the pointer
// (window pixels equal view units) and a 1024 x 768 view.
struct FakeInput {
    static inline bool focus = true;
    static inline std::set<int> keys;
    static inline std::set<int> buttons;
    static inline sf::Vector2i pointer;

    FakeInput()
    {
        focus = true;
        keys.clear();
        buttons.clear();
        pointer = {};
        InputHooks::windowHasFocus = [] { return focus; };
        InputHooks::isKeyDown = [](int k) { return keys.count(k) > 0; };
        InputHooks::isButtonDown = [](int b) { return buttons.count(b) > 0; };
        InputHooks::mousePixel = [] { return pointer; };
        InputHooks::mapPixelToView = [](sf::Vector2i p) { return sf::Vector2f(p); };
        InputHooks::currentViewSize = [] { return sf::Vector2f(1024, 768); };
        Keyboard::pressedKeys.clear();
        leftClicked = false;
        leftButtonDown = false;
    }
    ~FakeInput()
    {
        InputHooks::reset();
        Keyboard::pressedKeys.clear();
    }
    FakeInput(const FakeInput&) = delete;
    FakeInput& operator=(const FakeInput&) = delete;
};

// layerUI records its draws while this lives; outside any clip.
struct RecordingUiLayer {
    RenderLayer& layer = renderLayers[layerUI - 1];
    uint32_t savedMode = layer.mode;

    RecordingUiLayer()
    {
        layer.mode = modeDeferred;
        layer.clearDeferred();
        layerRedirected = false;
        currentRenderLayer = &layerRedirect;
    }
    ~RecordingUiLayer()
    {
        layer.clearDeferred();
        layer.mode = savedMode;
    }
    RecordingUiLayer(const RecordingUiLayer&) = delete;
    RecordingUiLayer& operator=(const RecordingUiLayer&) = delete;
};

} // namespace kv::test
