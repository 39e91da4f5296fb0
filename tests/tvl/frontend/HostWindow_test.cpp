#include "frontend/HostWindow.h"

#include "support/GameFixture.h"
#include "world/GameAssets.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class HostWindow : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { gametest::endGameState(); }

    void reset()
    {
        gametest::resetGameState();
        boundPort = -1;
        mapAtBind.clear();
        tvl::serverAddress = tvl::NetAddress{sf::IpAddress(10, 0, 0, 1), 5911};
    }

    // What the fake socket saw.
    static inline int boundPort = -1;
    static inline std::string mapAtBind;
    static bool bindFree(uint16_t port)
    {
        boundPort = port;
        mapAtBind = tvl::gameSettings.serverMap;
        return true;
    }
    static bool bindTaken(uint16_t port) { return !bindFree(port); }
};

TEST_F(HostWindow, LaunchBindsTheLocalServerPortAfterNamingTheMap)
{
    tvl::gameSettings.localServerPort = 6123;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(tvl::startServer("Arena.map", bindFree));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(boundPort, 6123);
    EXPECT_EQ(mapAtBind, "Arena.map");
    EXPECT_EQ(tvl::netRole, tvl::ServerRole);
    EXPECT_EQ(tvl::serverAddress, tvl::NetAddress{});
}

// A taken port and one outside 1..65535 (never cut to 16 bits) both fail with the port named,
// leave no role, and keep the chosen map.
TEST_F(HostWindow, LaunchThatCannotBindReportsThePortAndLeavesNoRole)
{
    struct Case {
        int32_t port;
        bool (*bind)(uint16_t);
        int bound;
    } cases[] = {{6123, bindTaken, 6123}, {70000, bindFree, -1}, {0, bindFree, -1}};
    for (const Case& c : cases) {
        reset();
        tvl::gameSettings.localServerPort = c.port;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(tvl::startServer("Arena.map", c.bind));
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("Failed to start server on UDP port " + std::to_string(c.port)), std::string::npos) << log;
        EXPECT_EQ(boundPort, c.bound) << c.port;
        EXPECT_EQ(tvl::netRole, tvl::NoNetRole) << c.port;
        EXPECT_EQ(tvl::gameSettings.serverMap, "Arena.map") << c.port;
    }
}

TEST_F(HostWindow, StartsAtTheMapLastHosted)
{
    std::vector<tvl::MapListEntry> maps(3);
    maps[0].mapFilename = "a.map";
    maps[1].mapFilename = "b.map";
    maps[2].mapFilename = "c.map";
    EXPECT_EQ(tvl::findMapIndex(maps, "c.map"), 2);
    EXPECT_EQ(tvl::findMapIndex(maps, "gone.map"), 0);
    EXPECT_EQ(tvl::findMapIndex(maps, ""), 0);
    EXPECT_EQ(tvl::findMapIndex({}, "a.map"), 0);
}

} // namespace
