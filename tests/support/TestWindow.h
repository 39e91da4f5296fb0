#pragma once
// The window a display test draws in, framework only: from a bare window of a given size up to
// one with the render layers and fonts. The ASSERT helpers are called through
// ASSERT_NO_FATAL_FAILURE.
#include "app/KVCore.h"
#include "core/Framework.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "ui/Hints.h"

#include <SFML/Window/VideoMode.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

namespace kv::test {

// Default framework settings without antialiasing: what the tests' pictures are drawn with.
inline void useTestSettings()
{
    settings = FrameworkSettings();
    settings.antialiasingLevel = 0;
}

// useTestSettings, then a width x height window through setDisplayMode.
inline void openTestWindow(int width, int height)
{
    useTestSettings();
    ASSERT_TRUE(KVCore::setDisplayMode(width, height, 32, true));
}

// A bare window of that size made directly (settings untouched), in the runtime tree.
inline void openBareWindow(unsigned width, unsigned height, const char* title)
{
    ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
    renderWindow->create(sf::VideoMode(width, height), title);
    ASSERT_TRUE(renderWindow->isOpen());
}

// A width x height window over the runtime tree with its fonts and render layers, ImGui and the
// frame rate off, and no message or hint of an earlier test on it.
inline void openFrameworkWindow(int width, int height)
{
    ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
    messageList.clear();
    hints.clear();
    clearPathCache();
    ASSERT_NO_FATAL_FAILURE(openTestWindow(width, height));
    imguiEnabled = false;
    showFPS = false;
    initRenderLayers();
    ASSERT_TRUE(Text::init());
}

// Closes the window, if one was ever made.
inline void closeTestWindow()
{
    if (renderWindow.isBuilt())
        renderWindow->close();
}

} // namespace kv::test
