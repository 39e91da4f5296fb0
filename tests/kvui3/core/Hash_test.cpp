#include "core/Hash.h"

#include <gtest/gtest.h>

namespace {

TEST(Hash, HashNameValues)
{
    struct Case { const char* name; uint32_t hash; };
    const Case cases[] = {
        {"", 0},
        {"a", 0x61},
        {"Blank", 0xd18e6a54},
        {"blank", 0xd18e6a54},
        {"BLANK", 0xd18e6a54},
        {"Wildlife_Bird01.ini", 0xd9099069},
        {"base\\x", 0x5235344d}, // the separator counts: "\" and "/" differ
        {"base/x", 0x5208293a},
        {"\xe9", 0xe9},          // bytes above 127 are unsigned and keep their case
        {"\xc9", 0xc9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kv::hashName(c.name), c.hash);
        EXPECT_EQ(kv::hashName(std::string(c.name)), c.hash);
    }
    EXPECT_EQ(kv::hashName(static_cast<const char*>(nullptr)), 0u);
}

TEST(Hash, HashedNameSetKeepsTheCase)
{
    kv::HashedName record;
    kv::HashedName::set(record, "Sounds\\Explosion");
    EXPECT_EQ(record.name, "Sounds\\Explosion");
    EXPECT_EQ(record.hash, kv::hashName("sounds\\explosion"));
    EXPECT_EQ(record.hash2, record.hash);

    kv::HashedName::set(record, "");
    EXPECT_EQ(record.name, "");
    EXPECT_EQ(record.hash, 0u);
    EXPECT_EQ(record.hash2, 0u);
}

} // namespace
