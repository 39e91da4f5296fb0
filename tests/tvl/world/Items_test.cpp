#include "core/Hash.h"
#include "world/Images.h"
#include "world/Items.h"

#include <gtest/gtest.h>

TEST(Items, DisplayNames)
{
    const char* expected[] = {"Unknown Item", "Nitro", "Missile", "Bomb", "EMP",
                              "Time Warp",    "Gun",   "Drone",   "Unknown Item"};
    for (int type = -1; type <= 7; type++)
        EXPECT_EQ(tvl::itemName(tvl::ItemType(type)), expected[type + 1]) << type;
}

TEST(Items, MissingImageReportedOnceAndNoUseSoundForWeapons)
{
    tvl::resetImageTables();
    const char* present[] = {"Nitro", "Missile", "Bomb", "EMP", "TimeWarp", "Gun"};
    tvl::imageIndexByName[kv::hashName("(none)")] = 0;
    for (int i = 0; i < 6; i++)
        tvl::imageIndexByName[kv::hashName(present[i])] = i + 1;
    tvl::imageCount = 7;

    testing::internal::CaptureStderr();
    tvl::loadItemAssets();
    std::string log = testing::internal::GetCapturedStderr();

    for (int i = 0; i < 6; i++)
        EXPECT_EQ(tvl::itemImageNumbers[i], i + 1) << i;
    EXPECT_EQ(tvl::itemImageNumbers[tvl::Drone], 0);
    const std::string missing = "getImageNumber: Unable to find image Drone";
    std::size_t first = log.find(missing);
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find(missing, first + 1), std::string::npos) << log;
    EXPECT_EQ(tvl::itemUseSounds[tvl::Missile], -1);
    EXPECT_EQ(tvl::itemUseSounds[tvl::Gun], -1);
    tvl::resetImageTables();
}
