#include "app/Compositor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

using namespace kv;

namespace {

std::tm at(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(Screenshot, NameTakesTheFirstFreeForm)
{
    const std::tm time = at(2026, 3, 7, 9, 5, 1);
    const std::string base = "screenshot_20260307_090501";
    struct Case {
        int taken; // the plain name and then this many suffixes are taken (-1: none)
        std::string expected;
    } cases[] = {
        {-1, base + ".png"},
        {0, base + "_01.png"},
        {3, base + "_04.png"},
        {120, base + "_121.png"},
        {9999, ""},
    };
    for (const Case& c : cases) {
        std::set<std::string> taken;
        if (c.taken >= 0)
            taken.insert(base + ".png");
        for (int i = 1; i <= c.taken; ++i) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "_%02d.png", i);
            taken.insert(base + suffix);
        }
        int asked = 0;
        auto exists = [&](const std::string& name) {
            ++asked;
            return taken.count(name) > 0;
        };
        EXPECT_EQ(chooseScreenshotName(time, exists), c.expected) << c.taken;
        EXPECT_LE(asked, 10000);
    }
}

TEST(Fps, ShownRateIsTheLastWholeSecond)
{
    FpsCounter counter;
    // 50 frames in the first second, then 20 in the next.
    for (int i = 1; i <= 50; ++i)
        counter.countFrame(i / 50.0);
    EXPECT_EQ(counter.shownRate, 50u);
    for (int i = 1; i < 20; ++i)
        counter.countFrame(1.0 + i / 20.0);
    EXPECT_EQ(counter.shownRate, 50u); // the second is not complete yet
    counter.countFrame(2.001);
    EXPECT_EQ(counter.shownRate, 20u);
    EXPECT_EQ(counter.count, 0u);
}

} // namespace
