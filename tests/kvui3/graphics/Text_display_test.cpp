#include "core/Framework.h"
#include "graphics/Text.h"
#include "graphics/RenderLayers.h"
#include "support/Display.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

using namespace kv;

namespace {

class TextDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openBareWindow(64, 64, "text test"));
        imguiEnabled = false;
        initRenderLayers();
        ASSERT_TRUE(Text::init());
    }
    void TearDown() override
    {
        test::closeTestWindow();
    }
};

TEST_F(TextDisplay, DigitsWidthMeasuresZeros)
{
    const float eight = digitsWidth(*mediumFont, 24, 8);
    EXPECT_GT(eight, 0);
    EXPECT_FLOAT_EQ(eight, textWidth(*mediumFont, 24, "00000000"));
    EXPECT_GT(eight, digitsWidth(*mediumFont, 24, 4));
    EXPECT_FLOAT_EQ(digitsWidth(*mediumFont, 24, 0), 0);
    EXPECT_FLOAT_EQ(digitsWidth(*mediumFont, 24, -3), textWidth(*mediumFont, 24, ""));
    EXPECT_GT(textWidth(*standardFont, 36, "Torvale!"), textWidth(*standardFont, 18, "Torvale!"));
}

TEST_F(TextDisplay, FormattedTextIsCutNotOverrun)
{
    RenderLayer& ui = *getRenderLayer(layerUI, true);
    resizeLayerTextures();
    ui.clear(sf::Color::Transparent);
    drawTextf(layerUI, 0, 0, sf::Color::White, "%s", "");
    EXPECT_TRUE(ui.drawnTo); // an empty result still draws (an empty format does not)
    ui.clear(sf::Color::Transparent);
    const char* empty = "";
    drawTextf(layerUI, 0, 0, sf::Color::White, empty, 0);
    EXPECT_FALSE(ui.drawnTo);

    const std::string name(5000, 'x');
    drawTextf(layerUI, 2, 3, sf::Color::Yellow, "Player %s joined", name.c_str());
    EXPECT_TRUE(ui.drawnTo);
    EXPECT_EQ(sharedText->getString().getSize(), 1023u);
    EXPECT_EQ(sharedText->getPosition(), sf::Vector2f(2, 3));
    EXPECT_EQ(sharedText->getFillColor(), sf::Color::Yellow);
    EXPECT_EQ(sharedText->getFont(), &*standardFont);
    EXPECT_EQ(sharedText->getCharacterSize(), 18u);
}

} // namespace
