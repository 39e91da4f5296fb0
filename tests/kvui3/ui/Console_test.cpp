#include "ui/Console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

TEST(ConsoleTokenize, SplitsAtBlanksAndKeepsQuotedTextWhole)
{
    const struct {
        std::string line;
        Words words;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"help", {"help"}},
        {"kick\t 12 ", {"kick", "12"}},
        {"say \"Hello all!\"", {"say", "Hello all!"}},
        {"ab\"cd ef\"gh", {"ab", "cd ef", "gh"}},
        {"say \"\" x", {"say", "x"}},
        {"say \"open to the end", {"say", "open to the end"}},
        {"giveitem \"time warp\" 3", {"giveitem", "time warp", "3"}},
        {"exit\r\n", {"exit"}},
        {"a \n b", {"a", "b"}},
    };
    for (const auto& c : cases) {
        kv::ConsoleTokens tokens;
        tokens.reserved = 77;
        kv::Console::tokenize(tokens, c.line);
        EXPECT_EQ(tokens.words, c.words) << c.line;
        EXPECT_EQ(tokens.reserved, 77u) << c.line;
    }
}

TEST(ConsoleLines, KeepsTheNewest512)
{
    kv::clearConsoleLines();
    for (int i = 0; i < 600; ++i)
        kv::Console::addLine(sf::Color::White, std::to_string(i));
    ASSERT_EQ(kv::consoleLines.size(), kv::maxConsoleLines);
    EXPECT_EQ(kv::consoleLines.front().text, "88");
    EXPECT_EQ(kv::consoleLines.back().text, "599");
    kv::clearConsoleLines();
}

TEST(ConsoleHistory, SkipsCaseInsensitiveRepeatsAndKeepsTheNewest32)
{
    kv::consoleHistory.clear();
    const struct {
        std::string submitted;
        std::size_t size;
        std::string last;
    } steps[] = {
        {"help", 1, "help"},
        {"HELP", 1, "help"},
        {"fps", 2, "fps"},
        {"help", 3, "help"},
    };
    for (const auto& s : steps) {
        kv::pendingCommand = s.submitted;
        kv::Console::addToHistory();
        ASSERT_EQ(kv::consoleHistory.size(), s.size) << s.submitted;
        EXPECT_EQ(kv::consoleHistory.back(), s.last) << s.submitted;
    }
    for (int i = 0; i < 40; ++i) {
        kv::pendingCommand = "c" + std::to_string(i);
        kv::Console::addToHistory();
    }
    ASSERT_EQ(kv::consoleHistory.size(), kv::maxConsoleHistory);
    EXPECT_EQ(kv::consoleHistory.front(), "c8");
    EXPECT_EQ(kv::consoleHistory.back(), "c39");
    kv::consoleHistory.clear();
    kv::pendingCommand.clear();
}

} // namespace
