#include "ui/TextBox.h"

#include "support/UiTestSupport.h"
#include "app/NestedLoop.h"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <vector>

using namespace kv;
using Key = sf::Keyboard::Key;

namespace {

// ---- The editing rules over a plain value ----

struct Step {
    enum Kind { type, backspace, del, home, end, left, right, wordLeft, wordRight, all, paste } kind;
    bool shift = false;
    std::string arg = {};
};

struct Expect {
    std::string text;
    int32_t cursor;
    uint64_t selectionStart = 0, selectionLength = 0;
};

void apply(TextEdit& edit, const Step& step)
{
    switch (step.kind) {
    case Step::type: typeText(edit, step.arg); break;
    case Step::backspace: backspace(edit); break;
    case Step::del: deleteForward(edit); break;
    case Step::home: moveCursor(edit, CursorMove::home, step.shift); break;
    case Step::end: moveCursor(edit, CursorMove::end, step.shift); break;
    case Step::left: moveCursor(edit, CursorMove::left, step.shift); break;
    case Step::right: moveCursor(edit, CursorMove::right, step.shift); break;
    case Step::wordLeft: moveCursor(edit, CursorMove::wordLeft, step.shift); break;
    case Step::wordRight: moveCursor(edit, CursorMove::wordRight, step.shift); break;
    case Step::all: selectAll(edit); break;
    case Step::paste: paste(edit, step.arg); break;
    }
}

TEST(TextEdit, EditingTable)
{
    using S = Step;
    struct Case {
        const char* what;
        std::string text;
        int32_t cursor;
        unsigned maxLength;
        bool numbersOnly;
        std::vector<Step> steps;
        Expect expect;
    } cases[] = {
        {"typing inserts at the cursor", "ac", 1, 10, false, {{S::type, false, "b"}}, {"abc", 2}},
        {"typing stops at maxLength", "123", 3, 5, false, {{S::type, false, "4567"}}, {"12345", 5}},
        {"a full box refuses typing", "12345", 5, 5, false, {{S::type, false, "6"}}, {"12345", 5}},
        {"a full box refuses typing over a selection", "12345", 5, 5, false,
         {{S::left, true}, {S::type, false, "9"}}, {"12345", 4, 4, 1}},
        {"typing replaces the selection", "hello", 5, 10, false,
         {{S::left, true}, {S::left, true}, {S::type, false, "p!"}}, {"help!", 5}},
        {"ESC is skipped", "", 0, 10, false, {{S::type, false, "a\x1b" "b"}}, {"ab", 2}},
        {"numbers only takes digits, minus and point", "", 0, 10, true, {{S::type, false, "1a-2.b\x1b"}}, {"1-2.", 4}},
        {"Shift+Home from cursor 4 selects 0..3", "abcdef", 4, 10, false, {{S::home, true}}, {"abcdef", 0, 0, 4}},
        {"Shift+End then Shift+Left", "abcdef", 2, 10, false, {{S::end, true}, {S::left, true}}, {"abcdef", 5, 2, 3}},
        {"the selection follows the anchor across it", "abcdef", 3, 10, false,
         {{S::right, true}, {S::left, true}, {S::left, true}}, {"abcdef", 2, 2, 1}},
        {"moving without Shift drops the selection", "abcdef", 4, 10, false, {{S::home, true}, {S::end}},
         {"abcdef", 6}},
        {"Left and Right stop at the ends", "ab", 0, 10, false, {{S::left}, {S::right}, {S::right}, {S::right}},
         {"ab", 2}},
        {"Backspace at 0 does nothing", "abc", 0, 10, false, {{S::backspace}}, {"abc", 0}},
        {"Backspace at the end", "abc", 3, 10, false, {{S::backspace}}, {"ab", 2}},
        {"Backspace deletes a selection with the cursor at 0", "abcdef", 4, 10, false,
         {{S::home, true}, {S::backspace}}, {"ef", 0}},
        {"Backspace deletes a selection", "abcdef", 1, 10, false, {{S::right, true}, {S::right, true}, {S::backspace}},
         {"adef", 1}},
        {"Delete at 0", "abc", 0, 10, false, {{S::del}}, {"bc", 0}},
        {"Delete at the end does nothing", "abc", 3, 10, false, {{S::del}}, {"abc", 3}},
        {"Delete deletes a selection", "abcdef", 4, 10, false, {{S::home, true}, {S::del}}, {"ef", 0}},
        {"word jumps left stop at word starts", "one two  three", 14, 20, false, {{S::wordLeft}}, {"one two  three", 9}},
        {"two word jumps left", "one two  three", 14, 20, false, {{S::wordLeft}, {S::wordLeft}}, {"one two  three", 4}},
        {"a word jump left from inside a word", "one two", 5, 20, false, {{S::wordLeft}, {S::wordLeft}},
         {"one two", 0}},
        {"word jumps right land on the next word", "one two  three", 0, 20, false, {{S::wordRight}, {S::wordRight}},
         {"one two  three", 9}},
        {"a word jump right from the last word goes to the end", "one two", 5, 20, false, {{S::wordRight}},
         {"one two", 7}},
        {"Shift+word jump selects the word", "one two  three", 14, 20, false, {{S::wordLeft, true}},
         {"one two  three", 9, 9, 5}},
        {"Control+A selects all", "abc", 1, 10, false, {{S::all}}, {"abc", 3, 0, 3}},
        {"paste inserts at the cursor", "ad", 1, 10, false, {{S::paste, false, "bc"}}, {"abcd", 3}},
        {"paste replaces the selection", "abcdef", 4, 10, false, {{S::home, true}, {S::paste, false, "X"}},
         {"Xef", 1}},
        {"paste goes past maxLength", "123", 3, 5, false, {{S::paste, false, "4567"}}, {"1234567", 7}},
        {"paste into a full box still inserts", "12345", 5, 5, false, {{S::paste, false, "678"}}, {"12345678", 8}},
        {"an empty paste keeps the selection", "abc", 3, 10, false, {{S::left, true}, {S::paste, false, ""}},
         {"abc", 2, 2, 1}},
        {"paste is not filtered by numbers only", "1", 1, 10, true, {{S::paste, false, "a b"}}, {"1a b", 4}},
    };
    for (const Case& c : cases) {
        TextEdit edit;
        edit.text = c.text;
        edit.cursor = c.cursor;
        edit.maxLength = c.maxLength;
        edit.numbersOnly = c.numbersOnly;
        for (const Step& step : c.steps)
            apply(edit, step);
        EXPECT_EQ(edit.text, c.expect.text) << c.what;
        EXPECT_EQ(edit.cursor, c.expect.cursor) << c.what;
        EXPECT_EQ(edit.selectionStart, c.expect.selectionStart) << c.what;
        EXPECT_EQ(edit.selectionLength, c.expect.selectionLength) << c.what;
    }
}

TEST(TextEdit, PasteIsCleanedAndCappedAt4096Bytes)
{
    EXPECT_EQ(cleanPaste("a\x1b" "b\nc\xa0"), "abc ");
    EXPECT_EQ(cleanPaste("\n\n\x1b"), "");
    EXPECT_EQ(cleanPaste("one\r\ntwo"), "one\rtwo"); // a CR is kept
    // The cap counts what is inserted, after cleaning.
    EXPECT_EQ(cleanPaste(std::string(5000, '\n') + "ab"), "ab");
    EXPECT_EQ(cleanPaste(std::string(5000, 'x')).size(), maxPasteBytes);

    TextEdit edit;
    edit.maxLength = 100000;
    edit.text = "<>";
    edit.cursor = 1;
    paste(edit, std::string(10000, 'x'));
    EXPECT_EQ(edit.text.size(), 2 + maxPasteBytes);
    EXPECT_EQ(edit.cursor, 1 + static_cast<int32_t>(maxPasteBytes));
    EXPECT_EQ(edit.text.back(), '>');
}

TEST(TextEdit, BackspaceAndDeleteDropTheScrollByWhatWent)
{
    TextEdit edit;
    edit.text = "abcdefgh";
    edit.maxLength = 20;
    edit.cursor = 8;
    edit.scroll = 3;
    backspace(edit);
    EXPECT_EQ(edit.scroll, 2);
    moveCursor(edit, CursorMove::home, true); // 7 selected
    deleteForward(edit);
    EXPECT_EQ(edit.scroll, 0);
    EXPECT_EQ(edit.text, "");
}

float tenPerCharacter(std::string_view text)
{
    return 10.0f * static_cast<float>(text.size());
}

TEST(TextEdit, ClickPlacesTheCursor)
{
    TextEdit edit;
    edit.text = "abcdef";
    struct Case {
        int32_t scroll;
        float x;
        int32_t cursor;
    } cases[] = {
        {0, 0, 0}, {0, 9, 0}, {0, 10, 1}, {0, 35, 3}, {0, 59, 5}, {0, 60, 6}, {0, 500, 6},
        {2, 0, 2}, {2, 15, 3}, {2, 500, 6},
    };
    for (const Case& c : cases) {
        edit.scroll = c.scroll;
        EXPECT_EQ(cursorAtX(edit, c.x, tenPerCharacter), c.cursor) << "scroll " << c.scroll << " x " << c.x;
    }
}

// ---- The widget, with fake input, fixed metrics and a fake clipboard ----

std::string fakeClipboard;

class TextBoxTest : public ::testing::Test {
protected:
    test::FakeInput fake;

