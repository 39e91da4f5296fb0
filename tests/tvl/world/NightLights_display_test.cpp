// A real single-player game on the night map: the vehicle's, the token's and a missile's lights show in the
// dark, read back from the shown frame. The frame is saved beside the game folder for a look.
#include "app/KVCore.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Settings.h"
#include "graphics/Lights.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/GameState.h"
#include "world/Player.h"
#include "world/Projectiles.h"
#include "world/WorldSprites.h"
#include "world/WorldView.h"

#include "support/Display.h"
#include "support/GameFixture.h"
#include "support/GameWindow.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace {

using gametest::drawnFrame;

// The summed brightness of a box of the frame around centre.
long brightness(const sf::Image& frame, sf::Vector2f centre, int half)
{
    long sum = 0;
    for (int y = int(centre.y) - half; y <= int(centre.y) + half; y++)
        for (int x = int(centre.x) - half; x <= int(centre.x) + half; x++) {
            const sf::Color c = frame.getPixel(unsigned(x), unsigned(y));
            sum += c.r + c.g + c.b;
        }
    return sum;
}

TEST(NightLightsDisplay, VehicleTokenAndMissileLightTheNightMap)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(gametest::openGameWindow(640, 480));

    tvl::GameStartSettings settings;
    ASSERT_TRUE(tvl::setUpGame(tvl::SinglePlayerGame, "Forest.map", &settings));
    ASSERT_LT(kv::ambientLightLevel, 0.5f) << "the night map";
    tvl::Player& me = *tvl::localPlayer();
    const sf::Vector2f middle = tvl::mapWorldSize * 0.5f;
    me.x = me.renderX = me.stepX = middle.x;
    me.y = me.renderY = me.stepY = middle.y;
    tvl::updateGameCamera();
    tvl::placeToken(middle + sf::Vector2f(150, 0));
    tvl::updateGameWorld(0);
    const sf::Vector2f missileAt = middle + sf::Vector2f(-150, -100);
    const float angle = 0.0f;
    const sf::Vector2f still(0, 0);
    ASSERT_NE(tvl::fireWeapon(tvl::WeaponType::Missile, &missileAt, &angle, int16_t(me.playerId + 1), -1, -1, &still),
              nullptr);
    ASSERT_EQ(tvl::game.projectiles.size(), 1u);

    const tvl::WorldView& view = tvl::worldView;
    auto onWindow = [&](sf::Vector2f world) { return tvl::worldToTexture(world, view.scroll, view.worldRenderScale); };
    // Beside the token (outside its sprite) and just behind the missile.
    const sf::Vector2f besideToken = onWindow(middle + sf::Vector2f(150, 60));
    const sf::Vector2f byMissile = onWindow(missileAt);
    const sf::Vector2f behindVehicle = onWindow(tvl::vehicleLightPlacement(middle, me.angle, me.radius).position);

    const sf::Image lit = drawnFrame();
    lit.saveToFile(std::string(TVL_GAME_DIR "/../night_forest.png"));
    tvl::game.token.light.enabled = false;
    tvl::game.projectiles[0].light.enabled = false;
    tvl::vehicleLight(false).enabled = false;
    const sf::Image dark = drawnFrame();
    tvl::vehicleLight(false).enabled = true;

    EXPECT_GT(brightness(lit, besideToken, 6), brightness(dark, besideToken, 6) * 3 / 2) << "the token's light";
    EXPECT_GT(brightness(lit, byMissile, 3), brightness(dark, byMissile, 3)) << "the missile's light";
    EXPECT_GT(brightness(lit, behindVehicle, 4), brightness(dark, behindVehicle, 4) * 3 / 2) << "the vehicle's beam";

    tvl::tearDownGame();
    EXPECT_EQ(kv::ambientLightLevel, 1.0f);
    gametest::endGameState();
    kv::renderWindow->close();
}

} // namespace
