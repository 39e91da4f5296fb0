#pragma once
// Display tests need a real X display (xvfb-run); without one they fail rather than skip.
#include <gtest/gtest.h>

#include <cstdlib>

#define REQUIRE_DISPLAY()                                                                       \
    do {                                                                                        \
        if (!std::getenv("DISPLAY"))                                                            \
            FAIL() << "No DISPLAY: run display tests under xvfb-run (the test command does)";   \
    } while (0)
