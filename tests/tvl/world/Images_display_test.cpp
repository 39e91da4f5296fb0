#include "support/Display.h"

#include "core/Framework.h"
#include "core/Settings.h"
#include "platform/FileSystem.h"
#include "support/PictureFile.h"
#include "support/Strings.h"
#include "support/TempDir.h"
#include "support/TestWindow.h"
#include "world/Images.h"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using testsupport::countOf;

void openWindow()
{
    kv::clearPathCache();
    ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(640, 480));
}

class ImagesDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        dir.enter();
        openWindow();
        tvl::Images::createDefault();
        ASSERT_EQ(tvl::imageCount, 1);
    }

    void writePicture(const std::string& relative, unsigned width, unsigned height,
                      const sf::Color& colour = sf::Color::Green)
    {
        testsupport::writePicture(dir, relative, width, height, colour);
    }

    testsupport::TempDir dir;
};

} // namespace

TEST_F(ImagesDisplay, PlaceholderIsImageZeroAndAMissingFolderAddsNothing)
{
    const tvl::ImageRecord& image = (*tvl::images)[0];
    const tvl::TextureRecord& texture = (*tvl::textures)[0];
    EXPECT_EQ(tvl::textureCount, 1);
    EXPECT_EQ(image.name.name, "(none)");
    EXPECT_EQ(image.fileName.name, "(none)");
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 64);
    EXPECT_EQ(image.sprite.getTexture(), &texture.texture);
    EXPECT_EQ(image.sprite.getOrigin(), sf::Vector2f(32, 32));
    ASSERT_EQ(texture.texture.getSize(), sf::Vector2u(64, 64));
    EXPECT_EQ(texture.texture.copyToImage().getPixel(63, 63), sf::Color(128, 10, 10, 255));
    EXPECT_EQ(tvl::getImageNumber("(none)", false), 0);

    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::loadImagesFolder(), 0);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Loaded 0 image texture(s) from base\\images\\"), std::string::npos) << log;
    EXPECT_EQ(tvl::imageCount, 1);
    EXPECT_EQ(tvl::textureCount, 1);
    EXPECT_EQ(tvl::getImageNumber("Ship03.png", false), 0);

    // A second start empties the tables again.
    writePicture("base/images/A.png", 4, 4);
    ASSERT_EQ(tvl::loadImagesFolder(), 1);
    tvl::Images::createDefault();
    EXPECT_EQ(tvl::imageCount, 1);
    EXPECT_EQ(tvl::textureCount, 1);
    EXPECT_EQ(tvl::getImageNumber("A", false), 0);
}

TEST_F(ImagesDisplay, NamesMatchWithoutCaseOrExtension)
{
    writePicture("base/images/Ship03.png", 32, 32);
    writePicture("base/images/Sub/Rock.png", 8, 8);
    ASSERT_EQ(tvl::loadImagesFolder(), 2);
    const int ship = tvl::getImageNumber("Ship03.png", false);
    ASSERT_GT(ship, 0);
    for (const char* name : {"SHIP03.PNG", "Ship03", "ship03.bmp"})
        EXPECT_EQ(tvl::getImageNumber(name, false), ship) << name;
    EXPECT_EQ((*tvl::images)[ship].fileName.name, "Ship03.png");
    EXPECT_EQ(tvl::findTextureFile("BASE\\IMAGES\\ship03.tga"), (*tvl::images)[ship].textureIndex);

    // A picture in a sub-folder is named by its relative path.
    EXPECT_GT(tvl::getImageNumber("sub\\rock.png", false), 0);
    EXPECT_EQ(tvl::getImageNumber("Rock.png", false), 0);

    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::getImageNumber("Nope.png", false), 0);
    EXPECT_EQ(tvl::getImageNumber("", true), 0);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("Unable to find"), std::string::npos) << log;
    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::getImageNumber("Nope.png", true), 0);
    log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(log, "Error: getImageNumber: Unable to find image Nope\n"), 1) << log;
}

