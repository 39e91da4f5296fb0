// The limit on events a period, the count of those held back, and the log lines it bounds.
#include "core/Log.h"
#include "core/RateLimiter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RateLimiter, PassesTheLimitInEachPeriodAndCountsTheRest)
{
    kv::RateLimiter limiter(3, 1.0);
    struct Step {
        double now;
        bool passes;
        uint64_t heldBackBefore; // after the step
    };
    const Step steps[] = {
        {10.0, true, 0},  {10.1, true, 0},  {10.2, true, 0},
        {10.3, false, 0}, {10.9, false, 0}, // the period that 10.0 opened is full
        {11.0, true, 2},                    // a new period; the two before it counted
        {11.5, true, 0},  {11.6, true, 0},  {11.7, false, 0},
        {50.0, true, 1}, // a long quiet spell
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.now);
        EXPECT_EQ(limiter.pass(s.now), s.passes);
        EXPECT_EQ(limiter.heldBackBefore(), s.heldBackBefore);
    }
}

std::vector<std::string> logLines(const std::string& log)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(log.substr(start + 10, end - start - 10)); // without "HH:MM:SS: "
    return lines;
}

TEST(RateLimiter, BoundsALogLineThatComesWithEveryEvent)
{
    kv::RateLimiter limiter(2, 1.0);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 1000; ++i)
        kv::writeLogLimited(limiter, 5.0 + i * 0.001, "shot " + std::to_string(i));
    kv::writeLogLimited(limiter, 7.0, "shot late");
    const std::vector<std::string> lines = logLines(testing::internal::GetCapturedStderr());
    EXPECT_EQ(lines, (std::vector<std::string>{"shot 0", "shot 1", "(998 lines like the next left out)",
                                               "shot late"}));
}

} // namespace
