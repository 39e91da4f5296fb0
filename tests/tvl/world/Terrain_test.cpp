#include "world/Map.h"
#include "world/Terrain.h"
#include "world/Tileset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// A small fake tile table and map; restored afterwards so other tests see an empty set.
class TerrainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        tvl::tileMaterials[1].shine = 0.5f;
        tvl::tileMaterials[2].shine = 1.5f; // out of range: clamped
        tvl::tileMaterialCount = 3;
        tvl::tileKinds[1] = tvl::TileKindKeyA;
        tvl::tileKinds[2] = tvl::TileKindKeyAMixed;
        tvl::tileKinds[3] = tvl::TileKindKeyB;
        tvl::tileKinds[4] = tvl::TileKindKeyBMixed;
        tvl::tileSpecials[5] = tvl::ConveyorLeft;
        tvl::tileMaterialIndex[6] = 1;
        tvl::tileMaterialIndex[7] = 2;
    }
    void TearDown() override
    {
        tvl::mapTiles.clear();
        tvl::mapWidth = tvl::mapHeight = 0;
        resetTables();
    }
    static void resetTables()
    {
        for (int i = 0; i < tvl::tileCount; ++i) {
            tvl::tileKinds[i] = tvl::TileKindPlain;
            tvl::tileSpecials[i] = tvl::TileSpecialNone;
            tvl::tileMaterialIndex[i] = 0;
            tvl::tileRects[i] = sf::IntRect((i % 32) * 16, (i / 32) * 16, 16, 16);
        }
        for (tvl::TileMaterial& material : tvl::tileMaterials)
            material = tvl::TileMaterial();
        tvl::tileMaterialCount = 0;
    }
    void setMap(int width, int height, std::vector<uint16_t> tiles)
    {
        tvl::mapWidth = width;
        tvl::mapHeight = height;
        tvl::mapTiles = std::move(tiles);
    }
    sf::VertexArray ground, shine;
};

} // namespace

TEST(TerrainCacheSize, PowerOfTwoAtLeastTwiceTheRequest)
{
    struct Case {
        unsigned size, texture;
    } cases[] = {{0, 0}, {1, 2}, {2, 4}, {3, 8}, {320, 1024}, {360, 1024}, {512, 1024}, {513, 2048}, {640, 2048}};
    for (const Case& c : cases)
        EXPECT_EQ(tvl::terrainTextureSize(c.size), c.texture) << c.size;
}

TEST(TerrainCacheSize, RequestCoversTheVisibleWorldWithAMargin)
{
    // At scale 1 and above the cache is sized for the pixels: 1280 x 720 gives 2048 x 1024.
    for (float scale : {1.0f, 1.5f, 2.0f}) {
        const sf::Vector2u request = tvl::terrainCacheRequest({1280, 720}, scale);
        EXPECT_EQ(tvl::terrainTextureSize(request.x), 2048u) << scale;
        EXPECT_EQ(tvl::terrainTextureSize(request.y), 1024u) << scale;
    }
    // Below 1 more world is visible than there are pixels: 0.5 shows 2560 x 1440.
    const sf::Vector2u half = tvl::terrainCacheRequest({1280, 720}, 0.5f);
    EXPECT_GE(tvl::terrainTextureSize(half.x), 2560u + 64u);
    EXPECT_GE(tvl::terrainTextureSize(half.y), 1440u + 64u);
    // A window exactly a power of two wide still leaves room around the view.
    EXPECT_GT(tvl::terrainTextureSize(tvl::terrainCacheRequest({1024, 768}, 1.0f).x), 1024u);
}

