#include "ui/TextMemo.h"

#include "support/UiTestSupport.h"
#include "core/FrameUpdate.h"
#include "graphics/Text.h"
#include "ui/TextBox.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace kv;
using Key = sf::Keyboard::Key;

namespace {

constexpr float charWidth = 10;
constexpr uint8_t shift = 1, control = 2;
const sf::Vector2f memoAt(100, 50);

std::string clipboardText;

// A memo three lines tall at (100, 50) with every character 10 wide, the real standard font
// (FreeType only, no GL) for the line height, ticks with faked input, and waits that return at
// once.
class TextMemoTest : public ::testing::Test {
protected:
    test::FakeInput fake;
    void (*savedWaitLoop)(const std::function<bool()>&, float) = nullptr;
    TextMemo memo;
    float line = 0;

    void SetUp() override
    {
        ASSERT_TRUE(standardFont->loadFromFile(TVL_GAME_DIR "/kvui3/fonts/Roboto-Regular.ttf"));
        savedWaitLoop = runWaitLoop;
        runWaitLoop = [](const std::function<bool()>&, float) {};
        TextMemo::measure = [](const sf::Text&, std::string_view run) { return charWidth * run.size(); };
        clipboard::getText = [] { return clipboardText; };
        clipboard::setText = [](const std::string& text) { clipboardText = text; };
        clipboardText.clear();
        pollerTicked = true;
        mouseCaptured = false;
        resetComponentIds();
        line = standardFont->getLineSpacing(18);
        ASSERT_GT(line, 0);
        memo.create(memoAt, {400, line * 3.5f});
        ASSERT_FLOAT_EQ(memo.lineHeight(), line);
        ASSERT_EQ(memo.visibleLines(), 3u);
        focusedComponentId = static_cast<uint32_t>(memo.id);
    }
    void TearDown() override
    {
        runWaitLoop = savedWaitLoop;
        TextMemo::measure = TextMemo::measureWithFont;
        clipboard::reset();
        pollerTicked = false;
        mouseCaptured = false;
        leftClicked = false;
        Keyboard::pressedKeys.clear();
        typedText.clear();
        resetComponentIds();
        *standardFont = sf::Font();
    }

