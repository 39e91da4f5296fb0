// The file dialog's listing, its path rules and the places it offers, without a window.
#include "dialogs/FileDialog.h"

#include "core/Paths.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace kv;

namespace {

namespace fs = std::filesystem;
using PackEntries = std::vector<std::pair<std::string, std::string>>;
using Rows = std::vector<std::pair<std::string, uint32_t>>;

const std::vector<std::string> musicTypes{".wav", ".ogg", ".it", ".mod", ".s3m", ".xm", ".mus"};

Rows rows(const std::vector<FileDialogEntry>& entries)
{
    Rows out;
    for (const FileDialogEntry& e : entries)
        out.emplace_back(e.name, e.fromPack);
    return out;
}

// A tree below the working folder (where pack keys are rooted): Zeta, readme.TXT, Readme,
// a.WAV, .hidden/, sub/, and music/Disk.ogg.
class FileDialogListing : public ::testing::Test {
protected:
    void SetUp() override
    {
        name = "fdfixture" + std::to_string(::getpid());
        root = fs::path(resolvePath(getCurrentFolder())) / name;
        for (const char* file : {"Zeta", "readme.TXT", "Readme", "a.WAV", ".hidden/x.wav", "sub/y.wav", "music/Disk.ogg"}) {
            fs::create_directories((root / file).parent_path());
            std::ofstream(root / file) << "x";
        }
        clearPathCache();
        folder = getCurrentFolder() + name + "\\";
    }
    void TearDown() override
    {
        fs::remove_all(root);
        clearPathCache();
    }
    std::string name, folder;
    fs::path root;
};

TEST_F(FileDialogListing, FoldersFirstThenFilesInCaseFreeOrderFilteredByType)
{
    const struct {
        std::vector<std::string> types;
        Rows expected;
    } cases[] = {
        {{}, {{"music\\", 0}, {"sub\\", 0}, {"a.WAV", 0}, {"Readme", 0}, {"readme.TXT", 0}, {"Zeta", 0}}},
        {musicTypes, {{"music\\", 0}, {"sub\\", 0}, {"a.WAV", 0}}},
        {{".txt"}, {{"music\\", 0}, {"sub\\", 0}, {"readme.TXT", 0}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(listFileDialogFolder(folder, c.types, {})), c.expected) << c.types.size() << " types";
}

TEST_F(FileDialogListing, PackEntriesShowUnderTheFolderTheyPlayFrom)
{
    const std::string key = name + "/music/";
    const PackEntries pack{
        {key + "a.ogg", "music/A.ogg"},
        {key + "disk.ogg", "music/disk.ogg"},     // a disk file has this name already
        {key + "song.ogg", "music/Song.OGG"},     // the type matches without regard to case
        {key + "notes.txt", "music/notes.txt"},   // filtered out
        {key + "sub/b.ogg", "music/sub/b.ogg"},   // two deeper entries, one folder
        {key + "sub/c.ogg", "music/sub/c.ogg"},
        {name + "/other.ogg", "other.ogg"},       // another folder's
    };
    const Rows expected{{"sub\\", 1}, {"A.ogg", 1}, {"Disk.ogg", 0}, {"Song.OGG", 1}};
    EXPECT_EQ(rows(listFileDialogFolder(folder + "music\\", musicTypes, pack)), expected);
    // The same folder spelt in another case and with '/' finds the same keys.
    std::string mixed = getCurrentFolder() + name + "/MUSIC/";
    EXPECT_EQ(rows(listFileDialogFolder(mixed, musicTypes, pack)), expected);
}

TEST(FileDialog, AnEntryWithoutAFolderIsAFileOfTheWorkingFolder)
{
    const auto listed = rows(listFileDialogFolder(getCurrentFolder(), musicTypes, {{"zzloose.ogg", "zzloose.ogg"}}));
    EXPECT_NE(std::find(listed.begin(), listed.end(), std::make_pair(std::string("zzloose.ogg"), 1u)), listed.end());
    for (const auto& [row, fromPack] : listed)
        EXPECT_NE(row, "zzloose.ogg\\");
}

TEST(FileDialog, DefaultExtensionAndStatusText)
{
    const struct {
        std::string name;
        std::vector<std::string> types;
        std::string expected;
    } cases[] = {
        {"song", musicTypes, "song.wav"},
        {"song.ogg", musicTypes, "song.ogg"},
        {"song", {}, "song"},
        {"song", {"ogg"}, "song.ogg"},
        {"", musicTypes, ".wav"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDefaultExtension(c.name, c.types), c.expected) << c.name;
    EXPECT_EQ(fileDialogStatusText({}), "Showing all files");
    EXPECT_EQ(fileDialogStatusText(musicTypes), "Showing: *.wav *.ogg *.it *.mod *.s3m *.xm *.mus");
}

TEST(FileDialog, UpStopsAtTheRootAndLeadsThereFromOneLevelDown)
{
    EXPECT_TRUE(isFileSystemRoot("\\"));
    EXPECT_TRUE(isFileSystemRoot("/"));
    EXPECT_FALSE(isFileSystemRoot("\\tmp\\"));
    EXPECT_FALSE(isFileSystemRoot(""));
    EXPECT_TRUE(isFileSystemRoot(getParentFolder("\\tmp\\")));
}

TEST(FileDialog, TypesAndStartPath)
{
    FileDialog dialog;
    dialog.addFileType("png");
    dialog.addFileType(".TGA");
    dialog.addMusicFileTypes();
    std::vector<std::string> expected{".png", ".TGA"};
    expected.insert(expected.end(), musicTypes.begin(), musicTypes.end());
    EXPECT_EQ(dialog.fileTypes, expected);

    dialog.setPath("base/music/x.ogg");
    EXPECT_EQ(dialog.startFolder, getCurrentFolder() + "base\\music\\");
    EXPECT_EQ(dialog.startFileName, "x.ogg");
    dialog.setPath("");
    EXPECT_EQ(dialog.startFolder, "");
    EXPECT_EQ(dialog.startFileName, "");
    // Without a window nothing is built, and showing gives Cancel.
    dialog.create();
    EXPECT_FALSE(dialog.created);
    EXPECT_EQ(dialog.showModal(), 0);
}

TEST(FileDialog, RootsAreTheFileSystemRootHomeAndWorkingFolderOnce)
{
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    const std::string here = std::string(cwd) + "/";

    const fs::path tmpHome = fs::temp_directory_path() / ("fdhome" + std::to_string(::getpid()));
    fs::create_directories(tmpHome);
    const struct {
        const char* home;
        std::vector<std::string> expected;
    } cases[] = {
        {tmpHome.c_str(), {"/", tmpHome.string() + "/", here}},
        {cwd, {"/", here}},                           // the home is the working folder: once
        {"/no/such/home/folder", {"/", here}},        // a home that is not there is left out
        {nullptr, {"/", here}},
    };
    for (const auto& c : cases) {
        if (c.home)
            ::setenv("HOME", c.home, 1);
        else
            ::unsetenv("HOME");
        EXPECT_EQ(fileSystemRoots(), c.expected) << (c.home ? c.home : "(unset)");
    }
    if (home)
        ::setenv("HOME", savedHome.c_str(), 1);
    fs::remove_all(tmpHome);
}

} // namespace

// At 640 wide the place list was 115 wide whatever it held, and a working folder's name ran
// under its right edge.
TEST(FileDialog, ThePlaceListIsAsWideAsItsWidestEntryWithinHalfTheRow)
{
    struct Case {
        float x, width, widest;
        float fileWidth, placeX, placeWidth;
    };
    const Case cases[] = {
        {0, 640, 20, 480, 515, 115},    // short places: the least width
        {0, 640, 170.5f, 420, 455, 175}, // whole, with the list's 3 to spare
        {0, 640, 900, 298, 333, 297},   // a long one scrolls in half the row
        {112, 800, 20, 640, 787, 115},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " wide, widest place " << c.widest);
        const FileDialogColumns columns = fileDialogColumns(c.x, c.width, c.widest);
        EXPECT_FLOAT_EQ(columns.fileWidth, c.fileWidth);
        EXPECT_FLOAT_EQ(columns.placeX, c.placeX);
        EXPECT_FLOAT_EQ(columns.placeWidth, c.placeWidth);
        EXPECT_FLOAT_EQ(columns.placeX + columns.placeWidth, c.x + c.width - 10);
    }
}

TEST(FileDialog, AFolderTooWideForTheDialogShowsItsEnd)
{
    const TextMeasure tenEach = [](const std::string& text) { return 10.0f * static_cast<float>(text.size()); };
    EXPECT_EQ(fitFolderText("\\home\\a\\", 80, tenEach), "\\home\\a\\");
    EXPECT_EQ(fitFolderText("\\home\\player\\game\\base\\music\\", 150, tenEach), "...\\base\\music\\");
    EXPECT_EQ(fitFolderText("\\x\\", 20, tenEach), "...");
    // Counting UTF-8 bytes: "é" (two bytes) is kept whole or dropped whole.
    EXPECT_EQ(fitFolderText("\\caf\xc3\xa9\\", 50, tenEach), "...\\");
    EXPECT_EQ(fitFolderText("\\caf\xc3\xa9\\", 60, tenEach), "...\xc3\xa9\\");
}