TEST_F(ImagesDisplay, DefinitionFileCutsImagesFromOneTexture)
{
    writePicture("base/images/Trees.png", 64, 32);
    dir.write("base/images/Trees.ini", "[info]\nimagesCount=3\n"
                                       "[image0]\nimageName=Oak.png\nrect=0,0,32\nisTree=yes\n"
                                       "[image1]\nimageName=Pine.png\nrect= 32, 0, 32, 32\nrotateSpeed=30\n"
                                       "[image2]\n");
    writePicture("base/images/Marker.png", 16, 16);
    dir.write("base/images/Marker.ini", "[info]\nimagesCount=0\n");
    const int texturesBefore = tvl::textureCount;

    ASSERT_TRUE(tvl::Images::addTextureFile("base\\images\\Trees.png", "Trees.png"));
    ASSERT_EQ(tvl::imageCount, 4);
    const tvl::ImageRecord& oak = (*tvl::images)[tvl::getImageNumber("Oak", false)];
    const tvl::ImageRecord& pine = (*tvl::images)[tvl::getImageNumber("Pine", false)];
    const tvl::ImageRecord& third = (*tvl::images)[tvl::getImageNumber("Trees.png", false)];
    EXPECT_EQ(&oak, &(*tvl::images)[1]);
    EXPECT_EQ(&pine, &(*tvl::images)[2]);
    EXPECT_EQ(&third, &(*tvl::images)[3]);
    for (const tvl::ImageRecord* image : {&oak, &pine, &third})
        EXPECT_EQ(image->textureIndex, texturesBefore);

    EXPECT_EQ(oak.sprite.getTextureRect(), sf::IntRect(0, 0, 64, 32));
    EXPECT_EQ(oak.width, 64);
    EXPECT_EQ(oak.height, 32);
    EXPECT_EQ(oak.sprite.getOrigin(), sf::Vector2f(32, 16));
    EXPECT_TRUE(oak.isTree);
    EXPECT_EQ(pine.sprite.getTextureRect(), sf::IntRect(32, 0, 32, 32));
    EXPECT_EQ(pine.sprite.getOrigin(), sf::Vector2f(16, 16));
    EXPECT_EQ(pine.width, 32);
    EXPECT_FLOAT_EQ(pine.rotateSpeed, 30.0f);
    EXPECT_FALSE(pine.isTree);
    EXPECT_EQ(pine.sprite.getTexture(), &(*tvl::textures)[texturesBefore].texture);

    // No image asked for: the texture is kept and the call succeeds.
    ASSERT_TRUE(tvl::Images::addTextureFile("base\\images\\Marker.png", "Marker.png"));
    EXPECT_EQ(tvl::imageCount, 4);
    EXPECT_EQ(tvl::textureCount, texturesBefore + 2);
    EXPECT_EQ(tvl::findTextureFile("base\\images\\Marker.png"), texturesBefore + 1);
    EXPECT_EQ(tvl::getImageNumber("Marker", false), 0);
}

TEST_F(ImagesDisplay, MaskBesideAPictureIsLoadedAndDefinitionFilesAreNoPictures)
{
    writePicture("base/images/car.png", 16, 16);
    writePicture("base/images/car_mask.png", 16, 16, sf::Color::White);
    writePicture("base/images/rock.png", 16, 16);
    dir.write("base/images/rock.ini", "[image0]\nisTree=1\n");
    dir.write("base/images/notes.txt", "not a picture");
    writePicture("base/images/Sub/tyre.PNG", 8, 8);
    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::loadImagesFolder(), 4) << "pictures only, in any case";
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(log, "Error"), 0) << log;

    const tvl::TextureRecord& car = (*tvl::textures)[(*tvl::images)[tvl::getImageNumber("car", false)].textureIndex];
    EXPECT_TRUE(car.hasMask);
    EXPECT_EQ(car.mask.getSize(), sf::Vector2u(16, 16));
    EXPECT_TRUE(car.mask.isSmooth());
    EXPECT_TRUE(car.texture.isSmooth());
    // The mask is an ordinary picture of the folder too.
    EXPECT_GT(tvl::getImageNumber("car_mask", false), 0);
    const int rock = tvl::getImageNumber("rock", false);
    ASSERT_GT(rock, 0);
    EXPECT_TRUE((*tvl::images)[rock].isTree);
    EXPECT_FALSE((*tvl::textures)[(*tvl::images)[rock].textureIndex].hasMask);
    EXPECT_GT(tvl::getImageNumber("Sub\\tyre", false), 0);
    EXPECT_EQ(tvl::textureCount, 5);
    EXPECT_EQ(tvl::imageCount, 5);
}

