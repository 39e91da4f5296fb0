#include "app/Compositor.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "support/Display.h"
#include "ui/Hints.h"
#include "ui/Toolbar.h"

#include "support/UiTestSupport.h"

#include <SFML/Graphics.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

using namespace kv;

namespace {

// A toolbar with a hovered "Done" button, drawn with the real icon sheet and font into an
// off-screen display: the button's pressed back shows where the layout put the button, and
// nowhere else on the toolbar. The picture is kept in the build folder to be looked at.
TEST(ToolbarDisplay, DoneButtonDrawsAtItsPlace)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    ASSERT_TRUE(Shaders::init());
    test::FakeInput fake;
    Keyboard::buildKeyNames();
    hints.clear();

    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(1024, 768));
    sf::RenderTarget* const window = getRenderLayer(layerDisplay, true)->target;
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();

    Toolbar bar;
    bar.create({200, 150});
    Button* done = bar.addButton("Done", 175, sf::Keyboard::Return, "", false);
    const sf::Vector2f at = done->getPosition();
    EXPECT_EQ(at, sf::Vector2f(202, 150 + componentLineSpacing() + 8));

    pollerTicked = true;
    test::FakeInput::pointer = {static_cast<int>(at.x) + 5, static_cast<int>(at.y) + 5};
    bar.update();
    pollerTicked = false;
    ASSERT_TRUE(done->hovered);

    getRenderLayer(layerDisplay, true)->clear(sf::Color(20, 24, 32));
    bar.draw();
    displayFrame(1);
    screen.display();
    const sf::Image image = screen.getTexture().copyToImage();
    ASSERT_TRUE(image.saveToFile(TVL_GAME_DIR "/../toolbar_display_test.png"));

    auto pressedIn = [&](unsigned left, unsigned top, unsigned right, unsigned bottom) {
        int count = 0;
        for (unsigned y = top; y < bottom; ++y)
            for (unsigned x = left; x < right; ++x)
                count += image.getPixel(x, y) == clButtonPressedBack;
        return count;
    };
    const unsigned x = static_cast<unsigned>(at.x), y = static_cast<unsigned>(at.y);
    const unsigned barRight = static_cast<unsigned>(200 + bar.getWidth());
    EXPECT_GT(pressedIn(x + 1, y + 1, x + 32, y + 32), 50);
    EXPECT_EQ(pressedIn(x + 34, y, barRight, y + 32), 0);
    EXPECT_EQ(pressedIn(200, 150, barRight, y - 1), 0);
    EXPECT_EQ(hints.size(), 1u); // the hovered icon button's

    hints.clear();
    bar.destroy();
    getRenderLayer(layerDisplay, true)->target = window;
    renderWindow->close();
}

} // namespace
