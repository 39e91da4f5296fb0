#include "ui/ListBox.h"

#include "support/UiTestSupport.h"
#include "core/FrameUpdate.h"
#include "core/Keyboard.h"
#include "support/TempDir.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

using namespace kv;

namespace {

constexpr unsigned textSize = 16;

// A fixed-pitch stand-in for text measuring (which needs GL): 10 pixels a byte.
float tenPerByte(const sf::Font&, uint32_t, const std::string& text)
{
    return static_cast<float>(text.size()) * 10;
}

// Tick frames with faked input, the real font for row metrics and fixed-pitch measuring.
class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(font.loadFromFile(TVL_GAME_DIR "/kvui3/fonts/Roboto-Regular.ttf"));
        fake = std::make_unique<test::FakeInput>();
        resetComponentIds();
        ListBox::measureText = tenPerByte;
        pollerTicked = true;
        mouseCaptured = false;
        mouseWheelDelta = 0;
        rowHeight = font.getLineSpacing(textSize) + 1;
    }
    void TearDown() override
    {
        ListBox::measureText = textWidth;
        pollerTicked = false;
        mouseCaptured = false;
        leftClicked = false;
        mouseWheelDelta = 0;
        focusedComponentId = noFocusedComponent;
        fake.reset();
    }
    // At (100, 50), 300 wide, five and a half rows tall: five whole rows.
    void make(ListBox& list, int rows)
    {
        list.create("", {100, 50}, {300, rowHeight * 5.5f}, font, textSize);
        for (int i = 0; i < rows; ++i)
            list.addItem("row " + std::to_string(i), "", std::to_string(i));
        frame(list);
    }
    void frame(ListBox& list)
    {
        leftClicked = false;
        list.update();
    }
    // A click completed on visible row r (pointer in the row's middle).
    void click(ListBox& list, int r, int x = 150)
    {
        fake->pointer = {x, static_cast<int>(50 + (static_cast<float>(r) + 0.5f) * rowHeight)};
        leftClicked = true;
        list.update();
        leftClicked = false;
    }
    void press(ListBox& list, int key)
    {
        Keyboard::pressedKeys.push_back(static_cast<uint32_t>(key));
        list.update();
    }
    sf::Font font;
    float rowHeight = 0;
    std::unique_ptr<test::FakeInput> fake;
};

TEST_F(ListBoxTest, CreateSelectsRowZeroAndKeepsOneLabelMoreThanTheVisibleRows)
{
    ListBox list;
    make(list, 3);
    EXPECT_EQ(list.visibleRows(), 5);
    EXPECT_EQ(list.rowLabels.size(), 6u); // a half row shows at the bottom
    for (size_t r = 0; r < list.rowLabels.size(); ++r)
        EXPECT_EQ(list.rowLabels[r].getPosition(), sf::Vector2f(1, static_cast<float>(r) * rowHeight));
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.activated, -1);
    EXPECT_TRUE(list.selectable);
    EXPECT_FALSE(list.keyboard);
    EXPECT_FALSE(list.vBarShown);
    EXPECT_FALSE(list.hBarShown);
    EXPECT_NE(list.id, noComponentId);
}

TEST_F(ListBoxTest, EmptyListHasNoBarsSelectsNothingAndIgnoresKeys)
{
    ListBox list;
    make(list, 0);
    EXPECT_EQ(list.selected, -1);
    EXPECT_FALSE(list.vBarShown);
    EXPECT_FALSE(list.hBarShown);
    list.keyboard = true;
    focusedComponentId = static_cast<uint32_t>(list.id);
    for (int key : {sf::Keyboard::Down, sf::Keyboard::Up, sf::Keyboard::PageDown, sf::Keyboard::PageUp}) {
        press(list, key);
        EXPECT_EQ(list.selected, -1);
        EXPECT_EQ(list.top, 0);
    }
}

