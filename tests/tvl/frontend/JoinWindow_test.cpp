#include "frontend/JoinWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tvl::ServerBookmark;

TEST(JoinWindow, ConnectPortFallsBackToTheLocalServerPort)
{
    struct Case {
        const char* text;
        int32_t localServerPort;
        uint16_t port;
    } cases[] = {
        {"", 7000, 7000},       {"abc", 7000, 7000},      {"0", 7000, 7000}, // blank or not a number
        {"6000", 7000, 6000},   {"6000abc", 7000, 6000},  {" 6000", 7000, 6000},
        {"1", 7000, 1},         {"65535", 7000, 65535},                      // the ends of the range
        {"70000", 7000, 7000},  {"65536", 7000, 7000},    {"-1", 7000, 7000}, // never cut to 16 bits
        {"", 70000, 5911},      {"", 0, 5911},            {"6000", 0, 6000}, // a bad setting: the default
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::chooseConnectPort(c.text, c.localServerPort), c.port)
            << '"' << c.text << "\" with " << c.localServerPort;
}

TEST(JoinWindow, RowsAreQuickConnectThenBookmarksInOrder)
{
    tvl::ServerBookmarkTable table;
    table.add({"Home", "127.0.0.1", "6000"});
    table.add({"Office", "server.lan", ""});
    EXPECT_EQ(tvl::joinRowText(table, 0), " < Quick Connect (do not store IP) > ");
    EXPECT_EQ(tvl::joinRowText(table, 1), "Home (127.0.0.1)");
    EXPECT_EQ(tvl::joinRowText(table, 2), "Office (server.lan)");
    EXPECT_EQ(tvl::joinRowText(table, 3), "");
}

// Moves stop at the Quick Connect row and at the last bookmark; a step of 0 brings a row left
// past the end (after a delete) back onto the last one.
TEST(JoinWindow, SelectionStaysAmongTheRows)
{
    struct Case {
        int row, step;
        std::size_t bookmarks;
        int result;
    } cases[] = {
        {0, -1, 3, 0}, {1, -1, 3, 0}, {1, 1, 3, 2}, {3, 1, 3, 3},
        {3, 0, 2, 2},  {1, 0, 0, 0},  {0, 1, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::joinRowAfterMove(c.row, c.step, c.bookmarks), c.result)
            << c.row << " by " << c.step << " among " << c.bookmarks;
}

TEST(JoinWindow, SaveNeedsADescriptionThenAHost)
{
    struct Case {
        ServerBookmark bookmark;
        const char* problem;
    } cases[] = {
        {{"", "", ""}, "A description is required!"},
        {{"", "127.0.0.1", ""}, "A description is required!"},
        {{"Home", "", "6000"}, "An IP address or hostname is required!"},
        {{"Home", "127.0.0.1", ""}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::bookmarkProblem(c.bookmark), c.problem) << c.bookmark.description << "/" << c.bookmark.host;
}

TEST(JoinWindow, HostsResolveByAddressAndAnUnresolvedOneIsShown)
{
    EXPECT_EQ(tvl::resolveHost("127.0.0.1"), sf::IpAddress(127, 0, 0, 1));
    EXPECT_EQ(tvl::resolveHost("localhost"), sf::IpAddress::LocalHost);

    // Without a window the message goes to the log as an error.
    testing::internal::CaptureStderr();
    const bool played = tvl::joinServer("nowhere", 6000, [](const std::string&) -> std::optional<sf::IpAddress> {
        return std::nullopt;
    });
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(played);
    EXPECT_NE(log.find("Unable to resolve host nowhere"), std::string::npos) << log;
}

} // namespace
