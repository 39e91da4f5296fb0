#include "core/Framework.h"
#include "core/Settings.h"
#include "support/Display.h"
#include "support/TestWindow.h"

#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

TEST(Window, WindowedModeHasAtLeast640x480)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(320, 200));
    EXPECT_EQ(kv::renderWindow->getSize(), sf::Vector2u(640, 480));
    EXPECT_TRUE(kv::displayWindowed);
    EXPECT_EQ(kv::settings.width, 640);
    EXPECT_EQ(kv::settings.height, 480);
    EXPECT_TRUE(kv::settings.window);

    ASSERT_TRUE(kv::KVCore::setDisplayMode(800, 600, 32, true));
    EXPECT_EQ(kv::renderWindow->getSize(), sf::Vector2u(800, 600));
    kv::renderWindow->close();
}

// Without a window manager the window stays where it is put: SFML alone put a 640 x 480 window
// on a 1280 x 1024 screen at (320, 400), and one as tall as the screen partly below it.
TEST(Window, WindowedModeOpensCentredOnTheScreen)
{
    REQUIRE_DISPLAY();
    kv::test::useTestSettings();
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    for (const sf::Vector2u size : {sf::Vector2u(640, 480), sf::Vector2u(desktop.width, desktop.height)}) {
        SCOPED_TRACE(testing::Message() << size.x << "x" << size.y);
        ASSERT_TRUE(kv::KVCore::setDisplayMode(static_cast<int>(size.x), static_cast<int>(size.y), 32, true));
        EXPECT_EQ(kv::renderWindow->getPosition(),
                  sf::Vector2i(static_cast<int>(desktop.width - size.x) / 2, static_cast<int>(desktop.height - size.y) / 2));
    }
    kv::renderWindow->close();
}

TEST(Window, BestFullscreenModeIsStoredAsDesktop)
{
    REQUIRE_DISPLAY();
    kv::test::useTestSettings();
    sf::VideoMode best = kv::KVCore::getFullscreenMode(0);
    ASSERT_GT(best.width, 0u);
    ASSERT_TRUE(kv::KVCore::setDisplayMode(static_cast<int>(best.width), static_cast<int>(best.height), 32, false));
    EXPECT_FALSE(kv::displayWindowed);
    EXPECT_EQ(kv::settings.width, 0);
    EXPECT_EQ(kv::settings.height, 0);
    EXPECT_FALSE(kv::settings.window);
    kv::renderWindow->close();

    EXPECT_EQ(kv::KVCore::getFullscreenMode(-1).width, 0u);
    EXPECT_EQ(kv::KVCore::getFullscreenMode(100000).height, 0u);
}

TEST(Window, EmulationSetsALetterboxedView)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(1200, 600));
    kv::KVCore::emulateResolution(800, 600, 0, true);
    EXPECT_TRUE(kv::emulatingResolution);
    EXPECT_EQ(kv::settings.emulatedWidth, 800);
    EXPECT_EQ(kv::settings.emulatedHeight, 600);
    EXPECT_EQ(kv::emulatedViewWidth, 1200);
    EXPECT_EQ(kv::emulatedViewHeight, 600);
    sf::Vector2f size = kv::renderWindow->getView().getSize();
    EXPECT_FLOAT_EQ(size.x, 1200);
    EXPECT_FLOAT_EQ(size.y, 600);
    // Window pixel (600, 300) is the logical centre.
    sf::Vector2f centre = kv::renderWindow->mapPixelToCoords(sf::Vector2i(600, 300));
    EXPECT_NEAR(centre.x, 600, 1);
    EXPECT_NEAR(centre.y, 300, 1);
    kv::renderWindow->close();
    kv::emulatingResolution = false;
}

// A window taller than the desktop made the X server hang or gave textures too large to create;
// an emulated size beyond the largest texture left the world black. What is used is what is kept.
TEST(Window, SizesFitTheDesktopAndTheLargestTexture)
{
    REQUIRE_DISPLAY();
    kv::test::useTestSettings();
    sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    ASSERT_TRUE(kv::KVCore::setDisplayMode(800, 40000, 32, true));
    EXPECT_EQ(kv::renderWindow->getSize(), sf::Vector2u(800, desktop.height));
    EXPECT_EQ(kv::settings.width, 800);
    EXPECT_EQ(kv::settings.height, static_cast<int>(desktop.height));

    // Half the largest texture: the game rounds view-sized caches up to a power of two.
    const unsigned most = sf::Texture::getMaximumSize() / 2;
    kv::KVCore::emulateResolution(100000, 75000, 0, true);
    EXPECT_LE(kv::settings.emulatedWidth, static_cast<int>(most));
    EXPECT_LE(kv::settings.emulatedHeight, static_cast<int>(most));
    EXPECT_GE(kv::settings.emulatedWidth, 640);
    EXPECT_LE(kv::emulatedViewWidth, static_cast<int>(most));
    EXPECT_LE(kv::emulatedViewHeight, static_cast<int>(most));
    kv::renderWindow->close();
    kv::emulatingResolution = false;
}
