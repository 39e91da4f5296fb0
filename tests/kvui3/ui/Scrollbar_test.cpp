#include "ui/Scrollbar.h"

#include "support/UiTestSupport.h"
#include "core/FrameUpdate.h"
#include "ui/Hints.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kv;

namespace {

constexpr uint8_t left = Mouse::leftButton, right = Mouse::rightButton, none = 0;

// A tick frame with faked live input, no capture and no hints.
class ScrollbarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake = std::make_unique<test::FakeInput>();
        pollerTicked = true;
        mouseCaptured = false;
        hints.clear();
    }
    void TearDown() override
    {
        pollerTicked = false;
        mouseCaptured = false;
        hints.clear();
        fake.reset();
    }
    // A frame with the pointer at (x, y) and the buttons held (a Mouse:: mask).
    void frame(Scrollbar& bar, int x, int y, uint8_t buttons)
    {
        fake->pointer = {x, y};
        input.buttons = buttons;
        bar.update();
    }
    std::unique_ptr<test::FakeInput> fake;
};

// 220 x 16 at (10, 50): with a 20-pixel dragger the centre runs from x 20 to x 220.
void createHorizontal(Scrollbar& bar, uint32_t* value, uint32_t maximum = 100)
{
    bar.create("", {10, 50}, {220, 16}, maximum, false, 20, value, noPageSize);
}

TEST(Scrollbar, DraggerLengthFromSettingPageAndTrack)
{
    struct Case {
        const char* name;
        uint32_t setting, pageSize, maximum;
        float want;
    } cases[] = {
        {"a tenth of the track", proportionalDragger, 10, 99, 20},
        {"the lower limit", proportionalDragger, 1, 99, 20},
        {"half the track", proportionalDragger, 50, 99, 100},
        {"a page longer than the range fills the track", proportionalDragger, 500, 99, 200},
        {"no page size: the shortest", proportionalDragger, noPageSize, 99, 20},
        {"the whole unsigned range counts as one", proportionalDragger, 10, 0xFFFFFFFF, 200},
        {"fixed", 40, 10, 99, 40},
        {"fixed below the limit", 5, 10, 99, 20},
        {"fixed as long as the track", 200, 10, 99, 32},
        {"fixed longer than the track", 300, 10, 99, 32},
    };
    for (const Case& c : cases) {
        uint32_t value = 0;
        Scrollbar bar;
        bar.create("", {0, 0}, {16, 200}, c.maximum, true, c.setting, &value, c.pageSize);
        EXPECT_FLOAT_EQ(bar.draggerLength, c.want) << c.name;
        EXPECT_EQ(bar.dragger.getSize(), sf::Vector2f(16, c.want)) << c.name;
    }
}

TEST(Scrollbar, DraggerRunsAlongTheTrackWithTheValue)
{
    struct Case {
        uint32_t value, maximum;
        float offset;
    } cases[] = {
        {0, 100, 0}, {50, 100, 100}, {100, 100, 200},
        {150, 100, 200}, // an owner's value past the maximum stays on the track
        {7, 0, 0},       // no range
    };
    for (bool vertical : {false, true})
        for (const Case& c : cases) {
            uint32_t value = c.value;
            Scrollbar bar;
            const sf::Vector2f size = vertical ? sf::Vector2f(16, 220) : sf::Vector2f(220, 16);
            bar.create("", {10, 50}, size, c.maximum, vertical, 20, &value, noPageSize);
            const sf::Vector2f want = vertical ? sf::Vector2f(10, 50 + c.offset) : sf::Vector2f(10 + c.offset, 50);
            EXPECT_EQ(bar.dragger.getPosition(), want) << c.value << "/" << c.maximum << " vertical " << vertical;
            EXPECT_EQ(bar.track.getPosition(), sf::Vector2f(10, 50));
            EXPECT_EQ(bar.track.getSize(), size);
        }
}

TEST_F(ScrollbarTest, DraggingMapsThePointerToTheValueAndClampsAtBothEnds)
{
    struct Case {
        int x;
        uint32_t want;
    } cases[] = {
        {20, 0},     // the dragger's centre at the track's start
        {120, 50},   // half way
        {121, 50},   // whole values only
        {220, 100},  // at the end
        {19, 0},     // just before the start
        {-500, 0},   // far before the track: the minimum, not a wrapped value
        {221, 100},  // just past the end
        {5000, 100}, // far past the end: exactly the maximum
    };
    uint32_t value = 30;
    Scrollbar bar;
    createHorizontal(bar, &value);
    frame(bar, 60, 55, left); // press on the bar
    ASSERT_TRUE(bar.dragging);
    EXPECT_TRUE(mouseCaptured);
    for (const Case& c : cases) {
        frame(bar, c.x, 300, left); // the drag goes on off the bar
        EXPECT_EQ(value, c.want) << c.x;
        EXPECT_EQ(bar.lastShownValue, c.want);
        EXPECT_FLOAT_EQ(bar.dragger.getPosition().x, 10 + 200.f * static_cast<float>(c.want) / 100) << c.x;
    }
}