TEST_F(ImagesDisplay, UnloadablePictureFreesItsSlotAgain)
{
    dir.write("base/images/broken.png", "not a picture");
    writePicture("base/images/good.png", 8, 8);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tvl::Images::addTextureFile("base\\images\\broken.png", "broken.png"));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(log, "Error: Error Loading image from base\\images\\broken.png\n"), 1) << log;
    EXPECT_EQ(tvl::textureCount, 1);
    EXPECT_EQ(tvl::imageCount, 1);
    EXPECT_EQ(tvl::findTextureFile("base\\images\\broken.png"), 0);
    EXPECT_EQ(tvl::getImageNumber("broken", false), 0);
    EXPECT_FALSE(tvl::loadImageTexture(1));
    EXPECT_FALSE(tvl::loadImageTexture(-1));

    ASSERT_TRUE(tvl::Images::addTextureFile("base\\images\\good.png", "good.png"));
    EXPECT_EQ(tvl::findTextureFile("base\\images\\good.png"), 1);
    EXPECT_EQ((*tvl::textures)[1].path.name, "base\\images\\good.png");
}

TEST_F(ImagesDisplay, TablesStopAtTheirCapacity)
{
    // A sheet asking for more images than fit fills the table and says so once.
    writePicture("base/images/Many.png", 4, 4);
    dir.write("base/images/Many.ini", "[info]\nimagesCount=3000\n");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(tvl::Images::addTextureFile("base\\images\\Many.png", "Many.png"));
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(tvl::imageCount, tvl::maxImages);
    EXPECT_EQ(countOf(log, "Error: Images::addTextureFile: Cannot load more than 2048 images\n"), 1) << log;

    writePicture("base/images/Other.png", 4, 4);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tvl::Images::addTextureFile("base\\images\\Other.png", "Other.png"));
    log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(log, "Images::addTextureFile: Cannot load more than 2048 images"), 1) << log;
    EXPECT_EQ(tvl::textureCount, 2);

    // The texture table has its own limit, even where pictures make no image.
    tvl::Images::createDefault();
    tvl::textureCount = tvl::maxTextures;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tvl::Images::addTextureFile("base\\images\\Other.png", "Other.png"));
    log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(log, "Images::addTextureFile: Cannot load more than 2048 textures"), 1) << log;
    EXPECT_EQ(tvl::textureCount, tvl::maxTextures);
    EXPECT_EQ(tvl::imageCount, 1);
}

TEST_F(ImagesDisplay, FolderScanStopsWhenTheImageTableIsFull)
{
    writePicture("base/images/A.png", 4, 4);
    dir.write("base/images/A.ini", "[info]\nimagesCount=2046\n");
    for (const char* name : {"B.png", "C.png", "D.png"})
        writePicture(std::string("base/images/") + name, 4, 4);
    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::loadImagesFolder(), 2);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(tvl::imageCount, tvl::maxImages);
    EXPECT_EQ(countOf(log, "Cannot load more than 2048 images"), 1) << log;
    EXPECT_EQ(countOf(log, "Error: Cannot load more than 2048 images\n"), 1) << log;
    EXPECT_NE(log.find("Loaded 2 image texture(s) from base\\images\\"), std::string::npos) << log;
    EXPECT_GT(tvl::getImageNumber("B", false), 0);
    EXPECT_EQ(tvl::findTextureFile("base\\images\\C.png"), 0);
}

TEST(ImagesGameTree, EveryGeneratedPictureLoadsWithoutErrors)
{
    REQUIRE_DISPLAY();
    ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
    openWindow();
    testing::internal::CaptureStderr();
    tvl::Images::createDefault();
    const int added = tvl::loadImagesFolder();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(log, "Error"), 0) << log;
    EXPECT_EQ(countOf(log, "SFML"), 0) << log;
    EXPECT_EQ(added, tvl::textureCount - 1);

    for (const char* name : {"Ship03.png", "Ship03_mask.png", "Token.png", "EnergyPulse.png", "DronePulse.png",
                             "Missile.png", "Sheep.png", "Nitro.png", "Bomb.png", "EMP.png", "TimeWarp.png",
                             "Gun.png", "Drone.png"})
        EXPECT_GT(tvl::getImageNumber(name, false), 0) << name;
    const tvl::ImageRecord& ship = (*tvl::images)[tvl::getImageNumber("Ship03.png", false)];
    EXPECT_TRUE((*tvl::textures)[ship.textureIndex].hasMask);
    const tvl::ImageRecord& sheep = (*tvl::images)[tvl::getImageNumber("Sheep.png", false)];
    EXPECT_TRUE(sheep.randomTurn);
    EXPECT_FLOAT_EQ(sheep.turnSpeed, 45.0f);
}
