#include "app/Compositor.h"
#include "app/FramePump.h"
#include "app/NestedLoop.h"
#include "core/Framework.h"
#include "core/Keyboard.h"
#include "core/Scene.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "support/Display.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

using namespace kv;

namespace {

class NestedLoopDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openBareWindow(64, 64, "nested loop test"));
        initRenderLayers();
        resizeLayerTextures();
    }
    void TearDown() override
    {
        while (clipDepth() > 0)
            endClipRect();
        test::closeTestWindow();
    }
};

TEST_F(NestedLoopDisplay, LeavingPutsBackTheCallersFrameStateSpendsTheTicksInputAndZeroesItsFrameTime)
{
    Keyboard::pressedKeys = {sf::Keyboard::A};
    typedText = "ab";
    mouseWheelDelta = 2;
    currentDrawOffset = {3, 4};
    currentDrawScale = {2, 2};
    textOutlineThickness = 1;
    textOutlineColour = sf::Color::Red;
    beginClipRect(getRenderLayer(layerUI, true), {0, 0}, {32, 32}, false);
    cursorGrabbed = false;
    frameTime = 0.25f;
    SceneManager::zeroDtNextFrame = false;
    modalDialogRunning = true; // a dialog's loop, inside which a game runs
    {
        NestedLoop scope;
        EXPECT_FALSE(modalDialogRunning) << "the nested loop's frames are not the dialog's";
        Keyboard::pressedKeys = {sf::Keyboard::B, sf::Keyboard::C};
        typedText = "xyz";
        mouseWheelDelta = -1;
        currentDrawOffset = {0, 0};
        currentDrawScale = {1, 1};
        textOutlineThickness = 0;
        textOutlineColour = sf::Color::Black;
        beginClipRect(getRenderLayer(layerUI, true), {8, 8}, {8, 8}, false);
        beginClipRect(getRenderLayer(layerUI, true), {8, 8}, {4, 4}, false);
        cursorGrabbed = true;
        frameTime = 0.5f;
    }
    EXPECT_TRUE(Keyboard::pressedKeys.empty());
    EXPECT_TRUE(typedText.empty());
    EXPECT_EQ(mouseWheelDelta, 0);
    EXPECT_EQ(currentDrawOffset, sf::Vector2f(3, 4));
    EXPECT_EQ(currentDrawScale, sf::Vector2f(2, 2));
    EXPECT_EQ(textOutlineThickness, 1);
    EXPECT_EQ(textOutlineColour, sf::Color::Red);
    EXPECT_EQ(clipDepth(), 1);
    EXPECT_FALSE(cursorGrabbed);
    EXPECT_EQ(frameTime, 0);
    EXPECT_TRUE(SceneManager::zeroDtNextFrame);
    EXPECT_TRUE(modalDialogRunning);
    modalDialogRunning = false;
    currentDrawOffset = {0, 0};
    currentDrawScale = {1, 1};
    textOutlineThickness = 0;
    textOutlineColour = sf::Color::Black;
    SceneManager::zeroDtNextFrame = false;
}

// Closing the window inside a wait ends the program as in the main loop: the on-quit callbacks
// run and it exits with code 0, without coming back to the wait's caller.
TEST_F(NestedLoopDisplay, ClosingTheWindowInsideTakesTheCloseRoad)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            displayWindowed = false; // no question asked
            registerOnQuitCallback([] { std::fputs("on-quit ran\n", stderr); });
            int passes = 0;
            pumpWhile(
                [&] {
                    if (++passes == 2) {
                        sf::Event closed {};
                        closed.type = sf::Event::Closed;
                        handleEvent(closed);
                    }
                    return true;
                },
                5.0f);
            std::fputs("came back\n", stderr);
            std::exit(3);
        },
        testing::ExitedWithCode(0), "on-quit ran");
}

} // namespace
