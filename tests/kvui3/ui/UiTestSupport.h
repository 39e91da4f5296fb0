#pragma once
// Test doubles for the widget tests: live input behind InputHooks, and layerUI switched to
// recording so draws can be inspected without GL.
#include "support/FakeInput.h"
#include "graphics/RenderLayers.h"


namespace kv::test {


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
