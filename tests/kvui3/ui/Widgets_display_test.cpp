#include "core/Framework.h"
#include "core/Settings.h"
#include "graphics/Text.h"
#include "core/Theme.h"
#include "app/Compositor.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "graphics/Textures.h"
#include "platform/FileSystem.h"
#include "support/Display.h"
#include "ui/CheckBox.h"
#include "ui/CoolMenu.h"
#include "ui/SimpleWidgets.h"

#include "support/UiTestSupport.h"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kv;

namespace {

constexpr unsigned viewWidth = 1024, viewHeight = 768;

// A real window (fonts, textures, shaders) with the live input still faked; the fake view is
// the window's size.
class WidgetsDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
        input = std::make_unique<test::FakeInput>();
    }
    void TearDown() override
    {
        input.reset();
        test::closeTestWindow();
    }
    std::unique_ptr<test::FakeInput> input;
};

TEST_F(WidgetsDisplay, GroupBoxLeavesAGapBehindItsCaption)
{
    GroupBox box;
    box.caption.create({0, 0}, clButtonText, "Sound", *standardFont, 18);
    box.setPosition({10, 10});
    box.setSize({200, 100});
    box.setAlpha(255);

    const float half = standardFont->getLineSpacing(18) * 0.5f;
    const float captionWidth = textWidth(*standardFont, 18, "Sound");
    ASSERT_GT(half, 0);
    ASSERT_GT(captionWidth, 20);
    EXPECT_FLOAT_EQ(box.frame.left, 10 + half);
    EXPECT_FLOAT_EQ(box.frame.bottom, 110 - half);
    EXPECT_EQ(box.caption.getPosition(), sf::Vector2f(box.frame.left + 10, 10));
    EXPECT_FLOAT_EQ(box.lines[1].position.x, box.frame.left + 6);
    EXPECT_FLOAT_EQ(box.lines[2].position.x, box.frame.left + 12 + captionWidth);
    EXPECT_FLOAT_EQ(box.lines[3].position.x, box.frame.right);
    for (const sf::Vertex& v : box.lines)
        EXPECT_EQ(v.color, clButtonText);
}

TEST_F(WidgetsDisplay, CheckBoxTogglesOncePerPress)
{
    InternalTextures::loadTextures();
    CheckBox box;
    box.create(20, 30, "Mute");
    const float sprite = box.checkedSprite.getLocalBounds().width;
    ASSERT_GT(sprite, 0);
    EXPECT_FLOAT_EQ(box.getWidth(), sprite + 2 + textWidth(*standardFont, 18, "Mute"));
    EXPECT_FALSE(box.isChecked());

    test::FakeInput::pointer = {25, 35};
    test::FakeInput::buttons.insert(0);
    box.update(); // toggles, then waits out the 0.5 s cap with the button still down
    EXPECT_TRUE(box.isChecked());
    box.update();
    box.update();
    EXPECT_TRUE(box.isChecked()); // still the same press

    test::FakeInput::buttons.clear();
    box.update();
    EXPECT_TRUE(box.isChecked());
    test::FakeInput::buttons.insert(0);
    test::FakeInput::pointer = {300, 300}; // a press beside the box does nothing
    box.update();
    EXPECT_TRUE(box.isChecked());
    test::FakeInput::buttons.clear();
    box.update();
    test::FakeInput::pointer = {25, 35};
    test::FakeInput::buttons.insert(0);
    box.update();
    EXPECT_FALSE(box.isChecked());

    box.destroy();
    EXPECT_FALSE(box.created);
    EXPECT_TRUE(box.caption.empty());
}

