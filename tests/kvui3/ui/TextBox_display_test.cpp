#include "app/Compositor.h"
#include "core/Framework.h"
#include "core/Settings.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "support/Display.h"
#include "ui/TextBox.h"

#include "support/UiTestSupport.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned viewWidth = 1024, viewHeight = 768;

// The real clipboard and font in a real window; the live input faked.
TEST(TextBoxDisplay, RealClipboardRoundTripAndTheSelectionDrawn)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    test::FakeInput fake;
    resetComponentIds();

    TextBox box;
    box.create("caf\xe9 au lait", {100, 100}, 30);
    EXPECT_FLOAT_EQ(box.getWidth(), digitsWidth(*standardFont, 18, 30));
    EXPECT_FLOAT_EQ(box.getHeight(), standardFont->getLineSpacing(18) + 2);
    EXPECT_GT(TextBox::measure("caf\xe9"), TextBox::measure("caf"));

    // Copy "caf\xe9" through sf::Clipboard, then paste it back at the end: Latin-1 both ways.
    focusedComponentId = static_cast<uint32_t>(box.id);
    moveCursor(box.edit, CursorMove::home, false);
    moveCursor(box.edit, CursorMove::wordRight, true);
    moveCursor(box.edit, CursorMove::left, true);
    box.copySelection();
    EXPECT_EQ(clipboard::getText(), "caf\xe9");
    moveCursor(box.edit, CursorMove::end, false);
    box.pasteClipboard();
    EXPECT_EQ(box.edit.text, "caf\xe9 au laitcaf\xe9");

    // The selection is drawn as a blue box behind the text.
    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(viewWidth, viewHeight));
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();
    selectAll(box.edit);
    pollerTicked = true;
    box.update();
    pollerTicked = false;
    getRenderLayer(layerDisplay, true)->clear(sf::Color::Black);
    box.draw();
    displayFrame(1);
    screen.display();
    const sf::Image image = screen.getTexture().copyToImage();
    ASSERT_TRUE(image.saveToFile(TVL_GAME_DIR "/../textbox_display_test.png"));
    int blue = 0;
    for (unsigned x = 102; x < 102 + static_cast<unsigned>(TextBox::measure(box.edit.text)); ++x) {
        const sf::Color c = image.getPixel(x, 104);
        blue += c.b > 200 && c.r < 80 && c.g < 80;
    }
    EXPECT_GT(blue, 20);
    // Right of the text the box's back shows, not the selection.
    const sf::Color after = image.getPixel(100 + static_cast<unsigned>(box.getWidth()) - 4, 104);
    EXPECT_FALSE(after.b > 200 && after.r < 80 && after.g < 80);

    renderWindow->close();
    resetComponentIds();
}

} // namespace