    // One tick with key pressed (Keyboard::noKey for none), the modifiers held and typed text.
    void press(uint32_t key, uint8_t modifiers = 0, const std::string& typed = "")
    {
        Keyboard::pressedKeys.clear();
        if (key != Keyboard::noKey)
            Keyboard::pressedKeys.push_back(key);
        test::FakeInput::keys.clear();
        if (modifiers & shift)
            test::FakeInput::keys.insert(Key::LShift);
        if (modifiers & control)
            test::FakeInput::keys.insert(Key::LControl);
        typedText = typed;
        memo.update();
        Keyboard::pressedKeys.clear();
        test::FakeInput::keys.clear();
        typedText.clear();
    }
    void start(const std::string& text, uint64_t cursor)
    {
        memo.setText(text);
        memo.cursor = cursor;
    }
    // One tick with the pointer at (x, y) from the memo's corner and the left button held.
    void mouse(float x, float y, bool click)
    {
        test::FakeInput::pointer = {static_cast<int>(memoAt.x + x), static_cast<int>(memoAt.y + y)};
        input.buttons = Mouse::leftButton;
        leftClicked = click;
        memo.update();
        leftClicked = false;
    }
};

TEST_F(TextMemoTest, EditingTable)
{
    struct Step {
        uint32_t key;
        uint8_t modifiers = 0;
        std::string typed = {};
    };
    struct Case {
        const char* what;
        std::string text;
        uint64_t cursor;
        std::vector<Step> steps;
        std::string expectText;
        uint64_t expectCursor, selectionStart = 0, selectionLength = 0;
    };
    const std::string full(4096, 'x');
    const std::string sixLines = "0\n1\n2\n3\n4\n5";
    const uint32_t none = Keyboard::noKey;
    const Case cases[] = {
        {"typing inserts at the cursor", "ac", 1, {{none, 0, "b"}}, "abc", 2},
        {"typing with Control held does nothing", "ac", 1, {{none, control, "b"}}, "ac", 1},
        {"Enter splits the line", "abcd", 2, {{Key::Enter}}, "ab\ncd", 3},
        {"Enter replaces the selection", "abcd", 1, {{Key::Right, shift}, {Key::Enter}}, "a\ncd", 2},
        {"Backspace at 0 does nothing", "ab\ncd", 0, {{Key::Backspace}}, "ab\ncd", 0},
        {"Left at 0 stays", "ab", 0, {{Key::Left}}, "ab", 0},
        {"Backspace at a line start joins the lines", "ab\ncd", 3, {{Key::Backspace}}, "abcd", 2},
        {"Delete at a line end joins the lines", "ab\ncd", 2, {{Key::Delete}}, "abcd", 2},
        {"Delete at the end does nothing", "ab", 2, {{Key::Delete}}, "ab", 2},
        {"Right at the end stays", "ab", 2, {{Key::Right}}, "ab", 2},
        {"Right crosses a line feed", "ab\ncd", 2, {{Key::Right}}, "ab\ncd", 3},
        {"Up on the first line stays", "abc\nde", 1, {{Key::Up}}, "abc\nde", 1},
        {"Down on the last line stays", "abc\nde", 5, {{Key::Down}}, "abc\nde", 5},
        {"Down keeps the column", "abc\ndef", 1, {{Key::Down}}, "abc\ndef", 5},
        {"Down from a long line lands at the short line's end", "abcdef\nxy", 5, {{Key::Down}}, "abcdef\nxy", 9},
        {"Up from a long line lands at the short line's end", "xy\nabcdef", 8, {{Key::Up}}, "xy\nabcdef", 2},
        {"Home and End keep to the line", "ab\ncdef\ngh", 5, {{Key::Home}}, "ab\ncdef\ngh", 3},
        {"End goes to the line feed", "ab\ncdef\ngh", 4, {{Key::End}}, "ab\ncdef\ngh", 7},
        {"Control+Home goes to the start", "ab\ncdef\ngh", 5, {{Key::Home, control}}, "ab\ncdef\ngh", 0},
        {"Control+End goes to the end", "ab\ncdef\ngh", 1, {{Key::End, control}}, "ab\ncdef\ngh", 10},
        {"Page Down on a short text goes to the last line", "a\nb", 0, {{Key::PageDown}}, "a\nb", 2},
        {"Page Down moves a page", sixLines, 0, {{Key::PageDown}}, sixLines, 6},
        {"Page Up moves a page", sixLines, 10, {{Key::PageUp}}, sixLines, 4},
        {"Shift+Down selects across the line feed", "abc\ndef", 1, {{Key::Down, shift}}, "abc\ndef", 5, 1, 4},
        {"Shift+Down, Shift+End", "abc\ndef", 1, {{Key::Down, shift}, {Key::End, shift}}, "abc\ndef", 7, 1, 6},
        {"Shift+Up selects back from the anchor", "abc\ndef", 6, {{Key::Up, shift}}, "abc\ndef", 2, 2, 4},
        {"Shift+Home on a later line", "ab\ncdef", 6, {{Key::Home, shift}}, "ab\ncdef", 3, 3, 3},
        {"a move without Shift drops the selection", "abc", 0, {{Key::Right, shift}, {Key::Right}}, "abc", 2},
        {"Backspace deletes a selection over lines", "abc\ndef", 1, {{Key::Down, shift}, {Key::Backspace}}, "aef",
         1},
        {"Delete deletes a selection", "abc\ndef", 5, {{Key::Up, shift}, {Key::Delete}}, "aef", 1},
        {"typing replaces a selection", "abc\ndef", 1, {{Key::Down, shift}, {none, 0, "X"}}, "aXef", 2},
        {"Control+A selects all", "ab\ncd", 1, {{Key::A, control}}, "ab\ncd", 5, 0, 5},
        {"a full memo refuses typing", full, 4096, {{none, 0, "y"}}, full, 4096},
        {"a full memo refuses Enter", full, 10, {{Key::Enter}}, full, 10},
        {"a full memo still takes Enter over a selection", full, 10, {{Key::Left, shift}, {Key::Enter}},
         full.substr(0, 9) + "\n" + full.substr(10), 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.text, c.cursor);
        for (const Step& step : c.steps)
            press(step.key, step.modifiers, step.typed);
        EXPECT_EQ(memo.text, c.expectText);
        EXPECT_EQ(memo.cursor, c.expectCursor);
        EXPECT_EQ(memo.selectionStart, c.selectionStart);
        EXPECT_EQ(memo.selectionLength, c.selectionLength);
    }
}

TEST_F(TextMemoTest, PasteKeepsLinesCleansAndStopsAtTheMaximum)
{
    struct Case {
        const char* what;
        std::string text;
        uint64_t cursor;
        bool selectFirst; // Shift+Left before the paste
        std::string clip;
        std::string expectText;
        uint64_t expectCursor;
    } cases[] = {
        {"inserted at the cursor with its line feeds", "ad", 1, false, "b\nc", "ab\ncd", 4},
        {"ESC removed, 0xA0 a space", "", 0, false, "a\x1b" "b\xa0", "ab ", 3},
        {"replaces the selection", "abc", 3, true, "XY", "abXY", 4},
        {"an empty clipboard does nothing", "abc", 3, true, "", "abc", 2},
        {"cut at the maximum", std::string(4090, 'x'), 4090, false, "0123456789", std::string(4090, 'x') + "012345",
         4096},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.text, c.cursor);
        if (c.selectFirst)
            press(Key::Left, shift);
        clipboardText = c.clip;
        press(Key::V, control);
        EXPECT_EQ(memo.text, c.expectText);
        EXPECT_EQ(memo.cursor, c.expectCursor);
    }
}

