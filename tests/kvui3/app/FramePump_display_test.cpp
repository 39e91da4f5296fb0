#include "app/FramePump.h"
#include "core/Framework.h"
#include "platform/MessageBox.h"
#include "platform/Signals.h"
#include "support/Display.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace kv;

// A quit signal takes the close road at the next frame: the on-quit callbacks run and the
// program exits with code 0, without the windowed question and without coming back.
TEST(FramePumpDisplay, QuitSignalsTakeTheCloseRoadAtTheNextFrame)
{
    REQUIRE_DISPLAY();
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        EXPECT_EXIT(
            {
                renderWindow->create(sf::VideoMode(64, 64), "quit signal test");
                displayWindowed = true;
                setYesNoHook([](const std::string&, const std::string&) -> bool { std::exit(4); });
                registerOnQuitCallback([] { std::fputs("on-quit ran\n", stderr); });
                std::signal(signal, SIG_DFL); // a test run in the background starts with SIGINT ignored
                installQuitSignalHandlers();
                std::raise(signal);
                std::fputs("still running\n", stderr);
                pumpFrame();
                std::fputs("came back\n", stderr);
                std::exit(3);
            },
            testing::ExitedWithCode(0), "still running\n(.*\n)?on-quit ran");
    }
}
