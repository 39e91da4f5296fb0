#include "core/AssetKey.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string hex(const uint8_t key[16])
{
    std::string out;
    char b[3];
    for (int i = 0; i < 16; i++) {
        std::snprintf(b, sizeof b, "%02x", key[i]);
        out += b;
    }
    return out;
}

} // namespace

TEST(AssetKey, DerivesTheKnownKeys)
{
    uint8_t key[16];
    kv::deriveAssetKey("abc", key);
    EXPECT_EQ(hex(key), "89ce36476ea9f16da3eb6293d1395676");

    // Seeds of 16 or more characters use only their first 16 bytes.
    uint8_t longer[16];
    kv::deriveAssetKey("0123456789abcdef", key);
    kv::deriveAssetKey("0123456789abcdefXYZ", longer);
    EXPECT_EQ(hex(key), hex(longer));
}
