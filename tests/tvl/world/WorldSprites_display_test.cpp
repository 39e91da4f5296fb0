#include "support/Display.h"
#include "support/RedirectedDraw.h"

#include "core/Framework.h"
#include "core/Settings.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "platform/FileSystem.h"
#include "support/PictureFile.h"
#include "support/TempDir.h"
#include "support/TestWindow.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/Images.h"
#include "world/Map.h"
#include "world/Player.h"
#include "world/WorldSprites.h"
#include "world/WorldView.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The world sprites drawn into a render texture through the game's own programs (copied from
// the runtime tree), probed at known pixels.
class WorldSpritesDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        dir.enter();
        for (const char* folder : {"kvui3/Shaders", "base/Shaders"}) {
            fs::create_directories(dir.path() / folder);
            fs::copy(fs::path(TVL_GAME_DIR) / folder, dir.path() / folder, fs::copy_options::recursive);
        }
        // A 32 x 32 white car whose left half is team-coloured (its mask).
        writePicture("base/images/Car.png", 32, 32, [](unsigned, unsigned) { return sf::Color::White; });
        writePicture("base/images/Car_mask.png", 32, 32,
                     [](unsigned x, unsigned) { return x < 16 ? sf::Color::White : sf::Color::Transparent; });
        kv::clearPathCache();
        ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(640, 480));
        if (!kv::shaderSlots[0].shader) {
            ASSERT_TRUE(kv::Shaders::init());
        }
        ASSERT_TRUE(kv::getShaderSlot(kv::shaderSpriteShadow).loaded);
        tvl::worldView.spriteShader = tvl::loadGameShader("Sprite.vert", "Sprite.frag");
        ASSERT_TRUE(kv::getShaderSlot(tvl::worldView.spriteShader).loaded);

        tvl::Images::createDefault();
        ASSERT_TRUE(tvl::Images::addTextureFile("base\\images\\Car.png", "Car.png"));
        car = tvl::getImageNumber("Car", false);
        ASSERT_GT(car, 0);
        ASSERT_TRUE((*tvl::textures)[(*tvl::images)[car].textureIndex].hasMask);

        tvl::worldView.worldRenderScale = 1.0f;
        tvl::setWorldViewSize(1.0f, sf::Vector2u(size, size), sf::FloatRect(0, 0, size, size));
        tvl::worldView.scroll = sf::Vector2f(0, 0);
        ASSERT_TRUE(target.create(size, size));
    }
    void TearDown() override
    {
        tvl::game = tvl::GameState{};
        tvl::mapSprites.clear();
        tvl::resetImageTables();
    }

    template <typename Pixel>
    void writePicture(const std::string& relative, unsigned width, unsigned height, Pixel pixel)
    {
        testsupport::writePicture(dir, relative, width, height, pixel);
    }

    // Runs draw with every layer redirected into the target, as the world frame does; the result.
    template <typename Draw>
    sf::Image drawInto(Draw draw)
    {
        return gametest::drawRedirected(target, sf::Color(0, 0, 128, 255), draw);
    }

    static bool isTeamRed(const sf::Color& c) { return c.r > 180 && c.g < 90 && c.b < 90; }
    static bool isPlainLight(const sf::Color& c) { return c.r > 150 && c.g > 150 && c.b > 150; }

    static constexpr unsigned size = 128;
    testsupport::TempDir dir;
    sf::RenderTexture target;
    int car = 0;
};

TEST_F(WorldSpritesDisplay, VehiclesTakeTheirTeamColourThroughTheMaskWithAShadow)
{
    auto player = std::make_shared<tvl::Player>();
    player->x = 64;
    player->y = 64;
    player->radius = 16;
    player->colour = sf::Color(255, 0, 0, 255);
    player->playerId = 501;
    tvl::game.players.push_back(player);
    tvl::shipImageNumber = car;

    const sf::Image image = drawInto([] { tvl::drawPlayers(0.016f); });
    EXPECT_TRUE(isTeamRed(image.getPixel(56, 64))) << "masked half";
    EXPECT_TRUE(isPlainLight(image.getPixel(72, 64))) << "unmasked half";
    // The shadow: 10 px down and right, a darkened background beyond the car's corner.
    const sf::Color shadow = image.getPixel(85, 85);
    EXPECT_LT(shadow.b, 100) << "shadow over the blue ground";
    EXPECT_EQ(image.getPixel(100, 100), sf::Color(0, 0, 128, 255)) << "outside car and shadow";
    EXPECT_EQ(image.getPixel(40, 40), sf::Color(0, 0, 128, 255));

    // The sprite is left unturned and unscaled for the next user.
    EXPECT_EQ((*tvl::images)[car].sprite.getRotation(), 0.0f);
    EXPECT_EQ((*tvl::images)[car].sprite.getScale(), sf::Vector2f(1, 1));
}

