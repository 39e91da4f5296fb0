#include "ui/Toolbar.h"

#include "support/UiTestSupport.h"
#include "core/FrameUpdate.h"
#include "core/Theme.h"
#include "graphics/Text.h"
#include "ui/Hints.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace kv;

namespace {

constexpr uint8_t left = Mouse::leftButton, none = 0;

// Tick frames with faked input over a 1024 x 768 view, the real standard font (FreeType only, no
// GL) for the metrics, and button waits that return at once.
class ToolbarTest : public ::testing::Test {
protected:
    test::FakeInput fake;
    void (*savedWaitLoop)(const std::function<bool()>&, float) = nullptr;
    float line = 0;

    void SetUp() override
    {
        ASSERT_TRUE(standardFont->loadFromFile(TVL_GAME_DIR "/kvui3/fonts/Roboto-Regular.ttf"));
        line = standardFont->getLineSpacing(18);
        ASSERT_GT(line, 0);
        savedWaitLoop = runWaitLoop;
        runWaitLoop = [](const std::function<bool()>&, float) {};
        pollerTicked = true;
        mouseCaptured = false;
        hints.clear();
    }
    void TearDown() override
    {
        runWaitLoop = savedWaitLoop;
        pollerTicked = false;
        mouseCaptured = false;
        leftClicked = false;
        hints.clear();
        *standardFont = sf::Font();
    }
    // One tick with the pointer at p and the buttons held (a Mouse:: mask).
    static void tick(Toolbar& bar, sf::Vector2i p, uint8_t buttons)
    {
        test::FakeInput::pointer = p;
        input.buttons = buttons;
        bar.update();
    }
    float titleWidth(const std::string& title) const { return textWidth(*standardFont, 18, title); }
};

// Two icon buttons: 76 wide, narrower than a screen edge's slide.
void createTwoButtonToolbar(Toolbar& bar, const sf::Vector2f& at)
{
    bar.create(at);
    bar.addButton("A", nullptr, Keyboard::noKey, "", false);
    bar.addButton("B", nullptr, Keyboard::noKey, "", false);
}

TEST_F(ToolbarTest, CreateGivesADockedTitledBarThreeHeightsWide)
{
    Toolbar bar;
    bar.create({100, 50});
    EXPECT_TRUE(bar.docked);
    EXPECT_TRUE(bar.titled);
    EXPECT_EQ(bar.form.title.getText(), "Toolbar");
    EXPECT_EQ(bar.getSize(), sf::Vector2f((line + 48) * 3, line + 48));
    EXPECT_EQ(bar.form.getSize(), bar.getSize());
    EXPECT_EQ(bar.name.rfind("auto:", 0), 0u);
    EXPECT_EQ(bar.status.getPosition(), sf::Vector2f(102, 50 + 38));
}

TEST_F(ToolbarTest, LayoutPlacesButtonsUnderTheTitleBarAndSizesTheBar)
{
    struct Case {
        const char* what;
        std::vector<bool> narrow;
        float textButtonWidth; // > 0: the first button becomes a text button this wide
        std::vector<float> xs; // relative to the toolbar
        float rowEnd;          // where the next button would go
    } cases[] = {
        {"one icon", {false}, 0, {2}, 38},
        {"icon, separator, icon", {false, true, false}, 0, {2, 38, 54}, 90},
        {"separators", {true, true}, 0, {2, 18}, 34},
        {"a text button", {false, false}, 80, {2, 86}, 122},
        {"icons past the title", {false, false, false, false}, 0, {2, 38, 74, 110}, 146},
    };
    const sf::Vector2f at(100, 50);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Toolbar bar;
        bar.create(at);
        for (bool narrow : c.narrow)
            bar.addButton("x", nullptr, Keyboard::noKey, "", narrow);
        if (c.textButtonWidth > 0) {
            bar.buttons.front().setSize({c.textButtonWidth, 0});
            bar.layout();
        }
        ASSERT_EQ(bar.buttons.size(), c.xs.size());
        for (size_t i = 0; i < c.xs.size(); ++i)
            EXPECT_EQ(bar.buttons[i].getPosition(), sf::Vector2f(at.x + c.xs[i], at.y + line + 8)) << i;
        EXPECT_FLOAT_EQ(bar.getWidth(), std::max(titleWidth("Toolbar") + 6, c.rowEnd + 2));
        EXPECT_FLOAT_EQ(bar.getHeight(), line + 48);
        EXPECT_EQ(bar.form.getSize(), bar.getSize());
    }
}

TEST_F(ToolbarTest, ACaptionWiderThanTheButtonsSetsTheWidth)
{
    Toolbar bar;
    bar.create({0, 0});
    bar.addButton("x", nullptr, Keyboard::noKey, "", false);
    bar.setTitle("Script Console - a long title");
    ASSERT_GT(titleWidth("Script Console - a long title"), 40);
    EXPECT_FLOAT_EQ(bar.getWidth(), titleWidth("Script Console - a long title") + 6);
    EXPECT_EQ(bar.buttons[0].getPosition(), sf::Vector2f(2, line + 8));
}

