#pragma once
// For what a process does only once (OpenAL's choice of driver, the default texture, the icon
// sheet): the check runs in a process of its own, so it holds however many tests ran before it
// in the same binary.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace testsupport {

// Inside the new process: runs body, prints its failures on stderr, exits 1 after any.
[[noreturn]] inline void runAndExit(const std::function<void()>& body)
{
    testing::TestPartResultArray results;
    {
        testing::ScopedFakeTestPartResultReporter catcher(testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS,
                                                          &results);
        body();
    }
    bool failed = false;
    for (int i = 0; i < results.size(); ++i) {
        const testing::TestPartResult& result = results.GetTestPartResult(i);
        if (!result.failed())
            continue;
        failed = true;
        std::fprintf(stderr, "%s:%d: %s\n", result.file_name() ? result.file_name() : "?", result.line_number(),
                     result.message());
    }
    std::exit(failed ? 1 : 0);
}

// Runs body in a new process (a "threadsafe" death test: the test binary started again for this
// test alone, which runs the test from its start up to here) and fails unless body passes there;
// its failures are shown.
inline void inFreshProcess(const std::function<void()>& body)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(runAndExit(body), testing::ExitedWithCode(0), "");
}

} // namespace testsupport
