#include "app/Compositor.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Textures.h"
#include "support/Display.h"
#include "support/TempDir.h"
#include "ui/Hints.h"
#include "ui/ScriptConsole.h"

#include "HistoryFileBytes.h"
#include "support/UiTestSupport.h"

#include <SFML/Graphics.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

using namespace kv;

namespace {

using test::claimedIds;

// The whole file for these entries.
std::string historyBytes(const std::vector<std::string>& entries)
{
    return kvtest::historyBytes(entries, static_cast<uint32_t>(entries.size()));
}

// The window built over a 1024 x 768 view with the real fonts and icon sheet: first without a
// history file, then rebuilt over one of three entries, drawn into an off-screen display (the
// picture is kept in the build folder to be looked at), and closed by Escape through its Exit
// button, as its owner would.
TEST(ScriptConsoleDisplay, BuildsOverTheViewShowsTheNewestEntryAndClosesOnEscape)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    ASSERT_TRUE(Shaders::init());
    Icons::loadIcons();
    test::FakeInput fake;
    Keyboard::buildKeyNames();
    hints.clear();
    resetComponentIds();
    testsupport::TempDir dir;
    dir.enter();

    ScriptConsoleWidgets& w = *scriptConsoleWidgets;
    createScriptConsole();
    EXPECT_TRUE(scriptConsoleHistory.empty());
    EXPECT_TRUE(w.scriptConsoleMemo.text.empty());
    EXPECT_FALSE(w.historyBackButton->enabled);
    EXPECT_FALSE(w.historyForwardButton->enabled);
    const int idsAfterFirstBuild = claimedIds();

    // A rebuild (as after a display-mode change) reads the history again and claims no more ids.
    dir.write(scriptConsoleHistoryFile, historyBytes({"first", "second", "print(\"third\")\nsecond line"}));
    createScriptConsole();
    EXPECT_EQ(claimedIds(), idsAfterFirstBuild);
    ASSERT_EQ(scriptConsoleHistory.size(), 3u);
    EXPECT_EQ(scriptConsoleHistoryIndex, 2u);
    EXPECT_EQ(w.scriptConsoleMemo.text, "print(\"third\")\nsecond line");
    EXPECT_EQ(w.scriptConsoleMemo.cursor, 0u);
    EXPECT_TRUE(w.historyBackButton->enabled);
    EXPECT_FALSE(w.historyForwardButton->enabled);

