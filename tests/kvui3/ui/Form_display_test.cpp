#include "app/Compositor.h"
#include "core/Framework.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "support/Display.h"
#include "support/UiTestSupport.h"
#include "ui/Form.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned viewWidth = 1024, viewHeight = 768;

// A form drawn with the real font into an off-screen display: the title bar in its colour with
// the title's white text on it, the body in the button colour right under it.
TEST(FormDisplay, TitleBarAndBodyInTheirColours)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    resetTheme();

    Form form;
    form.create({100, 80}, {400, 250}, "Settings");
    const float bar = Form::titleBarHeight();
    ASSERT_GT(bar, 20);

    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(viewWidth, viewHeight));
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();
    getRenderLayer(layerDisplay, true)->clear(sf::Color::Black);
    form.draw();
    displayFrame(1);
    screen.display();
    const sf::Image image = screen.getTexture().copyToImage();

    const unsigned barMiddle = 80 + static_cast<unsigned>(bar / 2);
    EXPECT_EQ(image.getPixel(450, barMiddle), clTitleBarBack); // right of the title
    EXPECT_EQ(image.getPixel(300, 80 + static_cast<unsigned>(bar) + 20), clButtonBack);
    EXPECT_EQ(image.getPixel(300, 80 + 240), clButtonBack);
    EXPECT_EQ(image.getPixel(300, 80 + 260), sf::Color::Black); // under the form
    EXPECT_EQ(image.getPixel(90, barMiddle), sf::Color::Black);  // left of it
    int bright = 0; // the title's strokes over the bar
    for (unsigned x = 103; x < 103 + static_cast<unsigned>(textWidth(*standardFont, 18, "Settings")); ++x)
        for (unsigned y = 83; y < 80 + static_cast<unsigned>(bar); ++y) {
            const sf::Color c = image.getPixel(x, y);
            bright += c.r > 200 && c.g > 200 && c.b > 200;
        }
    EXPECT_GT(bright, 30);

    renderWindow->close();
}

} // namespace
