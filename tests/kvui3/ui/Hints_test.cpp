#include "ui/Hints.h"

#include "support/UiTestSupport.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "ui/Component.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

using namespace kv;

namespace {

constexpr float tick = 1.0f / ticksPerSecond;
const sf::Vector2f here(10, 20);
const sf::Color ink(1, 2, 3, 255), paper(200, 210, 220, 255);

class HintsTest : public ::testing::Test {
protected:
    void SetUp() override { hints.clear(); }
    void TearDown() override { hints.clear(); }

    static void add(const std::string& id, float seconds, const std::string& text = "tip",
                    sf::Vector2f position = here, sf::Color textColour = ink, sf::Color backColour = paper)
    {
        addHint(id, seconds, &position, &textColour, &backColour, text);
    }
    // Ticks until the hint is gone; the count of ticks it was still there after.
    static int ticksSurvived(const std::string& id)
    {
        int survived = 0;
        for (ageHints(tick); findHint(id) >= 0 && survived < 1000; ageHints(tick))
            ++survived;
        return survived;
    }
};

TEST_F(HintsTest, AHintLastsItsSecondsButAtLeastTwoTicks)
{
    struct Case {
        float seconds;
        int survived; // the tick after these removes it
    } cases[] = {
        {0, 2},     // a hover hint goes on the third tick
        {-1, 2},
        {0.05f, 2}, // seconds ran out first: still three ticks
        {0.25f, 7}, // 7 ticks leave 1/60 s, the 8th runs it out
        {2, 59},    // 60 ticks make 2 s (to within a float's rounding)
    };
    for (const Case& c : cases) {
        hints.clear();
        add("h", c.seconds);
        const int survived = ticksSurvived("h");
        if (c.seconds == 2)
            EXPECT_NEAR(survived, c.survived, 1) << c.seconds;
        else
            EXPECT_EQ(survived, c.survived) << c.seconds;
    }
}

TEST_F(HintsTest, ARefreshReplacesTextAndPositionButKeepsColoursAndRestartsTheTicks)
{
    add("h", 0, "old");
    ageHints(tick);
    ageHints(tick);
    ASSERT_EQ(hints[0].ticks, 2u);
    add("h", 0.5f, "new", {300, 400}, sf::Color::Red, sf::Color::Green);
    ASSERT_EQ(hints.size(), 1u);
    const Hint& hint = hints[0];
    EXPECT_EQ(hint.text, "new");
    EXPECT_EQ(hint.position, sf::Vector2f(300, 400));
    EXPECT_EQ(hint.textColour, ink);
    EXPECT_EQ(hint.backColour, paper);
    EXPECT_EQ(hint.ticks, 0u);
    EXPECT_EQ(hint.secondsLeft, 0.5f);
    EXPECT_EQ(hint.id, "h");
}

TEST_F(HintsTest, RefreshedEveryFrameBeforeTheTickItStaysThenGoesOnTheThirdTick)
{
    // A hovered widget refreshes in its update; the pump ages afterwards in the same frame.
    for (int frame = 0; frame < 100; ++frame) {
        add("hovered", 0);
        ageHints(tick);
        ASSERT_EQ(hints.size(), 1u) << frame;
    }
    EXPECT_EQ(ticksSurvived("hovered"), 1); // one tick already ran after the last refresh
}

TEST_F(HintsTest, EmptyIdsAddANamedRecordOnEveryCall)
{
    autoNameCounter = 41;
    add("", 0, "a");
    add("", 0, "b");
    ASSERT_EQ(hints.size(), 2u);
    EXPECT_EQ(hints[0].id, "auto:42");
    EXPECT_EQ(hints[1].id, "auto:43");
    ageHints(tick);
    add("", 0, "c"); // one tick younger
    ageHints(tick);
    ageHints(tick);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].text, "c");
    ageHints(tick);
    EXPECT_TRUE(hints.empty());
}

TEST_F(HintsTest, AgeingKeepsTheSurvivorsInOrder)
{
    add("a", 0);
    add("long", 10);
    ageHints(tick);
    add("b", 0);
    add("c", 10);
    ageHints(tick);
    ageHints(tick); // "a" goes; "b" has one tick left
    ASSERT_EQ(hints.size(), 3u);
    EXPECT_EQ(hints[0].id, "long");
    EXPECT_EQ(hints[1].id, "b");
    EXPECT_EQ(hints[2].id, "c");
    EXPECT_EQ(findHint("c"), 2);
    EXPECT_EQ(findHint("C"), -1); // exact match
}

TEST(HintBox, StaysInsideTheView)
{
    const sf::Vector2f view(800, 600);
    struct Case {
        sf::Vector2f position;
        float width;
        sf::Vector2f want;
    } cases[] = {
        {{10, 20}, 96, {10, 20}},
        {{750, 20}, 96, {700, 20}},     // ends at the right edge
        {{700, 20}, 96, {700, 20}},     // touching the edge already
        {{10, 590}, 96, {10, 574}},     // line 22 + 4 high
        {{790, 590}, 96, {700, 574}},   // the corner
        {{-30, -5}, 96, {0, 0}},        // negative starts at 0
        {{100, 100}, 1000, {0, 100}},   // wider than the view: starts at 0
    };
    for (const Case& c : cases) {
        const sf::FloatRect box = hintBox(c.position, c.width, 22, view);
        EXPECT_EQ(sf::Vector2f(box.left, box.top), c.want) << c.position.x << "," << c.position.y;
        EXPECT_EQ(sf::Vector2f(box.width, box.height), sf::Vector2f(c.width + 4, 26));
    }
}

TEST(DrawHint, ShadowBackAndTextOnTheDisplayLayer)
{
    test::FakeInput input;
    test::FakeInput::view = {800, 600};
    test::RecordingLayer display(layerDisplay);
    const int savedAlpha = settings.hintsAlpha;
    settings.hintsAlpha = 100;

    drawHint({-5, 50}, ink, paper, "");

    const auto& records = display.layer.records;
    ASSERT_EQ(records.size(), 3u);
    ASSERT_EQ(records[0].kind, deferredRectangleShape);
    ASSERT_EQ(records[1].kind, deferredRectangleShape);
    ASSERT_EQ(records[2].kind, deferredText);
    const auto& shadow = static_cast<const sf::RectangleShape&>(*records[0].drawable);
    const auto& back = static_cast<const sf::RectangleShape&>(*records[1].drawable);
    const auto& text = static_cast<const sf::Text&>(*records[2].drawable);
    sf::Color shadowColour = clHintShadow, backColour = paper;
    shadowColour.a = backColour.a = 100;
    EXPECT_EQ(back.getPosition(), sf::Vector2f(0, 50)); // clamped
    EXPECT_EQ(shadow.getPosition(), sf::Vector2f(hintShadowOffset, 50 + hintShadowOffset));
    EXPECT_EQ(back.getSize(), shadow.getSize());
    EXPECT_EQ(back.getFillColor(), backColour);
    EXPECT_EQ(back.getOutlineColor(), backColour);
    EXPECT_EQ(shadow.getFillColor(), shadowColour);
    EXPECT_EQ(shadow.getOutlineThickness(), 1);
    EXPECT_EQ(text.getPosition(), sf::Vector2f(2, 52));
    EXPECT_EQ(text.getFillColor(), ink); // alpha as given
    settings.hintsAlpha = savedAlpha;
}

} // namespace
