#pragma once
// Test doubles for the widget tests: live input behind InputHooks, layerUI switched to
// recording so draws can be inspected without GL, and the window a display test draws in.
#include "app/KVCore.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "support/FakeInput.h"
#include "ui/Hints.h"

#include <gtest/gtest.h>

#include <unistd.h>


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
    ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
    messageList.clear();
    hints.clear();
    clearPathCache();
    settings = FrameworkSettings();
    settings.antialiasingLevel = 0;
    ASSERT_TRUE(KVCore::setDisplayMode(1024, 768, 32, true));
    imguiEnabled = false;
    showFPS = false;
    initRenderLayers();
    ASSERT_TRUE(Text::init());
}

} // namespace kv::test
