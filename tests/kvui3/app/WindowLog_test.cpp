#include "app/WindowLog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The lines written by the queue's flush, without their time stamps.
std::string flushed()
{
    testing::internal::CaptureStderr();
    kv::writeShownWindowLines();
    std::string out = testing::internal::GetCapturedStderr();
    std::string lines;
    for (size_t at = 0; (at = out.find("Showing ", at)) != std::string::npos;) {
        const size_t end = out.find('\n', at);
        lines += out.substr(at, end - at) + "|";
        at = end;
    }
    return lines;
}

TEST(WindowLog, TheShowingLineWaitsForTheFrameAndNamesTheArea)
{
    EXPECT_EQ(kv::windowShownLine("Audio Panel", {5.0f, 4.6f, 630.0f, 470.4f}), "Showing Audio Panel: 630 x 470 at 5, 5");
    flushed();
    {
        kv::WindowLog log("Message");
        log.shown({64, 156, 512, 168});
        log.shown({0, 0, 1, 1});
        EXPECT_EQ(flushed(), "Showing Message: 512 x 168 at 64, 156|");
        EXPECT_EQ(flushed(), "") << "written once";
        testing::internal::CaptureStderr();
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Closed Message\n"), std::string::npos);
}

// Dear ImGui sizes a window to its content over its first frames.
TEST(WindowLog, ASettlingWindowIsShownOnceItsAreaHoldsForTwoFrames)
{
    flushed();
    kv::WindowLog log("Game Settings");
    log.settled({0, 0, 0, 0});
    log.settled({0, 0, 0, 0});
    log.settled({300, 200, 32, 40});
    EXPECT_EQ(flushed(), "");
    log.settled({150, 180, 340, 120});
    EXPECT_EQ(flushed(), "");
    log.settled({150, 180, 340, 120});
    log.settled({150, 180, 340, 120});
    EXPECT_EQ(flushed(), "Showing Game Settings: 340 x 120 at 150, 180|");
}

} // namespace
