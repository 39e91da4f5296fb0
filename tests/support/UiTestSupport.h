#pragma once
// Test doubles for the widget tests: live input behind InputHooks, layerUI switched to
// recording so draws can be inspected without GL, the widget ids in use, and the window a
// display test draws in.
#include "graphics/RenderLayers.h"
#include "support/FakeInput.h"
#include "support/TestWindow.h"
#include "ui/Component.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>


namespace kv::test {


// A layer (layerUI unless told) records its draws while this lives; draws to layerCurrent go
// to it too, outside any clip.
struct RecordingLayer {
    RenderLayer& layer;
    uint32_t savedMode = layer.mode;

    explicit RecordingLayer(RenderLayerId id = layerUI) : layer(renderLayers[id - 1])
    {
        layer.mode = modeDeferred;
        layer.clearDeferred();
        layerRedirected = false;
        currentRenderLayer = &layerRedirect;
    }
    ~RecordingLayer()
    {
        layer.clearDeferred();
        layer.mode = savedMode;
    }
    RecordingLayer(const RecordingLayer&) = delete;
    RecordingLayer& operator=(const RecordingLayer&) = delete;
};

// A 1024 x 768 window over the runtime tree with its fonts and render layers, ImGui and the
// frame rate off, and no message or hint of an earlier test on it: what a widget's display test
// draws in. Call through ASSERT_NO_FATAL_FAILURE.
inline void openWidgetWindow()
{
    ASSERT_NO_FATAL_FAILURE(openFrameworkWindow(1024, 768));
}

// The widget ids claimed now.
inline int claimedIds()
{
    return static_cast<int>(std::count(std::begin(usedComponentIds), std::end(usedComponentIds), 1u));
}

} // namespace kv::test
