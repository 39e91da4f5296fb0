#include "world/ConsoleCommands.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ConsoleCommands, ResultNamesWhatTheLineAsked)
{
    const struct {
        std::string line;
        int result;
    } cases[] = {
        {"", tvl::consoleCommandEmpty},
        {" \t ", tvl::consoleCommandEmpty},
        {"\"\"", tvl::consoleCommandEmpty},
        {"help", tvl::consoleCommandRan},
        {"HELP", tvl::consoleCommandRan},
        {"Help extra words", tvl::consoleCommandRan},
        {"?", tvl::consoleCommandRan},
        {"exit", tvl::consoleCommandExit},
        {"QUIT", tvl::consoleCommandExit},
        {"\"exit\"", tvl::consoleCommandExit},
        {"exits", tvl::consoleCommandUnknown},
        {"bogus 1 2", tvl::consoleCommandUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tvl::runConsoleCommand(c.line), c.result) << c.line;
}

} // namespace