TEST(TerrainCacheRebuild, OnlyWhenTheViewLeavesTheArea)
{
    const sf::FloatRect area = tvl::terrainAreaAround({1000, 600}, {1024, 512});
    EXPECT_EQ(area, sf::FloatRect(-32, 80, 2048, 1024)); // -24 and 88 rounded down to 16s
    const sf::Vector2f view(640, 360);
    struct Case {
        sf::Vector2f scroll;
        bool pending, rebuild;
    } cases[] = {
        {{500, 400}, false, false},                 // wholly inside
        {{500, 400}, true, true},                   // forced
        {{-32, 400}, false, true},                  // left edges equal
        {{2016 - 640, 400}, false, true},           // right edge reaches the area's
        {{2016 - 641, 400}, false, false},
        {{500, 1104 - 360}, false, true},           // bottom edge reaches the area's
        {{500, 80.5f}, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::terrainNeedsRebuild(area, c.scroll, view, c.pending), c.rebuild)
            << c.scroll.x << "," << c.scroll.y << " pending " << c.pending;
    // Rebuilt around the new view centre, the view is inside again.
    const sf::Vector2f moved(2016 - 640, 400);
    const sf::FloatRect again = tvl::terrainAreaAround(moved + view / 2.0f, {1024, 512});
    EXPECT_FALSE(tvl::terrainNeedsRebuild(again, moved, view, false));
}

TEST_F(TerrainTest, TilesClassifiedAndPlacedRelativeToTheArea)
{
    // 4 x 2 map: plain, water, shore, acid / acid shore, conveyor, shiny, over-shiny.
    setMap(4, 2, {0, 1, 2, 3, 4, 5, 6, 7});
    const sf::FloatRect area(0, 0, 64, 32);
    const tvl::TerrainContent content = tvl::buildTerrainVertices(area, ground, shine);
    EXPECT_TRUE(content.hasWater);
    EXPECT_TRUE(content.hasAcid);
    EXPECT_TRUE(content.hasConveyors);
    // The walk covers (4 + 1) x (2 + 1) cells; those outside the map are tile 0 (plain).
    // Ground cells: all but kinds 1 and 3 and the conveyor: 15 - 3 = 12.
    ASSERT_EQ(ground.getVertexCount(), 12u * 6);
    ASSERT_EQ(shine.getVertexCount(), ground.getVertexCount());
    // The first triangle is tile (0, 0) at the area's origin, textured from tile 0's cell.
    EXPECT_EQ(ground[0].position, sf::Vector2f(0, 0));
    EXPECT_EQ(ground[2].position, sf::Vector2f(16, 16));
    EXPECT_EQ(ground[2].texCoords, sf::Vector2f(16, 16));
    // The shore (tile 2) is second: cell (2, 0), texture cell 2.
    EXPECT_EQ(ground[6].position, sf::Vector2f(32, 0));
    EXPECT_EQ(ground[6].texCoords, sf::Vector2f(32, 0));
    // Shine: tile 6 (0.5) and tile 7 (1.5 clamped to 1).
    bool sawHalf = false, sawFull = false;
    for (size_t i = 0; i < shine.getVertexCount(); i += 6) {
        const sf::Vector2f at = shine[i].position;
        if (at == sf::Vector2f(32, 16))
            sawHalf = shine[i].color == sf::Color(127, 0, 0, 255);
        if (at == sf::Vector2f(48, 16))
            sawFull = shine[i].color == sf::Color(255, 0, 0, 255);
    }
    EXPECT_TRUE(sawHalf);
    EXPECT_TRUE(sawFull);
}

TEST_F(TerrainTest, AreaAwayFromTheOriginStillStartsAtZero)
{
    // The cache texture's pixel (0, 0) is the area's top-left, wherever the area lies.
    std::vector<uint16_t> tiles(64 * 64, 0);
    tiles[40 * 64 + 33] = 6;
    setMap(64, 64, tiles);
    const sf::FloatRect area(32 * 16, 40 * 16, 64, 64);
    tvl::buildTerrainVertices(area, ground, shine);
    ASSERT_GT(ground.getVertexCount(), 0u);
    EXPECT_EQ(ground[0].position, sf::Vector2f(0, 0));
    EXPECT_EQ(shine[6].position, sf::Vector2f(16, 0));
    EXPECT_EQ(shine[6].color, sf::Color(127, 0, 0, 255));
}

TEST_F(TerrainTest, EmptyAndOutOfSetTiles)
{
    // 65535 is no tile (plain ground); 2000 is outside the set: tile 0's cell and material 0.
    tvl::tileKinds[0] = tvl::TileKindPlain;
    setMap(2, 1, {65535, 2000});
    EXPECT_EQ(tvl::terrainTileAt(0, 0), 0u);
    EXPECT_EQ(tvl::terrainTileAt(1, 0), 2000u);
    EXPECT_EQ(tvl::terrainTileAt(-1, 0), 0u);
    EXPECT_EQ(tvl::terrainTileAt(0, 1), 0u);
    EXPECT_EQ(tvl::terrainTileKind(2000), 0);
    const tvl::TerrainContent content = tvl::buildTerrainVertices(sf::FloatRect(0, 0, 16, 0), ground, shine);
    EXPECT_FALSE(content.hasWater || content.hasAcid || content.hasConveyors);
    ASSERT_EQ(ground.getVertexCount(), 12u);
    EXPECT_EQ(ground[6].texCoords, sf::Vector2f(0, 0));
    EXPECT_EQ(shine[6].color, sf::Color(0, 0, 0, 255));
}

TEST_F(TerrainTest, PlainMapHasNothingAnimated)
{
    setMap(8, 8, std::vector<uint16_t>(64, 6));
    const tvl::TerrainContent content = tvl::buildTerrainVertices(sf::FloatRect(0, 0, 128, 128), ground, shine);
    EXPECT_FALSE(content.hasWater || content.hasAcid || content.hasConveyors);
}

TEST(TerrainConveyors, ScrollNinetyTexelsASecondAndWrap)
{
    EXPECT_FLOAT_EQ(tvl::advanceConveyorOffset(0.0f, 0.1f), 9.0f);
    EXPECT_FLOAT_EQ(tvl::advanceConveyorOffset(9.0f, 0.1f), 2.0f); // 18 wraps to 2
    // One 16-texel cycle every 16 / 90 s.
    float offset = 0.0f;
    for (int i = 0; i < 160; ++i)
        offset = tvl::advanceConveyorOffset(offset, 1.0f / 900.0f);
    EXPECT_NEAR(offset, 0.0f, 1e-3);
    EXPECT_GE(tvl::advanceConveyorOffset(15.9f, 100.0f), 0.0f);
    EXPECT_LT(tvl::advanceConveyorOffset(15.9f, 100.0f), 16.0f);

    struct Case {
        uint32_t special;
        sf::Vector2f start;
    } cases[] = {{tvl::ConveyorUp, {0, 4}},    {tvl::ConveyorDown, {0, 12}},  {tvl::ConveyorLeft, {4, 0}},
                 {tvl::ConveyorRight, {12, 0}}, {tvl::TileSpecialNone, {0, 0}}};
    for (const Case& c : cases)
        EXPECT_EQ(tvl::conveyorTextureStart(c.special, 4.0f), c.start) << c.special;
}

TEST(TerrainAcid, TextureCoordinatesWrapAtTheAcidTexturesOwnSize)
{
    EXPECT_EQ(tvl::acidTextureStart(3, 2, {512, 512}), sf::Vector2f(48, 32));
    EXPECT_EQ(tvl::acidTextureStart(33, 2, {512, 512}), sf::Vector2f(16, 32));
    EXPECT_EQ(tvl::acidTextureStart(33, 20, {256, 128}), sf::Vector2f(16, 64));
    EXPECT_EQ(tvl::acidTextureStart(3, 2, {0, 0}), sf::Vector2f(0, 0));
}

TEST_F(TerrainTest, CellsDrawnOneByOneMakeTheWholeBuild)
{
    // Every tile kind somewhere in a 6 x 5 map, the area reaching past its edges.
    std::vector<uint16_t> tiles(30);
    for (size_t i = 0; i < tiles.size(); ++i)
        tiles[i] = static_cast<uint16_t>(i % 8);
    setMap(6, 5, tiles);
    const sf::FloatRect area(-32, 16, 128, 64);
    const tvl::TerrainContent whole = tvl::buildTerrainVertices(area, ground, shine);
    const tvl::TerrainContent content = tvl::terrainContent(area);
    EXPECT_EQ(content.hasWater, whole.hasWater);
    EXPECT_EQ(content.hasAcid, whole.hasAcid);
    EXPECT_EQ(content.hasConveyors, whole.hasConveyors);

    // The whole build walks one column and row past the area; those lie outside its texture.
    sf::VertexArray cellGround, cellShine;
    size_t at = 0;
    for (int row = 0; row <= 4; ++row)
        for (int column = 0; column <= 8; ++column) {
            cellGround.clear();
            cellShine.clear();
            tvl::appendTerrainCell(area, column, row, cellGround, cellShine);
            ASSERT_EQ(cellGround.getVertexCount(), cellShine.getVertexCount());
            for (size_t i = 0; i < cellGround.getVertexCount(); ++i, ++at) {
                ASSERT_LT(at, ground.getVertexCount()) << column << "," << row;
                EXPECT_EQ(cellGround[i].position, ground[at].position);
                EXPECT_EQ(cellGround[i].texCoords, ground[at].texCoords);
                EXPECT_EQ(cellShine[i].color, shine[at].color);
            }
        }
    EXPECT_EQ(at, ground.getVertexCount());
}

TEST(TerrainCells, AMoveKeepsWhatStaysAndLeavesTheRestPending)
{
    tvl::TerrainCells cells;
    tvl::resetTerrainCells(cells, {64, 33}, true); // 4 x 3 cells, the last row partly covered
    ASSERT_EQ(cells.columns, 4u);
    ASSERT_EQ(cells.rows, 3u);
    EXPECT_EQ(cells.pending, 0u);
    cells.drawn[1 * 4 + 3] = 0; // (3, 1) still pending before the move
    cells.pending = 1;
    std::vector<uint8_t> spare;
    // The area moves one cell right and one down: new (c, r) is old (c + 1, r + 1).
    tvl::moveTerrainCells(cells, spare, {1, 1});
    const uint8_t expected[12] = {1, 1, 0, 0, // old row 1: (1, 1), (2, 1), (3, 1) pending, outside
                                  1, 1, 1, 0, // old row 2
                                  0, 0, 0, 0}; // outside
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(cells.drawn[i], expected[i]) << i;
    EXPECT_EQ(cells.pending, 7u);

    // Moved further than the grid: nothing stays.
    tvl::moveTerrainCells(cells, spare, {-4, 0});
    EXPECT_EQ(cells.pending, 12u);
}

TEST(TerrainCells, WhatTheViewNeedsFirstThenTheNearestWithinTheBudget)
{
    tvl::TerrainCells cells;
    tvl::resetTerrainCells(cells, {160, 160}, false); // 10 x 10, all pending
    std::vector<uint32_t> picked;
    const auto isPicked = [&](int column, int row) {
        return std::find(picked.begin(), picked.end(), static_cast<uint32_t>(row * 10 + column)) != picked.end();
    };
    // The need (3..5 x 3..4, 6 cells) is drawn whole even with no budget.
    tvl::pickTerrainCells(cells, sf::IntRect(3, 3, 3, 2), 0, picked);
    EXPECT_EQ(picked.size(), 6u);
    EXPECT_TRUE(isPicked(3, 3) && isPicked(5, 4));
    EXPECT_EQ(cells.pending, 94u);

    // Drawn cells are not drawn again; the budget goes to the nearest ring (2..6 x 2..5, 14 cells).
    tvl::pickTerrainCells(cells, sf::IntRect(3, 3, 3, 2), 10, picked);
    EXPECT_EQ(picked.size(), 10u);
    for (const uint32_t cell : picked) {
        const int column = static_cast<int>(cell % 10), row = static_cast<int>(cell / 10);
        EXPECT_TRUE(column >= 2 && column <= 6 && row >= 2 && row <= 5) << column << "," << row;
        EXPECT_FALSE(column >= 3 && column <= 5 && row >= 3 && row <= 4) << column << "," << row;
    }
    EXPECT_EQ(cells.pending, 84u);

    // A need partly outside the grid is clipped; a large budget reaches the far corner.
    tvl::pickTerrainCells(cells, sf::IntRect(-2, -2, 4, 4), 1000, picked);
    EXPECT_EQ(cells.pending, 0u);
    EXPECT_EQ(picked.size(), 84u);
    EXPECT_TRUE(isPicked(9, 9));
    EXPECT_TRUE(std::all_of(cells.drawn.begin(), cells.drawn.end(), [](uint8_t d) { return d == 1; }));
}