TEST_F(WidgetsDisplay, IconMenuMeasuresItsTexts)
{
    CoolMenu menu;
    menu.create("Torvale!", "v0.1", "Main menu");
    const float heading = textWidth(*mediumFont, 24, "Main menu");
    EXPECT_FLOAT_EQ(menu.headingLabel.getPosition().x, viewWidth - heading - 32);
    EXPECT_FLOAT_EQ(menu.textLabel.getPosition().x, viewWidth - textWidth(*standardFont, 18, "v0.1") - 16);
    EXPECT_FLOAT_EQ(menu.rowHeight, std::max(standardFont->getLineSpacing(18), 32.0f) * 1.5f);

    menu.addItem("Exit", 3, "");
    EXPECT_EQ(menu.listWidth, 320);
    const std::string longCaption = "A caption long enough to be wider than the rows of the menu";
    menu.addItem(longCaption, 4, "");
    const float width = textWidth(*standardFont, 18, longCaption) + 96;
    EXPECT_GT(width, 320);
    EXPECT_FLOAT_EQ(menu.listWidth, width);
    EXPECT_FLOAT_EQ(menu.items[0].background.getWidth(), width);
    ASSERT_NE(menu.items[1].icon.getTexture(), nullptr);
    EXPECT_EQ(menu.items[1].icon.getTextureRect(), Icons::getIconRect(4));
}

// The menu as a player sees it: drawn into an off-screen display, pixels checked at known
// spots and the picture kept in the build folder to be looked at.
TEST_F(WidgetsDisplay, IconMenuScreenshot)
{
    ASSERT_TRUE(Shaders::init());
    ASSERT_TRUE(getShaderSlot(shaderUiIcon).loaded);
    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(viewWidth, viewHeight));
    getRenderLayer(layerDisplay, true)->target = &screen;
    resizeLayerTextures();

    CoolMenu menu;
    menu.create("Torvale!", "Version 0.1", "Main menu");
    menu.setFooterText("Press Enter to choose");
    // Icons the sheet holds: gamepad, server, connect, exit.
    menu.addItem("New Single Player Game", 111, "Play against the computer on one of the maps");
    menu.addItem("Host Network Game", 141, "Open a game that others can join");
    menu.addItem("Join Network Game", 19, "Find a game on the local network");
    menu.addItem("Exit Game", 38, "Leave Torvale!");
    test::FakeInput::pointer = {900, 400}; // away from the rows
    Keyboard::addPressedKey(sf::Keyboard::Down);
    menu.update(0.05f);
    menu.update(1.0f); // the hint has slid in
    ASSERT_EQ(menu.current, 1);

    const sf::Color back(20, 24, 32);
    getRenderLayer(layerDisplay, true)->clear(back);
    menu.draw();
    displayFrame(1);
    screen.display();
    const sf::Image image = screen.getTexture().copyToImage();
    ASSERT_TRUE(image.saveToFile(TVL_GAME_DIR "/../coolmenu_display_test.png"));

    // The title bar's translucent blue over the back.
    const sf::Color title = image.getPixel(5, 12);
    EXPECT_GT(title.b, title.r + 40);
    // Rows are 192/255 opaque over the dark back: the selected row is not the others' colour.
    const float top = menu.items[1].background.getPosition().y;
    const sf::Color selected = image.getPixel(300, static_cast<unsigned>(top + 4));
    const sf::Color other = image.getPixel(300, static_cast<unsigned>(top - 10));
    EXPECT_NE(selected, other);
    // The footer: translucent grey over the back.
    const sf::Color footer = image.getPixel(600, viewHeight - 5);
    EXPECT_GT(footer.r, back.r + 20);
    // An icon draws something other than its row's back inside its 32 x 32 box.
    const sf::Vector2f icon = menu.items[0].icon.getPosition();
    const sf::Color rowBack = image.getPixel(static_cast<unsigned>(icon.x) + 40, static_cast<unsigned>(icon.y) + 16);
    int differing = 0;
    for (unsigned y = 0; y < 32; ++y)
        for (unsigned x = 0; x < 32; ++x)
            differing += image.getPixel(static_cast<unsigned>(icon.x) + x, static_cast<unsigned>(icon.y) + y) != rowBack;
    EXPECT_GT(differing, 20);
    // The footer's big icon is centred at x 49, 48 above the bottom.
    EXPECT_NE(image.getPixel(49, viewHeight - 48), footer);
}

} // namespace
