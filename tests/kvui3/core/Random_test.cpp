#include "core/Random.h"

#include <climits>
#include <cstring>
#include <set>

#include <gtest/gtest.h>

namespace {

TEST(Random, Pcg32MatchesTheReferenceOutput)
{
    // The pcg32 reference demo's first outputs for the seed pair (42, 54).
    kv::Pcg32 generator;
    generator.seed(42, 54);
    const uint32_t expected[] = {0xa15c02b7, 0x7b47f409, 0xba1d3330, 0x83d2f293, 0xbfa4784b, 0xcbed606e};
    for (uint32_t value : expected)
        EXPECT_EQ(generator.next(), value);
}

TEST(Random, SeededModesRepeatAndFollowTheSeedRule)
{
    // Seeded mode is PCG32 seeded with (seed, seed + 12): seed 42 is the reference pair above.
    struct Case { int min, max; unsigned seed; int expected; };
    const Case cases[] = {
        {0, 9, 42, 3}, {0, 9, 0, 5}, {-1000, 1000, 42, -121}, {-1000, 1000, 12345, 830},
        {0, 9, 0xFFFFFFFFu, 5}, // seed + 12 wraps at 32 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " seed " << c.seed);
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(kv::randomInt(c.min, c.max, true, c.seed), c.expected);
    }
    EXPECT_EQ(kv::randomFloat(0, 1, true, 42), 0x0a15c02 / 16777216.0f);
    EXPECT_EQ(kv::randomFloat(0, 1, true, 42), 0x0a15c02 / 16777216.0f);
    EXPECT_NEAR(kv::randomFloat(10, 20, true, 42), 10 + 10 * (0x0a15c02 / 16777216.0f), 1e-5f);
}

TEST(Random, RandomIntEdgeRanges)
{
    for (bool seeded : {false, true}) {
        SCOPED_TRACE(seeded);
        EXPECT_EQ(kv::randomInt(5, 5, seeded, 7), 5);
        EXPECT_EQ(kv::randomInt(-3, -3, seeded, 7), -3);
        EXPECT_EQ(kv::randomInt(7, 3, seeded, 7), 7); // reversed bounds give min
        EXPECT_EQ(kv::randomInt(INT_MAX, INT_MIN, seeded, 7), INT_MAX);
        kv::randomInt(INT_MIN, INT_MAX, seeded, 7); // the whole range must not divide by zero
        int wide = kv::randomInt(INT_MIN, INT_MIN + 3, seeded, 7);
        EXPECT_GE(wide, INT_MIN);
        EXPECT_LE(wide, INT_MIN + 3);
    }
}

TEST(Random, UnseededValuesStayInRangeAndCoverIt)
{
    std::set<int> seen;
    for (int i = 0; i < 2000; i++) {
        int v = kv::randomInt(-3, 3);
        ASSERT_GE(v, -3);
        ASSERT_LE(v, 3);
        seen.insert(v);
        float f = kv::randomFloat(-2.0f, 5.0f);
        ASSERT_GE(f, -2.0f);
        ASSERT_LT(f, 5.0f);
    }
    EXPECT_EQ(seen.size(), 7u);
}

TEST(Random, RandomFloatNeverReturnsMax)
{
    // This seed's first output is 0xffffff81: as a float times 2^-32 it rounds to 1, and
    // its top 24 bits are the largest fraction below 1.
    const unsigned seed = 76502445;
    kv::Pcg32 generator;
    generator.seed(seed, seed + 12u);
    ASSERT_EQ(generator.next(), 0xffffff81u);

    struct Case { float min, max; };
    const Case cases[] = {{0, 1}, {1, 2}, {0, 100}, {-5, 0}, {1000, 1001}, {5, -5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max);
        float v = kv::randomFloat(c.min, c.max, true, seed);
        EXPECT_NE(v, c.max);
        EXPECT_GE(std::min(v, c.min), std::min(c.min, c.max));
        EXPECT_LE(std::max(v, c.min), std::max(c.min, c.max));
    }
    EXPECT_EQ(kv::randomFloat(3, 3, true, seed), 3.0f);
}

TEST(Random, FillRandomBytesFillsExactlyTheBuffer)
{
    unsigned char buffer[66];
    std::memset(buffer, 0xAB, sizeof buffer);
    kv::fillRandomBytes(buffer + 1, 64);
    EXPECT_EQ(buffer[0], 0xAB);
    EXPECT_EQ(buffer[65], 0xAB);
    std::set<unsigned char> distinct(buffer + 1, buffer + 65);
    EXPECT_GT(distinct.size(), 16u);

    unsigned char again[64];
    kv::fillRandomBytes(again, sizeof again);
    EXPECT_NE(std::memcmp(buffer + 1, again, 64), 0);
    kv::fillRandomBytes(nullptr, 0);
}

} // namespace
