#include "support/Display.h"

#include "core/Framework.h"
#include "core/Settings.h"
#include "graphics/Textures.h"
#include "platform/FileSystem.h"
#include "support/FreshProcess.h"
#include "support/PcxFile.h"
#include "support/PictureFile.h"
#include "support/TempDir.h"
#include "support/TestWindow.h"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

namespace {

// A 640 x 480 window with the scratch folder as the working folder.
void openTextureWindow(testsupport::TempDir& dir)
{
    dir.enter();
    kv::clearPathCache();
    ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(640, 480));
}

using testsupport::writePicture;

class TexturesDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(openTextureWindow(dir));
    }

    testsupport::TempDir dir;
};

// The default texture and the icon sheet are made once in a process and kept: what they are
// before that, and what the first load makes of the folder, is seen in a process of its own.
void inFreshTextureProcess(const std::function<void(testsupport::TempDir&)>& body)
{
    REQUIRE_DISPLAY();
    if (testing::Test::HasFatalFailure())
        return;
    testsupport::inFreshProcess([&] {
        testsupport::TempDir dir;
        ASSERT_NO_FATAL_FAILURE(openTextureWindow(dir));
        body(dir);
    });
}

int errorLines(const std::string& log)
{
    int count = 0;
    for (size_t at = log.find("Error: "); at != std::string::npos; at = log.find("Error: ", at + 1))
        ++count;
    return count;
}

bool allPixels(const sf::Texture& texture, const sf::Color& colour)
{
    const sf::Image image = texture.copyToImage();
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            if (image.getPixel(x, y) != colour)
                return false;
    return true;
}

} // namespace

TEST(TexturesFirstUse, InternalTexturesLoadTheFolderAndFindNamesWithoutCase)
{
    inFreshTextureProcess([](testsupport::TempDir& dir) {
        // Nothing is made before start-up asks: a sprite built now has no texture yet...
        EXPECT_EQ(kv::InternalTextures::findDefaultTexture(), nullptr);
        kv::sfSprite early;
        EXPECT_EQ(early.getTexture(), nullptr);

        writePicture(dir, "kvui3/Textures/CheckBox_Checked.png", 16, 8, sf::Color::Red);
        writePicture(dir, "kvui3/Textures/Sub/Deep.PNG", 4, 4, sf::Color::Green);
        writePicture(dir, "kvui3/Textures/.hidden/Hidden.png", 4, 4, sf::Color::Blue);
        dir.write("kvui3/Textures/notes.txt", "not a picture");
        dir.write("kvui3/Textures/broken.png", "not a picture either");
        testing::internal::CaptureStderr();
        EXPECT_TRUE(kv::InternalTextures::loadTextures());
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(errorLines(log), 1) << log;
        EXPECT_NE(log.find("InternalTextures::loadTextures: Unable to load texture from kvui3\\textures\\broken.png"),
                  std::string::npos)
            << log;

        const std::deque<kv::InternalTexture>& list = *kv::internalTextures;
        ASSERT_EQ(list.size(), 3u);
        EXPECT_EQ(list[0].name, "(no texture)");
        EXPECT_EQ(list[0].size, sf::Vector2u(64, 64));
        EXPECT_TRUE(allPixels(list[0].texture, sf::Color::White));
        EXPECT_EQ(list[1].name, "CheckBox_Checked.png");
        EXPECT_EQ(list[2].name, "Deep.PNG");

        const struct {
            const char* name;
            int index;
        } lookups[] = {
            {"CheckBox_Checked", 1}, {"checkbox_checked.PNG", 1}, {"nope", 0}, {"deep", 2},
            {"CheckBox.Checked", 0}, // has a dot: no ".png" added
            {"Hidden", 0},           // dot-folders are not read
        };
        for (const auto& lookup : lookups)
            EXPECT_EQ(kv::InternalTextures::getTextureIndex(lookup.name), lookup.index) << lookup.name;
        EXPECT_EQ(kv::InternalTextures::getTexture("checkbox_checked").size, sf::Vector2u(16, 8));

        // ...and the first draw shows the default texture.
        sf::RenderTexture target;
        ASSERT_TRUE(target.create(8, 8));
        target.clear(sf::Color::Black);
        target.draw(early);
        target.display();
        EXPECT_TRUE(allPixels(target.getTexture(), sf::Color::White));

        // The default texture keeps its address through a reload and the shutdown unload.
        const sf::Texture* first = &list[0].texture;
        kv::sfSprite late;
        EXPECT_EQ(late.getTexture(), first);
        kv::InternalTextures::loadTextures();
        kv::InternalTextures::unloadTextures();
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(&list[0].texture, first);
        EXPECT_EQ(first->getSize(), sf::Vector2u(64, 64));
        EXPECT_EQ(kv::InternalTextures::getTextureIndex("CheckBox_Checked"), 0);
    });
}

