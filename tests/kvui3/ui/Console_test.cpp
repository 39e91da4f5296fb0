#include "ui/Console.h"

#include "core/FrameUpdate.h"
#include "support/FakeInput.h"

#include "support/UiTestSupport.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <SFML/Graphics/Text.hpp>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

TEST(ConsoleTokenize, SplitsAtBlanksAndKeepsQuotedTextWhole)
{
    const struct {
        std::string line;
        Words words;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"help", {"help"}},
        {"kick\t 12 ", {"kick", "12"}},
        {"say \"Hello all!\"", {"say", "Hello all!"}},
        {"ab\"cd ef\"gh", {"ab", "cd ef", "gh"}},
        {"say \"\" x", {"say", "x"}},
        {"say \"open to the end", {"say", "open to the end"}},
        {"giveitem \"time warp\" 3", {"giveitem", "time warp", "3"}},
        {"exit\r\n", {"exit"}},
        {"a \n b", {"a", "b"}},
    };
    for (const auto& c : cases) {
        kv::ConsoleTokens tokens;
        tokens.reserved = 77;
        kv::Console::tokenize(tokens, c.line);
        EXPECT_EQ(tokens.words, c.words) << c.line;
        EXPECT_EQ(tokens.reserved, 77u) << c.line;
    }
}

TEST(ConsoleLines, KeepsTheNewest512)
{
    kv::clearConsoleLines();
    for (int i = 0; i < 600; ++i)
        kv::Console::addLine(sf::Color::White, std::to_string(i));
    ASSERT_EQ(kv::consoleLines.size(), kv::maxConsoleLines);
    EXPECT_EQ(kv::consoleLines.front().text, "88");
    EXPECT_EQ(kv::consoleLines.back().text, "599");
    kv::clearConsoleLines();
}

TEST(ConsoleHistory, SkipsCaseInsensitiveRepeatsAndKeepsTheNewest32)
{
    kv::consoleHistory.clear();
    const struct {
        std::string submitted;
        std::size_t size;
        std::string last;
    } steps[] = {
        {"help", 1, "help"},
        {"HELP", 1, "help"},
        {"fps", 2, "fps"},
        {"help", 3, "help"},
    };
    for (const auto& s : steps) {
        kv::pendingCommand = s.submitted;
        kv::Console::addToHistory();
        ASSERT_EQ(kv::consoleHistory.size(), s.size) << s.submitted;
        EXPECT_EQ(kv::consoleHistory.back(), s.last) << s.submitted;
    }
    for (int i = 0; i < 40; ++i) {
        kv::pendingCommand = "c" + std::to_string(i);
        kv::Console::addToHistory();
    }
    ASSERT_EQ(kv::consoleHistory.size(), kv::maxConsoleHistory);
    EXPECT_EQ(kv::consoleHistory.front(), "c8");
    EXPECT_EQ(kv::consoleHistory.back(), "c39");
    kv::consoleHistory.clear();
    kv::pendingCommand.clear();
}

