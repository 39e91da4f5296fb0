#include "ui/ColourPicker.h"

#include "support/UiTestSupport.h"
#include "core/FrameUpdate.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kv;

namespace {

TEST(ColourConversion, KnownColoursToHslAndBack)
{
    struct Case {
        sf::Color colour;
        double hue, saturation, lightness;
    } cases[] = {
        {{255, 200, 200}, 0, 100, 89.2157},
        {{0, 0, 0}, 0, 0, 0},
        {{128, 128, 128}, 0, 0, 50.1961},
        {{255, 255, 255}, 0, 0, 100},
        {{255, 0, 0}, 0, 100, 50},
        {{0, 255, 0}, 120, 100, 50},
        {{0, 0, 255}, 240, 100, 50},
        {{255, 255, 0}, 60, 100, 50},
        {{0, 255, 255}, 180, 100, 50},
        {{255, 0, 255}, 300, 100, 50},
        {{255, 0, 1}, 359.7647, 100, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.colour.r) << "," << int(c.colour.g) << "," << int(c.colour.b));
        const Hsl hsl = colourToHsl(c.colour);
        EXPECT_NEAR(hsl.hue, c.hue, 1e-3);
        EXPECT_NEAR(hsl.saturation, c.saturation, 1e-3);
        EXPECT_NEAR(hsl.lightness, c.lightness, 1e-3);
        EXPECT_EQ(hslToColour(c.hue, c.saturation, c.lightness), c.colour);
    }
}

TEST(ColourConversion, HueWrapsBothWays)
{
    for (double hue : {0.0, 45.0, 200.0, 330.0}) {
        EXPECT_EQ(hslToColour(hue - 360, 80, 40), hslToColour(hue, 80, 40)) << hue;
        EXPECT_EQ(hslToColour(hue + 360, 80, 40), hslToColour(hue, 80, 40)) << hue;
    }
}

// A colour opened and confirmed unchanged comes back the same, channel for channel.
TEST(ColourConversion, EveryColourSurvivesTheRoundTrip)
{
    int wrong = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const sf::Color c(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
                const Hsl hsl = colourToHsl(c);
                if (hslToColour(hsl.hue, hsl.saturation, hsl.lightness) != c && ++wrong < 5)
                    ADD_FAILURE() << r << "," << g << "," << b;
            }
    EXPECT_EQ(wrong, 0);

    for (const sf::Color c : {sf::Color(12, 34, 56, 78), sf::Color(255, 200, 200, 0), sf::Color(1, 254, 127, 255)}) {
        ColourPicker picker;
        picker.create({0, 0}, {0, 0}, c);
        EXPECT_EQ(picker.colour(), c);
    }
}

TEST(ColourPicker, PartsFollowTheSizeAndNeverGoBelowTheMinimum)
{
    struct Case {
        sf::Vector2f asked, kept;
    } cases[] = {
        {{468, 250}, {468, 250}},
        {{ColourPicker::minimumWidth, ColourPicker::minimumHeight}, {176, 176}},
        {{100, 300}, {176, 300}},
        {{300, 20}, {300, 176}},
        {{-5, 0}, {176, 176}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.asked.x << " x " << c.asked.y);
        ColourPicker picker;
        picker.create({10, 20}, {300, 300}, sf::Color::Red);
        picker.setSize(c.asked);
        const float w = c.kept.x, h = c.kept.y;
        EXPECT_EQ(picker.getSize(), c.kept);
        EXPECT_EQ(picker.squareRect(), sf::FloatRect(10, 20, w - 48, h - 80));
        EXPECT_EQ(picker.barRect(), sf::FloatRect(10 + w - 32, 20, 32, h - 80));
        EXPECT_EQ(picker.previewRect(), sf::FloatRect(10, 20 + h - 64, w, 64));
        EXPECT_EQ(picker.squareImage.getSize(), sf::Vector2u(unsigned(w - 48), unsigned(h - 80)));
        EXPECT_EQ(picker.barImage.getSize(), sf::Vector2u(32, unsigned(h - 80)));
        EXPECT_EQ(picker.squareFrame.getSize(), sf::Vector2f(w - 48, h - 80));
        EXPECT_EQ(picker.barFrame.getPosition(), sf::Vector2f(10 + w - 32, 20));
        EXPECT_EQ(picker.previewFrame.getSize(), sf::Vector2f(w, 64));
        EXPECT_EQ(picker.preview.getPosition(), sf::Vector2f(10, 20 + h - 64));
        // Hue across, saturation up at lightness 50; the bar runs white to dark.
        EXPECT_EQ(picker.squareImage.getPixel(0, 0), sf::Color::Red);
        const unsigned third = unsigned(w - 48) / 3;
        EXPECT_EQ(picker.squareImage.getPixel(third, 0), hslToColour(third * 360.0 / (w - 48), 100, 50));
        EXPECT_EQ(picker.barImage.getPixel(5, 0), sf::Color::White);
        EXPECT_LT(picker.barImage.getPixel(5, unsigned(h - 81)).r, 10);
    }
}

