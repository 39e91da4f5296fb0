#include "world/Images.h"

#include <gtest/gtest.h>

namespace {

tvl::ImageDefinitions read(const std::string& text, int maxToRead = tvl::maxImages)
{
    kv::IniFile ini;
    ini.loadFromText(text);
    return tvl::readImageDefinitions(ini, "Sub\\Default.png", maxToRead);
}

} // namespace

TEST(ImageDefinitions, NoFileGivesOneWholePictureImageWithDefaults)
{
    for (const char* text : {"", "[info]\nimagesCount=\n", "[image0]\nrect=\n"}) {
        const tvl::ImageDefinitions d = read(text);
        EXPECT_EQ(d.imagesCount, 1) << text;
        ASSERT_EQ(d.images.size(), 1u) << text;
        const tvl::ImageDefinition& image = d.images[0];
        EXPECT_EQ(image.imageName, "Sub\\Default.png");
        EXPECT_FALSE(image.rect.has_value());
        EXPECT_EQ(image.turnSpeed, 0.0f);
        EXPECT_EQ(image.rotateSpeed, 0.0f);
        EXPECT_FALSE(image.randomTurn);
        EXPECT_FALSE(image.isTree);
    }
}

TEST(ImageDefinitions, SheetOfThreeImagesReadsEachSection)
{
    const tvl::ImageDefinitions d = read("[info]\nimagesCount=3\n"
                                         "[image0]\nimageName=Oak.png\nrect=0,0,32,32\nisTree=yes\n"
                                         "[IMAGE1]\nimageName=Pine\nrect= 32, 0, 32, 32\nisTree=TRUE\n"
                                         "turnSpeed=12.5\nrotateSpeed=-90\nrandomTurn=1\n"
                                         "[image2]\nimageName=\n");
    EXPECT_EQ(d.imagesCount, 3);
    ASSERT_EQ(d.images.size(), 3u);
    EXPECT_EQ(d.images[0].imageName, "Oak.png");
    EXPECT_EQ(d.images[0].rect, sf::IntRect(0, 0, 32, 32));
    EXPECT_TRUE(d.images[0].isTree);
    EXPECT_FALSE(d.images[0].randomTurn);
    EXPECT_EQ(d.images[1].imageName, "Pine");
    EXPECT_EQ(d.images[1].rect, sf::IntRect(32, 0, 32, 32));
    EXPECT_TRUE(d.images[1].isTree);
    EXPECT_TRUE(d.images[1].randomTurn);
    EXPECT_FLOAT_EQ(d.images[1].turnSpeed, 12.5f);
    EXPECT_FLOAT_EQ(d.images[1].rotateSpeed, -90.0f);
    // A present but empty name is kept; only an absent key takes the default.
    EXPECT_EQ(d.images[2].imageName, "");
}

TEST(ImageDefinitions, RectNeedsExactlyFourParts)
{
    const struct {
        const char* rect;
        std::optional<sf::IntRect> expected;
    } cases[] = {
        {"0,0,32", std::nullopt},
        {" 32, 0, 32, 32", sf::IntRect(32, 0, 32, 32)},
        {"1,2,3,4,5", std::nullopt},
        {"1,,3,4", sf::IntRect(1, 0, 3, 4)},
        {"\t8 ,16,\t24 , 40 ", sf::IntRect(8, 16, 24, 40)},
        {"abc", std::nullopt},
    };
    for (const auto& c : cases) {
        const tvl::ImageDefinitions d = read(std::string("[image0]\nrect=") + c.rect + "\n");
        ASSERT_EQ(d.images.size(), 1u);
        EXPECT_EQ(d.images[0].rect, c.expected) << c.rect;
    }
}

TEST(ImageDefinitions, BooleansAcceptTrueYesAndOneOnly)
{
    const struct {
        const char* value;
        bool expected;
    } cases[] = {{"true", true}, {"YES", true}, {"1", true}, {"on", false},
                 {"0", false},   {"2", false},  {"", false},  {"yes please", false}};
    for (const auto& c : cases) {
        const tvl::ImageDefinitions d =
            read(std::string("[image0]\nrandomTurn=") + c.value + "\nisTree=" + c.value + "\n");
        ASSERT_EQ(d.images.size(), 1u);
        EXPECT_EQ(d.images[0].randomTurn, c.expected) << c.value;
        EXPECT_EQ(d.images[0].isTree, c.expected) << c.value;
    }
}

TEST(ImageDefinitions, CountBelowOneMakesNoImageAndTheReadStopsAtTheRoomLeft)
{
    for (const char* count : {"0", "-3", "none"}) {
        const tvl::ImageDefinitions d = read(std::string("[info]\nimagesCount=") + count + "\n[image0]\n");
        EXPECT_LT(d.imagesCount, 1) << count;
        EXPECT_TRUE(d.images.empty()) << count;
    }
    const tvl::ImageDefinitions cut = read("[info]\nimagesCount=5\n[image1]\nimageName=Second\n", 2);
    EXPECT_EQ(cut.imagesCount, 5);
    ASSERT_EQ(cut.images.size(), 2u);
    EXPECT_EQ(cut.images[1].imageName, "Second");
    // A huge count from a file reads no more than the table holds.
    EXPECT_EQ(read("[info]\nimagesCount=2147483647\n").images.size(), size_t(tvl::maxImages));
    EXPECT_TRUE(read("[info]\nimagesCount=4\n", 0).images.empty());
}

TEST(ImageDefinitions, CompanionAndMaskPathsFollowThePicture)
{
    EXPECT_EQ(tvl::imageDefinitionPath("base\\images\\Sub\\Trees.png"), "base\\images\\Sub\\Trees.ini");
    EXPECT_EQ(tvl::imageMaskPath("base\\images\\Ship03.png"), "base\\images\\Ship03_mask.png");
    EXPECT_EQ(tvl::imageMaskPath("base\\images\\Ship03.x.PNG"), "base\\images\\Ship03.x_mask.PNG");
    EXPECT_EQ(tvl::imageMaskPath("base\\my.folder\\Pic"), "base\\my.folder\\Pic_mask");
}

TEST(ImageDefinitions, EmptyTablesFindNothing)
{
    tvl::resetImageTables();
    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::getImageNumber("", true), 0);
    EXPECT_EQ(tvl::getImageNumber("Ship03.png", false), 0);
    EXPECT_EQ(tvl::findTextureFile(""), 0);
    EXPECT_EQ(tvl::findTextureFile("base\\images\\Ship03.png"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("Unable to find"), std::string::npos);
}