TEST_F(ToolbarTest, SlidesBackIntoViewWhileTheMouseTouchesTheEdgeBesideIt)
{
    Toolbar probe;
    createTwoButtonToolbar(probe, {0, 0});
    const float w = probe.getWidth(), h = probe.getHeight();
    ASSERT_LT(w, 100);
    const float right = 1024 - w, bottom = 768 - h;

    struct Case {
        const char* what;
        sf::Vector2f start;
        sf::Vector2i pointer;
        uint8_t buttons;
        bool ticks;
        std::vector<sf::Vector2f> path; // the position after each tick
    } cases[] = {
        {"left edge", {-100, 200}, {0, 210}, none, true,
         {{-70, 200}, {-40, 200}, {-10, 200}, {0, 200}, {0, 200}}},
        {"right edge", {right + 100, 200}, {1022, 230}, none, true,
         {{right + 70, 200}, {right + 40, 200}, {right + 10, 200}, {right, 200}, {right, 200}}},
        {"top edge", {300, -100}, {500, 0}, none, true,
         {{300, -70}, {300, -40}, {300, -10}, {300, 0}, {300, 0}}},
        {"bottom edge", {300, bottom + 100}, {500, 767}, none, true,
         {{300, bottom + 70}, {300, bottom + 40}, {300, bottom + 10}, {300, bottom}, {300, bottom}}},
        {"left edge above the toolbar", {-100, 200}, {0, 150}, none, true, {{-100, 200}}},
        {"a button held", {-100, 200}, {0, 210}, left, true, {{-100, 200}}},
        {"not a tick", {-100, 200}, {0, 210}, none, false, {{-100, 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Toolbar bar;
        createTwoButtonToolbar(bar, c.start);
        pollerTicked = c.ticks;
        for (const sf::Vector2f& want : c.path) {
            const sf::Vector2f before = bar.getPosition();
            tick(bar, c.pointer, c.buttons);
            EXPECT_EQ(bar.getPosition(), want);
            EXPECT_EQ(bar.moved, want != before);
            EXPECT_EQ(bar.form.getPosition(), want);
            EXPECT_EQ(bar.buttons[0].getPosition(), want + sf::Vector2f(2, line + 8));
        }
        pollerTicked = true;
    }
}

TEST_F(ToolbarTest, PressingOnADockedTitleBarOnlyShowsTheDockedHint)
{
    Toolbar bar;
    createTwoButtonToolbar(bar, {100, 50});
    tick(bar, {130, 55}, none); // hovering a docked title bar says nothing
    EXPECT_TRUE(hints.empty());

    tick(bar, {130, 55}, left);
    tick(bar, {200, 90}, left); // and pulling on it moves nothing
    tick(bar, {131, 56}, left);
    EXPECT_EQ(bar.getPosition(), sf::Vector2f(100, 50));
    EXPECT_FALSE(bar.dragging);
    EXPECT_FALSE(mouseCaptured);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].id, bar.name);
    EXPECT_EQ(hints[0].text, "This toolbar is docked and cannot be dragged");
    EXPECT_EQ(hints[0].position, sf::Vector2f(131 + 16, 50 + 16));
    EXPECT_EQ(hints[0].textColour, clHintText);
    EXPECT_EQ(hints[0].backColour, clHintBack);
}

TEST_F(ToolbarTest, AnUndockedToolbarIsDraggedByItsTitleBar)
{
    Toolbar bar;
    createTwoButtonToolbar(bar, {100, 50});
    bar.docked = false;
    tick(bar, {130, 55}, none);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].text, "Drag");

    tick(bar, {130, 55}, left);
    EXPECT_TRUE(bar.dragging);
    EXPECT_TRUE(mouseCaptured);
    tick(bar, {170, 45}, left); // the drag goes on off the title bar
    tick(bar, {175, 300}, left);
    EXPECT_EQ(bar.getPosition(), sf::Vector2f(145, 295));
    EXPECT_EQ(bar.buttons[1].getPosition(), sf::Vector2f(145 + 38, 295 + line + 8));
    tick(bar, {175, 300}, none);
    EXPECT_FALSE(bar.dragging);
    tick(bar, {500, 300}, none);
    EXPECT_EQ(bar.getPosition(), sf::Vector2f(145, 295));
}

TEST_F(ToolbarTest, AButtonPointerStaysValidAndWiredAsButtonsAreAdded)
{
    Toolbar bar;
    bar.create({100, 50});
    Button* done = bar.addButton("Done", nullptr, sf::Keyboard::Return, "", false);
    for (int i = 0; i < 5; ++i)
        bar.addButton("x", nullptr, Keyboard::noKey, "", i % 2 == 0);
    ASSERT_EQ(bar.buttons.size(), 6u);
    EXPECT_EQ(done, &bar.buttons.front());
    EXPECT_EQ(done->parts.caption.getText(), "Done");
    EXPECT_EQ(done->getPosition(), sf::Vector2f(102, 50 + line + 8));

    // A click on it reaches it through the toolbar's update, and only it.
    leftClicked = true;
    tick(bar, {110, static_cast<int>(50 + line + 20)}, none);
    EXPECT_TRUE(done->clicked);
    for (size_t i = 1; i < bar.buttons.size(); ++i)
        EXPECT_FALSE(bar.buttons[i].clicked) << i;
    tick(bar, {110, static_cast<int>(50 + line + 20)}, none);
    EXPECT_FALSE(done->clicked);

    bar.destroy();
    EXPECT_TRUE(bar.buttons.empty());
}

TEST_F(ToolbarTest, AlphaReachesFormAndButtons)
{
    Toolbar bar;
    createTwoButtonToolbar(bar, {0, 0});
    bar.setAlpha(90);
    EXPECT_EQ(bar.getAlpha(), 90);
    EXPECT_EQ(bar.form.titleBar.getAlpha(), 90);
    for (Button& button : bar.buttons)
        EXPECT_EQ(button.getAlpha(), 90);
}

} // namespace
