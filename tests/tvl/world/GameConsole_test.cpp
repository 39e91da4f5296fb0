#include "world/Game.h"

#include "core/Keyboard.h"
#include "support/FakeInput.h"
#include "support/GameFixture.h"
#include "ui/Console.h"
#include "world/ConsoleCommands.h"
#include "world/GameSession.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace tvl;
using Key = sf::Keyboard;

std::vector<std::string> ranLines;
int nextResult = consoleCommandRan;

int recordLine(const std::string& line)
{
    ranLines.push_back(line);
    return nextResult;
}

class GameConsole : public ::testing::Test {
protected:
    kv::test::FakeInput fake;

    void SetUp() override
    {
        gametest::resetGameState();
        kv::TextBox::measure = [](std::string_view text) { return 10.0f * static_cast<float>(text.size()); };
        kv::resetComponentIds();
        kv::createConsole();
        kv::consoleWidgets->consoleEdit.ownMeasure = kv::TextBox::measure;
        kv::consoleHistory.clear();
        kv::consoleHistoryIndex = 0;
        kv::pendingCommand.clear();
        kv::pollerTicked = true;
        ranLines.clear();
        nextResult = consoleCommandRan;
        consoleCommandRunner = recordLine;
    }
    void TearDown() override
    {
        consoleCommandRunner = nullptr;
        kv::TextBox::measure = kv::TextBox::measureWithFont;
        kv::consoleHistory.clear();
        kv::pollerTicked = false;
        kv::resetComponentIds();
        gametest::endGameState();
    }

    static std::string& line() { return kv::consoleWidgets->consoleEdit.edit.text; }

    static void tick(std::initializer_list<uint32_t> keys, const std::string& typed = "")
    {
        ++kv::pollerTickCount;
        kv::Keyboard::pressedKeys.assign(keys.begin(), keys.end());
        kv::typedText = typed;
        runConsoleTick();
        kv::Keyboard::pressedKeys.clear();
        kv::typedText.clear();
    }
};

TEST_F(GameConsole, TheGraveKeyAnywhereOpensAndClosesWithoutTypingItself)
{
    kv::focusedComponentId = 5; // a dialog left the focus elsewhere
    tick({Key::W, Key::Tilde}, "w`");
    ASSERT_TRUE(session.consoleOpen);
    EXPECT_EQ(kv::focusedComponentId, kv::consoleWidgets->consoleEdit.id);
    EXPECT_EQ(line(), "");

    tick({Key::H}, "h");
    tick({Key::Tilde}, "`");
    EXPECT_FALSE(session.consoleOpen);
    EXPECT_EQ(line(), "h");
    tick({Key::Tilde, Key::LShift}, "~");
    EXPECT_TRUE(session.consoleOpen);
    EXPECT_EQ(line(), "h");

    kv::test::FakeInput::focus = false;
    tick({Key::Tilde}, "`");
    EXPECT_TRUE(session.consoleOpen) << "without the window's focus the key does nothing";
}

TEST_F(GameConsole, AnEnteredLineRunsAndGoesIntoTheHistory)
{
    session.consoleOpen = true;
    kv::Console::takeFocus();
    line() = "hel";
    kv::consoleWidgets->consoleEdit.edit.cursor = 3;
    tick({Key::P, Key::Enter}, "p");
    EXPECT_EQ(ranLines, std::vector<std::string>{"help"});
    EXPECT_EQ(kv::consoleHistory, std::vector<std::string>{"help"});
    EXPECT_EQ(kv::consoleHistoryIndex, 1);
    EXPECT_TRUE(kv::pendingCommand.empty());
    EXPECT_FALSE(game.gameEnded);

    nextResult = consoleCommandUnknown;
    testing::internal::CaptureStderr();
    tick({Key::Enter}, "bogus 1");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("No command or game variable \"bogus 1\""),
              std::string::npos);
    EXPECT_FALSE(game.gameEnded);

    nextResult = consoleCommandExit;
    tick({Key::E, Key::X, Key::I, Key::T, Key::Enter}, "exit");
    EXPECT_TRUE(game.gameEnded);

    // A closed console reads nothing.
    game = GameState{};
    session = GameSession{};
    ranLines.clear();
    tick({Key::A, Key::Enter}, "a");
    EXPECT_TRUE(ranLines.empty());
}

TEST_F(GameConsole, AnOpenConsoleKeepsTheDrivingKeys)
{
    kv::test::FakeInput::keys = {Key::W, Key::D, Key::Space};
    EXPECT_EQ(gameFrameInput(kv::input).throttle, 1);
    session.consoleOpen = true;
    const PlayerInput none = gameFrameInput(kv::input);
    EXPECT_EQ(none.throttle, 0);
    EXPECT_EQ(none.steering, 0);
    EXPECT_FALSE(none.nitro);
    EXPECT_TRUE(none.keyboardTaken);
}

TEST_F(GameConsole, TheFrameInputTakesTheItemUsePressOnce)
{
    kv::Keyboard::pressedKeys = {Key::LControl};
    EXPECT_TRUE(gameFrameInput(kv::input).useItemPressed);
    EXPECT_TRUE(kv::Keyboard::pressedKeys.empty()) << "the press is taken from the tick's keys";
    EXPECT_FALSE(gameFrameInput(kv::input).useItemPressed) << "a later frame of the tick";

    kv::Keyboard::pressedKeys = {Key::LControl};
    session.consoleOpen = true;
    EXPECT_FALSE(gameFrameInput(kv::input).useItemPressed);
    kv::Keyboard::pressedKeys.clear();
}

} // namespace