TEST_F(WorldSpritesDisplay, WithoutTheSwapTheMaskedPartKeepsItsOwnColour)
{
    const sf::Image image = drawInto([this] {
        tvl::drawSpriteShaded(tvl::worldView, car, sf::Vector2f(64, 64), 0.0f, 0, 100, 1.0f, false,
                              sf::Color(255, 0, 0, 255));
    });
    EXPECT_TRUE(isPlainLight(image.getPixel(56, 64)));
    EXPECT_TRUE(isPlainLight(image.getPixel(72, 64)));
}

TEST_F(WorldSpritesDisplay, ScaleTurnAndInvalidImages)
{
    // Scale 2 at render scale 1: 64 x 64 around the centre; a quarter turn puts the masked half on top.
    sf::Image image = drawInto([this] {
        tvl::drawSpriteShaded(tvl::worldView, car, sf::Vector2f(64, 64), 1.5707964f, 0, 1, 2.0f, true,
                              sf::Color(255, 0, 0, 255));
    });
    EXPECT_TRUE(isTeamRed(image.getPixel(64, 40))) << "turned: the left half is now on top";
    EXPECT_TRUE(isPlainLight(image.getPixel(64, 88)));
    EXPECT_TRUE(isPlainLight(image.getPixel(35, 88))) << "scaled to 64 wide";
    EXPECT_EQ(image.getPixel(28, 64), sf::Color(0, 0, 128, 255));

    image = drawInto([] {
        for (int bad : {-1, tvl::imageCount})
            tvl::drawSpriteShaded(tvl::worldView, bad, sf::Vector2f(64, 64), 0.0f, 10, 1, 1.0f, false, sf::Color::White);
    });
    EXPECT_EQ(image.getPixel(64, 64), sf::Color(0, 0, 128, 255)) << "nothing drawn";
}

TEST_F(WorldSpritesDisplay, MapSpritesDrawWhereTheyStandAndHoldStillWhilePaused)
{
    (*tvl::images)[car].rotateSpeed = 90;
    tvl::MapSprite sprite;
    sprite.x = 30 + 16;
    sprite.y = 20 + 16;
    sprite.imageIndex = car;
    tvl::mapSprites = {sprite};
    tvl::worldView.scroll = sf::Vector2f(30, 20); // the sprite's centre at texture (16, 16)

    tvl::game.paused = true;
    const sf::Image image = drawInto([] { tvl::drawMapSprites(1.0f); });
    EXPECT_EQ(tvl::mapSprites[0].angle, 0.0f);
    EXPECT_TRUE(isPlainLight(image.getPixel(4, 4)));
    EXPECT_EQ(image.getPixel(40, 40), sf::Color(0, 0, 128, 255));

    tvl::game.paused = false;
    drawInto([] { tvl::drawMapSprites(1.0f); });
    EXPECT_NEAR(tvl::mapSprites[0].angle, 1.5707964f, 1e-4);
}

} // namespace

TEST_F(WorldSpritesDisplay, ProjectilesDrawAtTheirPlaceWithTheirLights)
{
    tvl::game.gameType = tvl::SinglePlayerGame;
    tvl::energyPulseImageNumber = tvl::missileImageNumber = car;
    tvl::worldView.scroll = sf::Vector2f(10, 0);
    const sf::Vector2f none(0, 0);
    const struct {
        tvl::WeaponType type;
        sf::Vector2f at; // world pixels
        float angle;
    } shots[] = {{tvl::WeaponType::PulseCannon, {42, 64}, 0.0f},
                 {tvl::WeaponType::PulseCannon, {106, 64}, 1.5707964f},
                 {tvl::WeaponType::Missile, {74, 20}, 0.0f}};
    for (const auto& s : shots)
        ASSERT_NE(tvl::fireWeapon(s.type, &s.at, &s.angle, 1, 2, -1, &none), nullptr);

    const sf::Image image = drawInto([] { tvl::drawProjectiles(0.016f); });
    EXPECT_TRUE(isPlainLight(image.getPixel(32, 64)));
    EXPECT_TRUE(isPlainLight(image.getPixel(96, 64)));
    EXPECT_TRUE(isPlainLight(image.getPixel(64, 20)));
    EXPECT_EQ(image.getPixel(64, 64), sf::Color(0, 0, 128, 255)) << "between the pulses";
    EXPECT_EQ(image.getPixel(64, 34), sf::Color(0, 0, 128, 255)) << "the missile is drawn at half size";
    for (size_t i = 0; i < std::size(shots); ++i)
        EXPECT_EQ(tvl::game.projectiles[i].light.screenPosition, shots[i].at - sf::Vector2f(10, 0)) << i;
    tvl::energyPulseImageNumber = tvl::missileImageNumber = 0;
}