    const float line = componentLineSpacing();
    TextMemo& memo = w.scriptConsoleMemo;
    Toolbar& bar = w.scriptConsoleToolbar;
    const sf::Vector2f memoAt((1024 - 1024 * 0.9f) * 0.5f, line + 56);
    EXPECT_EQ(memo.getPosition(), memoAt);
    EXPECT_EQ(memo.getSize(), sf::Vector2f(1024 * 0.9f, 768 * 0.7f));
    EXPECT_EQ(memo.textObject.getFont(), &*monoFont);
    EXPECT_EQ(memo.back.shape.getFillColor(), sf::Color(30, 30, 30, 192));
    EXPECT_EQ(bar.form.title.getText(), "Script Console");
    EXPECT_EQ(bar.getPosition(), sf::Vector2f(memoAt.x, memoAt.y - (line + 48)));
    EXPECT_FLOAT_EQ(bar.getWidth(), memo.getWidth());
    ASSERT_EQ(bar.buttons.size(), 13u);
    const int separators[] = {1, 4, 9, 11};
    for (int i : separators)
        EXPECT_EQ(bar.buttons[static_cast<size_t>(i)].style, buttonNarrow) << i;
    EXPECT_EQ(w.exitButton, &bar.buttons.back());
    EXPECT_EQ(w.exitButton->shortcutKey, static_cast<uint32_t>(sf::Keyboard::Escape));

    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(1024, 768));
    sf::RenderTarget* const window = getRenderLayer(layerDisplay, true)->target;
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();

    // Focused, with a selection from the first line's "third" to the second line's "sec".
    focusedComponentId = static_cast<uint32_t>(memo.id);
    memo.cursor = 7;
    memo.moveCursor(memo.moveDown(1), true);
    memo.updateText();
    ASSERT_EQ(memo.selectionBars().size(), 2u);
    // Measured by advances: the bars start and end where the shown glyphs do.
    EXPECT_NEAR(memo.selectionBars()[0].left, memo.textObject.findCharacterPos(7).x, 0.01);
    EXPECT_NEAR(memo.selectionBars()[1].width + 2, memo.textObject.findCharacterPos(15 + 7).x, 0.01);
    EXPECT_NEAR(memo.caretPosition().x, memo.textObject.findCharacterPos(15 + 7).x, 0.01);

    const sf::Color clearColour(90, 120, 160);
    bool shown = true;
    for (int frame = 0; frame < 3 && shown; ++frame) {
        pollerTicked = true;
        if (frame == 2)
            Keyboard::pressedKeys.push_back(sf::Keyboard::Escape);
        bar.update();
        memo.update();
        pollerTicked = false;
        shown = !w.exitButton->clicked;
        if (!shown)
            break;
        getRenderLayer(layerDisplay, true)->clear(clearColour);
        bar.draw();
        memo.draw();
        displayFrame(1);
        screen.display();
        if (frame == 0) {
            const sf::Image image = screen.getTexture().copyToImage();
            ASSERT_TRUE(image.saveToFile(TVL_GAME_DIR "/../scriptconsole_display_test.png"));
            // The editor's back: its dark grey at alpha 192 over the clear colour.
            const sf::Color back = image.getPixel(static_cast<unsigned>(memoAt.x + 300), static_cast<unsigned>(memoAt.y + 200));
            EXPECT_NEAR(back.r, (30 * 192 + clearColour.r * 63) / 255, 3);
            EXPECT_NEAR(back.b, (30 * 192 + clearColour.b * 63) / 255, 3);
            // The first line's text is light grey inside the editor.
            int lightPixels = 0;
            for (unsigned y = static_cast<unsigned>(memoAt.y); y < static_cast<unsigned>(memoAt.y + line); ++y)
                for (unsigned x = static_cast<unsigned>(memoAt.x); x < static_cast<unsigned>(memoAt.x + 200); ++x)
                    lightPixels += image.getPixel(x, y).r > 150;
            EXPECT_GT(lightPixels, 30);
            // The selection bars are drawn inside the editor, where their lines are, and nowhere below.
            const auto blueIn = [&](const sf::FloatRect& r) {
                int count = 0;
                for (unsigned y = static_cast<unsigned>(r.top); y < static_cast<unsigned>(r.top + r.height); ++y)
                    for (unsigned x = static_cast<unsigned>(r.left); x < static_cast<unsigned>(r.left + r.width); ++x)
                        count += image.getPixel(x, y) == sf::Color(0, 0, 255);
                return count;
            };
            for (const sf::FloatRect& bar : memo.selectionBars()) {
                const sf::FloatRect onScreen(memoAt.x + bar.left, memoAt.y + bar.top, bar.width, bar.height);
                EXPECT_GT(blueIn(onScreen), onScreen.width * onScreen.height / 4);
            }
            EXPECT_EQ(blueIn({memoAt.x, memoAt.y + 2 * line, 400, 4 * line}), 0);
            // The toolbar's form covers the band above the editor.
            EXPECT_NE(image.getPixel(static_cast<unsigned>(memoAt.x + 500), static_cast<unsigned>(bar.getPosition().y + 5)),
                      clearColour);
        }
    }
    EXPECT_FALSE(shown);

    hints.clear();
    Keyboard::pressedKeys.clear();
    scriptConsoleHistory.clear();
    getRenderLayer(layerDisplay, true)->target = window;
    renderWindow->close();
}

} // namespace