TEST_F(ScrollbarTest, VerticalBarsDragAlongY)
{
    uint32_t value = 0;
    Scrollbar bar;
    bar.create("", {10, 50}, {16, 220}, 10, true, 20, &value, noPageSize);
    frame(bar, 15, 60, left);
    frame(bar, 900, 160, left); // centre half way down: 5 of 10, whatever x is
    EXPECT_EQ(value, 5u);
    EXPECT_FLOAT_EQ(bar.dragger.getPosition().y, 150);
}

TEST_F(ScrollbarTest, ADragStartsOnlyWithTheLeftButtonAloneOnAFreeBar)
{
    struct Case {
        const char* name;
        int x;
        uint8_t buttons;
        bool focus, captured, tick;
        uint32_t maximum;
        bool drags;
    } cases[] = {
        {"left on the bar", 120, left, true, false, true, 100, true},
        {"left beside the bar", 300, left, true, false, true, 100, false},
        {"left and right", 120, left | right, true, false, true, 100, false},
        {"right", 120, right, true, false, true, 100, false},
        {"no focus", 120, left, false, false, true, 100, false},
        {"another widget holds the mouse", 120, left, true, true, true, 100, false},
        {"not a tick", 120, left, true, false, false, 100, false},
        {"no range", 120, left, true, false, true, 0, false},
    };
    for (const Case& c : cases) {
        uint32_t value = 0;
        Scrollbar bar;
        createHorizontal(bar, &value, c.maximum);
        fake->focus = c.focus;
        mouseCaptured = c.captured;
        pollerTicked = c.tick;
        frame(bar, c.x, 55, c.buttons);
        EXPECT_EQ(bar.dragging, c.drags) << c.name;
        EXPECT_EQ(value, c.drags ? 50u : 0u) << c.name; // a drag takes the value at once
        EXPECT_EQ(mouseCaptured, c.captured || c.drags) << c.name;
        pollerTicked = true;
    }
}

TEST_F(ScrollbarTest, ReleasingEndsTheDrag)
{
    uint32_t value = 0;
    Scrollbar bar;
    createHorizontal(bar, &value);
    frame(bar, 120, 55, left);
    ASSERT_EQ(value, 50u);
    frame(bar, 220, 55, none);
    EXPECT_FALSE(bar.dragging);
    EXPECT_EQ(value, 50u);
    frame(bar, 220, 55, right); // another button over the bar does not start one
    EXPECT_EQ(value, 50u);
}

TEST_F(ScrollbarTest, AnOwnersValueMovesTheDraggerOnTheNextTick)
{
    uint32_t value = 0;
    Scrollbar bar;
    createHorizontal(bar, &value);
    value = 25;
    pollerTicked = false;
    frame(bar, 500, 500, none);
    EXPECT_EQ(bar.dragger.getPosition().x, 10); // not between ticks
    pollerTicked = true;
    frame(bar, 500, 500, none);
    EXPECT_EQ(bar.dragger.getPosition().x, 60);
    EXPECT_EQ(bar.lastShownValue, 25u);
}

TEST_F(ScrollbarTest, ADraggerWithNoRoomKeepsTheValue)
{
    // A fixed 20-pixel dragger on a 20-pixel track becomes 32: longer than the track.
    uint32_t value = 3;
    Scrollbar bar;
    bar.create("", {10, 50}, {20, 16}, 10, false, 20, &value, noPageSize);
    ASSERT_FLOAT_EQ(bar.draggerLength, 32);
    frame(bar, 15, 55, left);
    frame(bar, 1000, 55, left);
    EXPECT_TRUE(bar.dragging);
    EXPECT_EQ(value, 3u);
}

TEST_F(ScrollbarTest, ABareBarShowsNoHintAndAnUnboundOneIgnoresInput)
{
    uint32_t value = 0;
    Scrollbar bar;
    createHorizontal(bar, &value);
    frame(bar, 120, 55, none);
    EXPECT_TRUE(hints.empty());

    Scrollbar unbound; // never created
    frame(unbound, 120, 55, left);
    bar.destroy();
    frame(bar, 120, 55, left);
    EXPECT_FALSE(unbound.dragging);
    EXPECT_FALSE(bar.dragging);
    EXPECT_FALSE(mouseCaptured);
}

TEST(Scrollbar, MovingAndResizingLaysItOutAgain)
{
    uint32_t value = 50;
    Scrollbar bar;
    bar.create("", {0, 0}, {120, 10}, 100, false, 20, &value, noPageSize);
    bar.setPosition({30, 40});
    bar.setSize({220, 16});
    EXPECT_EQ(bar.getPosition(), sf::Vector2f(30, 40));
    EXPECT_EQ(bar.getSize(), sf::Vector2f(220, 16));
    EXPECT_EQ(bar.track.getSize(), sf::Vector2f(220, 16));
    EXPECT_EQ(bar.dragger.getPosition(), sf::Vector2f(130, 40));
    EXPECT_EQ(bar.dragger.getSize(), sf::Vector2f(20, 16));
}

TEST(Scrollbar, AlphaReachesTrackAndDragger)
{
    uint32_t value = 0;
    Scrollbar bar;
    bar.create("", {0, 0}, {120, 10}, 100, false, 20, &value, noPageSize);
    bar.setAlpha(100);
    EXPECT_EQ(bar.getAlpha(), 100);
    EXPECT_EQ(bar.dragger.getAlpha(), 100);
    EXPECT_EQ(bar.track.vertices[0].color.a, 100);
}

} // namespace
