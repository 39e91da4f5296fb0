#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "app/Compositor.h"
#include "core/Messages.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "support/Display.h"
#include "support/TestWindow.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "ui/Hints.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>
#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned side = 64;

class CompositorDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openBareWindow(side, side, "compositor test"));
        imguiEnabled = false;
        showFPS = false;
        messageList.clear(); // what an earlier test printed is not part of the picture
        hints.clear();
        initRenderLayers();
    }
    void TearDown() override
    {
        test::closeTestWindow();
    }

    static void fill(RenderLayerId id, sf::FloatRect rect, sf::Color colour)
    {
        sf::RectangleShape shape({rect.width, rect.height});
        shape.setPosition(rect.left, rect.top);
        shape.setFillColor(colour);
        getRenderLayer(id)->draw(shape);
    }
};

// A colour on each of the display, world, UI and additive UI-lighting layers, read back in
// the order the compositor stacks them.
TEST_F(CompositorDisplay, LayersStackInTheirFixedOrder)
{
    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(side, side));
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();
    getRenderLayer(layerUILighting, true)->clear(sf::Color::Black);

    // Drawn top layer first: the order of drawing must not matter.
    fill(layerUILighting, {48, 0, 16, 64}, sf::Color(0, 0, 100));
    fill(layerUI, {0, 0, 32, 64}, sf::Color::Green);
    fill(layerGround, {0, 0, 64, 32}, sf::Color::Blue);
    fill(layerDisplay, {0, 0, 64, 64}, sf::Color::Red);
    displayFrame(7);

    screen.display();
    sf::Image image = screen.getTexture().copyToImage();
    EXPECT_EQ(image.getPixel(10, 10), sf::Color::Green);           // UI over world
    EXPECT_EQ(image.getPixel(40, 10), sf::Color::Blue);            // world over display
    EXPECT_EQ(image.getPixel(40, 40), sf::Color::Red);             // display alone
    EXPECT_EQ(image.getPixel(56, 40), sf::Color(255, 0, 100));     // added light
    EXPECT_EQ(image.getPixel(56, 10), sf::Color(0, 0, 255));       // added, saturated

    // Composed layers are emptied for the next frame.
    EXPECT_TRUE(getRenderLayer(layerGround, true)->records.empty());
    EXPECT_FALSE(getRenderLayer(layerUI, true)->drawnTo);
    EXPECT_FALSE(getRenderLayer(layerUILighting, true)->drawnTo);
}

TEST_F(CompositorDisplay, ScreenshotHoldsTheUserInterface)
{
    testsupport::TempDir dir;
    dir.enter();
    resizeLayerTextures();
    fill(layerDisplay, {0, 0, 64, 64}, sf::Color::Black);
    fill(layerUI, {0, 0, 64, 64}, sf::Color::Green);
    screenshotRequested = true;
    const uint32_t frame = frameNumber;
    displayFrame(1);
    EXPECT_EQ(frameNumber, frame + 1);
    EXPECT_FALSE(screenshotRequested);
    EXPECT_FALSE(getRenderLayer(layerUI, true)->drawnTo);

    std::filesystem::path shot;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind("screenshot_", 0) == 0)
            shot = entry.path();
    ASSERT_FALSE(shot.empty());
    sf::Image image;
    ASSERT_TRUE(image.loadFromFile(shot.string()));
    EXPECT_EQ(image.getSize(), sf::Vector2u(side, side));
    EXPECT_EQ(image.getPixel(32, 32), sf::Color::Green);
}

// Saved is said once and only for a whole file; a file the disk could not take (empty or cut)
// is reported as an error and removed.
TEST_F(CompositorDisplay, ScreenshotThatCannotBeWrittenIsReportedAndRemoved)
{
    struct Case {
        const char* what;
        std::optional<rlim_t> fileSizeLimit; // bytes the disk takes; none: all
    };
    const Case cases[] = {{"room on the disk", std::nullopt}, {"empty file", 0}, {"cut file", 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TempDir dir;
        dir.enter();
        messageList.clear();
        {
            // The limit would cut a captured log as well: the message list tells what was said.
            std::optional<testsupport::FileSizeLimit> limit;
            if (c.fileSizeLimit)
                limit.emplace(*c.fileSizeLimit);
            takeScreenshot();
        }

        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            files.push_back(entry.path().filename().string());
        std::vector<std::string> shown;
        for (const MessageEntry& entry : messageList)
            shown.push_back(entry.text);
        if (!c.fileSizeLimit) {
            ASSERT_EQ(files.size(), 1u);
            EXPECT_EQ(shown, std::vector<std::string>{"Saved screenshot to " + files[0]});
        } else {
            EXPECT_TRUE(files.empty()) << files[0];
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].rfind("Unable to save screenshot to screenshot_", 0), 0u) << shown[0];
            EXPECT_EQ(messageList[0].colour, clMessageError);
        }
    }
}

} // namespace

// A translucent UI colour over the display blends once, not twice.
TEST_F(CompositorDisplay, TranslucentInterfaceBlendsOnce)
{
    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(side, side));
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();
    fill(layerDisplay, {0, 0, 64, 64}, sf::Color(20, 24, 32));
    fill(layerUI, {0, 0, 64, 64}, sf::Color(151, 151, 151, 160));
    displayFrame(7);
    screen.display();
    sf::Color c = screen.getTexture().copyToImage().getPixel(10, 10);
    // 151 * 160/255 + 20 * 95/255 = 102.2
    EXPECT_NEAR(c.r, 102, 2);
    EXPECT_NEAR(c.b, 107, 2);
}
