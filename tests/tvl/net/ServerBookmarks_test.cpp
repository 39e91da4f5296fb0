#include "net/ServerBookmarks.h"

#include "support/Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using tvl::ServerBookmark;
using tvl::ServerBookmarkFile;
using tvl::ServerBookmarkTable;
using tvl::ServerListSave;
using tvl::ServerListState;
using testsupport::le16;

std::string header(int32_t version = 1, const std::string& signature = "TVL Server List")
{
    return testsupport::padded(signature, 32) + testsupport::le32(static_cast<uint32_t>(version));
}

std::string str16(const std::string& text)
{
    return le16(static_cast<uint16_t>(text.size())) + text;
}

std::string record(const std::string& description, const std::string& host, const std::string& port)
{
    return str16(description) + str16(host) + str16(port);
}

// Bookmarks "B1" ... "Bn" with hosts "10.0.0.i" and ports "600i".
std::string records(int n)
{
    std::string out;
    for (int i = 1; i <= n; i++)
        out += record("B" + std::to_string(i), "10.0.0." + std::to_string(i), "600" + std::to_string(i));
    return out;
}

ServerBookmarkTable tableOf(const std::vector<ServerBookmark>& bookmarks)
{
    ServerBookmarkTable table;
    for (const ServerBookmark& b : bookmarks)
        table.add(b);
    return table;
}

const ServerBookmarkTable threeBookmarks =
    tableOf({{"Home", "127.0.0.1", "6000"}, {"LAN party", "192.168.0.12", ""},
             {"Club", "game.example.org", "5911"}});

class ServerBookmarksTest : public ::testing::Test {
protected:
    void SetUp() override { dir.enter(); }
    testsupport::TempDir dir;
};

} // namespace

TEST(ServerBookmarks, OneBookmarkEncodesToTheDocumentedBytes)
{
    const std::string expected = header() + "\x01\x00"s + "\x04\x00" "Home"s
                                 + "\x09\x00" "127.0.0.1"s + "\x04\x00" "6000"s;
    ASSERT_EQ(expected.size(), 61u);
    EXPECT_EQ(tvl::encodeServerBookmarks(tableOf({{"Home", "127.0.0.1", "6000"}})), expected);
}

TEST_F(ServerBookmarksTest, SavedListLoadsBackInOrderAndWritesTheSameBytes)
{
    ServerBookmarkFile out;
    EXPECT_EQ(out.load(), ServerListState::Missing);
    out.bookmarks = threeBookmarks;
    ASSERT_EQ(out.save(), ServerListSave::Saved);
    const std::string written = dir.read("ServerList.dat");
    EXPECT_EQ(written, tvl::encodeServerBookmarks(threeBookmarks));

    ServerBookmarkFile in;
    ASSERT_EQ(in.load(), ServerListState::Read);
    EXPECT_EQ(in.bookmarks, threeBookmarks);
    in.bookmarks.add({"Extra", "10.1.1.1", ""});
    ASSERT_EQ(in.save(), ServerListSave::Saved);
    in.bookmarks.remove(3);
    ASSERT_EQ(in.save(), ServerListSave::Saved);
    EXPECT_EQ(dir.read("ServerList.dat"), written);
}

