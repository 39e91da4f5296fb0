#pragma once
// A real window over the runtime tree, with the render layers, fonts, shaders and the game's
// assets loaded and a fresh game state: where a display test of a real game starts. ImGui and
// the frame rate are off. Call through ASSERT_NO_FATAL_FAILURE.
#include "app/KVCore.h"
#include "core/Framework.h"
#include "core/Settings.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "support/GameFixture.h"
#include "world/GameAssets.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace gametest {

inline void openGameWindow(int width, int height)
{
    ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
    kv::clearPathCache();
    kv::settings = kv::FrameworkSettings();
    kv::settings.antialiasingLevel = 0;
    kv::imguiEnabled = false;
    kv::showFPS = false;
    ASSERT_TRUE(kv::KVCore::setDisplayMode(width, height, 32, true));
    kv::initRenderLayers();
    ASSERT_TRUE(kv::Text::init());
    ASSERT_TRUE(kv::Shaders::init());
    resetGameState();
    tvl::loadGameAssets();
}

} // namespace gametest
