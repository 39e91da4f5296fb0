// The front-end windows in a real window, driven through the frame pump's events as a player
// would: what they store is read back from the settings and from ServerList.dat.
#include "core/Framework.h"
#include "core/Keyboard.h"
#include "core/Messages.h"
#include "frontend/GameLoop.h"
#include "frontend/GameOverWindow.h"
#include "frontend/GameSettingsWindow.h"
#include "frontend/HostWindow.h"
#include "frontend/JoinWindow.h"
#include "frontend/PlayerOptionsWindow.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/Shaders.h"
#include "graphics/Textures.h"
#include "net/ServerBookmarks.h"
#include "support/Display.h"
#include "support/GameFixture.h"
#include "support/TempDir.h"
#include "ui/Component.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/GameState.h"
#include "world/Hud.h"
#include "world/Player.h"

#include "support/DialogScript.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <string>

using kv::test::DialogScript;

namespace {

class FrontendWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(kv::test::openWidgetWindow());
        kv::Keyboard::buildKeyNames();
        gametest::resetGameState();
    }
    void TearDown() override
    {
        if (kv::imguiEnabled) {
            kv::imguiEnabled = false;
            ImGui::SFML::Shutdown();
        }
        gametest::endGameState();
        kv::InputHooks::reset();
        kv::test::closeTestWindow();
    }
    static void startImGui()
    {
        ASSERT_TRUE(ImGui::SFML::Init(*kv::renderWindow));
        ImGui::GetIO().IniFilename = nullptr;
        kv::imguiEnabled = true;
        ImGui::SFML::Update(*kv::renderWindow, sf::seconds(1.0f / 60));
    }
    static void saveShot(const char* name) { kv::test::shownFrame().saveToFile(std::string(TVL_GAME_DIR "/../") + name); }

    kv::test::FakeInput fake;
};

tvl::ServerBookmarkTable readBookmarks(const std::string& path)
{
    tvl::ServerBookmarkFile file(path);
    file.load();
    return file.bookmarks;
}

// Delete the second of three bookmarks, add one, go back: every change is on disk as soon as it
// is made, so closing the program's window in between would lose nothing.
TEST_F(FrontendWindows, JoinWindowWritesEachBookmarkChangeAtOnce)
{
    kv::Icons::getIcon(0); // loaded from the game folder before the working folder moves
    testsupport::TempDir dir;
    dir.enter();
    tvl::ServerBookmarkTable start;
    for (int i = 1; i <= 3; i++)
        start.add({"B" + std::to_string(i), "10.0.0." + std::to_string(i), ""});
    dir.write(tvl::serverListFileName, tvl::encodeServerBookmarks(start));

    tvl::ServerBookmarkTable afterDelete, afterAdd;
    DialogScript script;
    script.at(3, [](DialogScript&) { saveShot("join-window.png"); });
    script.press(4, sf::Keyboard::Down).press(7, sf::Keyboard::Down); // Move Down twice: B2
    script.press(10, sf::Keyboard::Delete).press(14, sf::Keyboard::Enter); // Yes
    script.at(18, [&](DialogScript&) { afterDelete = readBookmarks(tvl::serverListFileName); });
    script.press(20, sf::Keyboard::Insert);
    script.type(24, "Home").press(26, sf::Keyboard::Tab).type(28, "127.0.0.1");
    script.at(30, [](DialogScript&) { saveShot("join-editor.png"); });
    script.press(31, sf::Keyboard::Enter); // Save
    script.at(35, [&](DialogScript&) { afterAdd = readBookmarks(tvl::serverListFileName); });
    script.press(37, sf::Keyboard::Escape); // Back
    tvl::newClientNetworkGame();

    ASSERT_EQ(afterDelete.size(), 2u);
    EXPECT_EQ(afterDelete[0].description, "B1");
    EXPECT_EQ(afterDelete[1].description, "B3");
    ASSERT_EQ(afterAdd.size(), 3u);
    EXPECT_EQ(afterAdd[2], (tvl::ServerBookmark{"Home", "127.0.0.1", ""}));
    EXPECT_TRUE(readBookmarks(tvl::serverListFileName) == afterAdd);
}

// A field longer than its box keeps its whole text when the player edits another one.
TEST_F(FrontendWindows, TheBookmarkEditorKeepsALongFieldItLeftAlone)
{
    kv::Icons::getIcon(0);
    testsupport::TempDir dir;
    dir.enter();
    const std::string longDescription(30, 'd');
    tvl::ServerBookmarkTable start;
    start.add({longDescription, "10.0.0.1", ""});
    dir.write(tvl::serverListFileName, tvl::encodeServerBookmarks(start));

    DialogScript script;
    script.press(4, sf::Keyboard::Down).press(7, sf::Keyboard::E); // edit the bookmark
    script.press(11, sf::Keyboard::Tab).type(13, "9");             // the host only
    script.press(16, sf::Keyboard::Enter);                           // Save
    script.press(20, sf::Keyboard::Escape);                          // Back
    tvl::newClientNetworkGame();

    const tvl::ServerBookmarkTable saved = readBookmarks(tvl::serverListFileName);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], (tvl::ServerBookmark{longDescription, "10.0.0.19", ""}));
}

