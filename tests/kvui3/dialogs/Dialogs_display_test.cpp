// The modal dialogs in a real window, answered through the frame pump's events and the input
// sample, as a player would; what they show read back from the screen.
#include "app/Compositor.h"
#include "app/FramePump.h"
#include "core/Framework.h"
#include "core/Keyboard.h"
#include "core/Messages.h"
#include "core/Scene.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "dialogs/ColourPickerDialog.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/MessageDisplay.h"

#include <imgui.h>
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "support/Display.h"
#include "support/TempDir.h"
#include "ui/ColourPicker.h"
#include "ui/Component.h"
#include "ui/Form.h"
#include "ui/Hints.h"
#include "ui/ListBox.h"

#include "support/UiTestSupport.h"
#include "support/DialogScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace kv;
using test::claimedIds;
using test::DialogScript;

namespace {

constexpr float viewWidth = 1024, viewHeight = 768;

class DialogDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
        Keyboard::buildKeyNames();
        focusedComponentId = 7;
        idsBefore = claimedIds();
    }
    void TearDown() override
    {
        EXPECT_EQ(claimedIds(), idsBefore) << "a dialog left a widget id behind";
        InputHooks::reset();
        test::closeTestWindow();
    }

    // A frame of one colour on screen, and kept as the shown frame (a frame that follows a
    // tick): what the dialog's backdrop dims.
    static void showPlainFrame(sf::Color colour)
    {
        if (!tickGateStarted)
            startTickGate();
        do {
            getRenderLayer(layerDisplay, true)->clear(colour);
            displayFrame(0);
        } while (!pollerTicked);
        getRenderLayer(layerDisplay, true)->clear(colour);
        displayFrame(0);
    }

    test::FakeInput fake;
    int idsBefore = 0;
};

