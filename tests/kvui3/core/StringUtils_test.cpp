#include "core/StringUtils.h"

#include <gtest/gtest.h>

TEST(StringUtils, StringToIntIsLenient)
{
    EXPECT_EQ(kv::stringToInt("12abc"), 12);
    EXPECT_EQ(kv::stringToInt("abc"), 0);
    EXPECT_EQ(kv::stringToInt("12345678901"), 0);
}
