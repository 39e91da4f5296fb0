#include "ui/Form.h"

#include "support/UiTestSupport.h"
#include "core/Theme.h"
#include "graphics/Text.h"

#include <SFML/Graphics/Font.hpp>

#include <gtest/gtest.h>

using namespace kv;

namespace {

// The real standard font (FreeType only, no GL) so the title bar has a real line to hold.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(standardFont->loadFromFile(TVL_GAME_DIR "/kvui3/fonts/Roboto-Regular.ttf"));
        bar = standardFont->getLineSpacing(18) + 4;
        ASSERT_GT(bar, 4);
    }
    void TearDown() override
    {
        resetTheme();
        *standardFont = sf::Font();
    }
    float bar = 0;
};

TEST_F(FormTest, TitleBarOverBodyAtEveryPositionAndSize)
{
    Form form;
    form.create({40, 30}, {300, 200}, "Options");
    EXPECT_FLOAT_EQ(Form::titleBarHeight(), bar);

    struct Case {
        sf::Vector2f position, size;
    };
    for (const Case& c : {Case {{40, 30}, {300, 200}}, Case {{0, 0}, {120, 400}}, Case {{-5, 7.5f}, {64, 90}}}) {
        form.setPosition(c.position);
        form.setSize(c.size);
        EXPECT_EQ(form.getPosition(), c.position);
        EXPECT_EQ(form.getSize(), c.size);
        EXPECT_FLOAT_EQ(form.getWidth(), c.size.x);
        EXPECT_FLOAT_EQ(form.getHeight(), c.size.y);
        EXPECT_EQ(form.titleBar.getPosition(), c.position);
        EXPECT_FLOAT_EQ(form.titleBar.getWidth(), c.size.x);
        EXPECT_FLOAT_EQ(form.titleBar.getHeight(), bar);
        EXPECT_EQ(form.title.getPosition(), c.position + sf::Vector2f(3, 3));
        EXPECT_FLOAT_EQ(form.body.getPosition().x, c.position.x);
        EXPECT_FLOAT_EQ(form.body.getPosition().y, c.position.y + bar);
        EXPECT_FLOAT_EQ(form.body.getWidth(), c.size.x);
        EXPECT_FLOAT_EQ(form.body.getHeight(), c.size.y - bar);
        // The body's back covers what its edges frame.
        EXPECT_EQ(form.body.back.getPosition(), form.body.getPosition());
        EXPECT_EQ(form.body.back.getSize(), form.body.getSize());
    }
}

TEST_F(FormTest, FormOneTitleBarHighHasAnEmptyBody)
{
    Form form;
    form.create({10, 20}, {150, bar}, "Empty");
    EXPECT_FLOAT_EQ(form.body.getHeight(), 0);
    EXPECT_FLOAT_EQ(form.body.getPosition().y, 20 + bar);
    EXPECT_FLOAT_EQ(form.titleBar.getHeight(), bar);
}

TEST_F(FormTest, CreateTakesTitleAndThemeColoursAndIsOpaque)
{
    Form form;
    form.create({0, 0}, {200, 100}, "Quit?");
    EXPECT_EQ(form.title.getText(), "Quit?");
    EXPECT_EQ(form.title.colour, clTitleBarText);
    EXPECT_EQ(form.title.text.getCharacterSize(), 18u);
    EXPECT_EQ(form.title.text.getFont(), &*standardFont);
    EXPECT_EQ(form.titleBar.back.shape.getFillColor(), clTitleBarBack);
    EXPECT_EQ(form.titleBar.vertices[0].color, clTitleBarBorderLight);
    EXPECT_EQ(form.titleBar.vertices[3].color, clTitleBarBorderDark);
    EXPECT_EQ(form.body.back.shape.getFillColor(), clButtonBack);
    EXPECT_EQ(form.body.vertices[4].color, clButtonBorderLight);
    EXPECT_EQ(form.body.vertices[7].color, clButtonBorderDark);
    EXPECT_EQ(form.getAlpha(), 255);

    // A theme change shows only after the next create: the form copied the colours.
    const sf::Color oldBack = clTitleBarBack;
    clTitleBarBack = sf::Color(10, 200, 30, 255);
    clButtonBack = sf::Color(90, 91, 92, 255);
    EXPECT_EQ(form.titleBar.back.shape.getFillColor(), oldBack);
    form.create({0, 0}, {200, 100}, "Quit?");
    EXPECT_EQ(form.titleBar.back.shape.getFillColor(), sf::Color(10, 200, 30, 255));
    EXPECT_EQ(form.body.back.shape.getFillColor(), sf::Color(90, 91, 92, 255));
}

TEST_F(FormTest, AlphaReachesBodyAndTitleBarButNotTheTitle)
{
    Form form;
    form.create({0, 0}, {200, 100}, "Fading");
    form.setAlpha(100);
    EXPECT_EQ(form.getAlpha(), 100);
    EXPECT_EQ(form.body.back.shape.getFillColor().a, 100);
    EXPECT_EQ(form.titleBar.back.shape.getFillColor().a, 100);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(form.body.vertices[i].color.a, 100) << i;
        EXPECT_EQ(form.titleBar.vertices[i].color.a, 100) << i;
    }
    EXPECT_EQ(form.title.text.getFillColor().a, 255);
    form.setAlpha(255);
    EXPECT_EQ(form.getAlpha(), 255);
    EXPECT_EQ(form.titleBar.back.shape.getFillColor().a, 255);
}

// Title bar back and edges, the title, then the body back and edges, all on layerUI.
TEST_F(FormTest, DrawsTitleBarTitleThenBody)
{
    Form form;
    form.create({0, 0}, {200, 100}, "Order");
    test::RecordingLayer ui;
    form.update();
    EXPECT_TRUE(ui.layer.records.empty());
    form.draw();
    std::vector<uint32_t> kinds;
    for (const DeferredDraw& r : ui.layer.records)
        kinds.push_back(r.kind);
    ASSERT_EQ(kinds.size(), 5u);
    EXPECT_EQ(kinds[0], deferredRectangleShape);
    EXPECT_EQ(kinds[2], deferredText);
    EXPECT_EQ(kinds[3], deferredRectangleShape);
    EXPECT_EQ(kinds[1], kinds[4]); // the edges of both panels
}

} // namespace
