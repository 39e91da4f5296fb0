#include "ui/Scrollbar.h"

#include "support/UiTestSupport.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "graphics/Text.h"
#include "graphics/RenderLayers.h"
#include "platform/FileSystem.h"
#include "support/Display.h"
#include "ui/Hints.h"

#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kv;

namespace {

// A captioned bar with the real fonts: the caption under the bar, the value right-aligned
// under its right edge, the hint while hovered, and what its draw records on layerUI.
TEST(ScrollbarDisplay, CaptionedBarShowsCaptionValueAndHint)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    test::FakeInput fake;
    hints.clear();

    uint32_t volume = 40;
    Scrollbar bar;
    bar.create("Sound Volume", {20, 70}, {590, 24}, 100, false, 20, &volume, noPageSize);
    EXPECT_EQ(bar.caption.getPosition(), sf::Vector2f(20, 96));
    EXPECT_EQ(bar.valueLabel.getText(), "40");
    EXPECT_FLOAT_EQ(bar.valueLabel.getPosition().x, 610 - textWidth(*standardFont, 18, "40"));
    EXPECT_FLOAT_EQ(bar.valueLabel.getPosition().y, 96);

    pollerTicked = true;
    fake.pointer = {300, 80};
    bar.update();
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].id, bar.name);
    EXPECT_EQ(hints[0].text, "Click to adjust Sound Volume");
    EXPECT_EQ(hints[0].position, sf::Vector2f(310, 104));
    EXPECT_EQ(hints[0].textColour, clHintText);
    EXPECT_EQ(hints[0].backColour, clHintBack);
    bar.update(); // hovering refreshes the same hint
    EXPECT_EQ(hints.size(), 1u);

    fake.buttons = {0}; // press on the bar, drag past its end: the value label follows
    bar.update();
    fake.pointer = {2000, 80};
    bar.update();
    pollerTicked = false;
    EXPECT_EQ(volume, 100u);
    EXPECT_EQ(bar.valueLabel.getText(), "100");
    EXPECT_FLOAT_EQ(bar.valueLabel.getPosition().x, 610 - textWidth(*standardFont, 18, "100"));

    test::RecordingLayer ui;
    bar.draw();
    std::vector<std::string> texts;
    size_t panels = 0;
    for (const DeferredDraw& r : ui.layer.records) {
        if (r.kind == deferredText) {
            const sf::String s = static_cast<const sf::Text*>(r.drawable.get())->getString();
            texts.push_back(s.toAnsiString());
        } else if (r.kind == deferredRectangleShape) {
            ++panels;
        }
    }
    EXPECT_EQ(panels, 2u); // the track's and the dragger's backs
    EXPECT_EQ(texts, (std::vector<std::string> {"Sound Volume", "100"}));

    hints.clear();
    mouseCaptured = false;
    renderWindow->close();
}

} // namespace