// Square 252 x 180 at (100, 100), bar 32 x 180 at (368, 100); ticks with faked input.
class ColourPickerDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake = std::make_unique<test::FakeInput>();
        pollerTicked = true;
        mouseCaptured = false;
        picker.create({100, 100}, {300, 260}, sf::Color(40, 80, 120, 77));
        frame(0, 0, 0);
    }
    void TearDown() override
    {
        pollerTicked = false;
        mouseCaptured = false;
        fake.reset();
    }
    void frame(int x, int y, uint8_t buttons)
    {
        fake->pointer = {x, y};
        input.buttons = buttons;
        picker.update();
    }
    std::unique_ptr<test::FakeInput> fake;
    ColourPicker picker;
};

TEST_F(ColourPickerDrag, SquareDragSetsHueAndSaturationAndClamps)
{
    const double lightness = picker.lightness;
    frame(100 + 126, 100 + 45, Mouse::leftButton);
    EXPECT_TRUE(picker.draggingSquare);
    EXPECT_TRUE(mouseCaptured);
    EXPECT_DOUBLE_EQ(picker.hue, 180);
    EXPECT_DOUBLE_EQ(picker.saturation, 75);
    EXPECT_DOUBLE_EQ(picker.lightness, lightness);
    EXPECT_EQ(picker.squareMarker.getPosition(), sf::Vector2f(226, 145));
    EXPECT_EQ(picker.preview.shape.getFillColor(), hslToColour(180, 75, lightness));
    EXPECT_EQ(picker.colour().a, 77);
    EXPECT_EQ(picker.barImage.getPixel(0, 90), hslToColour(180, 75, 50));

    frame(-40, 900, Mouse::leftButton);
    EXPECT_DOUBLE_EQ(picker.hue, 0);
    EXPECT_DOUBLE_EQ(picker.saturation, 0);
    EXPECT_EQ(picker.squareMarker.getPosition(), sf::Vector2f(100, 279));
    frame(900, -40, Mouse::leftButton);
    EXPECT_DOUBLE_EQ(picker.hue, 360);
    EXPECT_DOUBLE_EQ(picker.saturation, 100);
    EXPECT_EQ(picker.squareMarker.getPosition(), sf::Vector2f(351, 100));

    frame(900, -40, 0);
    EXPECT_FALSE(picker.draggingSquare);
    frame(120, 120, 0);
    EXPECT_DOUBLE_EQ(picker.hue, 360) << "the pointer moved with the button up";
}

TEST_F(ColourPickerDrag, BarDragAboveTakesTheFirstRowAndBelowTheLast)
{
    const double hue = picker.hue, saturation = picker.saturation;
    frame(380, 190, Mouse::leftButton);
    ASSERT_TRUE(picker.draggingBar);
    EXPECT_NEAR(picker.lightness, 50, 0.5);
    frame(380, -100, Mouse::leftButton);
    EXPECT_DOUBLE_EQ(picker.lightness, 100);
    EXPECT_EQ(picker.barMarker.getPosition(), sf::Vector2f(368, 100));
    frame(1000, 1000, Mouse::leftButton);
    EXPECT_NEAR(picker.lightness, 100.0 / 180, 0.4);
    EXPECT_GT(picker.lightness, 0);
    EXPECT_DOUBLE_EQ(picker.hue, hue);
    EXPECT_DOUBLE_EQ(picker.saturation, saturation);
    EXPECT_EQ(picker.barMarker.getFillColor(), hslToColour(picker.hue, picker.saturation, picker.lightness));
}

// Only a left press that starts on the picker drags; focus lost ends a drag.
TEST_F(ColourPickerDrag, PressesThatDoNotStartADrag)
{
    const sf::Color before = picker.colour();
    struct Case {
        const char* name;
        sf::Vector2i pressAt;
        uint8_t buttons;
        bool captured;
    } cases[] = {
        {"a press beside the picker (on a button) moved onto the square", {60, 60}, Mouse::leftButton, false},
        {"the right button", {150, 150}, Mouse::rightButton, false},
        {"both buttons", {150, 150}, Mouse::leftButton | Mouse::rightButton, false},
        {"another widget holds the mouse", {150, 150}, Mouse::leftButton, true},
    };
    for (const Case& c : cases) {
        mouseCaptured = c.captured;
        frame(c.pressAt.x, c.pressAt.y, c.buttons);
        frame(150, 150, c.buttons);
        frame(380, 120, c.buttons);
        EXPECT_FALSE(picker.draggingSquare || picker.draggingBar) << c.name;
        EXPECT_EQ(picker.colour(), before) << c.name;
        frame(0, 0, 0);
        mouseCaptured = false;
    }

    frame(150, 150, Mouse::leftButton);
    ASSERT_TRUE(picker.draggingSquare);
    fake->focus = false;
    frame(200, 150, Mouse::leftButton);
    EXPECT_FALSE(picker.draggingSquare) << "focus lost";
}

} // namespace
