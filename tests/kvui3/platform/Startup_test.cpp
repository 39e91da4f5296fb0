#include "platform/Clock.h"
#include "platform/Startup.h"
#include "platform/WindowControl.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

TEST(Startup, StaysWhereABaseFolderIsAndElseMovesBesideTheProgram)
{
    testsupport::TempDir withBase;
    withBase.write("BASE/x", "");
    withBase.enter();
    EXPECT_FALSE(kv::changeToProgramFolderIfNeeded());
    EXPECT_EQ(fs::current_path(), withBase.path());

    testsupport::TempDir without;
    without.enter();
    EXPECT_TRUE(kv::changeToProgramFolderIfNeeded());
    EXPECT_EQ(fs::current_path(), fs::read_symlink("/proc/self/exe").parent_path());
}

TEST(WindowControl, NoHandleDoesNothing)
{
    EXPECT_FALSE(kv::minimiseWindow(0));
    EXPECT_FALSE(kv::windowIsMinimised(0));
}

TEST(Clock, UtcNowMatchesTheSystemClock)
{
    time_t before = time(nullptr);
    kv::UtcTime now = kv::utcNow();
    time_t after = time(nullptr);
    struct tm t {};
    t.tm_year = now.year - 1900;
    t.tm_mon = now.month - 1;
    t.tm_mday = now.day;
    t.tm_hour = now.hour;
    t.tm_min = now.minute;
    t.tm_sec = now.second;
    time_t stamp = timegm(&t);
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    EXPECT_GE(now.hundredths, 0);
    EXPECT_LE(now.hundredths, 99);

    double a = kv::steadySeconds();
    EXPECT_GE(kv::steadySeconds(), a);
}
