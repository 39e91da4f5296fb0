#include "ui/Button.h"

#include "support/UiTestSupport.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "graphics/VertexArray.h"
#include "ui/Hints.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace kv;

namespace {

const sf::Vector2f at(100, 100);
const sf::Vector2i inside(110, 110), outside(300, 300);

// The button logic without fonts or a window. The key and button waits go through a seam that
// counts them and the frames they pump; the player lets go during the first pumped frame.
class ButtonTest : public ::testing::Test {
protected:
    test::FakeInput fake;
    void (*savedWaitLoop)(const std::function<bool()>&, float) = nullptr;
    static inline int waits = 0, pumps = 0;

    static void countingWaitLoop(const std::function<bool()>& keepWaiting, float)
    {
        ++waits;
        while (keepWaiting() && pumps < 100) {
            ++pumps;
            test::FakeInput::keys.clear();
            test::FakeInput::buttons.clear();
        }
    }

    void SetUp() override
    {
        savedWaitLoop = runWaitLoop;
        runWaitLoop = countingWaitLoop;
        waits = pumps = 0;
        Keyboard::buildKeyNames();
        hints.clear();
    }
    void TearDown() override
    {
        runWaitLoop = savedWaitLoop;
        for (int key : {sf::Keyboard::Return, sf::Keyboard::F4})
            Keyboard::keyReleased(static_cast<uint32_t>(key));
        hints.clear();
    }
};

TEST_F(ButtonTest, ClicksByMouseAndShortcut)
{
    constexpr uint32_t none = Keyboard::noKey;
    constexpr uint32_t ret = sf::Keyboard::Return, f4 = sf::Keyboard::F4;
    struct Case {
        const char* what;
        bool visible, enabled, pointerInside, leftClick;
        uint32_t shortcut;
        bool shortcutPressed, leftAlt, focus;
        bool clicked, hovered;
        int waits;
        size_t keysLeft; // of the tick's list: an unrelated A, and the shortcut when pressed
    } cases[] = {
        {"click inside", true, true, true, true, none, false, false, true, true, true, 1, 1},
        {"hover without a click", true, true, true, false, none, false, false, true, false, true, 0, 1},
        {"released outside", true, true, false, true, none, false, false, true, false, false, 0, 1},
        {"disabled ignores the mouse", true, false, true, true, none, false, false, true, false, false, 0, 1},
        {"invisible ignores everything", false, true, true, true, ret, true, false, true, false, false, 0, 2},
        {"shortcut", true, true, false, false, ret, true, false, true, true, false, 1, 0},
        {"shortcut not pressed", true, true, false, false, ret, false, false, true, false, false, 0, 1},
        {"disabled ignores its shortcut", true, false, false, false, ret, true, false, true, false, false, 0, 2},
        {"Alt+F4 is the window's", true, true, false, false, f4, true, true, true, false, false, 0, 2},
        {"F4 alone", true, true, false, false, f4, true, false, true, true, false, 1, 0},
        {"Alt with another key", true, true, false, false, ret, true, true, true, true, false, 1, 0},
        {"no focus, no shortcut", true, true, false, false, ret, true, false, false, false, false, 0, 2},
        {"click and shortcut together", true, true, true, true, ret, true, false, true, true, true, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        waits = pumps = 0;
        input = InputState();
        test::FakeInput::focus = c.focus;
        test::FakeInput::pointer = c.pointerInside ? inside : outside;
        Keyboard::pressedKeys = {sf::Keyboard::A};
        if (c.shortcutPressed) {
            Keyboard::pressedKeys.push_back(c.shortcut);
            test::FakeInput::keys.insert(static_cast<int>(c.shortcut));
        }
        if (c.leftAlt)
            test::FakeInput::keys.insert(sf::Keyboard::LAlt);
        leftClicked = c.leftClick;

        Button button;
        button.create("OK", nullptr, &at, c.shortcut, "", false);
        button.visible = c.visible;
        button.enabled = c.enabled;
        button.update();

        EXPECT_EQ(button.clicked, c.clicked);
        EXPECT_EQ(button.hovered, c.hovered);
        EXPECT_EQ(waits, c.waits);
        EXPECT_EQ(Keyboard::pressedKeys.size(), c.keysLeft);
        Keyboard::keyReleased(c.shortcut);
    }
}

TEST_F(ButtonTest, AClickLastsOneFrameAndItsWaitPumpsOnlyWhileHeld)
{
    Button button;
    button.create("OK", nullptr, &at, sf::Keyboard::Return, "", false);
    test::FakeInput::pointer = inside;

    // A click whose button is already up: the wait returns without a frame.
    leftClicked = true;
    button.update();
    EXPECT_TRUE(button.clicked);
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(pumps, 0);
    EXPECT_FALSE(leftClicked); // spent by the wait
    button.update();
    EXPECT_FALSE(button.clicked);

    // Still held: frames pump until it is let go.
    leftClicked = true;
    test::FakeInput::buttons.insert(0);
    button.update();
    EXPECT_TRUE(button.clicked);
    EXPECT_EQ(pumps, 1);

    // The same for the shortcut key.
    waits = pumps = 0;
    Keyboard::pressedKeys = {sf::Keyboard::Return};
    button.update();
    EXPECT_TRUE(button.clicked);
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(pumps, 0);
    Keyboard::pressedKeys = {sf::Keyboard::Return};
    test::FakeInput::keys.insert(sf::Keyboard::Return);
    button.update();
    EXPECT_TRUE(button.clicked);
    EXPECT_EQ(pumps, 1);
    button.update();
    EXPECT_FALSE(button.clicked);
}

TEST_F(ButtonTest, CreateBuildsAnIconOrNarrowButtonAndRebuilds)
{
    sf::Sprite sheet;
    sheet.setTextureRect({0, 0, 16, 8});
    const sfSprite icon(sheet);
    autoNameCounter = 6;
    Button button;
    ASSERT_TRUE(button.create("Up", &icon, &at, sf::Keyboard::PageUp, "go up", false));
    EXPECT_EQ(button.name, "auto:7");
    EXPECT_EQ(button.style, buttonIcon);
    EXPECT_EQ(button.getSize(), sf::Vector2f(32, 32));
    EXPECT_EQ(button.shortcutName, "Page up");
    EXPECT_EQ(button.hint, "go up");
    EXPECT_TRUE(button.hasIcon);
    EXPECT_EQ(button.parts.icon.getScale(), sf::Vector2f(2, 4)); // stretched over 32 x 32
    EXPECT_EQ(button.parts.icon.getPosition(), at);
    EXPECT_EQ(button.parts.pressedBack.getPosition(), at + sf::Vector2f(1, 1));
    EXPECT_EQ(button.parts.sunkenBorder.getSize(), sf::Vector2f(33, 33));
    EXPECT_EQ(button.getAlpha(), 255);
    EXPECT_EQ(button.parts.disabledOverlay.getAlpha(), 127);
    EXPECT_TRUE(button.created);

    button.enabled = false;
    const sf::Vector2f elsewhere(5, 6);
    button.create("", nullptr, &elsewhere, sf::Keyboard::A, "", true);
    EXPECT_EQ(button.name, "auto:8");
    EXPECT_EQ(button.style, buttonNarrow);
    EXPECT_EQ(button.getSize(), sf::Vector2f(12, 32));
    EXPECT_EQ(button.shortcutName, ""); // narrow buttons show no key
    EXPECT_EQ(button.shortcutKey, uint32_t(sf::Keyboard::A));
    EXPECT_TRUE(button.enabled);
    EXPECT_FALSE(button.hasIcon);
    EXPECT_EQ(button.getPosition(), elsewhere);

    button.setIcon(sfSprite()); // an empty icon is refused
    EXPECT_FALSE(button.hasIcon);
    button.setAlpha(100);
    EXPECT_EQ(button.getAlpha(), 100);
    EXPECT_EQ(button.parts.disabledOverlay.getAlpha(), 50);
}

TEST_F(ButtonTest, SetSizeMakesATextButtonWithIconAndCaptionCentred)
{
    // Without fonts the caption measures 0 and a line 0: the formulas are what is checked; the
    // display test measures a real caption.
    const float lineSpacing = componentLineSpacing();
    struct Case {
        sf::Vector2f asked, size;
    } cases[] = {
        {{0, 0}, {48, std::max(lineSpacing + 2, 34.0f)}},
        {{-1, 50}, {48, 50}},
        {{200, 0}, {200, std::max(lineSpacing + 2, 34.0f)}},
    };
    for (const Case& c : cases) {
        Button button;
        button.create("", nullptr, &at, Keyboard::noKey, "", false);
        button.setSize(c.asked);
        EXPECT_EQ(button.style, buttonText);
        EXPECT_EQ(button.getSize(), c.size);
        const sf::Vector2f icon((c.size.x - 34) * 0.5f, (c.size.y - 32) * 0.5f);
        EXPECT_EQ(button.iconOffset, icon);
        EXPECT_EQ(button.captionOffset, sf::Vector2f(icon.x + 34, (c.size.y - lineSpacing) * 0.5f));
        EXPECT_EQ(button.parts.caption.getPosition(), at + button.captionOffset);
        EXPECT_EQ(button.parts.back.getSize(), c.size);
        EXPECT_EQ(button.parts.disabledOverlay.getSize(), c.size);
        EXPECT_EQ(button.parts.raisedBorder.getSize(), c.size);
        EXPECT_EQ(button.parts.sunkenBorder.getSize(), c.size);
        EXPECT_EQ(button.parts.pressedBack.getSize(), c.size - sf::Vector2f(1, 1));
    }
}

// A recorded draw, named by what it is: back, pressed, overlay, icon+0 / icon+1 (moved),
// caption, sunken, raised (the borders' transparent backs are left out).
std::vector<std::string> describe(const RenderLayer& layer, const Button& button)
{
    sf::Color sunkenTop = clButtonBorderDark;
    sunkenTop.a = 128;
    std::vector<std::string> names;
    for (const DeferredDraw& r : layer.records) {
        switch (r.kind) {
        case deferredRectangleShape: {
            const auto& shape = static_cast<const sf::RectangleShape&>(*r.drawable);
            const uint8_t alpha = shape.getFillColor().a;
            if (alpha == 0)
                break;
            names.push_back(shape.getFillColor() == clButtonPressedBack ? "pressed"
                            : alpha == 255                               ? "back"
                                                                         : "overlay");
            break;
        }
        case deferredSprite: {
            const auto& sprite = static_cast<const sf::Sprite&>(*r.drawable);
            names.push_back(sprite.getPosition() == button.position + button.iconOffset ? "icon+0" : "icon+1");
            break;
        }
        case deferredText:
            names.push_back("caption");
            break;
        case deferredVertexArray:
            names.push_back(static_cast<const VertexArray&>(*r.drawable)[0].color == sunkenTop ? "sunken" : "raised");
            break;
        }
    }
    return names;
}

TEST_F(ButtonTest, DrawsWhatItsStateShows)
{
    using Names = std::vector<std::string>;
    struct Case {
        const char* what;
        uint32_t style;
        bool hovered, enabled, visible, flat;
        Names drawn;
        const char* hint; // nullptr: none
    } cases[] = {
        {"icon", buttonIcon, false, true, true, false, {"back", "icon+0"}, nullptr},
        {"icon hovered", buttonIcon, true, true, true, false, {"pressed", "icon+1", "sunken"}, "Up - [Page up]"},
        {"icon disabled", buttonIcon, false, false, true, false, {"back", "icon+0", "overlay"}, nullptr},
        {"narrow hovered", buttonNarrow, true, true, true, false, {"back", "icon+0"}, nullptr},
        {"text", buttonText, false, true, true, false, {"back", "icon+0", "caption", "raised"}, nullptr},
        {"text, flat", buttonText, false, true, true, true, {"back", "icon+0", "caption"}, nullptr},
        {"text hovered", buttonText, true, true, true, false, {"pressed", "icon+1", "caption", "sunken"}, nullptr},
        {"text disabled", buttonText, false, false, true, false, {"back", "icon+0", "caption", "overlay", "raised"}, nullptr},
        {"invisible", buttonIcon, true, true, false, false, {}, nullptr},
    };
    sf::Sprite sheet;
    sheet.setTextureRect({0, 0, 32, 32});
    const sfSprite icon(sheet);
    const bool savedFlat = settings.flatButtons;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        hints.clear();
        settings.flatButtons = c.flat;
        test::RecordingLayer ui;
        Button button;
        button.create("Up", &icon, &at, sf::Keyboard::PageUp, "", c.style == buttonNarrow);
        if (c.style == buttonText)
            button.setSize({0, 0});
        button.hovered = c.hovered;
        button.enabled = c.enabled;
        button.visible = c.visible;
        button.draw();

        EXPECT_EQ(describe(ui.layer, button), c.drawn);
        if (c.hint) {
            ASSERT_EQ(hints.size(), 1u);
            EXPECT_EQ(hints[0].id, button.name);
            EXPECT_EQ(hints[0].text, c.hint);
            EXPECT_EQ(hints[0].position, at + sf::Vector2f(20, 52));
            EXPECT_EQ(hints[0].secondsLeft, 0);
        } else {
            EXPECT_TRUE(hints.empty());
        }
        EXPECT_EQ(button.parts.icon.getPosition(), at + button.iconOffset); // moved back after drawing
    }
    settings.flatButtons = savedFlat;
}

TEST_F(ButtonTest, AHoveredIconButtonsHintIsItsCaptionAndKey)
{
    Button button;
    button.create("Up", nullptr, &at, Keyboard::noKey, "", false);
    EXPECT_EQ(button.hintText(), "Up");
    button.create("Up", nullptr, &at, sf::Keyboard::PageUp, "", false);
    EXPECT_EQ(button.hintText(), "Up - [Page up]");

    // Hovered frame after frame, the button keeps one hint alive.
    test::RecordingLayer ui;
    button.hovered = true;
    for (int frame = 0; frame < 10; ++frame) {
        button.draw();
        ageHints(1.0f / ticksPerSecond);
    }
    EXPECT_EQ(hints.size(), 1u);
}

} // namespace
