#include "world/Game.h"

#include "support/GameFixture.h"

#include "frontend/GameLoop.h"
#include "graphics/Lights.h"
#include "ui/Hints.h"
#include "world/Map.h"
#include "world/Player.h"
#include "world/WorldView.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace tvl;

using gametest::useMap;

using GameTest = gametest::FreshGame;

TEST(PickupTarget, ScalesWithDensityAndMapSizeWithinItsLimits)
{
    struct Case {
        int density;
        int width, height;
        int expected;
    };
    const Case cases[] = {
        {0, 100, 100, 0},        // None never places any
        {0, 10000, 10000, 0},
        {1, 50, 50, 1},          // under 10000 tiles still gets one
        {1, 100, 100, 1},
        {2, 100, 100, 3},
        {3, 200, 100, 12},
        {4, 100, 100, 32},
        {4, 199, 100, 32},       // whole ten-thousands only
        {4, 1000, 1000, 3200},
        {4, 2000, 2000, 5000},   // the cap
        {7, 100, 100, 1},        // an unknown density counts for nothing but the lower clamp
        {-1, 100, 100, 1},
        {4, 0, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pickupTargetFor(c.density, c.width, c.height), c.expected)
            << "density " << c.density << " on " << c.width << " x " << c.height;
}

TEST_F(GameTest, PickupsAreToppedUpOnASimulatingMachineOnly)
{
    game.roundSettings.itemsDensity = 4;
    topUpPickups();
    ASSERT_EQ(game.pickups.size(), 32u);
    for (const Pickup& p : game.pickups) {
        EXPECT_GE(p.type, 0);
        EXPECT_LE(p.type, 6);
        EXPECT_GE(p.x, 50.0f);
        EXPECT_LE(p.x, mapWorldSize.x - 50.0f);
        EXPECT_GE(p.y, 50.0f);
        EXPECT_LE(p.y, mapWorldSize.y - 50.0f);
    }
    const int32_t taken = game.pickups[5].id;
    removePickup(5);
    removePickup(-1);  // ignored
    removePickup(31);  // one past the end now: ignored
    ASSERT_EQ(game.pickups.size(), 31u);
    EXPECT_NE(game.pickups[5].id, taken);
    topUpPickups();
    EXPECT_EQ(game.pickups.size(), 32u);

    game.pickups.clear();
    game.gameType = MultiplayerGame;
    netRole = ClientRole;
    topUpPickups();
    spawnRandomPickup();
    EXPECT_TRUE(game.pickups.empty()) << "a client only shows the server's pickups";
    netRole = ServerRole;
    topUpPickups();
    EXPECT_EQ(game.pickups.size(), 32u);
    netRole = NoNetRole;

    game.roundSettings.itemsDensity = 0;
    game.gameType = SinglePlayerGame;
    game.pickups.clear();
    topUpPickups();
    EXPECT_TRUE(game.pickups.empty());
}

TEST_F(GameTest, PickupIdsCountFromOneAndWrapToZeroAfter999999)
{
    addPickup({10, 10}, Bomb, -1);
    addPickup({20, 20}, Gun, 77); // a server's ID is kept and does not move the counter
    addPickup({30, 30}, Nitro, -1);
    ASSERT_EQ(game.pickups.size(), 3u);
    EXPECT_EQ(game.pickups[0].id, 1);
    EXPECT_EQ(game.pickups[1].id, 77);
    EXPECT_EQ(game.pickups[2].id, 2);
    EXPECT_EQ(game.pickups[2].angle, 0.0f);

    int32_t id = 2;
    while (id < maxPickupId)
        id = nextPickupId();
    EXPECT_EQ(id, 999999);
    EXPECT_EQ(nextPickupId(), 0);
    EXPECT_EQ(nextPickupId(), 1);
}

TEST_F(GameTest, PauseTogglesInSinglePlayerOnly)
{
    pressPause();
    EXPECT_TRUE(game.paused);
    EXPECT_FALSE(pressEscape()) << "Escape while paused resumes";
    EXPECT_FALSE(game.paused);
    pressPause();
    pressPause();
    EXPECT_FALSE(game.paused);
    // Running, Escape asks first; with no window to ask in, the answer is No.
    EXPECT_FALSE(pressEscape()) << "Escape while running ends the game only on a Yes";

    game.gameType = MultiplayerGame;
    pressPause();
    EXPECT_FALSE(game.paused);
    game.paused = true;
    pressPause();
    EXPECT_FALSE(game.paused);
}

TEST_F(GameTest, ZoomStepsStopAtOneAndEight)
{
    EXPECT_EQ(zoomedRenderScale(1.5f, 1), 2.0f);
    EXPECT_EQ(zoomedRenderScale(1.5f, -1), 1.0f);
    EXPECT_EQ(zoomedRenderScale(8.0f, 1), 8.0f);
    EXPECT_EQ(zoomedRenderScale(1.0f, -1), 1.0f);
    EXPECT_EQ(zoomedRenderScale(7.75f, 1), 8.25f) << "a step starts below the limit";
    EXPECT_EQ(zoomedRenderScale(0.5f, -1), 0.5f);

    struct Case {
        float start;
        float delta;
        bool invert;
        float expected;
    };
    const Case cases[] = {
        {8.0f, 1.0f, false, 8.0f},  // up at the top
        {1.0f, -1.0f, false, 1.0f}, // down at the bottom
        {1.5f, 1.0f, false, 2.0f},
        {1.5f, -1.0f, false, 1.0f},
        {1.5f, 1.0f, true, 1.0f},   // inverted wheel
        {8.0f, -1.0f, true, 8.0f},
    };
    for (const Case& c : cases) {
        gameSettings.renderScale = c.start;
        gameSettings.invertMouseWheel = c.invert;
        handleMouseWheel(c.delta, true);
        EXPECT_EQ(gameSettings.renderScale, c.expected) << c.start << " delta " << c.delta << " invert " << c.invert;
    }

    // The console has the wheel while it is open.
    gameSettings = GameSettings();
    game.consoleOpen = true;
    handleMouseWheel(1.0f, true);
    EXPECT_EQ(gameSettings.renderScale, 1.5f);
}

TEST_F(GameTest, RenderScaleHintNamesTheDefault)
{
    EXPECT_EQ(renderScaleHintText(1.5f), "Scale: 1.5x (Default)");
    EXPECT_EQ(renderScaleHintText(2.0f), "Scale: 2x");
    EXPECT_EQ(renderScaleHintText(1.0f), "Scale: 1x");

    worldView.worldRenderScale = 1.5f;
    worldView.resizePending = false;
    gameSettings.renderScale = 2.0f;
    showRenderScaleHint();
    showRenderScaleHint(); // refreshes the one hint
    ASSERT_EQ(kv::hints.size(), 1u);
    EXPECT_EQ(kv::hints[0].id, "RENDER_SCALE_HINT");
    EXPECT_EQ(kv::hints[0].text, "Scale: 2x");
    EXPECT_EQ(kv::hints[0].secondsLeft, 2.0f);
    EXPECT_EQ(kv::hints[0].position, sf::Vector2f(50.0f, 50.0f));
    EXPECT_EQ(worldView.worldRenderScale, 2.0f);
    EXPECT_TRUE(worldView.resizePending);
    worldView.resizePending = false;
    worldView.worldRenderScale = 1.5f;
}

TEST_F(GameTest, TokenAndRandomPositionsStayInsideTheMap)
{
    for (int i = 0; i < 200; ++i) {
        const sf::Vector2f p = randomMapPosition(40.0f);
        ASSERT_GE(p.x, 40.0f);
        ASSERT_LE(p.x, 1600.0f - 40.0f);
        ASSERT_GE(p.y, 40.0f);
        ASSERT_LE(p.y, 1600.0f - 40.0f);
    }
    useMap(4, 2); // 64 x 32 pixels: no room for a 40-pixel margin
    EXPECT_EQ(randomMapPosition(40.0f), sf::Vector2f(32.0f, 16.0f));

    placeToken({100.0f, 200.0f});
    EXPECT_TRUE(game.token.present);
    EXPECT_EQ(game.token.x, 100.0f);
    EXPECT_EQ(game.token.y, 200.0f);
    EXPECT_EQ(game.token.angle, 0.0f);
    EXPECT_TRUE(game.token.light.enabled);
    EXPECT_TRUE(game.token.light.glowByDay);
    EXPECT_EQ(game.token.light.halfWidth, 256.0f);
    EXPECT_EQ(game.token.light.colour, sf::Color(64, 64, 255, 192));
    EXPECT_EQ(game.token.light.quad.getVertexCount(), 4u);
}

TEST_F(GameTest, TickCallbackLeavesASinglePlayerGameAlone)
{
    game.netTicked = false;
    game.netAlive = true;
    gameTick(1.0f / 30.0f);
    EXPECT_FALSE(game.netTicked);
    EXPECT_TRUE(game.netAlive);
}

// The zoom's hint lasts two seconds: a game ended within them must not leave it over the menu.
TEST_F(GameTest, EndingAGameEndsItsHints)
{
    gameSettings.renderScale = 2.0f;
    showRenderScaleHint();
    ASSERT_GE(kv::findHint("RENDER_SCALE_HINT"), 0);
    tearDownGame();
    EXPECT_TRUE(kv::hints.empty());
    worldView.resizePending = false;
    worldView.worldRenderScale = 1.5f;
}

TEST_F(GameTest, EndingAGameBringsDaylightBackAndDropsQueuedLights)
{
    kv::ambientLightLevel = 0.2f; // a night map
    kv::LightSource light;
    light.enabled = light.visible = true;
    light.halfWidth = light.halfHeight = 8.0f;
    light.buildQuad();
    kv::submitLight(kv::layerDisplay, light, {5, 5}, 0.0f, {1, 1});
    ASSERT_EQ(kv::queuedLights(kv::layerDisplay).size(), 1u);

    tearDownGame();
    EXPECT_EQ(kv::ambientLightLevel, 1.0f);
    EXPECT_TRUE(kv::queuedLights(kv::layerDisplay).empty());
}

} // namespace
