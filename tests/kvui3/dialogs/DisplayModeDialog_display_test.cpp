// The display-mode dialog in a real 1024 x 768 window over a mode list of the test's, answered
// by keys and clicks as a player would.
#include "core/Framework.h"
#include "core/Keyboard.h"
#include "core/Scene.h"
#include "dialogs/DisplayModeDialog.h"
#include "graphics/Text.h"
#include "support/Display.h"
#include "support/Strings.h"
#include "ui/Component.h"
#include "ui/Form.h"

#include "support/UiTestSupport.h"
#include "support/DialogScript.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace kv;
using test::claimedIds;
using test::DialogScript;
using testsupport::countOf;

namespace {

std::vector<sf::VideoMode> shownModes;

sf::VideoMode shownMode(int index)
{
    return index >= 0 && index < static_cast<int>(shownModes.size()) ? shownModes[static_cast<size_t>(index)]
                                                                        : sf::VideoMode(0, 0, 0);
}

class DisplayModeDialogDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
        Keyboard::buildKeyNames();
        fullscreenModeSource = shownMode;
        idsBefore = claimedIds();
        // The form is centred in the 1024 x 768 view.
        const float formX = (1024 - 640) / 2, formY = (768 - 480) / 2;
        rowHeight = standardFont->getLineSpacing(componentTextSize) + 1;
        listTop = formY + Form::titleBarHeight() + 10;
        listLeft = formX + 10;
        toggle = {static_cast<int>(formX + 16), static_cast<int>(listTop + 12 * rowHeight + 10 + 8)};
        const float okWidth = digitsWidth(*standardFont, componentTextSize, 6) + 64;
        cancel = {static_cast<int>(formX + 10 + okWidth + 10 + 20), static_cast<int>(formY + 480 - 42 + 16)};
    }
    void TearDown() override
    {
        fullscreenModeSource = KVCore::getFullscreenMode;
        EXPECT_EQ(claimedIds(), idsBefore) << "the dialog left a widget id behind";
        InputHooks::reset();
        test::closeTestWindow();
    }
    sf::Vector2i onRow(int visibleRow) const
    {
        return {static_cast<int>(listLeft + 40), static_cast<int>(listTop + (visibleRow + 0.5f) * rowHeight)};
    }

    test::FakeInput fake;
    int idsBefore = 0;
    float rowHeight = 0, listTop = 0, listLeft = 0;
    sf::Vector2i toggle, cancel;
};

using M = sf::VideoMode;
// The window is 1024 x 768 and windowed; the list is the display's: best first, each size per
// depth.
const std::vector<M> display = {M(1920, 1080, 32), M(1024, 768, 32), M(800, 600, 32), M(320, 200, 32),
                                M(1920, 1080, 24), M(1024, 768, 24), M(800, 600, 24), M(320, 200, 24)};

std::vector<M> manySizesEndingWithTheWindows()
{
    std::vector<M> modes;
    for (unsigned i = 0; i < 19; ++i)
        modes.push_back(M(2000 - 40 * i, 1200, 32));
    modes.push_back(M(1024, 768, 32));
    return modes;
}

// Every way out of the dialog, each from a fresh one: what it answers, what it fills in, how many
// times it refused a mode too small, and that it leaves the caller's next frame time alone.
TEST_F(DisplayModeDialogDisplay, AnswersFillTheChoiceAndRefuseSmallModes)
{
    const std::string refusal = "Message: Unsupported resolution.  Resolution must be at least 640 x 480.";
    struct Case {
        const char* name;
        std::vector<M> modes;
        std::function<void(DialogScript&)> answer;
        int expected;
        DisplayModeChoice chosen;
        int refusals;
    } cases[] = {
        {"Enter takes the window's size, selected", display,
         [](DialogScript& s) { s.press(3, sf::Keyboard::Enter); }, 1, {1024, 768, true}, 0},
        {"Down then Ok", display,
         [](DialogScript& s) { s.press(3, sf::Keyboard::Down).press(6, sf::Keyboard::Enter); }, 1,
         {800, 600, true}, 0},
        {"the Window toggle clicked off", display,
         [&](DialogScript& s) { s.click(3, toggle).press(9, sf::Keyboard::Enter); }, 1, {1024, 768, false}, 0},
        {"a double-clicked row acts as Ok", display,
         [&](DialogScript& s) { s.click(3, onRow(0)).click(7, onRow(0)); }, 1, {1920, 1080, true}, 0},
        {"the window's size scrolled into view", manySizesEndingWithTheWindows(),
         [&](DialogScript& s) { s.click(3, onRow(11)).click(7, onRow(11)); }, 1, {1024, 768, true}, 0},
        {"Escape", display, [](DialogScript& s) { s.press(3, sf::Keyboard::Escape); }, 0, {1, 2, false}, 0},
        {"Cancel clicked", display, [&](DialogScript& s) { s.click(3, cancel); }, 0, {1, 2, false}, 0},
        {"no row selected: Ok does nothing", {M(1920, 1080, 32), M(800, 600, 32)},
         [](DialogScript& s) { s.press(3, sf::Keyboard::Enter).press(12, sf::Keyboard::Escape); }, 0,
         {1, 2, false}, 0},
        {"too small by Ok: refused, the dialog stays", display,
         [](DialogScript& s) {
             s.press(3, sf::Keyboard::Down).press(5, sf::Keyboard::Down).press(7, sf::Keyboard::Enter);
             s.press(15, sf::Keyboard::Enter).press(25, sf::Keyboard::Escape);
         },
         0, {1, 2, false}, 1},
        {"too small by a double-click: refused once", display,
         [&](DialogScript& s) {
             s.click(3, onRow(3)).click(7, onRow(3));
             s.press(20, sf::Keyboard::Enter).press(30, sf::Keyboard::Escape);
         },
         0, {1, 2, false}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shownModes = c.modes;
        fake.pointer = {0, 0};
        SceneManager::zeroDtNextFrame = false;
        DisplayModeChoice mode{1, 2, false};
        testing::internal::CaptureStderr();
        int answer = -1;
        {
            DialogScript script;
            c.answer(script);
            answer = showDisplayModeDialog(mode);
        }
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(mode.width, c.chosen.width);
        EXPECT_EQ(mode.height, c.chosen.height);
        EXPECT_EQ(mode.windowed, c.chosen.windowed);
        EXPECT_EQ(countOf(log, refusal), c.refusals);
        EXPECT_FALSE(SceneManager::zeroDtNextFrame);
    }
}

} // namespace
