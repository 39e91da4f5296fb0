#include "ui/Colours.h"
#include "ui/SimpleWidgets.h"

#include "support/UiTestSupport.h"
#include "graphics/VertexArray.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <gtest/gtest.h>

using namespace kv;

namespace {

// The rectangle shapes a draw recorded, in order.
std::vector<const sf::RectangleShape*> recordedRectangles(const RenderLayer& layer)
{
    std::vector<const sf::RectangleShape*> shapes;
    for (const DeferredDraw& r : layer.records)
        if (r.kind == deferredRectangleShape)
            shapes.push_back(static_cast<const sf::RectangleShape*>(r.drawable.get()));
    return shapes;
}

TEST(ProgressBar, WhatIsDrawnOverValueMaximumAndAlpha)
{
    struct Case {
        float value, maximum;
        uint8_t alpha;
        bool back, bar;
        float barWidth;
    } cases[] = {
        {0, 0, 255, true, false, 0},      // no maximum: only the back
        {5, 0, 255, true, true, 0},       // a value without a maximum has no length
        {0, 100, 255, true, false, 0},
        {50, 100, 255, true, true, 100},  // half of 200
        {100, 100, 255, false, true, 200}, // full and opaque hides the back
        {100, 100, 128, true, true, 200},  // a translucent full bar shows it
        {150, 100, 255, false, true, 300}, // not clamped: past the back
    };
    for (const Case& c : cases) {
        test::RecordingLayer ui;
        ProgressBar bar;
        bar.create({10, 20}, {200, 12}, c.value, c.maximum);
        bar.setAlpha(c.alpha);
        bar.draw();
        const auto shapes = recordedRectangles(ui.layer);
        ASSERT_EQ(shapes.size(), size_t(c.back) + size_t(c.bar)) << c.value << "/" << c.maximum;
        size_t next = 0;
        if (c.back) {
            EXPECT_EQ(shapes[next]->getSize(), sf::Vector2f(200, 12));
            EXPECT_EQ(shapes[next]->getFillColor(), sf::Color(151, 151, 151, c.alpha));
            ++next;
        }
        if (c.bar) {
            EXPECT_EQ(shapes[next]->getFillColor(), sf::Color(0, 255, 0, c.alpha));
            EXPECT_EQ(shapes[next]->getOutlineColor(), colourBlack); // outlines keep their alpha
            EXPECT_EQ(shapes[next]->getPosition(), sf::Vector2f(10, 20));
        }
        EXPECT_FLOAT_EQ(bar.bar.getSize().x, c.barWidth) << c.value << "/" << c.maximum;
        EXPECT_EQ(bar.getAlpha(), c.alpha);
    }
}

TEST(ProgressBar, MovingAndResizingLaysTheBarOutAgain)
{
    ProgressBar bar;
    bar.create({0, 0}, {100, 10}, 25, 50);
    bar.setPosition({7, 8});
    bar.setSize({40, 4});
    EXPECT_EQ(bar.bar.getPosition(), sf::Vector2f(7, 8));
    EXPECT_EQ(bar.bar.getSize(), sf::Vector2f(20, 4));
    EXPECT_EQ(bar.back.getSize(), sf::Vector2f(40, 4));
}

TEST(Line, ResizingKeepsTheDirection)
{
    struct Case {
        sf::Vector2f start, end, size, wantStart, wantEnd;
    } cases[] = {
        {{10, 10}, {0, 0}, {5, 5}, {5, 5}, {0, 0}},
        {{0, 0}, {10, 10}, {5, 5}, {0, 0}, {5, 5}},
        {{0, 10}, {10, 0}, {4, 3}, {0, 3}, {4, 0}},
        {{2, 2}, {2, 9}, {0, 3}, {2, 2}, {2, 5}}, // equal x: the start moves (to the same place)
    };
    for (const Case& c : cases) {
        Line line;
        line.vertices[0].position = c.start;
        line.vertices[1].position = c.end;
        line.setSize(c.size);
        EXPECT_EQ(line.vertices[0].position, c.wantStart);
        EXPECT_EQ(line.vertices[1].position, c.wantEnd);
        EXPECT_EQ(line.getSize(), c.size);
    }
}

TEST(Line, PositionIsTheSmallerCorner)
{
    Line line;
    line.vertices[0].position = {30, 5};
    line.vertices[1].position = {10, 25};
    EXPECT_EQ(line.getPosition(), sf::Vector2f(10, 5));
    line.setPosition({0, 0});
    EXPECT_EQ(line.vertices[0].position, sf::Vector2f(20, 0));
    EXPECT_EQ(line.vertices[1].position, sf::Vector2f(0, 20));
    line.setAlpha(40);
    EXPECT_EQ(line.vertices[1].color.a, 40);
    EXPECT_EQ(line.getAlpha(), 40);

    test::RecordingLayer ui;
    line.draw();
    ASSERT_EQ(ui.layer.records.size(), 1u);
    const auto* drawn = static_cast<const VertexArray*>(ui.layer.records[0].drawable.get());
    EXPECT_EQ(drawn->primitiveType, uint32_t(sf::Lines));
    EXPECT_EQ(drawn->getVertexCount(), 2u);
}

TEST(BevelPanel, EdgesBoundsAndAlpha)
{
    const sf::Color light(250, 250, 250), dark(60, 60, 60), back(120, 0, 0, 0);
    BevelPanel panel;
    panel.create({10, 20}, {100, 50}, light, dark, back);

    const sf::Vector2f want[8] = {{10, 20}, {110, 20}, {10, 70}, {110, 70},
                                  {10, 20}, {10, 70},  {110, 20}, {110, 70}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(panel.vertices[i].position, want[i]) << i;
        EXPECT_EQ(panel.vertices[i].color, (i == 0 || i == 1 || i == 4 || i == 5) ? light : dark) << i;
    }
    EXPECT_EQ(panel.getPosition(), sf::Vector2f(10, 20));
    EXPECT_EQ(panel.getSize(), sf::Vector2f(100, 50));
    EXPECT_EQ(panel.back.getSize(), sf::Vector2f(100, 50));

    panel.setAlpha(255); // a see-through back stays see-through
    EXPECT_EQ(panel.back.shape.getFillColor().a, 0);
    EXPECT_EQ(panel.vertices[2].color.a, 255);
    panel.setAlpha(90);
    EXPECT_EQ(panel.vertices[7].color.a, 90);

    panel.setPosition({0, 0});
    panel.setSize({30, 40});
    EXPECT_EQ(panel.vertices[7].position, sf::Vector2f(30, 40));
    EXPECT_EQ(panel.back.getPosition(), sf::Vector2f(0, 0));

    panel.setColours(dark, light, sf::Color(1, 2, 3));
    EXPECT_EQ(panel.back.shape.getFillColor(), sf::Color(1, 2, 3));
    EXPECT_EQ(panel.vertices[0].color, dark);
    EXPECT_EQ(panel.vertices[6].color, light);
    panel.setAlpha(100); // an opaque back follows the alpha
    EXPECT_EQ(panel.getAlpha(), 100);

    test::RecordingLayer ui;
    panel.draw();
    ASSERT_EQ(ui.layer.records.size(), 2u); // the back, then the edges
    EXPECT_EQ(ui.layer.records[0].kind, deferredRectangleShape);
    const auto* edges = static_cast<const VertexArray*>(ui.layer.records[1].drawable.get());
    EXPECT_EQ(edges->primitiveType, sf::Lines);
    EXPECT_EQ(edges->getVertexCount(), 8u);
}

TEST(Label, DrawsOnlyText)
{
    test::RecordingLayer ui;
    Label label;
    label.create({3, 4}, sf::Color::Red, "", *standardFont, 18);
    EXPECT_TRUE(label.created);
    label.draw();
    EXPECT_TRUE(ui.layer.records.empty());

    label.setText("Naïve café");
    EXPECT_EQ(label.getText(), "Naïve café");
    EXPECT_EQ(label.text.getString().getSize(), 10u);
    label.draw();
    ASSERT_EQ(ui.layer.records.size(), 1u);
    EXPECT_EQ(ui.layer.records[0].kind, deferredText);

    EXPECT_EQ(label.getPosition(), sf::Vector2f(3, 4));
    EXPECT_EQ(label.colour, sf::Color::Red);
    label.setAlpha(10); // a label keeps its colour
    EXPECT_EQ(label.getAlpha(), 255);
}

TEST(TextCursor, BlinksAfterEachInterval)
{
    TextCursor cursor;
    cursor.create({0, 0});
    EXPECT_EQ(cursor.getWidth(), 1.25f);
    const struct {
        float seconds;
        bool visible;
    } steps[] = {{0.1f, false}, {0.3f, true}, {0.5f, true}, {0.56f, false}, {0.7f, false}, {0.9f, true}};
    for (const auto& s : steps)
        EXPECT_EQ(cursor.blink(s.seconds), s.visible) << s.seconds;

    cursor.setColour(sf::Color::Blue);
    EXPECT_EQ(cursor.bar.getFillColor(), sf::Color::Blue);
    cursor.bar.setFillColor(sf::Color(0, 0, 0, 0)); // a hollow caret stays hollow
    cursor.setColour(sf::Color::Red);
    EXPECT_EQ(cursor.bar.getFillColor(), sf::Color(0, 0, 0, 0));
    EXPECT_EQ(cursor.bar.getOutlineColor(), sf::Color::Red);
}

} // namespace
