// The game's frame loop in a real window over a map of the runtime tree, with the game-over
// window answered through the frame pump's events.
#include "app/KVCore.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Settings.h"
#include "frontend/GameLoop.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/GameState.h"
#include "world/Hud.h"
#include "world/Player.h"

#include "kvui3/dialogs/DialogScript.h"
#include "support/Display.h"
#include "support/FakeInput.h"
#include "support/GameFixture.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>
#include <imgui.h>

#include <string>
#include <unistd.h>

namespace {

using kv::test::near;

class GameLoopDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
        kv::clearPathCache();
        kv::settings = kv::FrameworkSettings();
        kv::settings.antialiasingLevel = 0;
        kv::showFPS = false;
        ASSERT_TRUE(kv::KVCore::setDisplayMode(1280, 720, 32, true));
        kv::test::FakeInput::view = {1280, 720};
        kv::initRenderLayers();
        ASSERT_TRUE(kv::Text::init());
        ASSERT_TRUE(kv::Shaders::init());
        gametest::resetGameState();
        tvl::loadGameAssets();
        ASSERT_TRUE(ImGui::SFML::Init(*kv::renderWindow));
        ImGui::GetIO().IniFilename = nullptr;
        kv::imguiEnabled = true;
        ImGui::SFML::Update(*kv::renderWindow, sf::seconds(1.0f / 60));
    }
    void TearDown() override
    {
        if (kv::imguiEnabled) {
            kv::imguiEnabled = false;
            ImGui::SFML::Shutdown();
        }
        gametest::endGameState();
        kv::InputHooks::reset();
        if (kv::renderWindow.isBuilt())
            kv::renderWindow->close();
    }

    // The window keeps the focus, whichever window of another test has it on the X screen.
    kv::test::FakeInput fake;
};

// The colours a quarter and three quarters along the first scoreboard row's token bar.
struct BarSamples {
    sf::Color quarter, threeQuarters;
};
BarSamples firstTokenBar(const sf::Image& frame)
{
    const tvl::HudMetrics m = tvl::measureHudMetrics();
    const sf::FloatRect bar =
        tvl::scoreRowFor(tvl::hudLayoutFor(kv::renderWindow->getView().getSize(), m), m, 0, 0).bar;
    const unsigned y = unsigned(bar.top + bar.height / 2);
    return {frame.getPixel(unsigned(bar.left + bar.width / 4), y),
            frame.getPixel(unsigned(bar.left + bar.width * 3 / 4), y)};
}

// The token taken in the frame that wins: the game-over window dims that frame, the winner's
// bar full, not the frame before it with the bar at half.
TEST_F(GameLoopDisplay, TheGameOverWindowOpensOverTheWinningScore)
{
    tvl::GameStartSettings settings;
    settings.tokensCount = 2;
    settings.itemsDensity = 0;
    ASSERT_TRUE(tvl::setUpGame(tvl::SinglePlayerGame, "Meadow.map", &settings));
    tvl::Player& me = *tvl::localPlayer();
    me.tokens = 1;
    tvl::updateGameCamera();
    kv::pollerTicked = true; // the compositor keeps the frames that follow a tick
    tvl::drawGameFrame();
    const BarSamples before = firstTokenBar(kv::test::shownFrame());
    ASSERT_FALSE(near(before.quarter, before.threeQuarters, 24)) << "a bar at half before the win";

    tvl::game.token.present = true;
    tvl::game.token.x = me.x;
    tvl::game.token.y = me.y;
    BarSamples behindWindow;
    {
        kv::test::DialogScript script;
        script.at(6, [&](kv::test::DialogScript&) {
            const sf::Image shot = kv::test::shownFrame();
            behindWindow = firstTokenBar(shot);
            shot.saveToFile(std::string(TVL_GAME_DIR "/../") + "game-over-final-score.png");
        });
        script.press(7, sf::Keyboard::Space);
        tvl::runGameFrame();
    }
    EXPECT_EQ(me.tokens, 2);
    EXPECT_TRUE(tvl::game.gameEnded);
    EXPECT_TRUE(near(behindWindow.quarter, behindWindow.threeQuarters, 24))
        << "the bar behind the window is full: " << int(behindWindow.threeQuarters.r) << ", "
        << int(behindWindow.threeQuarters.g) << ", " << int(behindWindow.threeQuarters.b);
    tvl::tearDownGame();
}

} // namespace
