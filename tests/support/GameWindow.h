#pragma once
// Where a display test of a real game starts, and its frames read back. Game tests only.
#include "core/FrameUpdate.h"
#include "graphics/Shaders.h"
#include "support/GameFixture.h"
#include "support/ShownFrame.h"
#include "support/TestWindow.h"
#include "world/Game.h"
#include "world/GameAssets.h"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

namespace gametest {

// A real window over the runtime tree, with the render layers, fonts, shaders and the game's
// assets loaded and a fresh game state; ImGui and the frame rate are off. Call through
// ASSERT_NO_FATAL_FAILURE.
inline void openGameWindow(int width, int height)
{
    ASSERT_NO_FATAL_FAILURE(kv::test::openFrameworkWindow(width, height));
    ASSERT_TRUE(kv::Shaders::init());
    resetGameState();
    tvl::loadGameAssets();
}

// One game frame drawn and shown, read back.
inline sf::Image drawnFrame()
{
    kv::pollerTicked = true; // the compositor keeps the frames that follow a tick
    tvl::drawGameFrame();
    return kv::test::shownFrame();
}

} // namespace gametest
