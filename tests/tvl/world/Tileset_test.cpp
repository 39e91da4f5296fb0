#include "support/TempDir.h"
#include "world/Tileset.h"

#include <gtest/gtest.h>

namespace {

const sf::Color keyA(115, 113, 255, 255);
const sf::Color keyB(131, 255, 131, 255);
const sf::Color grass(40, 160, 40, 255);

void fillCell(sf::Image& image, int tile, sf::Color colour)
{
    unsigned left = (tile % 32) * 16, top = (tile / 32) * 16;
    for (unsigned y = 0; y < 16; y++)
        for (unsigned x = 0; x < 16; x++)
            image.setPixel(left + x, top + y, colour);
}

void setInCell(sf::Image& image, int tile, unsigned x, unsigned y, sf::Color colour)
{
    image.setPixel((tile % 32) * 16 + x, (tile / 32) * 16 + y, colour);
}

} // namespace

TEST(Tileset, KindsFromKeyColoursAndKeyPixelsCleared)
{
    sf::Image image;
    image.create(512, 512, grass);
    fillCell(image, 1, keyA);                  // water
    fillCell(image, 2, grass);                 // shore: key A at the centre on grass
    setInCell(image, 2, 8, 8, keyA);
    setInCell(image, 2, 0, 0, keyA);
    fillCell(image, 3, keyA);                  // both keys, nothing else
    setInCell(image, 3, 5, 5, keyB);
    fillCell(image, 4, keyB);                  // acid
    setInCell(image, 5, 3, 3, keyB);           // acid shore on grass
    setInCell(image, 6, 3, 3, keyB);           // key A wins over key B with other colours
    setInCell(image, 6, 4, 4, keyA);
    setInCell(image, 1023, 15, 15, keyA);      // the last cell is scanned too

    bool changed = false;
    ASSERT_TRUE(tvl::analyseTilesetImage(image, &changed));
    EXPECT_TRUE(changed);
    const uint8_t expected[] = {0, 1, 2, 1, 3, 4, 2};
    for (int t = 0; t < 7; t++)
        EXPECT_EQ(tvl::tileKinds[t], expected[t]) << "tile " << t;
    EXPECT_EQ(tvl::tileKinds[1023], tvl::TileKindKeyAMixed);

    EXPECT_EQ(image.getPixel(16 + 3, 3), keyA) << "pure water keeps its pixels";
    EXPECT_EQ(image.getPixel(32 + 8, 8), sf::Color(0, 0, 0, 0)) << "shore key pixel cleared";
    EXPECT_EQ(image.getPixel(32 + 1, 1), grass);
    EXPECT_EQ(image.getPixel(80 + 3, 3), sf::Color(0, 0, 0, 0)) << "acid shore cleared";
    EXPECT_EQ(image.getPixel(96 + 3, 3), keyB) << "kind 2 clears only key A";
    EXPECT_EQ(tvl::tileMinimapColours[2], keyA) << "minimap colour taken before clearing";
    EXPECT_EQ(tvl::tileMinimapColours[0], grass);
    EXPECT_EQ(tvl::tileRects[33], sf::IntRect(16, 16, 16, 16));
}

TEST(Tileset, PictureSmallerThan512IsRefused)
{
    testsupport::TempDir dir;
    sf::Image small;
    small.create(512, 256, grass);
    std::string path = (dir.path() / "Small.png").string();
    ASSERT_TRUE(small.saveToFile(path));

    tvl::tileKinds[700] = 3;
    sf::Image image;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tvl::prepareTilesetImage(path, image));
    EXPECT_FALSE(tvl::prepareTilesetImage((dir.path() / "Missing.png").string(), image));
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("smaller than 512x512"), std::string::npos) << log;
    EXPECT_EQ(tvl::tilesetError, "Failed to load tileset texture: " + (dir.path() / "Missing.png").string());
    EXPECT_EQ(tvl::tileKinds[700], 3) << "no table touched";
    EXPECT_FALSE(tvl::analyseTilesetImage(small));
}

TEST(Tileset, MaterialsFile)
{
    testsupport::TempDir dir;
    dir.write("Tiles.ini", "[info]\nnumMats=3\n"
                           "[mat0]\nname=Rock\nshine=0.25\n"
                           "[mat1]\nname=grass\nshine=7\n"
                           "[mat2]\nshine=-1\n"
                           "[tileMats]\n5=Rock\n6=Nowhere\n7=WATER\n"
                           "[tileSpecials]\n10=ConveyorUp\n11=ConveyorDown\n12=ConveyorLeft\n"
                           "13=ConveyorRight\n14=conveyorup\n15=Belt\n");
    std::string path = (dir.path() / "Tiles.ini").string();
    tvl::loadTileMaterials(path);
    tvl::loadTileMaterials(path); // a second load starts again, not appending
    ASSERT_EQ(tvl::tileMaterialCount, 3);
    EXPECT_EQ(tvl::tileMaterials[0].name.name, "Rock");
    EXPECT_EQ(tvl::tileMaterials[0].shine, 0.25f);
    EXPECT_EQ(tvl::tileMaterials[1].shine, 1.0f) << "shine clamped";
    EXPECT_EQ(tvl::tileMaterials[2].name.name, "(none)");
    EXPECT_EQ(tvl::tileMaterials[2].shine, 0.0f);
    EXPECT_EQ(tvl::tileMaterialIndex[0], 1u) << "absent tile is Grass, matched without case";
    EXPECT_EQ(tvl::tileMaterialIndex[5], 0u);
    EXPECT_EQ(tvl::tileMaterialIndex[6], 0u) << "unknown material";
    EXPECT_EQ(tvl::tileMaterialIndex[7], 0u);
    EXPECT_EQ(tvl::tileMaterialIndex[1023], 1u);
    const uint32_t specials[] = {1, 2, 3, 4, 0, 0};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(tvl::tileSpecials[10 + i], specials[i]) << 10 + i;
    EXPECT_EQ(tvl::tileSpecials[0], 0u);

    struct Count {
        const char* numMats;
        int expected;
    };
    for (Count c : {Count{"200", 127}, Count{"-4", 0}, Count{"abc", 0}}) {
        dir.write("Count.ini", std::string("[info]\nnumMats=") + c.numMats + "\n");
        tvl::loadTileMaterials((dir.path() / "Count.ini").string());
        EXPECT_EQ(tvl::tileMaterialCount, c.expected) << c.numMats;
    }

    tvl::loadTileMaterials((dir.path() / "Missing.ini").string());
    EXPECT_EQ(tvl::tileMaterialCount, 0);
    EXPECT_EQ(tvl::tileMaterialIndex[0], 0u);
    EXPECT_EQ(tvl::tileSpecials[10], 0u);
    EXPECT_EQ(tvl::tileSpecialFromName(""), tvl::TileSpecialNone);
}
