#include "app/Compositor.h"
#include "core/Framework.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "platform/FileSystem.h"
#include "support/Display.h"
#include "ui/Button.h"
#include "ui/Hints.h"

#include "support/UiTestSupport.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned viewWidth = 1024, viewHeight = 768;

// A hovered icon button with its hint and a text button, as a player sees them: measured with
// the real font, drawn into an off-screen display, pixels checked and the picture kept in the
// build folder to be looked at.
TEST(ButtonDisplay, HoveredIconButtonWithItsHintAndATextButton)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    ASSERT_TRUE(Shaders::init());
    test::FakeInput fake;
    Keyboard::buildKeyNames();
    hints.clear();

    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(viewWidth, viewHeight));
    sf::RenderTarget* const window = getRenderLayer(layerDisplay, true)->target;
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();

    const sfSprite gamepad(Icons::getIcon(111));
    const sf::Vector2f iconAt(100, 100), textAt(400, 100);
    Button up, done;
    up.create("Up", &gamepad, &iconAt, sf::Keyboard::PageUp, "", false);
    done.create("Done", &gamepad, &textAt, Keyboard::noKey, "", false);
    done.setSize({0, 0});

    const float doneWidth = textWidth(*standardFont, 18, "Done");
    const float lineSpacing = standardFont->getLineSpacing(18);
    ASSERT_GT(doneWidth, 20);
    EXPECT_FLOAT_EQ(done.getWidth(), doneWidth + 48);
    EXPECT_FLOAT_EQ(done.getHeight(), std::max(lineSpacing + 2, 34.0f));
    EXPECT_FLOAT_EQ(done.iconOffset.x, 7);
    EXPECT_FLOAT_EQ(done.captionOffset.x, 41);

    test::FakeInput::pointer = {110, 110};
    up.update();
    done.update();
    ASSERT_TRUE(up.hovered);
    ASSERT_FALSE(done.hovered);

    const sf::Color back(20, 24, 32);
    getRenderLayer(layerDisplay, true)->clear(back);
    up.draw();
    done.draw();
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].text, "Up - [Page up]");
    displayFrame(1);
    screen.display();
    const sf::Image image = screen.getTexture().copyToImage();
    ASSERT_TRUE(image.saveToFile(TVL_GAME_DIR "/../button_display_test.png"));

    // The pressed back shows around the icon.
    int pressed = 0;
    for (unsigned y = 101; y < 132; ++y)
        for (unsigned x = 101; x < 132; ++x)
            pressed += image.getPixel(x, y) == clButtonPressedBack;
    EXPECT_GT(pressed, 50);
    // The text button's plain back left of its icon, and its caption's dark strokes.
    EXPECT_EQ(image.getPixel(403, 103), clButtonBack);
    int ink = 0;
    for (unsigned y = 100; y < 134; ++y)
        for (unsigned x = 441; x < 441 + static_cast<unsigned>(doneWidth); ++x)
            ink += image.getPixel(x, y).r < 100;
    EXPECT_GT(ink, 20);
    // The hint: a light box below the button, its dark shadow further down and right.
    const sf::FloatRect box = hintBox({120, 152}, textWidth(*standardFont, 18, "Up - [Page up]"),
                                      lineSpacing, {float(viewWidth), float(viewHeight)});
    const sf::Color hintBack = image.getPixel(static_cast<unsigned>(box.left) + 1, static_cast<unsigned>(box.top) + 1);
    EXPECT_GT(hintBack.r, 150);
    const sf::Color shadow = image.getPixel(static_cast<unsigned>(box.left + box.width) + 4,
                                            static_cast<unsigned>(box.top + box.height) + 4);
    EXPECT_LT(shadow.r, back.r);

    hints.clear();
    getRenderLayer(layerDisplay, true)->target = window;
    renderWindow->close();
}

} // namespace