    void SetUp() override
    {
        resetComponentIds();
        focusedComponentId = noFocusedComponent;
        TextBox::measure = tenPerCharacter;
        fakeClipboard.clear();
        clipboard::getText = [] { return fakeClipboard; };
        clipboard::setText = [](const std::string& text) { fakeClipboard = text; };
        pollerTicked = true;
        mouseCaptured = false;
    }
    void TearDown() override
    {
        TextBox::measure = TextBox::measureWithFont;
        clipboard::reset();
        pollerTicked = false;
        mouseCaptured = false;
        resetComponentIds();
    }

    // One tick with these keys pressed and these held.
    static void tick(TextBox& box, std::initializer_list<int> pressed, std::initializer_list<int> held = {})
    {
        test::FakeInput::keys = held;
        Keyboard::pressedKeys.assign(pressed.begin(), pressed.end());
        box.update();
        Keyboard::pressedKeys.clear();
        test::FakeInput::keys.clear();
    }

    static TextBox& focus(TextBox& box)
    {
        focusedComponentId = static_cast<uint32_t>(box.id);
        return box;
    }
};

TEST_F(TextBoxTest, CreateSizesTheBoxByMaxLengthAndClaimsAnId)
{
    TextBox box;
    box.create("abc", {100, 50}, 12);
    EXPECT_EQ(box.id, 0u);
    EXPECT_EQ(box.getSize().x, 120);
    EXPECT_EQ(box.edit.cursor, 3);
    EXPECT_EQ(box.edit.maxLength, 12u);
    EXPECT_TRUE(box.name.empty());
    EXPECT_EQ(box.parts.frame.getPosition(), sf::Vector2f(101, 51));

    TextBox captioned;
    captioned.createWithCaption("", "Name", 10, 40, 300, 8);
    EXPECT_EQ(captioned.id, 1u);
    EXPECT_EQ(captioned.getWidth(), 300);
    EXPECT_EQ(captioned.name.rfind("auto:", 0), 0u);
    EXPECT_TRUE(captioned.hasCaption);
    EXPECT_EQ(captioned.parts.caption.getText(), "Name");
}

TEST_F(TextBoxTest, KeysAndTypedTextEditOnlyOnTicksWhileFocused)
{
    TextBox box;
    box.create("abc", {0, 0}, 10);
    typedText = "x";
    tick(box, {Key::Backspace});
    EXPECT_EQ(box.edit.text, "abc") << "not focused";

    focus(box);
    pollerTicked = false;
    tick(box, {Key::Backspace});
    EXPECT_EQ(box.edit.text, "abc") << "no tick";

    pollerTicked = true;
    box.enabled = false;
    tick(box, {Key::Backspace});
    EXPECT_EQ(box.edit.text, "abc") << "disabled";

    box.enabled = true;
    tick(box, {Key::Left, Key::Backspace});
    EXPECT_EQ(box.edit.text, "axc");
    typedText.clear();

    // Shift+Home, then typing over the selection.
    tick(box, {Key::Home}, {Key::LShift});
    EXPECT_EQ(box.edit.selectionLength, 2u);
    typedText = "z";
    tick(box, {});
    EXPECT_EQ(box.edit.text, "zc");
    // Typing is ignored while Control or left Alt is held.
    tick(box, {}, {Key::LControl});
    tick(box, {}, {Key::LAlt});
    EXPECT_EQ(box.edit.text, "zc");
    typedText.clear();

    // Control+Left jumps words; Delete without Shift deletes.
    box.edit.text = "one two";
    box.edit.cursor = 7;
    tick(box, {Key::Left}, {Key::RControl});
    EXPECT_EQ(box.edit.cursor, 4);
    tick(box, {Key::Delete});
    EXPECT_EQ(box.edit.text, "one wo");
    EXPECT_EQ(box.parts.shownText.text.getString().toAnsiString(), "one wo");
}

TEST_F(TextBoxTest, ClipboardKeysGoThroughTheHook)
{
    TextBox box;
    box.create("hello world", {0, 0}, 20);
    focus(box);

    // Control+C copies the selection and leaves the text.
    box.edit.cursor = 5;
    moveCursor(box.edit, CursorMove::home, true);
    tick(box, {Key::C}, {Key::LControl});
    EXPECT_EQ(fakeClipboard, "hello");
    EXPECT_EQ(box.edit.text, "hello world");

    // Control+X cuts.
    tick(box, {Key::X}, {Key::RControl});
    EXPECT_EQ(fakeClipboard, "hello");
    EXPECT_EQ(box.edit.text, " world");
    EXPECT_EQ(box.edit.cursor, 0);

    // Control+V pastes at the cursor, after this tick's cursor keys, and uses the keys up.
    test::FakeInput::keys = {Key::LControl};
    Keyboard::pressedKeys = {Key::End, Key::V};
    box.update();
    EXPECT_EQ(box.edit.text, " worldhello");
    EXPECT_EQ(box.edit.cursor, 11);
    EXPECT_TRUE(Keyboard::pressedKeys.empty());

    // Shift+Delete cuts, Shift+Insert pastes.
    box.edit.text = "abcd";
    box.edit.cursor = 4;
    moveCursor(box.edit, CursorMove::left, true);
    tick(box, {Key::Delete}, {Key::LShift});
    EXPECT_EQ(fakeClipboard, "d");
    EXPECT_EQ(box.edit.text, "abc");
    tick(box, {Key::Home}, {});
    tick(box, {Key::Insert}, {Key::RShift});
    EXPECT_EQ(box.edit.text, "dabc");

    // Copying nothing leaves the clipboard alone.
    tick(box, {Key::C}, {Key::LControl});
    EXPECT_EQ(fakeClipboard, "d");
    // The letters without Control are not clipboard keys.
    tick(box, {Key::V}, {});
    EXPECT_EQ(box.edit.text, "dabc");
}

TEST_F(TextBoxTest, ControlAWorksWithTheLeftControlOnly)
{
    TextBox box;
    box.create("abc", {0, 0}, 10);
    focus(box);
    box.edit.cursor = 1;
    tick(box, {Key::A}, {Key::RControl});
    EXPECT_EQ(box.edit.selectionLength, 0u);
    tick(box, {Key::A}, {Key::LControl});
    EXPECT_EQ(box.edit.selectionLength, 3u);
    EXPECT_EQ(box.edit.cursor, 3);
}

TEST_F(TextBoxTest, TabWrapsFromTheHighestClaimedIdToTheLowest)
{
    TextBox a, b, c;
    a.create("", {0, 0}, 5);
    b.create("", {0, 40}, 5);
    c.create("", {0, 80}, 5);
    for (TextBox* box : {&a, &b, &c}) // the loop runs all three
        box->update();
    focus(b);
    tick(b, {Key::Tab});
    EXPECT_EQ(focusedComponentId, c.id);
    typedText = "x";
    tick(c, {Key::Tab});
    EXPECT_EQ(focusedComponentId, a.id);
    EXPECT_EQ(c.edit.text, "") << "typing in the tick of a Tab belongs to no box";
    typedText.clear();
    EXPECT_EQ(nextFocusId(static_cast<uint32_t>(a.id)), b.id);
}

// Boxes update one after another in a frame: the one a Tab moved to sees neither the Tab nor
// the tick's typing.
TEST_F(TextBoxTest, TabMovesTheFocusOnceWhenEveryBoxUpdatesInTheSameTick)
{
    TextBox a, b, c;
    a.create("", {0, 0}, 5);
    b.create("", {0, 40}, 5);
    c.create("", {0, 80}, 5);
    for (TextBox* box : {&a, &b, &c}) // the tick before
        box->update();
    nextComponentTick();
    focus(a);
    Keyboard::pressedKeys = {Key::Tab};
    typedText = "x";
    a.update();
    b.update();
    c.update();
    EXPECT_EQ(focusedComponentId, b.id);
    EXPECT_EQ(b.edit.text, "");
    Keyboard::pressedKeys.clear();
    typedText.clear();
}

// Start-up makes the console line (id 0) and the Script Console editor (id 1); the game runs the
// console line once a tick while its console is open, and nothing runs the editor. Each case
// lets its loops run their boxes for a tick, presses Tab once a tick and then types: the focus
// stays among the boxes the active loop runs, in id order, and the typing lands in the last one.
TEST_F(TextBoxTest, TabWalksOnlyTheBoxesTheActiveLoopRuns)
{
    struct Case {
        const char* what;
        int boxes;               // ids 0 .. boxes - 1
        std::vector<int> outer;  // the boxes the outer loop runs, in its order
        std::vector<int> nested; // a loop opened from the outer one; empty: none
        int start;
        std::vector<int> afterTabs;
    } cases[] = {
        {"the in-game console alone", 2, {}, {0}, 0, {0, 0}},
        {"a form's three boxes beside the hidden console line and editor", 5, {2, 3, 4}, {}, 2, {3, 4, 2, 3}},
        {"boxes run in another order than their ids", 5, {4, 2, 3}, {}, 4, {2, 3, 4}},
        {"the bookmark editor over the join window's list", 6, {2}, {3, 4, 5}, 3, {4, 5, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<TextBox> boxes(static_cast<size_t>(c.boxes));
        for (size_t i = 0; i < boxes.size(); ++i)
            boxes[i].create("", {0, 40.0f * static_cast<float>(i)}, 5);
        const auto runTick = [&](const std::vector<int>& runs, std::initializer_list<int> keys, const char* typed) {
            nextComponentTick();
            Keyboard::pressedKeys.assign(keys.begin(), keys.end());
            typedText = typed;
            for (int i : runs)
                boxes[static_cast<size_t>(i)].update();
            Keyboard::pressedKeys.clear();
            typedText.clear();
        };
        focus(boxes[static_cast<size_t>(c.start)]);
        runTick(c.outer, {}, "");
        std::optional<NestedLoop> nested;
        if (!c.nested.empty())
            nested.emplace();
        const std::vector<int>& active = nested ? c.nested : c.outer;
        runTick(active, {}, "");
        for (int expected : c.afterTabs) {
            runTick(active, {Key::Tab}, "");
            EXPECT_EQ(focusedComponentId, static_cast<uint32_t>(expected));
        }
        runTick(active, {}, "x");
        for (size_t i = 0; i < boxes.size(); ++i)
            EXPECT_EQ(boxes[i].edit.text, static_cast<int>(i) == c.afterTabs.back() ? "x" : "") << "box " << i;
    }
}

TEST_F(TextBoxTest, FocusIsTakenOnlyByAClickInsideTheBox)
{
    TextBox box;
    box.create("", {100, 100}, 10); // 100 x 2 px (no font: a line spacing of 0)
    test::FakeInput::pointer = {150, 101};
    box.update();
    EXPECT_NE(focusedComponentId, box.id) << "hovering is not clicking";
    leftClicked = true;
    test::FakeInput::pointer = {250, 101};
    box.update();
    EXPECT_NE(focusedComponentId, box.id) << "a click outside";
    test::FakeInput::pointer = {150, 101};
    box.update();
    EXPECT_EQ(focusedComponentId, box.id);
    leftClicked = false;
}

TEST_F(TextBoxTest, MousePlacesTheCursorAndDragsASelection)
{
    TextBox box;
    box.create("abcdefgh", {100, 100}, 10);
    focus(box);
    test::FakeInput::buttons = {0};
    test::FakeInput::pointer = {103, 101};
    box.update();
    EXPECT_EQ(box.edit.cursor, 0);
    EXPECT_TRUE(mouseCaptured);
    EXPECT_EQ(box.edit.selectionLength, 0u);

    test::FakeInput::pointer = {135, 101};
    box.update();
    EXPECT_EQ(box.edit.cursor, 3);
    EXPECT_EQ(box.edit.selectionStart, 0u);
    EXPECT_EQ(box.edit.selectionLength, 3u);

    test::FakeInput::buttons.clear();
    box.update();
    EXPECT_FALSE(mouseCaptured);
    EXPECT_EQ(box.edit.selectionLength, 3u);

    // A new press right of the text puts the cursor at the end and drops the selection.
    test::FakeInput::buttons = {0};
    test::FakeInput::pointer = {195, 101};
    box.update();
    EXPECT_EQ(box.edit.cursor, 8);
    EXPECT_EQ(box.edit.selectionLength, 0u);
    test::FakeInput::buttons.clear();
}

TEST_F(TextBoxTest, ScrollCatchesUpOneCharacterPerTick)
{
    TextBox box;
    box.create("", {0, 0}, 3); // 30 px wide
    focus(box);
    box.edit.maxLength = 20;
    typedText = "abcdef"; // 60 px: three characters past the box
    box.update();
    typedText.clear();
    EXPECT_EQ(box.edit.scroll, 0);
    box.update();
    EXPECT_EQ(box.edit.scroll, 1);
    box.update();
    box.update();
    EXPECT_EQ(box.edit.scroll, 3);
    box.update();
    EXPECT_EQ(box.edit.scroll, 3) << "the cursor shows";
    EXPECT_EQ(box.parts.shownText.text.getString().toAnsiString(), "def");
    EXPECT_EQ(box.parts.cursorBar.getPosition().x, 31);

    tick(box, {Key::Home});
    box.update();
    EXPECT_EQ(box.edit.scroll, 0) << "a cursor left of the view pulls it back at once";
}

} // namespace
