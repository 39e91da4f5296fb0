#include "platform/FileSystem.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("base/Maps/x.map", "map!");
        dir.enter();
    }
    testsupport::TempDir dir;
};

} // namespace

TEST_F(FileSystemTest, ResolvesAnyCaseAndEitherSeparator)
{
    struct Case {
        const char* gamePath;
        const char* disk;
    };
    const Case cases[] = {
        {"BASE\\maps\\X.MAP", "base/Maps/x.map"},
        {"base/Maps/x.map", "base/Maps/x.map"},
        {"Base\\MAPS/x.Map", "base/Maps/x.map"},
        {"BASE\\MAPS\\", "base/Maps/"},
        {".\\Base\\.\\maps\\x.map", "./base/./Maps/x.map"},
        {"base\\maps\\missing.map", "base/Maps/missing.map"},
        {"NOPE\\x", "NOPE/x"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kv::resolvePath(c.gamePath), c.disk) << c.gamePath;

    EXPECT_TRUE(kv::fileExists("BASE\\maps\\X.MAP"));
    EXPECT_FALSE(kv::fileExists("BASE\\maps\\missing.map"));

    // An absolute game path starts with a separator.
    std::string absolute;
    for (char c : (dir.path() / "BASE/MAPS/X.MAP").string())
        absolute += c == '/' ? '\\' : c;
    EXPECT_EQ(kv::resolvePath(absolute), (dir.path() / "base/Maps/x.map").string());
}

TEST_F(FileSystemTest, SeesChangesMadeAfterALookup)
{
    // Missed once, then created within the same timestamp tick (the folder's time is put back
    // to what the cached listing saw): the cache must not hide the new file.
    fs::path maps = dir.path() / "base/Maps";
    fs::file_time_type seen = fs::last_write_time(maps);
    ASSERT_FALSE(kv::fileExists("BASE\\MAPS\\NEW.MAP"));
    dir.write("base/Maps/new.map", "");
    fs::last_write_time(maps, seen);
    EXPECT_EQ(kv::resolvePath("BASE\\MAPS\\NEW.MAP"), "base/Maps/new.map");

    // A cached name that is gone gives way to its new spelling.
    ASSERT_EQ(kv::resolvePath("base\\maps\\X.MAP"), "base/Maps/x.map");
    fs::remove(dir.path() / "base/Maps/x.map");
    dir.write("base/Maps/X.Map", "");
    EXPECT_EQ(kv::resolvePath("base\\maps\\X.MAP"), "base/Maps/X.Map");
}

TEST_F(FileSystemTest, NewFileLandsInTheCaseMatchedFolder)
{
    FILE* f = kv::openFile("BASE\\MAPS\\made.txt", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("hello", f);
    std::fclose(f);
    EXPECT_EQ(dir.read("base/Maps/made.txt"), "hello");

    std::string text;
    EXPECT_TRUE(kv::readWholeFile("Base/maps/MADE.TXT", text));
    EXPECT_EQ(text, "hello");
    EXPECT_FALSE(kv::readWholeFile("base\\maps\\none.txt", text));
    EXPECT_TRUE(text.empty());

    kv::FileStatus st = kv::getFileStatus("BASE\\MAPS\\X.MAP");
    EXPECT_TRUE(st.exists);
    EXPECT_FALSE(st.isDirectory);
    EXPECT_EQ(st.size, 4u);
    EXPECT_TRUE(kv::getFileStatus("base\\MAPS").isDirectory);
}

TEST_F(FileSystemTest, ListingIsSortedAndLeavesOutDotFoldersAndOddEntries)
{
    dir.write("list/b.txt", "bb");
    dir.write("list/A.txt", "a");
    dir.write("list/a.txt", "aaa");
    dir.write("list/.dotfile", "");
    dir.write("list/.git/config", "");
    dir.write("list/Sub/x", "");
    fs::create_directory_symlink("Sub", dir.path() / "list/link");
    fs::create_symlink("nowhere", dir.path() / "list/dangling");
    ASSERT_EQ(mkfifo((dir.path() / "list/pipe").c_str(), 0600), 0);

    std::vector<kv::ListedFile> l = kv::listDirectory("LIST");
    std::vector<std::string> names;
    for (const auto& f : l)
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{".dotfile", "A.txt", "a.txt", "b.txt", "link", "Sub"}));
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[2].size, 3u);
    EXPECT_FALSE(l[2].isDirectory);
    EXPECT_TRUE(l[4].isDirectory);
    EXPECT_TRUE(l[4].isLink);
    EXPECT_TRUE(l[5].isDirectory);
    EXPECT_FALSE(l[5].isLink);
    EXPECT_EQ(l[5].size, 0u);

    EXPECT_TRUE(kv::listDirectory("list\\b.txt").empty());
    EXPECT_TRUE(kv::listDirectory("missing").empty());
}

TEST_F(FileSystemTest, WholeFileWriterReplacesTheFileAndReportsAFailedClose)
{
    const std::string bytes = "new contents";
    ASSERT_TRUE(kv::writeWholeFile("BASE\\maps\\X.MAP", bytes.data(), bytes.size()));
    EXPECT_EQ(dir.read("base/Maps/x.map"), bytes);
    // A device is never renamed over, so /dev/full stays and the write is refused.
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(kv::writeWholeFile("/dev/full", bytes.data(), bytes.size()));
    }
    EXPECT_FALSE(kv::writeWholeFile("no/such/folder/file", bytes.data(), bytes.size()));
}

TEST_F(FileSystemTest, AFailedWholeFileWriteLeavesTheOldFileAndNoTemporary)
{
    const std::string big(4096, 'x');
    dir.write("base/Maps/folder.map/inside", "");
    struct Case {
        const char* what;
        const char* gamePath;
        bool diskFull;
    };
    const Case cases[] = {
        {"the disk fills up", "base\\maps\\x.map", true},
        {"the parent is a file", "base\\maps\\x.map\\y.map", false},
        {"the target is a folder", "base\\maps\\folder.map", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool written = true;
        {
            std::optional<testsupport::FileSizeLimit> limit;
            if (c.diskFull)
                limit.emplace(1000);
            written = kv::writeWholeFile(c.gamePath, big.data(), big.size());
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(dir.read("base/Maps/x.map"), "map!");
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.path() / "base/Maps"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"folder.map", "x.map"}));
    }
}

TEST_F(FileSystemTest, AReplacedFileKeepsItsModeAndItsLink)
{
    fs::permissions(dir.path() / "base/Maps/x.map", fs::perms::owner_read | fs::perms::owner_write |
                                                         fs::perms::group_read);
    fs::create_symlink("Maps/x.map", dir.path() / "base/link.map");
    const std::string bytes = "through the link";
    ASSERT_TRUE(kv::writeWholeFile("base\\link.map", bytes.data(), bytes.size()));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "base/link.map"));
    EXPECT_EQ(dir.read("base/Maps/x.map"), bytes);
    EXPECT_EQ(fs::status(dir.path() / "base/Maps/x.map").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
