#include "core/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

struct Case {
    std::string (*fn)(const std::string&, const std::string&);
    const char* a;
    const char* b;
    const char* expected;
};

std::string join(const std::string& a, const std::string& b) { return kv::joinPath(a, b); }
std::string folderOf(const std::string& a, const std::string&) { return kv::getFolderOfPath(a); }
std::string strip(const std::string& a, const std::string&) { return kv::stripFirstFolder(a); }
std::string parent(const std::string& a, const std::string&) { return kv::getParentFolder(a); }
std::string change(const std::string& a, const std::string& b) { return kv::changeExtension(a, b); }
std::string remove(const std::string& a, const std::string&) { return kv::removeExtension(a); }
std::string relative(const std::string& a, const std::string& b) { return kv::makeRelativeTo(a, b); }

} // namespace

TEST(Paths, TextHelpers)
{
    const Case cases[] = {
        {join, "base", "x.ini", "base\\x.ini"},
        {join, "base/", "x.ini", "base/x.ini"},
        {join, "base\\", "x.ini", "base\\x.ini"},
        {join, "", "x.ini", "x.ini"},
        {folderOf, "a\\b\\c.txt", "", "a\\b\\"},
        {folderOf, "a/b/c.txt", "", "a/b\\"},
        {folderOf, "c.txt", "", "c.txt\\"},
        {strip, "sound/Menu\\", "", "/Menu\\"},
        {strip, "Menu\\", "", ""},
        {strip, "a\\b\\c", "", "\\b\\c\\"},
        {parent, "a\\b\\c\\", "", "a\\b\\"},
        {parent, "a/b", "", "a\\"},
        {parent, "a\\", "", ""},
        {parent, "a", "", ""},
        {parent, "", "", ""},
        {change, "a.b.png", "jpg", "a.b.jpg"},
        {change, "readme", ".txt", "readme.txt"},
        {change, "my.data\\file", "txt", "my.data\\file.txt"},
        {change, "./base/readme", "ini", "./base/readme.ini"},
        {change, "x.png", "", "x.png"},
        {remove, "a.b.png", "", "a.b"},
        {remove, "readme", "", "readme"},
        {remove, "dir.x/y.z", "", "dir.x/y"},
        {remove, "dir.x\\y", "", "dir.x\\y"},
        {relative, "BASE/Maps\\x.map", "base\\maps\\", "x.map"},
        {relative, "base\\", "base\\", ""},
        {relative, "other\\x", "base\\", "other\\x"},
        {relative, "ba", "base\\", "ba"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.fn(c.a, c.b), c.expected) << "a=\"" << c.a << "\" b=\"" << c.b << "\"";
}

TEST(Paths, FullPathIsAbsoluteInGameForm)
{
    EXPECT_EQ(kv::getFullPath("/tmp/a/../b/c.txt"), "\\tmp\\b\\c.txt");
    EXPECT_EQ(kv::getFullPath("\\tmp\\.\\x\\"), "\\tmp\\x\\");
    EXPECT_EQ(kv::getFullPath("\\Tmp/Mixed\\Case"), "\\Tmp\\Mixed\\Case");

    std::string cwd = std::filesystem::current_path().string();
    std::string expected;
    for (char c : cwd)
        expected += c == '/' ? '\\' : c;
    EXPECT_EQ(kv::getFullPath("base/sub\\..\\x.ini"), expected + "\\base\\x.ini");
}

TEST(Paths, CurrentFolderPrefixesMatchAnySpelling)
{
    std::string here = kv::getCurrentFolder();
    ASSERT_FALSE(here.empty());
    EXPECT_EQ(here.front(), '\\');
    EXPECT_EQ(here.back(), '\\');
    EXPECT_EQ(here.find('/'), std::string::npos);

    std::string otherSpelling;
    for (char c : here)
        otherSpelling += c == '\\' ? '/' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(kv::makeRelativeToCurrentFolder(here + "base\\x.ini"), "base\\x.ini");
    EXPECT_EQ(kv::makeRelativeToCurrentFolder(otherSpelling + "base\\x.ini"), "base\\x.ini");
    EXPECT_EQ(kv::makeRelativeToCurrentFolder(here), "");
    EXPECT_EQ(kv::makeRelativeToCurrentFolder("base\\x.ini"), "base\\x.ini");
}
