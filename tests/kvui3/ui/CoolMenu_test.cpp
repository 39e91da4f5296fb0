#include "ui/CoolMenu.h"

#include "support/UiTestSupport.h"
#include "audio/Audio.h"
#include "core/Theme.h"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace kv;

namespace {

// The menu's logic without fonts or a window: rows are added with their caption width, the
// fonts are not loaded (line spacing 0), so the title bar ends at y 18 and rows are 48 high.
class CoolMenuTest : public ::testing::Test {
protected:
    test::FakeInput input;
    CoolMenu menu;
    static inline std::vector<Audio::SoundNumber> played;

    void SetUp() override
    {
        played.clear();
        playMenuSound = [](Audio::SoundNumber n) { played.push_back(n); };
        Audio::soundTable.clear();
        Audio::addSound("select.wav", "mselect"); // entry 1 (0 is "(no sound)")
        Audio::addSound("move.wav", "mmove");     // 2
        Audio::addSound("cancel.wav", "mcancel"); // 3
        menuSelectSoundName = "mselect";
        menuMoveSoundName = "mmove";
        menuCancelSoundName = "mcancel";
        coolMenuLastMouse = {};
        coolMenuPulseLevel = 128;
        coolMenuPulseRising = true;
        menu.create("Torvale!", "", "");
    }
    void TearDown() override { Audio::soundTable.clear(); }

    void addRows(int count)
    {
        const char* captions[] = {"New Single Player Game", "Host Game", "Join Game", "Exit Game"};
        for (int i = 0; i < count; ++i)
            menu.addItem(captions[i % 4], i, i == 1 ? "" : "hint", sf::Sprite(), 150);
    }
    // A point inside row i.
    static sf::Vector2i onRow(int row) { return {100, 18 + 48 * row + 20}; }
    void press(sf::Keyboard::Key key) { Keyboard::addPressedKey(static_cast<uint32_t>(key)); }
    int count(Audio::SoundNumber n) const { return static_cast<int>(std::count(played.begin(), played.end(), n)); }
};

constexpr Audio::SoundNumber selectSound = 1, moveSound = 2, cancelSound = 3;

TEST_F(CoolMenuTest, RowsStackBelowTheTitleBar)
{
    addRows(3);
    EXPECT_EQ(menu.rowHeight, 48);
    ASSERT_EQ(menu.items.size(), 3u);
    EXPECT_EQ(menu.items[2].background.getPosition(), sf::Vector2f(15, 18 + 96));
    EXPECT_EQ(menu.items[2].background.getSize(), sf::Vector2f(320, 45));
    EXPECT_EQ(menu.items[2].icon.getPosition(), sf::Vector2f(20, 18 + 96 + 8));
    EXPECT_EQ(menu.captionLabel.getText(), "New Single Player Game");
    EXPECT_EQ(menu.hintLabel.getText(), "hint");
    EXPECT_EQ(menu.footerBar.getPosition(), sf::Vector2f(0, 768 - 64));

    menu.addItem("A very long caption", 9, "", sf::Sprite(), 400); // widens every row
    EXPECT_EQ(menu.listWidth, 496);
    for (CoolMenuItem& row : menu.items)
        EXPECT_EQ(row.background.getSize(), sf::Vector2f(496, 45));
}

// Eight rows of 48 below the title bar ran into the footer in a 480-high view; rows end above
// the footer and above its big icon at its largest (96 high, 48 above the bottom), and get
// their height back when the view grows again.
TEST_F(CoolMenuTest, RowsEndAboveTheFooterAndItsIconInEveryView)
{
    for (const sf::Vector2f view : {sf::Vector2f(640, 480), sf::Vector2f(1024, 768), sf::Vector2f(640, 480)}) {
        SCOPED_TRACE(testing::Message() << view.x << "x" << view.y);
        input.view = view;
        menu.updateLayout();
        if (menu.items.empty())
            addRows(8);
        CoolMenuItem& last = menu.items.back();
        const float end = last.background.getPosition().y + last.background.getSize().y;
        EXPECT_LE(end, std::min(menu.footerBar.getPosition().y, view.y - 96));
        EXPECT_EQ(menu.rowHeight, view.y < 768 ? std::floor((480 - 96 - 18) / 8.0f) : 48);
        for (size_t i = 1; i < menu.items.size(); ++i)
            EXPECT_EQ(menu.items[i].background.getPosition().y, menu.items[i - 1].background.getPosition().y + menu.rowHeight);
        EXPECT_EQ(last.icon.getPosition().y, last.background.getPosition().y + (menu.rowHeight - 32) / 2);
    }
    // A pointer on the last row picks the last row.
    input.pointer = {100, static_cast<int>(menu.items.back().background.getPosition().y + 10)};
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 7);
}