TEST_F(ListBoxTest, AddItemDropsOneTrailingLineFeedAndKeepsTheTag)
{
    ListBox list;
    make(list, 0);
    list.addItem("one\n", "", "a");
    list.addItem("two\n\n", "", "b");
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].text, "one");
    EXPECT_EQ(list.items[1].text, "two\n");
    EXPECT_EQ(list.items[0].tag, "a");
    EXPECT_EQ(list.items[1].tag, "b");
    EXPECT_EQ(list.items[0].columnCount, 0);
    EXPECT_EQ(list.items[0].textColour, list.textColour);
    EXPECT_EQ(list.items[0].selectedTextColour, list.selectedTextColour);
    EXPECT_TRUE(list.dirty);
}

TEST_F(ListBoxTest, WrappedTextBecomesRows)
{
    // 127 wide, size 16: lines up to 110 pixels, 11 bytes.
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> rows;
    } cases[] = {
        {"lines", "one\ntwo", {"one", "two"}},
        {"an empty line is a space", "one\n\ntwo", {"one", " ", "two"}},
        {"a leading empty line", "\none", {" ", "one"}},
        {"a final line feed adds no row", "one\ntwo\n", {"one", "two"}},
        {"CRLF", "one\r\ntwo\r\n", {"one", "two"}},
        {"long lines wrap at a space", "hello there world", {"hello ", "there world"}},
        {"a long word is broken", "abcdefghijklmnop", {"abcdefghijk", "lmnop"}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) {
        ListBox list;
        list.create("", {0, 0}, {127, 100}, font, textSize);
        list.addWrappedText(c.text);
        std::vector<std::string> rows;
        for (const ListBoxItem& item : list.items)
            rows.push_back(item.text);
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

TEST_F(ListBoxTest, LoadsATextFileAndRefusesAMissingOne)
{
    testsupport::TempDir dir;
    dir.write("Help.txt", "Torvale help\n\nPress Escape to leave.\n");
    ListBox list;
    list.create("Help", {0, 20}, {400, 200}, font, textSize);
    list.addItem("kept", "", "");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(list.loadFromTextFile((dir.path() / "missing.txt").string()));
    EXPECT_FALSE(list.loadFromTextFile(dir.path().string())); // a folder is no text file
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("ListBox::loadFromTextFile: Unable to open " + (dir.path() / "missing.txt").string()),
              std::string::npos)
        << log;
    ASSERT_EQ(list.items.size(), 1u);

    ASSERT_TRUE(list.loadFromTextFile((dir.path() / "help.txt").string())); // names match without case
    ASSERT_EQ(list.items.size(), 4u);
    EXPECT_EQ(list.items[1].text, "Torvale help");
    EXPECT_EQ(list.items[2].text, " ");
    EXPECT_EQ(list.items[3].text, "Press Escape to leave.");
}

TEST_F(ListBoxTest, ClicksSelectAndASecondQuickClickActivates)
{
    ListBox list;
    make(list, 20);
    list.top = 3;
    frame(list);

    click(list, 2);
    EXPECT_EQ(list.selected, 5);
    EXPECT_EQ(list.activated, -1);
    EXPECT_EQ(focusedComponentId, list.id); // a click inside takes the focus
    click(list, 1);
    EXPECT_EQ(list.selected, 4);
    EXPECT_EQ(list.activated, -1);
    click(list, 1);
    EXPECT_EQ(list.selected, 4);
    EXPECT_EQ(list.activated, 4);

    // Outside the rows: the scroll bar's strip, left of the box, below the five whole rows.
    list.activated = -1;
    click(list, 0, 400 - 8);
    click(list, 0, 99);
    click(list, 6);
    EXPECT_EQ(list.selected, 4);
    EXPECT_EQ(list.activated, -1);
}

TEST_F(ListBoxTest, ASecondClickAfterHalfASecondOnlySelects)
{
    ListBox list;
    make(list, 3);
    click(list, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(ListBox::doubleClickMilliseconds + 20));
    list.selected = 0;
    click(list, 1);
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(list.activated, -1);
    click(list, 1); // and that click starts a new pair
    EXPECT_EQ(list.activated, 1);
}

TEST_F(ListBoxTest, KeysAndWheelMoveSelectionAndTop)
{
    // 20 rows, 5 visible.
    struct Case {
        const char* name;
        int32_t selected, top;
        int key;      // -1: the wheel instead
        float wheel;
        int32_t wantSelected, wantTop;
    } cases[] = {
        {"down", 0, 0, sf::Keyboard::Down, 0, 1, 0},
        {"down past the last visible row scrolls", 4, 0, sf::Keyboard::Down, 0, 5, 1},
        {"down at the end stays", 19, 15, sf::Keyboard::Down, 0, 19, 15},
        {"down with nothing selected starts at top", -1, 4, sf::Keyboard::Down, 0, 5, 4},
        {"up", 3, 0, sf::Keyboard::Up, 0, 2, 0},
        {"up above top scrolls", 3, 3, sf::Keyboard::Up, 0, 2, 2},
        {"up at the start stays", 0, 0, sf::Keyboard::Up, 0, 0, 0},
        {"up with nothing selected starts at top", -1, 4, sf::Keyboard::Up, 0, 3, 3},
        {"page down", 0, 0, sf::Keyboard::PageDown, 0, 5, 5},
        {"page down near the end", 17, 14, sf::Keyboard::PageDown, 0, 19, 15},
        {"page up", 12, 10, sf::Keyboard::PageUp, 0, 7, 5},
        {"page up near the start", 2, 1, sf::Keyboard::PageUp, 0, 0, 0},
        {"page up with nothing selected selects row 0", -1, 0, sf::Keyboard::PageUp, 0, 0, 0},
        {"wheel up", 5, 5, -1, 2.5f, 3, 3},
        {"wheel down", 0, 0, -1, -3, 3, 0},
        {"wheel down past the visible rows", 3, 0, -1, -4, 7, 3},
        {"wheel down too far stays", 18, 15, -1, -2, 18, 15},
    };
    for (const Case& c : cases) {
        ListBox list;
        make(list, 20);
        list.keyboard = true;
        focusedComponentId = static_cast<uint32_t>(list.id);
        list.selected = c.selected;
        list.top = c.top;
        frame(list);
        if (c.key >= 0) {
            press(list, c.key);
        } else {
            mouseWheelDelta = c.wheel;
            list.update();
            mouseWheelDelta = 0;
        }
        EXPECT_EQ(list.selected, c.wantSelected) << c.name;
        EXPECT_EQ(list.top, c.wantTop) << c.name;
        EXPECT_TRUE(Keyboard::pressedKeys.empty()) << c.name << ": the key is taken";
        Keyboard::pressedKeys.clear();
    }
}

TEST_F(ListBoxTest, KeysNeedTheSwitchAndTheFocus)
{
    for (bool keyboard : {false, true}) {
        ListBox list;
        make(list, 20);
        list.keyboard = keyboard;
        focusedComponentId = keyboard ? noFocusedComponent : static_cast<uint32_t>(list.id);
        press(list, sf::Keyboard::Down);
        EXPECT_EQ(list.selected, 0);
        EXPECT_EQ(Keyboard::pressedKeys.size(), 1u) << "a key the list ignores stays for others";
        Keyboard::pressedKeys.clear();
    }
}

TEST_F(ListBoxTest, WithoutSelectionKeysScrollWithinTheRows)
{
    ListBox list;
    make(list, 8);
    list.selectable = false;
    list.keyboard = true;
    focusedComponentId = static_cast<uint32_t>(list.id);
    press(list, sf::Keyboard::Down);
    press(list, sf::Keyboard::Down);
    EXPECT_EQ(list.top, 2);
    press(list, sf::Keyboard::Down);
    EXPECT_EQ(list.top, 3); // count - visible rows
    press(list, sf::Keyboard::Down);
    EXPECT_EQ(list.top, 3);
    press(list, sf::Keyboard::Up);
    EXPECT_EQ(list.top, 2);
    EXPECT_EQ(list.selected, 0);
}

TEST_F(ListBoxTest, VerticalBarIsBoundToTopAndDraggingScrolls)
{
    ListBox list;
    make(list, 5);
    EXPECT_FALSE(list.vBarShown) << "five rows fit";
    list.addItem("row 5", "", "");
    frame(list);
    ASSERT_TRUE(list.vBarShown);
    EXPECT_EQ(list.vBar.maximum, 1u);

    for (int i = 6; i < 20; ++i)
        list.addItem("row " + std::to_string(i), "", "");
    frame(list);
    ASSERT_TRUE(list.vBarShown);
    EXPECT_EQ(list.vBar.maximum, 15u);
    EXPECT_EQ(list.vBar.pageSize, 5u);
    EXPECT_EQ(list.vBar.position, sf::Vector2f(400 - textSize, 50));
    EXPECT_EQ(list.vBar.size, sf::Vector2f(textSize, rowHeight * 5.5f));

    // The owner's top moves the dragger; dragging to the bar's end moves top to the last page.
    list.top = 7;
    frame(list);
    EXPECT_EQ(list.vBar.lastShownValue, 7u);
    fake->pointer = {400 - 8, static_cast<int>(list.vBar.dragger.getPosition().y) + 2};
    input.buttons = Mouse::leftButton;
    list.update();
    fake->pointer.y = 2000;
    list.update();
    input.buttons = 0;
    EXPECT_EQ(list.top, 15);
    frame(list);
    EXPECT_EQ(list.rowLabels[0].getPosition(), sf::Vector2f(1, 0)) << "labels stay relative to the box";

    list.clear();
    EXPECT_FALSE(list.vBarShown);
    EXPECT_EQ(list.vBar.value, nullptr);
    list.addItem("alone", "", "");
    frame(list);
    EXPECT_EQ(list.top, 0) << "a rebuild keeps top within the rows";
}

TEST_F(ListBoxTest, HorizontalBarOnlyForRowsWiderThanTheBox)
{
    ListBox list;
    make(list, 0);
    list.addItem(std::string(29, 'x'), "", ""); // 290 + 3 pixels in a 300-wide box
    frame(list);
    EXPECT_FALSE(list.hBarShown);
    list.addItem(std::string(31, 'x'), "", ""); // 313 pixels
    frame(list);
    ASSERT_TRUE(list.hBarShown);
    EXPECT_EQ(list.hBar.maximum, 13u);
    EXPECT_EQ(list.hBar.position, sf::Vector2f(100, 50 + rowHeight * 5.5f));

    // Dragging it to the end scrolls the rows left by the overhang.
    fake->pointer = {static_cast<int>(list.hBar.dragger.getPosition().x) + 2, static_cast<int>(list.hBar.position.y) + 2};
    input.buttons = Mouse::leftButton;
    list.update();
    fake->pointer.x = 2000;
    list.update();
    input.buttons = 0;
    frame(list);
    EXPECT_EQ(list.hScroll, 13);
    EXPECT_EQ(list.rowLabels[1].getPosition(), sf::Vector2f(1 - 13, rowHeight));

    ListBox narrowOff;
    make(narrowOff, 0);
    narrowOff.hBarAllowed = false;
    narrowOff.addItem(std::string(40, 'x'), "", "");
    frame(narrowOff);
    EXPECT_FALSE(narrowOff.hBarShown);
}

TEST_F(ListBoxTest, ScrollToSelectionAndFollowScroll)
{
    struct Case {
        int32_t selected, top, wantTop;
    } cases[] = {{2, 6, 2}, {12, 0, 8}, {9, 5, 5}, {-1, 6, 6}, {25, 6, 6}};
    for (const Case& c : cases) {
        ListBox list;
        make(list, 20);
        list.selected = c.selected;
        list.top = c.top;
        list.scrollToSelection();
        EXPECT_EQ(list.top, c.wantTop) << c.selected << " from " << c.top;
    }

    ListBox list;
    make(list, 20);
    list.followScroll = true;
    list.top = 10;
    frame(list);
    EXPECT_EQ(list.selected, 10);
    list.selected = 18;
    list.top = 4;
    frame(list);
    EXPECT_EQ(list.selected, 8);
}

} // namespace