TEST(ConsoleLines, ShowOnlyTheRowsThatFitNewestFirst)
{
    const struct {
        float innerHeight, rowHeight;
        std::size_t count, shown;
    } cases[] = {
        {100, 20, 0, 0},   {100, 20, 3, 3},    {100, 20, 512, 6}, // rows at 80 .. 0, and -20 partly shown
        {110, 20, 512, 6}, {119, 20, 512, 6},  {120, 20, 512, 7},
        {0, 20, 512, 1},   {-50, 20, 512, 0},  {100, 0, 512, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kv::shownConsoleLines(c.innerHeight, c.rowHeight, c.count), c.shown)
            << c.innerHeight << " / " << c.rowHeight << " x " << c.count;
}

TEST(ConsoleLayout, FillsTheViewWithTheEditLineUnderThePanel)
{
    const struct {
        sf::Vector2f view;
    } cases[] = {{{640, 480}}, {{1280, 720}}, {{1920, 1080}}};
    const float title = 25, edit = 23;
    for (const auto& c : cases) {
        const kv::ConsoleLayout l = kv::consoleLayout(c.view, title, edit);
        EXPECT_EQ(l.formPosition, sf::Vector2f(5, 5));
        EXPECT_EQ(l.formPosition + l.formSize, c.view - sf::Vector2f(5, 5));
        EXPECT_EQ(l.panelPosition, sf::Vector2f(10, 5 + title + 5));
        EXPECT_EQ(l.panelSize, sf::Vector2f(c.view.x - 20, c.view.y - 20 - title - edit));
        EXPECT_EQ(l.editPosition, l.panelPosition + sf::Vector2f(0, l.panelSize.y));
        EXPECT_EQ(l.editSize, sf::Vector2f(l.panelSize.x, edit));
        // The edit line ends 5 units above the form's bottom edge, inside the body.
        EXPECT_EQ(l.editPosition.y + edit, l.formPosition.y + l.formSize.y - 5);
    }
}

class ConsoleInput : public ::testing::Test {
protected:
    kv::test::FakeInput fake;

    void SetUp() override
    {
        kv::TextBox::measure = [](std::string_view text) { return 10.0f * static_cast<float>(text.size()); };
        kv::Console::measureLine = [](const std::string& text) { return 10.0f * static_cast<float>(text.size()); };
        kv::resetComponentIds();
        kv::createConsole();
        kv::consoleWidgets->consoleEdit.ownMeasure = kv::TextBox::measure;
        kv::Console::takeFocus();
        kv::consoleHistory.clear();
        kv::consoleHistoryIndex = 0;
        kv::pendingCommand.clear();
        kv::pollerTicked = true;
    }
    void TearDown() override
    {
        kv::TextBox::measure = kv::TextBox::measureWithFont;
        kv::Console::measureLine = kv::Console::measureLineWithFont;
        kv::consoleHistory.clear();
        kv::pendingCommand.clear();
        kv::pollerTicked = false;
        kv::resetComponentIds();
    }

    static std::string& line() { return kv::consoleWidgets->consoleEdit.edit.text; }

    struct DrawnText {
        std::string text;
        sf::Color colour;
        float y;
    };
    // The texts one Console::draw records, in drawing order.
    static std::vector<DrawnText> drawnTexts()
    {
        kv::test::RecordingLayer ui;
        kv::Console::draw();
        std::vector<DrawnText> drawn;
        for (const kv::DeferredDraw& r : ui.layer.records) {
            if (r.kind != kv::deferredText)
                continue;
            const auto& text = static_cast<const sf::Text&>(*r.drawable);
            drawn.push_back({text.getString().toAnsiString(), text.getFillColor(), text.getPosition().y});
        }
        return drawn;
    }

    // A new tick with these keys pressed and this text typed.
    static void tick(std::initializer_list<uint32_t> keys, const std::string& typed = "")
    {
        ++kv::pollerTickCount;
        kv::Keyboard::pressedKeys.assign(keys.begin(), keys.end());
        kv::typedText = typed;
        kv::Console::handleInput();
        kv::Keyboard::pressedKeys.clear();
        kv::typedText.clear();
    }

    static void submit(const std::string& command)
    {
        kv::pendingCommand = command;
        kv::Console::addToHistory();
        kv::consoleHistoryIndex = static_cast<int>(kv::consoleHistory.size());
        kv::pendingCommand.clear();
    }
};

TEST_F(ConsoleInput, OpeningTakesTheFocusFromAnotherWidget)
{
    kv::focusedComponentId = 7;
    kv::Console::takeFocus();
    EXPECT_EQ(kv::focusedComponentId, kv::consoleWidgets->consoleEdit.id);
    tick({}, "fps");
    EXPECT_EQ(line(), "fps");
}

TEST_F(ConsoleInput, EnterAnywhereInTheTickSubmitsTheWholeLine)
{
    using Key = sf::Keyboard;
    const struct {
        std::string before;
        std::vector<uint32_t> keys;
        std::string typed;
        std::string submitted, left;
    } cases[] = {
        {"help", {Key::Enter}, "", "help", ""},
        {"hel", {Key::P, Key::Enter}, "p", "help", ""},
        {"", {Key::F, Key::P, Key::S, Key::Enter}, "fps", "fps", ""},
        {"say", {Key::Space, Key::Enter, Key::Up}, " ", "say ", ""}, // the first of the three counts
        {"fps", {Key::A}, "a", "", "fpsa"},
        {"", {Key::Enter}, "", "", ""},
    };
    for (const auto& c : cases) {
        kv::pendingCommand.clear();
        line() = c.before;
        kv::consoleWidgets->consoleEdit.edit.cursor = static_cast<int32_t>(c.before.size());
        ++kv::pollerTickCount;
        kv::Keyboard::pressedKeys = c.keys;
        kv::typedText = c.typed;
        kv::Console::handleInput();
        EXPECT_EQ(kv::pendingCommand, c.submitted) << c.before << "+" << c.typed;
        EXPECT_EQ(line(), c.left) << c.before << "+" << c.typed;
        EXPECT_EQ(kv::Keyboard::pressedKeys, c.keys) << "the keys stay in the tick's list";
    }
    kv::Keyboard::pressedKeys.clear();
    kv::typedText.clear();
}

TEST_F(ConsoleInput, ASecondCallInTheSameTickDoesNothing)
{
    line() = "help";
    tick({sf::Keyboard::Enter});
    EXPECT_EQ(kv::pendingCommand, "help");
    kv::pendingCommand.clear();
    line() = "fps";
    kv::Keyboard::pressedKeys = {sf::Keyboard::Enter};
    kv::typedText = "x";
    kv::Console::handleInput(); // same tick count
    EXPECT_EQ(kv::pendingCommand, "");
    EXPECT_EQ(line(), "fps");
    kv::Keyboard::pressedKeys.clear();
    kv::typedText.clear();
}

TEST_F(ConsoleInput, UpAndDownWalkTheHistory)
{
    using Key = sf::Keyboard;
    for (const char* command : {"help", "fps", "gameInfo"})
        submit(command);
    const struct {
        uint32_t key;
        int index;
        std::string shown;
    } steps[] = {
        {Key::Up, 2, "gameInfo"}, {Key::Up, 1, "fps"},      {Key::Up, 0, "help"},
        {Key::Up, 0, "help"}, // at entry 0 Up stays
        {Key::Down, 1, "fps"},    {Key::Down, 2, "gameInfo"},
        {Key::Down, 3, ""}, // past the newest: an empty line
        {Key::Down, 3, ""},       {Key::Up, 2, "gameInfo"},
    };
    for (const auto& s : steps) {
        tick({Key::A, s.key});
        EXPECT_EQ(kv::consoleHistoryIndex, s.index) << s.shown;
        EXPECT_EQ(line(), s.shown) << s.index;
        EXPECT_EQ(kv::consoleWidgets->consoleEdit.edit.cursor, static_cast<int32_t>(s.shown.size()));
    }
    // Down on a typed line that was never submitted clears it.
    tick({Key::Down});
    tick({Key::X}, "x");
    ASSERT_EQ(line(), "x");
    tick({Key::Down});
    EXPECT_EQ(line(), "");
}

TEST_F(ConsoleInput, WithoutTheWindowsFocusNoKeyActs)
{
    submit("help");
    line() = "fps";
    kv::test::FakeInput::focus = false;
    tick({sf::Keyboard::Enter});
    tick({sf::Keyboard::Up});
    EXPECT_EQ(kv::pendingCommand, "");
    EXPECT_EQ(line(), "fps");
}

TEST_F(ConsoleInput, DrawsOnlyTheLinesThatFitNewestFirstInTheirColours)
{
    kv::clearConsoleLines();
    for (int i = 0; i < 512; ++i)
        kv::Console::addLine(i % 2 ? sf::Color::Red : sf::Color(0, 0, 0, 255), "line " + std::to_string(i));
    kv::consoleDrawn = false;
    std::vector<std::string> texts;
    std::vector<sf::Color> colours;
    for (const DrawnText& drawn : drawnTexts()) {
        if (drawn.text.rfind("line ", 0) == 0) {
            texts.push_back(drawn.text);
            colours.push_back(drawn.colour);
        }
    }
    EXPECT_TRUE(kv::consoleDrawn);
    const float inner = kv::consoleWidgets->consoleLinePanel.getHeight() - 12;
    const float row = kv::monoFont->getLineSpacing(kv::consoleTextSize) + 2;
    const std::size_t fit = kv::shownConsoleLines(inner, row, 512);
    ASSERT_LT(fit, 512u);
    ASSERT_EQ(texts.size(), fit);
    EXPECT_EQ(texts.front(), "line 511");
    EXPECT_EQ(colours.front(), sf::Color::Red);
    EXPECT_EQ(texts[1], "line 510");
    EXPECT_EQ(colours[1], kv::consoleTextColour) << "plain lines show in the console's own colour";
    EXPECT_EQ(texts.back(), "line " + std::to_string(512 - fit));
    kv::clearConsoleLines();
}

// A line wider than the panel ran on under the console's right edge, cut off by the clip; it
// is drawn in rows that fit, the first above the next.
TEST_F(ConsoleInput, ALongLineIsDrawnInRowsWithinThePanel)
{
    kv::clearConsoleLines();
    std::string longLine;
    for (int i = 0; i < 60; ++i)
        longLine += "word" + std::to_string(i) + " ";
    kv::Console::addLine(sf::Color::Red, longLine);
    std::vector<std::string> texts;
    std::vector<float> ys;
    for (const DrawnText& drawn : drawnTexts()) {
        if (drawn.colour == sf::Color::Red) {
            texts.push_back(drawn.text);
            ys.push_back(drawn.y);
        }
    }
    const float inner = kv::consoleWidgets->consoleLinePanel.getSize().x - 12;
    ASSERT_GE(texts.size(), 3u);
    std::string joined;
    for (size_t i = texts.size(); i-- > 0;) {
        EXPECT_LE(kv::Console::measureLine(texts[i]), inner) << texts[i];
        joined += texts[i];
        if (i > 0)
            EXPECT_LT(ys[i], ys[i - 1]) << "the earlier row stands higher";
    }
    EXPECT_EQ(joined, longLine);
    kv::clearConsoleLines();
}

} // namespace

namespace {

TEST(ConsoleRows, LinesWrapWithinTheWidthAndDropTheirLineFeeds)
{
    const kv::TextMeasure tenEach = [](const std::string& text) { return 10.0f * static_cast<float>(text.size()); };
    const struct {
        std::string text;
        float width;
        std::vector<std::string> rows;
    } cases[] = {
        {"", 100, {""}},
        {"short line", 200, {"short line"}},
        {"one two three four five", 100, {"one two ", "three ", "four five"}},
        {"abcdefghijklmnop", 60, {"abcdef", "ghijkl", "mnop"}},
        {"first\nsecond\n", 200, {"first", "second"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(kv::consoleRows(c.text, c.width, tenEach), c.rows);
    }
}

} // namespace
