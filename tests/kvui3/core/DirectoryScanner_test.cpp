#include "core/DirectoryScanner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// tree/: a.WAV (4 bytes), b.txt, sub/c.ogg, sub/loop -> .. (a link loop), .hidden/d.wav
class DirectoryScannerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("tree/a.WAV", "1234");
        dir.write("tree/b.txt", "b");
        dir.write("tree/sub/c.ogg", "ogg!!");
        dir.write("tree/.hidden/d.wav", "d");
        std::filesystem::create_directory_symlink("..", dir.path() / "tree/sub/loop");
        dir.enter();
    }

    static std::vector<std::string> paths(const kv::DirectoryScanner& s)
    {
        std::vector<std::string> out;
        for (const auto& e : s.entries)
            out.push_back(e.path);
        return out;
    }

    testsupport::TempDir dir;
};

} // namespace

TEST_F(DirectoryScannerTest, ModesFiltersAndRecursion)
{
    using V = std::vector<std::string>;
    struct Case {
        int mode;
        bool recursive;
        bool filtered;  // wav and ogg only
        V expected;
    };
    const Case cases[] = {
        {1, true, true, V{"TREE\\a.WAV", "TREE\\sub\\c.ogg"}},
        {2, true, true, V{"TREE\\sub", "TREE\\sub\\loop"}},
        {0, false, false, V{"TREE\\a.WAV", "TREE\\b.txt", "TREE\\sub"}},
        {0, true, false,
         V{"TREE\\a.WAV", "TREE\\b.txt", "TREE\\sub", "TREE\\sub\\c.ogg", "TREE\\sub\\loop"}},
        {1, false, true, V{"TREE\\a.WAV"}},
    };
    for (const auto& c : cases) {
        kv::DirectoryScanner s;
        if (c.filtered) {
            s.addExtension("wav");
            s.addExtension(".ogg");
        }
        EXPECT_TRUE(s.scan("TREE", c.mode, c.recursive));
        EXPECT_EQ(paths(s), c.expected) << "mode " << c.mode << " recursive " << c.recursive;
        EXPECT_TRUE(s.scanned);
        EXPECT_EQ(s.folder, "TREE\\");
    }
}

TEST_F(DirectoryScannerTest, EntriesCarryNameRelativePathKindAndSize)
{
    kv::DirectoryScanner s;
    s.scan("tree/", 0, true);
    ASSERT_EQ(s.entries.size(), 5u);
    const kv::DirectoryEntry& a = s.entries[0];
    EXPECT_EQ(a.name, "a.WAV");
    EXPECT_EQ(a.path, "tree/a.WAV");
    EXPECT_EQ(a.relativePath, "a.WAV");
    EXPECT_FALSE(a.isDirectory);
    EXPECT_EQ(a.size, 4u);
    const kv::DirectoryEntry& sub = s.entries[2];
    EXPECT_TRUE(sub.isDirectory);
    EXPECT_EQ(sub.size, 0u);
    const kv::DirectoryEntry& c = s.entries[3];
    EXPECT_EQ(c.path, "tree/sub\\c.ogg");
    EXPECT_EQ(c.relativePath, "sub\\c.ogg");
    EXPECT_EQ(c.size, 5u);
    EXPECT_EQ(s.fullFolder.substr(s.fullFolder.size() - 6), "\\tree\\");

    // An absolute folder in the disk's own spelling gives the same relative paths.
    s.scan((dir.path() / "tree").string(), 1, true);
    ASSERT_EQ(s.entries.size(), 3u);
    EXPECT_EQ(s.entries[2].relativePath, "sub\\c.ogg");
}

TEST_F(DirectoryScannerTest, MissingFolderListsNothing)
{
    kv::DirectoryScanner s;
    EXPECT_TRUE(s.scan("no\\such", 0, true));
    EXPECT_TRUE(s.entries.empty());
    EXPECT_TRUE(s.scanned);
}

TEST(DirectoryScanner, ExtensionFilter)
{
    kv::DirectoryScanner s;
    EXPECT_TRUE(s.matchesExtension("anything"));
    s.addExtension("png");
    s.addExtension(".Ogg");
    s.addExtension("");
    EXPECT_EQ(s.extensions, (std::vector<std::string>{".png", ".Ogg"}));
    struct Case {
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"x.png", true}, {"x.PnG", true}, {"a.b.ogg", true}, {"png", false},
        {"x.png.bak", false}, {"x.", false}, {"x.pn", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.matchesExtension(c.name), c.matches) << c.name;

    kv::DirectoryScanner images;
    images.addImageExtensions();
    EXPECT_EQ(images.extensions, (std::vector<std::string>{".BMP", ".PNG", ".TGA", ".JPG", ".GIF",
                                                           ".PSD", ".HDR", ".PIC"}));
}

TEST_F(DirectoryScannerTest, ScanKeepsTheFilterAndClearDropsIt)
{
    kv::DirectoryScanner s;
    s.addExtension("ogg");
    s.clear();  // nothing scanned yet: the filter stays
    ASSERT_EQ(s.extensions.size(), 1u);
    s.scan("tree", 1, true);
    s.scan("tree", 1, true);
    ASSERT_EQ(s.entries.size(), 1u);
    EXPECT_EQ(s.entries[0].name, "c.ogg");
    s.clear();
    EXPECT_FALSE(s.scanned);
    EXPECT_TRUE(s.entries.empty());
    EXPECT_TRUE(s.extensions.empty());
}
