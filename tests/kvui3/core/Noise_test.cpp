#include "core/Noise.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

TEST(Noise, TableIsTheFixedOne)
{
    uint32_t sum = 0, weighted = 0;
    for (int i = 0; i < 256; i++) {
        sum += kv::noiseTable[i];
        weighted += static_cast<uint32_t>(i + 1) * kv::noiseTable[i];
    }
    EXPECT_EQ(sum, 35005u);
    EXPECT_EQ(weighted, 4447687u);
    EXPECT_EQ(kv::noiseTable[0], 0xd0);
    EXPECT_EQ(kv::noiseTable[208], 0x2a);
    EXPECT_EQ(kv::noiseTable[255], 0xdb);
}

TEST(Noise, ValueNoiseReferenceValues)
{
    struct Case { double x, y; uint32_t seed; double value; };
    const Case cases[] = {
        // Whole-number coordinates give table bytes exactly.
        {0, 0, 0, 42}, {1, 0, 0, 30}, {0, 1, 0, 234}, {-1, -1, 0, 191},
        {5, 7, 123456789, 30}, {300, -300, 7, 204},
        {0.5, 0, 0, 36},  // half way: weight 0.5 between 42 and 30
        {1.25, 2.75, 99, 128.48828125},
        {-3.5, -0.25, 4000000000u, 150.4375},
        {1e12 + 0.5, -1e12, 3, 127},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " seed " << c.seed);
        EXPECT_DOUBLE_EQ(kv::valueNoise2D(c.x, c.y, c.seed), c.value);
    }
}

TEST(Noise, StaysInRangeAndRefusesNonFiniteInput)
{
    for (double y = -4; y < 4; y += 0.37)
        for (double x = -4; x < 4; x += 0.29) {
            double v = kv::valueNoise2D(x, y, 17);
            ASSERT_GE(v, 0.0);
            ASSERT_LE(v, 255.0);
        }
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(kv::valueNoise2D(inf, 0, 1), 0.0);
    EXPECT_EQ(kv::valueNoise2D(0, std::nan(""), 1), 0.0);
}

} // namespace
