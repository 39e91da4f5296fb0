#include "world/Map.h"
#include "world/Minimap.h"
#include "world/Tileset.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class MinimapTest : public testing::Test {
protected:
    void SetUp() override
    {
        tvl::unloadMap();
        tvl::tileMinimapColours[0] = sf::Color(1, 2, 3);
        tvl::tileMinimapColours[5] = sf::Color(50, 60, 70);
        tvl::tileMinimapColours[9] = sf::Color(200, 10, 20);
    }
    void TearDown() override
    {
        tvl::unloadMap();
        for (int i : {0, 5, 9})
            tvl::tileMinimapColours[i] = sf::Color();
        tvl::minimapMarkers.clear();
    }

    static void useTiles(int w, int h, std::vector<uint16_t> tiles)
    {
        tvl::mapWidth = w;
        tvl::mapHeight = h;
        tvl::mapWorldSize = sf::Vector2f(w * 16.0f, h * 16.0f);
        tvl::mapTiles = std::move(tiles);
    }
};

TEST_F(MinimapTest, ScaledPictureTakesEachPixelsTileColour)
{
    // 3 x 2 tiles; 2000 is no tile index and takes entry 0.
    useTiles(3, 2, {5, 9, 2000, 9, 5, 5});
    tvl::minimapLayout = {{6, 4}, {2, 2}};
    tvl::minimapImageChanged = false;
    tvl::paintMinimap();
    EXPECT_TRUE(tvl::minimapImageChanged);
    ASSERT_EQ(tvl::minimapImage.getSize(), sf::Vector2u(6, 4));
    const sf::Color c5(50, 60, 70), c9(200, 10, 20), c0(1, 2, 3);
    const sf::Color expected[4][6] = {
        {c5, c5, c9, c9, c0, c0}, {c5, c5, c9, c9, c0, c0}, {c9, c9, c5, c5, c5, c5}, {c9, c9, c5, c5, c5, c5}};
    for (unsigned y = 0; y < 4; y++)
        for (unsigned x = 0; x < 6; x++)
            EXPECT_EQ(tvl::minimapImage.getPixel(x, y), expected[y][x]) << x << ", " << y;
}

TEST_F(MinimapTest, AMapWithoutTilesGivesAnEmptyPicture)
{
    struct Case {
        int w, h;
        size_t tiles;
    } cases[] = {{0, 0, 0}, {0, 5, 0}, {5, 0, 0}, {4, 4, 3}, {-2, 3, 6}};
    for (const Case& c : cases) {
        useTiles(c.w, c.h, std::vector<uint16_t>(c.tiles, 5));
        testing::internal::CaptureStderr();
        tvl::buildMinimap();
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(tvl::minimapImage.getSize(), sf::Vector2u(0, 0)) << c.w << " x " << c.h;
        EXPECT_EQ(tvl::minimapLayout.size, sf::Vector2u(0, 0));
        EXPECT_NE(log.find("the map has no tiles"), std::string::npos) << log;
    }
}

TEST_F(MinimapTest, LayoutRefusesAViewThatIsNotANumber)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(tvl::minimapLayoutFor(500, 500, {nan, 1080}).size, sf::Vector2u(0, 0));
    EXPECT_EQ(tvl::minimapLayoutFor(500, 500, {0, 0}).size, sf::Vector2u(0, 0));
}

TEST_F(MinimapTest, MarkersScaleWithTheMapAndKeepAPixel)
{
    const sf::Vector2f position(100, 200), size(32, 0.5f);
    const float angle = 1.0f;
    const uint8_t red[3] = {255, 0, 0};
    tvl::addMinimapMarker(1, &position, &size, &angle, red);
    ASSERT_EQ(tvl::minimapMarkers.size(), 1u);
    const tvl::MinimapMarker& m = tvl::minimapMarkers[0];
    EXPECT_EQ(m.kind, 1);
    EXPECT_EQ(m.colour, sf::Color(255, 0, 0, 255));
    EXPECT_EQ(m.angle, 1.0f);
    EXPECT_EQ(sizeof(tvl::MinimapMarker), 28u);

    // 2 pixels a tile across, 1 down: a world pixel is 1/8 across, 1/16 down.
    const tvl::MinimapMarkerPlace place = tvl::minimapMarkerPlace(m, {10, 20}, {2, 1});
    EXPECT_EQ(place.centre, sf::Vector2f(10 + 12.5f, 20 + 12.5f));
    EXPECT_EQ(place.size, sf::Vector2f(4, 1)) << "never thinner than a pixel";
}

} // namespace
