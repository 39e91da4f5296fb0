#include "app/Compositor.h"
#include "core/Framework.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "support/Display.h"
#include "ui/Console.h"

#include "support/UiTestSupport.h"

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

using namespace kv;

namespace {

// The console in a real window with its fonts: the dark panel, the lines in their colours.
TEST(ConsoleDisplay, DrawsTheWindowAndTheNewestLinesAtTheBottom)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    test::FakeInput fake;
    resetComponentIds();
    ASSERT_TRUE(createConsole());
    Console::takeFocus();
    clearConsoleLines();
    for (int i = 0; i < 100; ++i)
        Console::addLine(sf::Color(0, 0, 0, 255), "plain line " + std::to_string(i));
    Console::addLine(sf::Color(255, 0, 0, 255), "RED RED RED RED RED RED");
    consoleWidgets->consoleEdit.edit.text = "giveitem all";

    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(1024, 768));
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();
    getRenderLayer(layerDisplay, true)->clear(sf::Color::Black);
    pollerTicked = true;
    consoleWidgets->consoleEdit.update();
    pollerTicked = false;
    Console::draw();
    EXPECT_TRUE(consoleDrawn);
    displayFrame(1);
    screen.display();
    const sf::Image image = screen.getTexture().copyToImage();
    ASSERT_TRUE(image.saveToFile(TVL_GAME_DIR "/../console_display_test.png"));

    BevelPanel& panel = consoleWidgets->consoleLinePanel;
    const sf::Vector2f at = panel.getPosition(), size = panel.getSize();
    EXPECT_EQ(at, sf::Vector2f(10, 5 + Form::titleBarHeight() + 5));
    EXPECT_EQ(consoleWidgets->consoleEdit.getPosition().y, at.y + size.y);
    // The panel's face where no text lies: its top-left inside the inset.
    EXPECT_EQ(image.getPixel(static_cast<unsigned>(at.x + 3), static_cast<unsigned>(at.y + 3)),
              sf::Color(32, 32, 32, 255));
    // The newest line (red) sits in the last row, plain lines above it in the console's grey.
    const float row = monoFont->getLineSpacing(consoleTextSize) + 2;
    const auto countIn = [&](float top, auto match) {
        int n = 0;
        for (unsigned y = static_cast<unsigned>(top); y < static_cast<unsigned>(top + row); ++y)
            for (unsigned x = static_cast<unsigned>(at.x + 6); x < static_cast<unsigned>(at.x + 300); ++x)
                n += match(image.getPixel(x, y));
        return n;
    };
    const float lastRow = at.y + 6 + (size.y - 12) - row;
    EXPECT_GT(countIn(lastRow, [](sf::Color c) { return c.r > 150 && c.g < 60; }), 20);
    EXPECT_GT(countIn(lastRow - row, [](sf::Color c) { return c.r > 120 && c.r == c.g && c.g == c.b; }), 20);
    EXPECT_FALSE(consoleDrawn) << "the frame's end clears it";

    clearConsoleLines();
    consoleDrawn = false;
    renderWindow->close();
    resetComponentIds();
}

} // namespace