// An emptied name is refused with a message; the typed one is stored on Done.
TEST_F(FrontendWindows, PlayerOptionsStoresTheNameOnlyWhenOneIsGiven)
{
    tvl::gameSettings.playerName = "Player";
    DialogScript script;
    script.every(2, 8, [](DialogScript& s) { s.pressNow(sf::Keyboard::BackSpace); });
    script.press(10, sf::Keyboard::Enter); // Done with no name: the message
    script.press(14, sf::Keyboard::Enter); // its OK
    script.type(18, "Racer X");
    script.at(20, [](DialogScript&) { saveShot("player-options.png"); });
    script.press(21, sf::Keyboard::Enter);
    testing::internal::CaptureStderr();
    tvl::playerOptionsWindow();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(tvl::gameSettings.playerName, "Racer X");
    EXPECT_NE(log.find("Message: Player Name is required"), std::string::npos) << log;
}

// With a port no socket can take, Launch stops before any game: the chosen map is remembered,
// no role is taken. Escape in the settings window keeps the settings; Enter stores them, each
// within its range.
TEST_F(FrontendWindows, HostLaunchAndSettingsWindowsAnswerTheirKeys)
{
    ASSERT_NO_FATAL_FAILURE(startImGui());
    ASSERT_GT(tvl::loadMapList(), 0u);
    tvl::gameSettings.localServerPort = 70000;
    tvl::gameSettings.serverMap = tvl::mapListEntries.back().mapFilename;
    {
        DialogScript script;
        script.at(4, [](DialogScript&) { saveShot("host-window.png"); });
        script.press(5, sf::Keyboard::Enter);
        tvl::hostServerWindow();
    }
    EXPECT_EQ(tvl::gameSettings.serverMap, tvl::mapListEntries.back().mapFilename);
    EXPECT_EQ(tvl::netRole, tvl::NoNetRole);
    ASSERT_GT(kv::messageList.size(), 0u);
    EXPECT_EQ(kv::messageList.back().text, "Failed to start server on UDP port 70000");

    tvl::gameSettings.tokensCount = 9999;
    {
        DialogScript script;
        script.press(4, sf::Keyboard::Escape);
        tvl::gameSettingsWindow();
    }
    EXPECT_EQ(tvl::gameSettings.tokensCount, 9999);
    {
        DialogScript script;
        script.at(3, [](DialogScript&) { saveShot("game-settings.png"); });
        script.press(4, sf::Keyboard::Enter);
        tvl::gameSettingsWindow();
    }
    EXPECT_EQ(tvl::gameSettings.tokensCount, 500);
    tvl::clearMapList();
}

// The winner is named by list index though another has as many tokens; the local player's
// name is light green; Space closes the window.
TEST_F(FrontendWindows, GameOverNamesTheWinnerAndClosesOnItsKey)
{
    ASSERT_NO_FATAL_FAILURE(startImGui());
    tvl::game.roundSettings.tokensCount = 25;
    tvl::addPlayer(sf::Color::Red, "Winner", true)->tokens = 25;
    tvl::addPlayer(sf::Color::Blue, "Local", false)->tokens = 25;
    tvl::game.localPlayerIndex = 1;
    bool green = false;
    std::string logged;
    {
        DialogScript script;
        script.at(3, [&](DialogScript&) {
            const sf::Image shot = kv::test::shownFrame();
            for (unsigned y = 0; y < shot.getSize().y && !green; ++y)
                for (unsigned x = 0; x < shot.getSize().x && !green; ++x)
                    green = shot.getPixel(x, y) == sf::Color(128, 255, 128);
            saveShot("game-over.png");
        });
        script.press(4, sf::Keyboard::Space);
        tvl::gameOver(0);
    }
    EXPECT_TRUE(green) << "the local player's name in light green";
    EXPECT_EQ(kv::Keyboard::pressedKeys.size(), 0u) << "the closing key is taken";
}

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

// The token taken in the frame that wins, in a game on a map of the runtime tree: the game-over
// window dims that frame, the winner's bar full, not the frame before it with the bar at half.
TEST_F(FrontendWindows, GameOverOpensOverTheWinningScore)
{
    ASSERT_TRUE(kv::Shaders::init());
    tvl::loadGameAssets();
    ASSERT_NO_FATAL_FAILURE(startImGui());
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
    ASSERT_FALSE(kv::test::near(before.quarter, before.threeQuarters, 24)) << "a bar at half before the win";

    tvl::game.token.present = true;
    tvl::game.token.x = me.x;
    tvl::game.token.y = me.y;
    BarSamples behindWindow;
    {
        DialogScript script;
        script.at(6, [&](DialogScript&) {
            behindWindow = firstTokenBar(kv::test::shownFrame());
            saveShot("game-over-final-score.png");
        });
        script.press(7, sf::Keyboard::Space);
        tvl::runGameFrame();
    }
    EXPECT_EQ(me.tokens, 2);
    EXPECT_TRUE(tvl::game.gameEnded);
    EXPECT_TRUE(kv::test::near(behindWindow.quarter, behindWindow.threeQuarters, 24))
        << "the bar behind the window is full: " << int(behindWindow.threeQuarters.r) << ", "
        << int(behindWindow.threeQuarters.g) << ", " << int(behindWindow.threeQuarters.b);
    tvl::tearDownGame();
}

} // namespace