TEST(TexturesFirstUse, IconsAreCutFromTheSheet)
{
    inFreshTextureProcess([](testsupport::TempDir& dir) {
        writePicture(dir, "kvui3/Textures/Icons.png", 1024, 1024, sf::Color(10, 20, 30));
        testing::internal::CaptureStderr();
        const struct {
            int index;
            sf::IntRect rect;
        } cases[] = {
            {0, {16, 16, 32, 32}},
            {17, {80, 80, 32, 32}},
            {140, {794, 528, 12, 32}}, // the separator
            {255, {976, 976, 32, 32}},
            {-1, {0, 0, 64, 64}}, // out of range: the whole default texture
            {256, {0, 0, 64, 64}},
        };
        for (const auto& c : cases) {
            const sf::Sprite icon = kv::Icons::getIcon(c.index);
            EXPECT_EQ(icon.getTextureRect(), c.rect) << c.index;
            ASSERT_NE(icon.getTexture(), nullptr) << c.index;
            const bool inRange = c.index >= 0 && c.index < 256;
            EXPECT_EQ(icon.getTexture() == kv::InternalTextures::findDefaultTexture(), !inRange) << c.index;
            if (inRange) {
                EXPECT_EQ(icon.getTexture()->copyToImage().getPixel(c.rect.left, c.rect.top), sf::Color(10, 20, 30));
            }
        }
        EXPECT_EQ(errorLines(testing::internal::GetCapturedStderr()), 0);
    });
}

TEST(TexturesFirstUse, MissingIconSheetGivesWhiteIconsAndOneError)
{
    inFreshTextureProcess([](testsupport::TempDir&) {
        testing::internal::CaptureStderr();
        const sf::Sprite icon = kv::Icons::getIcon(255);
        kv::Icons::getIcon(3);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(errorLines(log), 1) << log;
        EXPECT_NE(log.find("Icons::loadIcons(): Unable to load icons texture from kvui3\\Textures\\Icons.png"),
                  std::string::npos)
            << log;
        ASSERT_NE(icon.getTexture(), nullptr);
        // Large enough for every icon rectangle, and white throughout.
        EXPECT_EQ(icon.getTexture()->getSize(), sf::Vector2u(1024, 1024));
        EXPECT_TRUE(allPixels(*icon.getTexture(), sf::Color::White));
    });
}

TEST_F(TexturesDisplay, GameTextureReadsPcxAndFallsBackToTheDefault)
{
    testsupport::PcxHeader header;
    header.width = 3;
    header.height = 5;
    header.planes = 3;
    dir.write("Pics/Ship.PCX", testsupport::makePcx(header, std::string(45, '\x40')));
    dir.write("Pics/Bad.pcx", "no header here");

    kv::GameTexture ship;
    EXPECT_TRUE(ship.load("pics\\ship.pcx"));
    EXPECT_FALSE(ship.failed);
    EXPECT_TRUE(ship.loaded);
    EXPECT_EQ(ship.width, 3u);
    EXPECT_EQ(ship.height, 5u);
    EXPECT_EQ(ship.halfWidth, 1u);
    EXPECT_EQ(ship.halfHeight, 2u);
    EXPECT_EQ(ship.radius, 2u);
    EXPECT_TRUE(ship.texture.isRepeated());
    EXPECT_TRUE(allPixels(ship.texture, sf::Color(0x40, 0x40, 0x40)));

    // The PCX reader refuses it, the ordinary loader too: the default texture stands in.
    kv::GameTexture bad;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(bad.load("Pics\\Bad.pcx"));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Error reading PCX header from Pics\\Bad.pcx"), std::string::npos) << log;
    EXPECT_NE(log.find("Unable to load GameTexture from Pics\\Bad.pcx"), std::string::npos) << log;
    EXPECT_TRUE(bad.failed);
    EXPECT_TRUE(bad.loaded);
    EXPECT_EQ(bad.width, 64u);
    EXPECT_EQ(bad.radius, 32u);
    EXPECT_FALSE(bad.texture.isRepeated());
    EXPECT_TRUE(allPixels(bad.texture, sf::Color::White));

    // A later good load replaces the stand-in.
    EXPECT_TRUE(bad.load("pics\\ship.pcx"));
    EXPECT_FALSE(bad.failed);
    EXPECT_EQ(bad.width, 3u);
}

TEST_F(TexturesDisplay, ShadowedSpriteIsLeftUnscaledUnturnedAndWhite)
{
    kv::sfSprite sprite;
    sprite.setScale(2, 3);
    sprite.setRotation(45);
    sprite.setColor(sf::Color::Red);
    kv::drawShadowedSprite(sprite, {10, 20}, {2, 2}, {16, 16});
    EXPECT_EQ(sprite.getPosition(), sf::Vector2f(10, 20));
    EXPECT_EQ(sprite.getScale(), sf::Vector2f(1, 1));
    EXPECT_EQ(sprite.getRotation(), 0.f);
    EXPECT_EQ(sprite.getColor(), sf::Color::White);

    std::unique_ptr<sf::RenderTexture> holder;
    sf::RenderTexture* made = kv::ensureRenderTexture(holder);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(kv::ensureRenderTexture(holder), made);
}

TEST(TexturesGameTree, CheckBoxTexturesAndTheIconSheetLoadWithoutErrors)
{
    REQUIRE_DISPLAY();
    ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
    kv::clearPathCache();
    ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(640, 480));
    testing::internal::CaptureStderr();
    kv::InternalTextures::loadTextures();
    const sf::Sprite separator = kv::Icons::getIcon(kv::Icons::iconSeparator);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errorLines(log), 0) << log;
    for (const char* name : {"CheckBox_Checked", "CheckBox_Unchecked", "CheckBox_MouseOver"})
        EXPECT_NE(kv::InternalTextures::getTextureIndex(name), 0) << name;
    ASSERT_NE(separator.getTexture(), nullptr);
    EXPECT_EQ(separator.getTexture()->getSize(), sf::Vector2u(1024, 1024));
}
