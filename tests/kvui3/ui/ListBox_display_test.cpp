#include "ui/ListBox.h"

#include "support/UiTestSupport.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Settings.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "platform/FileSystem.h"
#include "support/Display.h"

#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace kv;

namespace {

// With the real fonts and textures: icons by name, the wider-than-the-box rule measured with
// the standard font, and what a draw records on layerUI.
TEST(ListBoxDisplay, IconsMeasuringAndDraw)
{
    REQUIRE_DISPLAY();
    ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
    InternalTextures::createDefaultTexture();
    ASSERT_FALSE(internalTextures->empty());
    internalTextures->emplace_back();
    internalTextures->back().name = "ListBoxFlag.png";
    test::FakeInput fake;

    ListBox list;
    list.create("Players", {100, 100}, {200, 5.5f * (standardFont->getLineSpacing(18) + 1)}, *standardFont, 18);
    list.addItem("flagged", "listboxflag", "");
    list.addItem("plain", "", "");
    list.addItem("unknown", "no-such-icon", "");
    EXPECT_EQ(list.items[0].icon.getTexture(), &internalTextures->back().texture);
    EXPECT_EQ(list.items[1].icon.getTexture(), &internalTextures->front().texture);
    EXPECT_EQ(list.items[2].icon.getTexture(), &internalTextures->front().texture);
    internalTextures->pop_back();

    for (int i = 3; i < 8; ++i)
        list.addItem("row " + std::to_string(i), "", "");
    const std::string wide(40, 'W');
    ASSERT_GT(textWidth(*standardFont, 18, wide) + 3, 200);
    list.addItem(wide, "", "");
    pollerTicked = true;
    list.update();
    pollerTicked = false;
    EXPECT_TRUE(list.vBarShown);
    ASSERT_TRUE(list.hBarShown);
    EXPECT_EQ(list.hBar.maximum, static_cast<uint32_t>(textWidth(*standardFont, 18, wide) + 3 - 200));

    list.selected = 1;
    test::RecordingLayer ui;
    list.draw();
    std::vector<std::string> texts;
    size_t shapes = 0;
    for (const DeferredDraw& r : ui.layer.records) {
        if (r.kind == deferredText) {
            const sf::Text* text = static_cast<const sf::Text*>(r.drawable.get());
            texts.push_back(text->getString().toAnsiString());
            // The caption's glyphs, descenders included, lie wholly above the panel.
            if (texts.back() == "Players")
                EXPECT_LE(text->getPosition().y + standardFont->getLineSpacing(18), 100.0f);
            if (texts.back() == "plain") {
                EXPECT_EQ(text->getFillColor(), list.selectedTextColour);
            } else if (texts.back() == "flagged") {
                EXPECT_EQ(text->getFillColor(), list.textColour);
            }
        } else if (r.kind == deferredRectangleShape) {
            ++shapes;
        }
    }
    // Five whole rows and the half row under them, then the caption.
    EXPECT_EQ(texts, (std::vector<std::string> {"flagged", "plain", "unknown", "row 3", "row 4", "row 5", "Players"}));
    EXPECT_EQ(shapes, 6u); // the panel's back, the selection, and the two bars' tracks and draggers

    renderWindow->close();
}

} // namespace