TEST_F(ServerBookmarksTest, EachFileKeepsWhatCanBeTrusted)
{
    struct Case {
        const char* name;
        std::string bytes;
        ServerListState state;
        std::size_t kept;
    };
    const Case cases[] = {
        {"empty file", "", ServerListState::BadHeader, 0},
        {"wrong signature", header(1, "TVL Server Lisp") + le16(0), ServerListState::BadHeader, 0},
        {"obsolete version", header(0) + le16(1) + records(1), ServerListState::BadHeader, 0},
        {"newer version", header(2) + le16(1) + records(1), ServerListState::BadHeader, 0},
        {"header cut short", header().substr(0, 34), ServerListState::BadHeader, 0},
        {"no count", header(), ServerListState::Damaged, 0},
        {"count above the records", header() + le16(3) + records(2), ServerListState::Damaged, 2},
        {"count above 64", header() + le16(70) + records(70), ServerListState::Damaged, 64},
        {"records after the count", header() + le16(1) + records(2), ServerListState::Damaged, 1},
        {"string cut short", header() + le16(2) + records(1) + str16("B2") + le16(9) + "10.0",
         ServerListState::Damaged, 1},
        {"length cut short", header() + le16(2) + records(1) + str16("B2") + "\x09",
         ServerListState::Damaged, 1},
        {"a long field cut short", header() + le16(2) + records(1) + str16("B2") + le16(65535) + "h",
         ServerListState::Damaged, 1},
        {"no bookmarks", header() + le16(0), ServerListState::Read, 0},
        {"full table", header() + le16(64) + records(64), ServerListState::Read, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("ServerList.dat", c.bytes);
        ServerBookmarkFile file;
        file.bookmarks.add({"stale", "stale", ""});
        EXPECT_EQ(file.load(), c.state);
        ASSERT_EQ(file.bookmarks.size(), c.kept);
        for (std::size_t i = 0; i < c.kept; i++)
            EXPECT_EQ(file.bookmarks[i].description, "B" + std::to_string(i + 1));
    }
    std::filesystem::remove("ServerList.dat");
    ServerBookmarkFile missing;
    missing.bookmarks.add({"stale", "stale", ""});
    EXPECT_EQ(missing.load(), ServerListState::Missing);
    EXPECT_TRUE(missing.bookmarks.empty());
}

TEST_F(ServerBookmarksTest, StringsEndAtTheirFirstNul)
{
    dir.write("ServerList.dat", header() + le16(2) + record(std::string("a\0b", 3), "h", "")
                                    + record("", "10.0.0.2", std::string("\0\0", 2)));
    ServerBookmarkFile file;
    ASSERT_EQ(file.load(), ServerListState::Read);
    EXPECT_EQ(file.bookmarks, tableOf({{"a", "h", ""}, {"", "10.0.0.2", ""}}));
}

TEST_F(ServerBookmarksTest, WritesOnlyWhenTheListChanged)
{
    ServerBookmarkFile none;
    none.load();
    none.bookmarks.add({"Gone", "1.2.3.4", ""});
    none.bookmarks.remove(0);
    EXPECT_EQ(none.save(), ServerListSave::Unchanged);
    EXPECT_FALSE(std::filesystem::exists("ServerList.dat"));

    // Bytes after the signature's NUL are ignored by the reader but would not survive a write.
    const std::string odd = header(1, std::string("TVL Server List\0keep", 20)) + le16(1) + records(1);
    dir.write("ServerList.dat", odd);
    ServerBookmarkFile file;
    ASSERT_EQ(file.load(), ServerListState::Read);
    file.bookmarks[0].port = "7000";
    file.bookmarks[0].port = "6001";
    EXPECT_EQ(file.save(), ServerListSave::Unchanged);
    EXPECT_EQ(dir.read("ServerList.dat"), odd);

    file.bookmarks[0].port = "7000";
    EXPECT_EQ(file.save(), ServerListSave::Saved);
    EXPECT_EQ(file.save(), ServerListSave::Unchanged);
    EXPECT_EQ(dir.read("ServerList.dat"), tvl::encodeServerBookmarks(file.bookmarks));
}

// A file that did not read whole is kept beside the list, under a name no earlier copy has,
// before the changed list is written; one never read is never replaced.
TEST_F(ServerBookmarksTest, ADamagedOrForeignFileIsKeptAsideBeforeTheNewListIsWritten)
{
    const std::string newer = header(2) + le16(1) + records(1);
    dir.write("ServerList.dat", newer);
    ServerBookmarkFile file;
    ASSERT_EQ(file.load(), ServerListState::BadHeader);
    EXPECT_EQ(file.save(), ServerListSave::Unchanged);
    EXPECT_FALSE(std::filesystem::exists("ServerList.dat.bad"));
    file.bookmarks.add({"New", "10.9.9.9", ""});
    EXPECT_EQ(file.save(), ServerListSave::Saved);
    EXPECT_EQ(dir.read("ServerList.dat.bad"), newer);
    EXPECT_EQ(dir.read("ServerList.dat"), header() + le16(1) + record("New", "10.9.9.9", ""));
    // The new list is the file's now: the next change replaces it, keeping nothing more.
    file.bookmarks.add({"Two", "10.9.9.8", ""});
    EXPECT_EQ(file.save(), ServerListSave::Saved);
    EXPECT_FALSE(std::filesystem::exists("ServerList.dat.bad2"));

    // A damaged file next: the earlier copy stays as it was.
    const std::string damagedBytes = header() + le16(3) + records(2);
    dir.write("ServerList.dat", damagedBytes);
    ServerBookmarkFile damaged;
    ASSERT_EQ(damaged.load(), ServerListState::Damaged);
    EXPECT_EQ(damaged.save(), ServerListSave::Unchanged);
    damaged.bookmarks.remove(0);
    EXPECT_EQ(damaged.save(), ServerListSave::Saved);
    EXPECT_EQ(dir.read("ServerList.dat"), header() + le16(1) + record("B2", "10.0.0.2", "6002"));
    EXPECT_EQ(dir.read("ServerList.dat.bad"), newer);
    EXPECT_EQ(dir.read("ServerList.dat.bad2"), damagedBytes);

    // Every name taken: the file stays, and so do the copies.
    for (int n = 3; n <= tvl::maxKeptServerLists; n++)
        dir.write("ServerList.dat.bad" + std::to_string(n), "kept");
    EXPECT_EQ(tvl::freeKeptServerListName("ServerList.dat"), "");
    dir.write("ServerList.dat", newer);
    ServerBookmarkFile full;
    ASSERT_EQ(full.load(), ServerListState::BadHeader);
    full.bookmarks.add({"New", "10.9.9.9", ""});
    EXPECT_EQ(full.save(), ServerListSave::Refused);
    EXPECT_EQ(dir.read("ServerList.dat"), newer);
    EXPECT_EQ(dir.read("ServerList.dat.bad"), newer);
    EXPECT_EQ(dir.read("ServerList.dat.bad2"), damagedBytes);

    ServerBookmarkFile unloaded;
    unloaded.bookmarks.add({"New", "10.9.9.9", ""});
    EXPECT_EQ(unloaded.save(), ServerListSave::Refused);
    EXPECT_EQ(dir.read("ServerList.dat"), newer);
}

// Fields longer than the editor's boxes, up to what a u16 length allows, are read and written
// back byte for byte, and the bookmarks after them stay.
TEST_F(ServerBookmarksTest, FieldsOfAnyLengthTheFileAllowsAreKept)
{
    const std::string longest(65535, 'p');
    const std::string bytes = header() + le16(3) + records(1) + record(std::string(21, 'd'), std::string(65, 'h'), longest)
                              + record("B3", "10.0.0.3", "");
    dir.write("ServerList.dat", bytes);
    ServerBookmarkFile file;
    ASSERT_EQ(file.load(), ServerListState::Read);
    EXPECT_EQ(file.bookmarks, tableOf({{"B1", "10.0.0.1", "6001"}, {std::string(21, 'd'), std::string(65, 'h'), longest},
                                       {"B3", "10.0.0.3", ""}}));
    file.bookmarks.remove(0);
    ASSERT_EQ(file.save(), ServerListSave::Saved);
    EXPECT_EQ(dir.read("ServerList.dat"), header() + le16(2) + bytes.substr(header().size() + 2 + records(1).size()));
}

TEST_F(ServerBookmarksTest, AFailedSaveIsReportedAndTriedAgain)
{
    ServerBookmarkFile file("no such folder/ServerList.dat");
    EXPECT_EQ(file.load(), ServerListState::Missing);
    file.bookmarks.add({"Home", "127.0.0.1", ""});
    EXPECT_EQ(file.save(), ServerListSave::Failed);
    EXPECT_EQ(file.save(), ServerListSave::Failed);
    EXPECT_FALSE(std::filesystem::exists("no such folder"));
}

TEST_F(ServerBookmarksTest, FieldsTooLongForTheFileAreCutSoItReadsBackWhole)
{
    ServerBookmarkFile file;
    file.load();
    file.bookmarks.add({std::string(30, 'd'), std::string(70000, 'h'), "123456789012345"});
    ASSERT_EQ(file.save(), ServerListSave::Saved);
    const ServerBookmarkTable cut = tableOf({{std::string(30, 'd'), std::string(65535, 'h'), "123456789012345"}});
    EXPECT_EQ(file.bookmarks, cut);

    ServerBookmarkFile again;
    ASSERT_EQ(again.load(), ServerListState::Read);
    EXPECT_EQ(again.bookmarks, cut);
}

TEST(ServerBookmarks, FieldsAreCutAtNulsAndNeverInsideACharacter)
{
    struct Case {
        std::string text;
        std::size_t cap;
        std::string expected;
    } const cases[] = {
        {"abc", 3, "abc"},
        {"abcd", 3, "abc"},
        {std::string("a\0bc", 4), 3, "a"},
        {"ab\xC3\xA9", 3, "ab"},          // a two-byte character across the cap
        {"a\xE2\x82\xAC", 3, "a"},        // a three-byte one
        {"a\xE2\x82\xAC", 4, "a\xE2\x82\xAC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tvl::cutBookmarkField(c.text, c.cap), c.expected) << c.text;
}

TEST(ServerBookmarks, TableHoldsSixtyFourAndRemovalKeepsTheOrder)
{
    ServerBookmarkTable table = threeBookmarks;
    table.remove(1);
    EXPECT_EQ(table, tableOf({threeBookmarks[0], threeBookmarks[2]}));
    table.remove(5);
    EXPECT_EQ(table.size(), 2u);

    while (table.add({"x", "y", ""})) {
    }
    EXPECT_EQ(table.size(), ServerBookmarkTable::capacity);
    EXPECT_TRUE(table.full());
    EXPECT_EQ(table[63].description, "x");
}