TEST(CoolMenuRowHeight, KeepsThePreferredHeightWhereTheRowsFit)
{
    EXPECT_EQ(coolMenuRowHeight(48, 46, 384, 0), 48);
    EXPECT_EQ(coolMenuRowHeight(48, 46, 704, 8), 48);
    EXPECT_EQ(coolMenuRowHeight(48, 46, 384, 8), 42);
    EXPECT_EQ(coolMenuRowHeight(48, 46, 430, 8), 48);
}

TEST_F(CoolMenuTest, KeysWrapBothWaysAndPlayTheMoveSound)
{
    addRows(3);
    press(sf::Keyboard::Up);
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 2);
    press(sf::Keyboard::Down);
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 0);
    press(sf::Keyboard::Down);
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 1);
    EXPECT_EQ(menu.captionLabel.getText(), "Host Game");
    EXPECT_TRUE(Keyboard::pressedKeys.empty()); // the menu took its keys

    menu.select(-1);
    EXPECT_EQ(menu.current, 2);
    menu.select(3);
    EXPECT_EQ(menu.current, 0);
    EXPECT_EQ(count(moveSound), 5);
    EXPECT_EQ(menu.chosen, -1);

    // Without focus the keys are not read.
    test::FakeInput::focus = false;
    press(sf::Keyboard::Down);
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 0);
}

TEST_F(CoolMenuTest, AMenuWithoutRowsIgnoresEverything)
{
    for (auto key : {sf::Keyboard::Up, sf::Keyboard::Down, sf::Keyboard::Enter}) {
        press(key);
        menu.update(0.01f);
    }
    menu.select(1);
    EXPECT_EQ(menu.current, 0);
    EXPECT_EQ(menu.chosen, -1);
    EXPECT_TRUE(played.empty());
}

TEST_F(CoolMenuTest, AMovedPointerSelectsARestingOneDoesNot)
{
    addRows(3);
    test::FakeInput::pointer = onRow(2);
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 2);
    EXPECT_EQ(menu.hovered, 2);

    press(sf::Keyboard::Up); // the pointer stays on row 2
    menu.update(0.01f);
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 1);
    EXPECT_EQ(menu.hovered, 2);

    test::FakeInput::pointer = onRow(2) + sf::Vector2i(3, 0);
    menu.update(0.01f);
    EXPECT_EQ(menu.current, 2);

    test::FakeInput::pointer = {600, 40}; // beside the rows
    menu.update(0.01f);
    EXPECT_EQ(menu.hovered, -1);
    EXPECT_EQ(menu.current, 2);
}

TEST_F(CoolMenuTest, AClickActivatesTheRowUnderThePointer)
{
    addRows(4);
    test::FakeInput::pointer = onRow(0);
    menu.update(0.01f);
    press(sf::Keyboard::Up); // the keyboard leaves "Exit Game" selected
    menu.update(0.01f);
    ASSERT_EQ(menu.current, 3);

    leftClicked = true;
    menu.update(0.01f);
    EXPECT_EQ(menu.chosen, 0);
    EXPECT_EQ(menu.current, 0);
    EXPECT_FALSE(leftClicked);
    EXPECT_EQ(count(selectSound), 1);

    menu.update(0.01f); // chosen lasts one update
    EXPECT_EQ(menu.chosen, -1);

    test::FakeInput::pointer = {600, 40};
    leftClicked = true; // a click beside the rows does nothing
    menu.update(0.01f);
    EXPECT_EQ(menu.chosen, -1);
}

TEST_F(CoolMenuTest, EscapeCancelsWithoutActivating)
{
    addRows(2);
    press(sf::Keyboard::Enter);
    press(sf::Keyboard::Escape);
    menu.update(0.01f);
    EXPECT_TRUE(menu.cancelled);
    EXPECT_EQ(menu.chosen, -1);
    EXPECT_EQ(count(cancelSound), 1);
    EXPECT_EQ(count(selectSound), 0);
    menu.update(0.01f);
    EXPECT_FALSE(menu.cancelled);
}

