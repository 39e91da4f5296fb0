#include "platform/Signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Each quit signal is only recorded; a second of the same kind ends the program at once.
TEST(QuitSignals, AreRecordedOnceThenEndTheProgram)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        EXPECT_EXIT(
            {
                if (kv::quitSignalReceived() != 0)
                    std::exit(2);
                std::signal(signal, SIG_DFL); // a test run in the background starts with SIGINT ignored
                kv::installQuitSignalHandlers();
                std::raise(signal);
                if (kv::quitSignalReceived() != signal)
                    std::exit(3);
                std::fputs("recorded\n", stderr);
                std::raise(signal);
                std::exit(4);
            },
            testing::KilledBySignal(signal), "recorded");
    }
}

// A signal the program was started with ignored (nohup, a script's background job) stays so.
TEST(QuitSignals, OneStartedIgnoredStaysIgnored)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            std::signal(SIGHUP, SIG_IGN);
            kv::installQuitSignalHandlers();
            std::raise(SIGHUP);
            if (kv::quitSignalReceived() != 0)
                std::exit(3);
            std::raise(SIGTERM);
            std::exit(kv::quitSignalReceived() == SIGTERM ? 0 : 4);
        },
        testing::ExitedWithCode(0), "");
}
