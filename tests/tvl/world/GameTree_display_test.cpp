// The generated runtime tree: the tile set and every map load cleanly, and every map sprite
// names an image that exists.
#include "core/Framework.h"
#include "world/Images.h"
#include "world/Map.h"
#include "world/Tileset.h"
#include "support/Display.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

TEST(GameTree, TileSetAndEveryMapLoadWithoutErrors)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(kv::test::openBareWindow(64, 64, "game tree test"));
    testing::internal::CaptureStderr();
    tvl::Images::createDefault();
    tvl::loadImagesFolder();
    ASSERT_TRUE(tvl::loadTileset("base\\Tiles\\Tileset.png"));
    int maps = 0;
    for (const auto& entry : std::filesystem::directory_iterator("base/Maps")) {
        if (entry.path().extension() != ".map")
            continue;
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        EXPECT_TRUE(tvl::loadMap(name)) << tvl::mapError;
        EXPECT_GE(tvl::mapWidth, 64);
        EXPECT_FALSE(tvl::mapSprites.empty());
        for (const tvl::MapSprite& s : tvl::mapSprites)
            ASSERT_GT(s.imageIndex, 0);
        maps++;
    }
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(maps, 5);
    EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
    EXPECT_EQ(log.find("Warning:"), std::string::npos) << log;
    tvl::unloadMap();
    tvl::resetImageTables();
    kv::renderWindow->close();
}