TEST_F(TextMemoTest, CopyAndCutTakeTheSelectionAcrossLines)
{
    start("abc\ndef", 1);
    press(Key::Down, shift);
    press(Key::C, control);
    EXPECT_EQ(clipboardText, "bc\nd");
    EXPECT_EQ(memo.text, "abc\ndef");
    press(Key::X, control);
    EXPECT_EQ(clipboardText, "bc\nd");
    EXPECT_EQ(memo.text, "aef");
    EXPECT_EQ(memo.cursor, 1u);
}

TEST_F(TextMemoTest, AClickTakesFocusAndPlacesTheCursorClampedToTheLastLine)
{
    start("abcdef\nxy\nlong line", 0);
    focusedComponentId = noFocusedComponent;
    struct Case {
        const char* what;
        float x, y;
        uint64_t expect;
    } cases[] = {
        {"inside the first line", 25, 2, 2},
        {"left of the first character", 0, 2, 0},
        {"past a line's end", 300, line + 2, 9},
        {"the third line", 15, line * 2 + 2, 11},
        {"below the last line", 35, line * 3.2f, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mouse(c.x, c.y, true);
        EXPECT_TRUE(memo.focused());
        EXPECT_EQ(memo.cursor, c.expect);
        EXPECT_EQ(memo.selectionLength, 0u);
        input.buttons = 0;
        memo.update(); // the release ends the capture
        EXPECT_FALSE(mouseCaptured);
    }
    // The last line is clamped to the text's, also with one line.
    start("ab", 0);
    EXPECT_EQ(memo.indexAt(15, line * 2.5f), 1u);
}

TEST_F(TextMemoTest, ADragSelectsFromWhereThePressStarted)
{
    start("abcdef\nxy", 0);
    mouse(25, 2, true);
    EXPECT_TRUE(mouseCaptured);
    mouse(15, line + 2, false);
    EXPECT_EQ(memo.cursor, 8u);
    EXPECT_EQ(memo.selectionStart, 2u);
    EXPECT_EQ(memo.selectionLength, 6u);
}

TEST_F(TextMemoTest, TheViewFollowsTheCursorAndShowsAtMostAPage)
{
    start("0\n1\n2\n3\n4\n5\n6", 0);
    EXPECT_EQ(memo.textObject.getString().toAnsiString(), "0\n1\n2\n");
    EXPECT_EQ(memo.textObject.getPosition(), sf::Vector2f(2, 2));

    memo.cursor = memo.lineStart(5) + 1;
    memo.scrollToCursor();
    EXPECT_EQ(memo.topLine, 3u); // the cursor's line is the last shown
    memo.updateText();
    EXPECT_EQ(memo.textObject.getString().toAnsiString(), "3\n4\n5\n");
    EXPECT_EQ(memo.caretPosition(), sf::Vector2f(2 + charWidth, 2 * line + 2));

    memo.cursor = memo.lineStart(1);
    memo.scrollToCursor();
    EXPECT_EQ(memo.topLine, 1u);
    memo.cursor = memo.lineStart(2);
    memo.scrollToCursor();
    EXPECT_EQ(memo.topLine, 1u); // already shown: no scroll

    // Keys scroll too: Down from the last shown line.
    start("0\n1\n2\n3", 0);
    press(Key::Down);
    press(Key::Down);
    EXPECT_EQ(memo.topLine, 0u);
    press(Key::Down);
    EXPECT_EQ(memo.topLine, 1u);
    EXPECT_EQ(memo.textObject.getString().toAnsiString(), "1\n2\n3\n");

    start("", 0);
    EXPECT_EQ(memo.textObject.getString().toAnsiString(), "");
}

TEST_F(TextMemoTest, SelectionBarsCoverTheSelectedPartOfEachShownLine)
{
    start("abc\ndefg\nhi\njk", 0);
    memo.anchor = memo.selectionStart = 1;
    memo.selectionLength = 11; // from the b up to the j, the line feed before it included
    memo.updateText();
    const std::vector<sf::FloatRect> expect = {
        {2 + charWidth, 0, 2 * charWidth, line},
        {2, line, 4 * charWidth, line},
        {2, 2 * line, 2 * charWidth, line}, // the fourth line is selected but not shown
    };
    EXPECT_EQ(memo.selectionBars(), expect);

    memo.topLine = 2;
    memo.updateText();
    const std::vector<sf::FloatRect> scrolled = {{2, 0, 2 * charWidth, line}}; // nothing of "jk" is selected
    EXPECT_EQ(memo.selectionBars(), scrolled);

    press(Key::Right); // drops the selection
    EXPECT_TRUE(memo.selectionBars().empty());
}

TEST_F(TextMemoTest, TabMovesFocusAndARebuildKeepsOneId)
{
    TextMemo other;
    other.create({0, 0}, {100, 100});
    other.update(); // the loop runs both
    press(Key::Tab);
    EXPECT_EQ(focusedComponentId, other.id);

    const uint64_t before = memo.id;
    for (int i = 0; i < 3; ++i)
        memo.create(memoAt, {400, line * 3.5f});
    EXPECT_EQ(test::claimedIds(), 2); // this memo's and the other's: a rebuild frees the id it held
    EXPECT_EQ(memo.id, before);
}

} // namespace
