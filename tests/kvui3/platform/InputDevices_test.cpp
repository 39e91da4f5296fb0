#include "platform/InputDevices.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t noSymbol = 0; // X11's NoSymbol

TEST(InputDevices, KeyCodesAreFoundColumnByColumnAsXlibDoes)
{
    // Codes 8, 9 and 10 with two symbols each: Super_L is only shifted on 9, unshifted on 10.
    const uint32_t symbols[] = {XK_a, XK_A, noSymbol, XK_Super_L, XK_Super_L, noSymbol};
    const int total = 6, perCode = 2, first = 8;
    struct Case {
        uint32_t symbol;
        int code;
    } cases[] = {
        {XK_a, 8},
        {XK_A, 8},
        {XK_Super_L, 10}, // column 0 of a later code wins over column 1 of an earlier one
        {XK_Pause, 0},    // on no key
    };
    for (const Case& c : cases)
        EXPECT_EQ(int(kv::firstKeyCode(symbols, total, perCode, first, c.symbol)), c.code) << c.symbol;
    EXPECT_EQ(int(kv::firstKeyCode(symbols, total, 0, first, XK_a)), 0) << "no columns";
}

} // namespace