// Every way of answering the question, each from a fresh dialog.
TEST_F(DialogDisplay, ConfirmAnswersByKeysAndClicksAndLeavesNothingBehind)
{
    const float ls = componentLineSpacing();
    const float height = ls * 8, boxY = (viewHeight - height) / 2;
    const float buttonWidth = digitsWidth(*standardFont, 18, 8) + 32;
    const float yesX = (viewWidth - 2 * buttonWidth - 5) / 2;
    const int buttonY = static_cast<int>(boxY + height - 38 - ls / 4 + 19);
    const sf::Vector2i onYes(static_cast<int>(yesX + 20), buttonY);
    const sf::Vector2i onNo(static_cast<int>(yesX + buttonWidth + 5 + 20), buttonY);

    struct Case {
        const char* name;
        std::function<void(DialogScript&)> answer;
        int expected;
    } cases[] = {
        {"Enter", [](DialogScript& s) { s.press(3, sf::Keyboard::Enter); }, 1},
        {"Space", [](DialogScript& s) { s.press(3, sf::Keyboard::Space); }, 1},
        {"Escape", [](DialogScript& s) { s.press(3, sf::Keyboard::Escape); }, 0},
        {"click on Yes", [&](DialogScript& s) { s.click(3, onYes); }, 1},
        {"click on No", [&](DialogScript& s) { s.click(3, onNo); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.pointer = {0, 0};
        SceneManager::zeroDtNextFrame = false;
        DialogScript script;
        c.answer(script);
        EXPECT_EQ(showConfirmDialog("Delete the bookmark?"), c.expected);
        EXPECT_TRUE(Keyboard::pressedKeys.empty());
        EXPECT_FALSE(leftClicked);
        EXPECT_TRUE(SceneManager::zeroDtNextFrame);
        EXPECT_EQ(frameTime, 0);
        EXPECT_EQ(focusedComponentId, 7u) << "the caller's focus is given back";
    }
}

// The Escape that asked the question is still held and repeating for a second: it must not
// answer No. Released, the dialog waits for a real answer.
TEST_F(DialogDisplay, ConfirmIgnoresTheEscapeHeldWhenItOpensAndItsRepeats)
{
    fake.keys = {sf::Keyboard::Escape};
    DialogScript script;
    script.every(1, 30, [](DialogScript& s) { s.pressNow(sf::Keyboard::Escape); });
    script.at(31, [](DialogScript& s) {
        test::FakeInput::keys.clear();
        s.releaseNow(sf::Keyboard::Escape);
    });
    uint32_t answeredAt = 0;
    script.at(40, [&](DialogScript& s) {
        answeredAt = s.tick();
        s.pressNow(sf::Keyboard::Enter);
    });
    EXPECT_EQ(showConfirmDialog("End game and return to menu?"), 1);
    EXPECT_GE(answeredAt, 40u) << "answered before Enter";
}

// The confirm over a plain frame, read back: the backdrop is that frame dimmed, the form's title
// bar and the two buttons sit where the layout puts them. A message box opened from inside it
// (a dialog from a dialog) returns to it, and it still answers.
TEST_F(DialogDisplay, ConfirmDrawnOverTheDimmedFrameWithAMessageOpenedInside)
{
    const sf::Color last(200, 100, 0);
    showPlainFrame(last);
    const float ls = componentLineSpacing();
    const float width = std::min(viewWidth * 0.8f, 950.0f), height = ls * 8;
    const float x = (viewWidth - width) / 2, y = (viewHeight - height) / 2;
    const float buttonWidth = digitsWidth(*standardFont, 18, 8) + 32;
    const float yesX = (viewWidth - 2 * buttonWidth - 5) / 2;
    const float buttonY = y + height - 38 - ls / 4;

    sf::Image confirmShot, messageShot;
    bool messageReturned = false;
    DialogScript script;
    script.at(4, [&](DialogScript&) { confirmShot = test::shownFrame(); });
    script.at(5, [&](DialogScript&) {
        DialogScript inner;
        inner.at(4, [&](DialogScript&) { messageShot = test::shownFrame(); });
        inner.press(5, sf::Keyboard::Enter);
        showMessage("A message from inside the question, long enough to be wrapped onto a second row of "
                    "the box: the list below the title takes the text in rows of the box's width.");
        messageReturned = true;
    });
    script.press(8, sf::Keyboard::Escape);
    EXPECT_EQ(showConfirmDialog("Overwrite the file?"), 0);
    EXPECT_TRUE(messageReturned);
    ASSERT_GT(confirmShot.getSize().x, 0u);
    confirmShot.saveToFile(TVL_GAME_DIR "/../dialog-confirm.png");
    messageShot.saveToFile(TVL_GAME_DIR "/../dialog-message.png");

    auto dimmed = [](uint8_t c) { return static_cast<uint8_t>((c * 63 + 47 * 192) / 255); };
    const sf::Color backdrop(dimmed(last.r), dimmed(last.g), dimmed(last.b));
    EXPECT_PRED3(test::near, confirmShot.getPixel(10, 10), backdrop, 2);
    EXPECT_PRED3(test::near, confirmShot.getPixel(1000, 700), backdrop, 2);
    // Title bar: its back right of the title text; the title's own pixels differ from it.
    EXPECT_PRED3(test::near, confirmShot.getPixel(static_cast<unsigned>(x + width - 20), static_cast<unsigned>(y + ls / 2)),
                 clTitleBarBack, 2);
    int titleInk = 0;
    for (unsigned px = static_cast<unsigned>(x + 3); px < x + 80; ++px)
        for (unsigned py = static_cast<unsigned>(y + 3); py < y + ls; ++py)
            titleInk += !test::near(confirmShot.getPixel(px, py), clTitleBarBack, 8);
    EXPECT_GT(titleInk, 20) << "the title \"Confirm\" is written in the title bar";
    // Both buttons' backs, off their icons and captions.
    EXPECT_PRED3(test::near, confirmShot.getPixel(static_cast<unsigned>(yesX + 3), static_cast<unsigned>(buttonY + 3)),
                 clButtonBack, 2);
    EXPECT_PRED3(test::near,
                 confirmShot.getPixel(static_cast<unsigned>(yesX + 2 * buttonWidth + 2), static_cast<unsigned>(buttonY + 3)),
                 clButtonBack, 2);
    // The message dims the question in turn: the backdrop corner is darker still.
    ASSERT_GT(messageShot.getSize().x, 0u);
    EXPECT_LT(messageShot.getPixel(10, 10).r, backdrop.r);
}

// At 640 x 480 a full message list (the console's help, say) reaches up over the middle of the
// view. A dialog opened then is read whole: every pixel of the question's form and buttons, and
// of the full-view text reader, is as it is without messages, while the lines still show beneath
// the question where no widget lies. The hints of the frame before (a long one over where Yes
// comes, one in a corner) end when the dialog opens and are not frozen into its backdrop.
TEST_F(DialogDisplay, MessagesAndOldHintsLeaveADialogReadable)
{
    ASSERT_TRUE(KVCore::setDisplayMode(640, 480, 32, true));
    initRenderLayers();
    test::FakeInput::view = {640, 480};
    setMessagesOrigin();
    const float ls = componentLineSpacing();
    const sf::Vector2f size(640 * 0.8f, ls * 8), at((640 - size.x) / 2, (480 - size.y) / 2);
    const sf::IntRect form(static_cast<int>(at.x), static_cast<int>(at.y), static_cast<int>(size.x),
                           static_cast<int>(size.y));
    const sf::Vector2f yes((640 - 2 * (digitsWidth(*standardFont, 18, 8) + 32) - 5) / 2, at.y + size.y - 38 - ls / 4);
    const sf::IntRect corner(20, 20, 120, 20);
    const sf::Color plain(40, 90, 160);

    // The frame at tick 4 of a dialog opened over a plain frame, with or without the clutter.
    auto shotOf = [&](const std::function<void()>& open, bool clutter) {
        messageList.clear();
        hints.clear();
        if (clutter) {
            for (int i = 0; i < 11; ++i)
                printMessage("help " + std::to_string(i) + ": a console command and what it does, as the help lists it");
            const sf::Vector2f cornerAt(corner.left, corner.top);
            addHint("corner", 60, &cornerAt, &clHintText, &clHintBack, "An old hint");
            addHint("over yes", 60, &yes, &clHintText, &clHintBack, "A hint over the Yes button");
        }
        showPlainFrame(plain);
        sf::Image shot;
        bool hintsEnded = false;
        DialogScript script;
        script.at(4, [&](DialogScript&) {
            shot = test::shownFrame();
            hintsEnded = hints.empty();
        });
        script.press(5, sf::Keyboard::Enter);
        open();
        EXPECT_TRUE(hintsEnded) << "the caller's hints are still drawn over the dialog";
        messageList.clear();
        return shot;
    };
    auto differing = [](const sf::Image& a, const sf::Image& b, const sf::IntRect& r) {
        int count = 0;
        for (int y = r.top; y < r.top + r.height; ++y)
            for (int x = r.left; x < r.left + r.width; ++x)
                count += !test::near(a.getPixel(unsigned(x), unsigned(y)), b.getPixel(unsigned(x), unsigned(y)), 2);
        return count;
    };

    const auto confirm = [] { EXPECT_EQ(showConfirmDialog("End game and return to menu?"), 1); };
    const sf::Image clean = shotOf(confirm, false), cluttered = shotOf(confirm, true);
    ASSERT_EQ(cluttered.getSize(), sf::Vector2u(640, 480));
    cluttered.saveToFile(TVL_GAME_DIR "/../dialog-messages.png");
    EXPECT_EQ(differing(clean, cluttered, form), 0) << "messages or hints over the question's form and buttons";
    EXPECT_EQ(differing(clean, cluttered, corner), 0) << "the old hint is frozen into the backdrop";
    const int belowForm = form.top + form.height + 2;
    EXPECT_GT(differing(clean, cluttered, {10, belowForm, 400, 360 - belowForm}), 100)
        << "the messages below the question are gone";

    const auto reader = [] { showTextFile(TVL_GAME_DIR "/tvl.txt", "", "Torvale Documentation"); };
    const sf::Image cleanText = shotOf(reader, false), clutteredText = shotOf(reader, true);
    clutteredText.saveToFile(TVL_GAME_DIR "/../dialog-textviewer-messages.png");
    EXPECT_EQ(differing(cleanText, clutteredText, {0, 0, 640, 480}), 0) << "messages over the text reader";
    setMessagesOrigin();
}

TEST_F(DialogDisplay, MessageIsEightyPercentOfTheViewUpTo950AndShowMessagefCutsLongTexts)
{
    showPlainFrame(sf::Color(0, 0, 0));
    const float ls = componentLineSpacing();
    const float height = ls * 8, y = (viewHeight - height) / 2;
    sf::Image shot;
    DialogScript script;
    script.at(3, [&](DialogScript&) { shot = test::shownFrame(); });
    script.press(4, sf::Keyboard::Enter);
    std::string huge(5000, 'x');
    showMessagef("%s", huge.c_str());
    ASSERT_GT(shot.getSize().x, 0u);
    // 80 % of 1024 is 819: the body runs from 102 to 921.
    const unsigned row = static_cast<unsigned>(y + height - 6);
    EXPECT_PRED3(test::near, shot.getPixel(106, row), clButtonBack, 2);
    EXPECT_FALSE(test::near(shot.getPixel(98, row), clButtonBack, 2));
    EXPECT_PRED3(test::near, shot.getPixel(917, row), clButtonBack, 2);
    EXPECT_FALSE(test::near(shot.getPixel(925, row), clButtonBack, 2));
}

TEST_F(DialogDisplay, InputDialogOkTakesTheTextCancelKeepsTheValue)
{
    struct Case {
        const char* name;
        bool autoSelect;
        const char* typed;
        sf::Keyboard::Key end;
        int result;
        const char* value;
    } cases[] = {
        {"typing replaces the proposed text", true, "xyz", sf::Keyboard::Enter, 1, "xyz"},
        {"typing appends without auto-select", false, "xyz", sf::Keyboard::Enter, 1, "hostxyz"},
        {"Cancel keeps the value after an edit", true, "xyz", sf::Keyboard::Escape, 0, "host"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.autoSelectInputDialog = c.autoSelect;
        std::string value = "host";
        DialogScript script;
        script.at(3, [&](DialogScript&) { typedText = c.typed; });
        script.press(5, c.end);
        EXPECT_EQ(showInputDialog(value, "", "Enter Remote Host Address"), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(focusedComponentId, 7u);
        EXPECT_TRUE(SceneManager::zeroDtNextFrame);
    }
    settings.autoSelectInputDialog = true;
}

TEST_F(DialogDisplay, TextViewerScrollsAndClosesOnDoneAndAMissingFileShowsOneMessage)
{
    testsupport::TempDir dir;
    std::ofstream(dir.path() / "long.txt") << [] {
        std::string text;
        for (int i = 0; i < 200; ++i)
            text += "Line " + std::to_string(i) + "\r\n";
        return text;
    }();
    sf::Image before, after;
    DialogScript script;
    script.at(2, [&](DialogScript&) { before = test::shownFrame(); });
    script.every(3, 12, [](DialogScript& s) { s.pressNow(sf::Keyboard::Down); });
    script.at(15, [&](DialogScript&) { after = test::shownFrame(); });
    script.press(16, sf::Keyboard::Enter);
    showTextFile((dir.path() / "long.txt").string(), "", "Torvale Documentation");
    ASSERT_GT(after.getSize().x, 0u);
    after.saveToFile(TVL_GAME_DIR "/../dialog-textviewer.png");
    // Black beside the toolbar; the rows moved with the Down presses.
    EXPECT_PRED3(test::near, after.getPixel(600, 30), sf::Color::Black, 2);
    int changed = 0;
    for (unsigned py = 120; py < 400; ++py)
        for (unsigned px = 5; px < 120; ++px)
            changed += before.getPixel(px, py) != after.getPixel(px, py);
    EXPECT_GT(changed, 50) << "Down scrolled the rows";

    const size_t messagesBefore = messageList.size();
    DialogScript missing;
    uint32_t messageTicks = 0;
    missing.every(1, 3, [&](DialogScript& s) { messageTicks = s.tick(); });
    missing.press(4, sf::Keyboard::Enter);
    showTextFile((dir.path() / "absent.txt").string(), "", "Nothing");
    EXPECT_GE(messageTicks, 3u) << "the error came up as a message box";
    ASSERT_GT(messageList.size(), messagesBefore);
    EXPECT_NE(messageList.back().text.find("Unable to open"), std::string::npos);
}

// The game's documentation in the viewer of a 640-wide view (10 narrower, less its scroll bar):
// each line of the file is one row, none broken again in the middle of a sentence.
TEST_F(DialogDisplay, TheGamesDocumentationReadsUnbrokenInTheLeastView)
{
    ListBox list;
    list.create("", {5, 60}, {630, 400}, *monoFont, componentTextSize);
    ASSERT_TRUE(list.loadFromTextFile(TVL_GAME_DIR "/tvl.txt"));
    std::ifstream file(TVL_GAME_DIR "/tvl.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line.empty() ? " " : line);
    ASSERT_EQ(list.count(), static_cast<int32_t>(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(list.items[i].text, lines[i]);
}

// The colour picker popup: Escape gives back the colour it opened with, Enter the one chosen; a
// colour confirmed untouched comes back byte for byte. Without ImGui the framework's dialog asks,
// and Escape cancels it.
TEST_F(DialogDisplay, ColourDialogEscapeRestoresEnterKeepsAndFrameworkEscapeCancels)
{
    sf::Color colour(12, 34, 56, 78);
    {
        DialogScript script;
        script.press(3, sf::Keyboard::Escape);
        EXPECT_FALSE(showColourDialog("Colour", colour));
    }
    EXPECT_EQ(colour, sf::Color(12, 34, 56, 78));

    ASSERT_TRUE(ImGui::SFML::Init(*renderWindow));
    ImGui::GetIO().IniFilename = nullptr;
    imguiEnabled = true;
    ImGui::SFML::Update(*renderWindow, sf::seconds(1.0f / 60));
    for (int value = 0; value < 256; value += 17) {
        SCOPED_TRACE(value);
        const sf::Color start(static_cast<uint8_t>(value), static_cast<uint8_t>(255 - value), 128,
                              static_cast<uint8_t>(value));
        colour = start;
        DialogScript script;
        script.press(3, value % 2 ? sf::Keyboard::Enter : sf::Keyboard::Escape);
        EXPECT_TRUE(showColourDialog("Colour", colour));
        EXPECT_EQ(colour, start);
    }
    imguiEnabled = false;
    ImGui::SFML::Shutdown();
}

// The framework's colour dialog, clicked as a player would: a pick in the square then Ok gives
// that hue and saturation at the lightness and alpha it opened with; a pick then Cancel leaves the
// colour as it was.
TEST_F(DialogDisplay, FrameworkColourDialogOkTakesThePickCancelLeavesIt)
{
    showPlainFrame(sf::Color(0, 90, 0));
    sf::FloatRect square;
    sf::Vector2i okAt, cancelAt;
    {
        ColourPickerDialog probe;
        probe.create(sf::Color::Black);
        square = probe.picker.squareRect();
        okAt = sf::Vector2i(probe.ok.getPosition() + probe.ok.getSize() / 2.0f);
        cancelAt = sf::Vector2i(probe.cancel.getPosition() + probe.cancel.getSize() / 2.0f);
        probe.destroy();
    }
    const sf::Vector2i pick(static_cast<int>(square.left + square.width / 4), static_cast<int>(square.top + 5));
    const sf::Color start(200, 40, 40, 99);
    const double hue = (pick.x - square.left) / square.width * 360;
    const double saturation = (square.height - (pick.y - square.top)) / square.height * 100;
    sf::Color expected = hslToColour(hue, saturation, colourToHsl(start).lightness);
    expected.a = start.a;

    sf::Image shown;
    sf::Color colour = start;
    {
        DialogScript script;
        script.click(3, pick);
        script.at(7, [&](DialogScript&) { shown = test::shownFrame(); });
        script.click(8, okAt);
        EXPECT_TRUE(showColourDialog("Player Colour", colour));
    }
    EXPECT_EQ(colour, expected);
    EXPECT_GT(colour.g, colour.r) << "a quarter across the square is yellow-green";
    EXPECT_GT(colour.r, colour.b);
    ASSERT_GT(shown.getSize().x, 0u);
    shown.saveToFile(TVL_GAME_DIR "/../dialog-colour.png");
    const sf::FloatRect bar(square.left + square.width + 16, square.top, 32, square.height);
    EXPECT_PRED3(test::near, shown.getPixel(unsigned(square.left + square.width - 20), unsigned(square.top + 10)),
                 hslToColour(360.0 * (square.width - 20) / square.width, 100.0 * (square.height - 10) / square.height, 50), 8)
        << "the square";
    EXPECT_PRED3(test::near, shown.getPixel(unsigned(square.left + 40), unsigned(square.top + square.height + 40)),
                 hslToColour(hue, saturation, colourToHsl(start).lightness), 3)
        << "the preview strip shows the pick";
    EXPECT_PRED3(test::near, shown.getPixel(unsigned(bar.left + 16), unsigned(bar.top + 2)), sf::Color::White, 8)
        << "the lightness bar starts white";

    colour = start;
    {
        DialogScript script;
        script.click(3, pick);
        script.click(8, cancelAt);
        EXPECT_FALSE(showColourDialog("", colour));
    }
    EXPECT_EQ(colour, start);
}

} // namespace