TEST_F(CoolMenuTest, EnterOrSpaceActivatesTheCurrentRow)
{
    addRows(3);
    menu.select(2);
    press(sf::Keyboard::Enter);
    menu.update(0.01f);
    EXPECT_EQ(menu.chosen, 2);
    press(sf::Keyboard::Space);
    menu.update(0.01f);
    EXPECT_EQ(menu.chosen, 2);
    EXPECT_EQ(count(selectSound), 2);
}

// A held Enter activates once, after the release wait; its auto-repeat must not activate the
// next screen's menu (say the map carousel) unasked.
TEST_F(CoolMenuTest, AHeldEnterActivatesOnce)
{
    addRows(2);
    test::FakeInput::keys.insert(sf::Keyboard::Enter);
    press(sf::Keyboard::Enter);
    menu.update(0.01f); // waits out the 0.5 s cap
    EXPECT_EQ(menu.chosen, 0);

    CoolMenu next;
    next.create("Maps", "", "");
    next.addItem("Map", 1, "", sf::Sprite(), 50);
    for (int repeat = 0; repeat < 3; ++repeat) {
        press(sf::Keyboard::Enter); // X11 auto-repeat while held
        next.update(0.01f);
        EXPECT_EQ(next.chosen, -1);
    }

    test::FakeInput::keys.clear();
    Keyboard::keyReleased(sf::Keyboard::Enter);
    press(sf::Keyboard::Enter);
    next.update(0.01f);
    EXPECT_EQ(next.chosen, 0);
}

TEST_F(CoolMenuTest, RowColoursFollowTheSelection)
{
    addRows(2);
    clCoolMenuItemBack = sf::Color(10, 20, 30, 255);
    clCoolMenuItemBackSelected = sf::Color(200, 100, 0, 255);
    menu.update(0.01f);
    EXPECT_EQ(menu.items[0].background.shape.getFillColor(), sf::Color(200, 100, 0, 192));
    EXPECT_EQ(menu.items[1].background.shape.getFillColor(), sf::Color(10, 20, 30, 192));
    EXPECT_EQ(menu.items[0].caption.text.getOutlineThickness(), 0.75f);
    EXPECT_EQ(menu.items[1].caption.text.getOutlineThickness(), 0);
}

TEST(CoolMenuAnimation, HintSlidesInWithinItsTime)
{
    const float width = 1024;
    const float seconds = (width - 104) / 3000;
    float x = width;
    for (int i = 0; i < 10; ++i)
        x = stepHintX(x, seconds / 10);
    EXPECT_NEAR(x, 104, 0.01);
    EXPECT_EQ(stepHintX(x, 1), 104);
    EXPECT_EQ(stepHintX(104, 1), 104);
}

TEST(CoolMenuAnimation, PulseAndIconSizeStayInRangeAfterALongFrame)
{
    struct Case {
        float level;
        bool rising;
        float dt;
        float want;
        bool wantRising;
    } cases[] = {
        {128, true, 0.01f, 140, true},   // the start level is below the range
        {200, true, 0.1f, 210, true},
        {245, true, 0.1f, 250, false},
        {200, true, 10.0f, 250, false},  // a stall: clamped, no wrap to a dark flash
        {200, false, 10.0f, 140, true},
        {150, false, 0.05f, 145, false},
    };
    for (const Case& c : cases) {
        float level = c.level;
        bool rising = c.rising;
        stepCaptionPulse(level, rising, c.dt);
        EXPECT_FLOAT_EQ(level, c.want) << c.level << " " << c.dt;
        EXPECT_EQ(rising, c.wantRising) << c.level << " " << c.dt;
    }

    bool growing = true;
    EXPECT_EQ(stepIconSize(90, growing, true, 10), 96);
    EXPECT_FALSE(growing);
    EXPECT_EQ(stepIconSize(96, growing, true, 10), 32);
    EXPECT_TRUE(growing);
    EXPECT_FLOAT_EQ(stepIconSize(40, growing, true, 0.2f), 53);
    EXPECT_EQ(stepIconSize(40, growing, false, 0.2f), 64);
}

TEST_F(CoolMenuTest, UpdateDrivesTheCaptionPulse)
{
    addRows(1);
    menu.update(30.0f);
    EXPECT_EQ(menu.captionLabel.text.getFillColor(), sf::Color(250, 250, 250, 255));
    EXPECT_EQ(menu.hintX, 104);
    EXPECT_EQ(menu.hintLabel.getPosition(), sf::Vector2f(104, 768 - 4));
}

} // namespace
