#include "core/IniFile.h"

#include "platform/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

// A scratch folder per test; paths are absolute so the working folder stays put.
class IniFileTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text)
    {
        temp.write(name, text);
        return dir + "/" + name;
    }

    std::string read(const std::string& path)
    {
        std::string text;
        EXPECT_TRUE(kv::readWholeFile(path, text)) << path;
        return text;
    }

    testsupport::TempDir temp;
    const std::string dir = temp.path().string();
};

struct Lookup {
    const char* section;
    const char* key;
    const char* value;
    bool found;
};

struct ParseCase {
    const char* name;
    std::string text;
    std::vector<Lookup> lookups;
};

TEST_F(IniFileTest, ParsesLines)
{
    const std::vector<ParseCase> cases = {
        {"names match in any case", "[Video]\nWidth = 800\n", {{"video", "WIDTH", "800", true}}},
        {"further equals signs skipped", "[a]\nk==\"x\"\n", {{"a", "k", "x", true}}},
        {"key only", "[a]\nflag\n", {{"a", "flag", "", true}}},
        {"blanks then tab trimmed", "[a]\nkey\t  =v\n", {{"a", "key", "v", true}}},
        {"tab trimmed, blanks kept", "[a]\nkey  \t=v\n",
         {{"a", "key  ", "v", true}, {"a", "key", "", false}}},
        {"trailing blank of value kept", "[a]\nk=1 \n", {{"a", "k", "1 ", true}}},
        {"blanks before value skipped", "[a]\nk=  \t v\n", {{"a", "k", "v", true}}},
        {"only blanks after equals", "[a]\nk=   \n", {{"a", "k", "", true}}},
        {"no end-of-line comments", "[a]\nk=v ; c # d\n", {{"a", "k", "v ; c # d", true}}},
        {"doubled quotes", "[a]\nk=\"say \"\"hi\"\"\"\n", {{"a", "k", "say \"hi\"", true}}},
        {"text after closing quote dropped", "[a]\nk=\"v\" tail\n", {{"a", "k", "v", true}}},
        {"empty quoted value", "[a]\nk=\"\"\nj=1\n", {{"a", "k", "", true}, {"a", "j", "1", true}}},
        {"two-line value", "[a]\nk=\"one\ntwo\" dropped\nj=1\n",
         {{"a", "k", "one\ntwo", true}, {"a", "j", "1", true}}},
        {"lone quote opens a value", "[a]\nk=\"\nx\"\n", {{"a", "k", "\nx", true}}},
        {"headers and comments inside a value", "[a]\nk=\"x\n[b]\n; c\n\"\n",
         {{"a", "k", "x\n[b]\n; c\n", true}}},
        {"comments in column 1", "[a]\n#k=1\n;j=1\n'i=1\n",
         {{"a", "#k", "", false}, {"a", "k", "", false}, {"a", "j", "", false},
          {"a", "i", "", false}}},
        {"indented comment is a key", "[a]\n  #k=1\n", {{"a", "#k", "1", true}}},
        {"lines before first header ignored", "k=1\n; c\n[a]\nj=2\n",
         {{"a", "k", "", false}, {"a", "j", "2", true}}},
        {"repeated key takes later value", "[a]\nk=1\nK=2\n", {{"a", "k", "2", true}}},
        {"brackets deleted from header", "[ab]cd\nk=1\n", {{"abcd", "k", "1", true}}},
        {"repeated header reuses section", "[A]\nk=1\n[b]\n[a]\nj=2\n",
         {{"a", "k", "1", true}, {"a", "j", "2", true}}},
        {"blank-only line gives nothing", "[a]\n \t \nk=1\n", {{"a", "k", "1", true}}},
        {"empty key dropped", "[a]\n=5\n=\"x\nk=1\n", {{"a", "", "", false}, {"a", "k", "1", true}}},
        {"last line without line feed", "[a]\nk=1", {{"a", "k", "1", true}}},
        {"CRLF", "[a]\r\nk=v\r\nj=\"one\r\ntwo\"\r\n",
         {{"a", "k", "v", true}, {"a", "j", "one\ntwo", true}}},
        {"byte-order mark", "\xEF\xBB\xBF[a]\nk=v\n", {{"a", "k", "v", true}}},
        {"unclosed quote keeps the rest", "[a]\nname=\"Bob\nother=1\n[b]\nx=2\n",
         {{"a", "name", "\"Bob", true}, {"a", "other", "1", true}, {"b", "x", "2", true}}},
        {"a later lone quote closes the value", "[a]\nk=\"one\n[b]\nx=\"2\"\n",
         {{"a", "k", "one\n[b]\nx=", true}, {"b", "x", "", false}}},
        {"unclosed after a closed one", "[a]\nk=\"x\ny\"\nj=\"open\ni=\"\"\n",
         {{"a", "k", "x\ny", true}, {"a", "j", "\"open", true}, {"a", "i", "", true}}},
        {"unclosed quote keeps its order", "[a]\nk=\"v\nj=1\n",
         {{"a", "k", "\"v", true}, {"a", "j", "1", true}}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        kv::IniFile ini;
        ASSERT_TRUE(ini.load(write("case.ini", c.text)));
        for (const Lookup& l : c.lookups) {
            SCOPED_TRACE(std::string(l.section) + "/" + l.key);
            ini.setSection(l.section);
            bool found = !l.found;
            EXPECT_EQ(ini.getValue(l.key, &found), l.value);
            EXPECT_EQ(found, l.found);
        }
    }
}

TEST_F(IniFileTest, CrlfAndBomReadLikeLf)
{
    const std::string lf = "[info]\nid=x\n[a]\nk=\"one\ntwo\"\nj=1\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    kv::IniFile plain, windows, marked;
    ASSERT_TRUE(plain.load(write("lf.ini", lf)));
    ASSERT_TRUE(windows.load(write("crlf.ini", crlf)));
    ASSERT_TRUE(marked.load(write("bom.ini", "\xEF\xBB\xBF" + crlf)));
    std::string expected;
    ASSERT_TRUE(plain.save(dir + "/lf.out"));
    expected = read(dir + "/lf.out");
    ASSERT_TRUE(windows.save(dir + "/crlf.out"));
    ASSERT_TRUE(marked.save(dir + "/bom.out"));
    EXPECT_EQ(read(dir + "/crlf.out"), expected);
    EXPECT_EQ(read(dir + "/bom.out"), expected);
}

TEST_F(IniFileTest, LoadAddsToWhatIsHeldAndStartsFresh)
{
    kv::IniFile ini;
    // The first file ends inside a quoted value; the second must not be glued onto it, and
    // its lines before a header must not land in the section the first left current.
    ASSERT_TRUE(ini.load(write("one.ini", "[a]\nk=1\nopen=\"x")));
    ASSERT_TRUE(ini.load(write("two.ini", "stray=1\n[b]\nj=2\n")));
    EXPECT_EQ(ini.fileName, dir + "/two.ini");
    ini.setSection("a");
    EXPECT_EQ(ini.getValue("k"), "1");
    EXPECT_EQ(ini.getValue("open"), "\"x");
    EXPECT_EQ(ini.getValue("stray"), "");
    ini.setSection("b");
    EXPECT_EQ(ini.getValue("j"), "2");
}

TEST_F(IniFileTest, FailedLoadChangesNothing)
{
    kv::IniFile ini;
    ASSERT_TRUE(ini.load(write("one.ini", "[a]\nk=1\n")));
    std::string missing = dir + "/missing.ini";
    EXPECT_FALSE(ini.load(missing));
    EXPECT_EQ(ini.lastError, "IniFile::load: Unable to read from " + missing);
    EXPECT_EQ(ini.fileName, dir + "/one.ini");
    EXPECT_EQ(ini.getValue("k"), "1");
}

TEST_F(IniFileTest, NoCurrentSection)
{
    kv::IniFile ini;
    ini.setValue("k", "1");
    ini.setComment("c");
    bool found = true;
    EXPECT_EQ(ini.getValue("k", &found), "");
    EXPECT_FALSE(found);
    ASSERT_TRUE(ini.save(dir + "/empty.ini"));
    EXPECT_EQ(read(dir + "/empty.ini"), "");
}

struct EncodeCase {
    const char* name;
    std::string value;
    std::string stored;   // file form
    std::string reloaded; // after save and load
};

TEST_F(IniFileTest, SetValueEncodesAndRoundTrips)
{
    const std::vector<EncodeCase> cases = {
        {"plain", "abc", "abc", "abc"},
        {"empty", "", "", ""},
        {"inner quote unquoted", "a\"b", "a\"b", "a\"b"},
        {"leading quote", "\"q", "\"\"\"q\"", "\"q"},
        {"line feed", "a\nb", "\"a\nb\"", "a\nb"},
        {"line feed and quotes", "a\"b\nc\"", "\"a\"\"b\nc\"\"\"", "a\"b\nc\""},
        {"CR before LF dropped", "a\r\nb", "\"a\nb\"", "a\nb"},
        {"lone CR kept", "a\rb", "a\rb", "a\rb"},
        {"leading blank", " Bob", "\" Bob\"", " Bob"},
        {"leading tab", "\tx", "\"\tx\"", "\tx"},
        {"leading equals", "=x", "\"=x\"", "=x"},
        {"comment markers", "#x;y", "#x;y", "#x;y"},
        {"trailing blank", "x ", "x ", "x "},
        {"header-like", "[x]", "[x]", "[x]"},
        {"ends in a line feed", "x\n", "\"x\n\"", "x\n"},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        kv::IniFile ini;
        ini.setSection("s");
        ini.setValue("key", c.value);
        ini.setValue("after", "1");
        EXPECT_EQ(ini.getValue("key"), c.stored);
        std::string path = dir + "/encode.ini";
        ASSERT_TRUE(ini.save(path));
        kv::IniFile back;
        ASSERT_TRUE(back.load(path));
        back.setSection("s");
        EXPECT_EQ(back.getValue("key"), c.reloaded);
        EXPECT_EQ(back.getValue("after"), "1");
    }
}

TEST_F(IniFileTest, SaveLayout)
{
    kv::IniFile ini;
    ini.setSection("a");
    ini.setValue("x", "1");
    ini.setValue("y", "2");
    ini.setSection("B");
    ini.setComment("first line\nsecond line");
    ini.setValue("z", "3");
    ini.setSection("A"); // selects a: spelling, order and keys stay
    ini.setValue("X", "4");
    ini.setValue("w", "5");
    std::string path = dir + "/layout.ini";
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(ini.fileName, path);
    EXPECT_EQ(read(path), "\n[a]\nx=4\ny=2\nw=5\n"
                          "\n[B]\n; first line\n; second line\nz=3\n");
}

TEST_F(IniFileTest, SaveKeepsLoadedSpellingAndRepeatedKeysMoveToTheEnd)
{
    kv::IniFile ini;
    ASSERT_TRUE(ini.load(write("in.ini", "[Video]\nWidth=800\nk=1\nj=2\nK=3\nlast=4\n")));
    ini.setSection("video");
    ini.setValue("WIDTH", "1024");
    std::string path = dir + "/out.ini";
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(read(path), "\n[Video]\nWidth=1024\nj=2\nK=3\nlast=4\n");
}

// Two copies of the game saving one settings file: every save succeeds, a reader only ever
// sees one whole version or the other, and no temporary is left behind.
TEST_F(IniFileTest, ConcurrentSavesOfOneFileStayWhole)
{
    const std::string path = dir + "/shared.ini";
    kv::IniFile copies[2];
    std::string texts[2];
    for (int i = 0; i < 2; ++i) {
        copies[i].setSection("copy");
        // About 34 KB: more than one buffered write, so an overlap would show.
        for (int k = 0; k < 2000; ++k)
            copies[i].setValue("key" + std::to_string(k), std::string(8, char('a' + i)));
        texts[i] = copies[i].saveToText();
    }
    ASSERT_TRUE(copies[0].save(path));

    std::atomic<int> writersLeft{2};
    std::atomic<int> failedSaves{0};
    std::vector<std::thread> writers;
    for (int i = 0; i < 2; ++i)
        writers.emplace_back([&, i] {
            for (int n = 0; n < 100; ++n)
                if (!copies[i].save(path))
                    ++failedSaves;
            --writersLeft;
        });
    int reads = 0, badReads = 0;
    std::string badExample;
    while (writersLeft > 0) {
        std::string text;
        ++reads;
        if (!kv::readWholeFile(path, text) || (text != texts[0] && text != texts[1])) {
            ++badReads;
            badExample = std::to_string(text.size()) + " bytes";
        }
    }
    for (std::thread& writer : writers)
        writer.join();

    EXPECT_EQ(failedSaves, 0);
    EXPECT_EQ(badReads, 0) << "of " << reads << " reads, e.g. " << badExample;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"shared.ini"});
}

TEST_F(IniFileTest, SectionsNotReusedWhenAsked)
{
    kv::IniFile ini;
    ini.reuseSections = false;
    ini.setSection("a");
    ini.setValue("k", "1");
    ini.setSection("A");
    ini.setValue("k", "2");
    ASSERT_TRUE(ini.save(dir + "/two.ini"));
    EXPECT_EQ(read(dir + "/two.ini"), "\n[a]\nk=1\n\n[A]\nk=2\n");
}

TEST_F(IniFileTest, SaveReplacesAtomically)
{
    std::string path = write("settings.ini", "\n[old]\nk=1\n");
    kv::IniFile ini;
    ini.setSection("new");
    ini.setValue("k", "2");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(read(path), "\n[new]\nk=2\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    std::string unwritable = dir + "/no/such/folder/x.ini";
    EXPECT_FALSE(ini.save(unwritable));
    EXPECT_EQ(ini.lastError, "Unable to write to " + unwritable);
    EXPECT_EQ(ini.fileName, path);

    // A target that cannot be replaced (a folder) keeps its place and leaves no temporary.
    std::filesystem::create_directory(dir + "/folder.ini");
    EXPECT_FALSE(ini.save(dir + "/folder.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/folder.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/folder.ini.tmp"));
}

TEST_F(IniFileTest, SaveGoesThroughTheResolver)
{
    std::filesystem::create_directory(dir + "/Base");
    std::string path = write("Base/Settings.ini", "[a]\nk=1\n");
    kv::IniFile ini;
    ASSERT_TRUE(ini.load(dir + "\\base\\settings.INI"));
    ini.setSection("a");
    ini.setValue("k", "2");
    ASSERT_TRUE(ini.save(dir + "\\BASE\\SETTINGS.ini"));
    EXPECT_EQ(read(path), "\n[a]\nk=2\n");
}

struct ColourCase {
    const char* name;
    std::string text; // lines of section [c]
    sf::Color expected;
};

TEST_F(IniFileTest, GetColourNotations)
{
    const sf::Color fallback(9, 8, 7, 6);
    const std::vector<ColourCase> cases = {
        {"#RRGGBB", "v=#FF8000", sf::Color(255, 128, 0, 255)},
        {"#RRGGBBAA lower case", "v=#ff800080", sf::Color(255, 128, 0, 128)},
        {"seven hex digits", "v=#FF8000F", sf::Color(255, 128, 0, 255)},
        {"extra characters ignored", "v=#01020304zz", sf::Color(1, 2, 3, 4)},
        {"non-hex pairs", "v=#GG1G00", sf::Color(0, 1, 0, 255)},
        {"short hex", "v=#fff", fallback},
        {"comma list with blanks", "v=10, 20 ,30", sf::Color(10, 20, 30, 255)},
        {"four pieces", "v=1,2,3,4", sf::Color(1, 2, 3, 4)},
        {"more pieces ignored", "v=1,2,3,4,5", sf::Color(1, 2, 3, 4)},
        {"low byte", "v=300,-1,256", sf::Color(44, 255, 0, 255)},
        {"two pieces", "v=1,2", fallback},
        {"word", "v=red", fallback},
        {"split notation", "v.r=1\nv.g=2\nv.b=3", sf::Color(1, 2, 3, 255)},
        {"split notation with alpha", "v.r=1\nv.g=2\nv.b=3\nv.a=4", sf::Color(1, 2, 3, 4)},
        {"split notation incomplete", "v.r=1\nv.g=2\nv.b=", fallback},
        {"value wins over split", "v=5,6,7\nv.r=1\nv.g=2\nv.b=3", sf::Color(5, 6, 7, 255)},
        {"missing", "", fallback},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        kv::IniFile ini;
        ASSERT_TRUE(ini.load(write("colour.ini", "[c]\n" + c.text + "\n")));
        ini.setSection("c");
        EXPECT_EQ(ini.getColour("v", fallback), c.expected);
    }
}

TEST_F(IniFileTest, NamedColours)
{
    const std::string text = "[c]\nclA=#010203\nclB=clA\nclC=cla\nclD=clMissing\nclE=clB\n";
    const sf::Color fallback(9, 8, 7, 6);

    kv::IniFile off;
    ASSERT_TRUE(off.load(write("named.ini", text)));
    off.setSection("c");
    off.getColour("clA", fallback);
    EXPECT_EQ(off.getColour("clB", fallback), fallback);

    kv::IniFile ini;
    ASSERT_TRUE(ini.load(dir + "/named.ini"));
    ini.setSection("c");
    ini.namedColours = true;
    EXPECT_EQ(ini.getColour("clA", fallback), sf::Color(1, 2, 3));
    EXPECT_EQ(ini.getColour("clB", fallback), sf::Color(1, 2, 3));
    EXPECT_EQ(ini.getColour("clE", fallback), sf::Color(1, 2, 3)); // through clB
    EXPECT_EQ(ini.getColour("clC", fallback), fallback);           // names are case-sensitive
    // A default is remembered too.
    EXPECT_EQ(ini.getColour("clMissing", sf::Color(4, 5, 6)), sf::Color(4, 5, 6));
    EXPECT_EQ(ini.getColour("clD", fallback), sf::Color(4, 5, 6));
}

TEST_F(IniFileTest, SetColourRoundTrips)
{
    kv::IniFile ini;
    ini.setSection("c");
    ini.setColour("v", sf::Color(255, 0, 16, 128));
    EXPECT_EQ(ini.getValue("v"), "255,0,16,128");
    EXPECT_EQ(ini.getColour("v", sf::Color::Black), sf::Color(255, 0, 16, 128));
}

struct HeaderCase {
    const char* name;
    std::string text;
    const char* error; // empty when the check passes
};

TEST_F(IniFileTest, CheckHeader)
{
    const std::vector<HeaderCase> cases = {
        {"valid, id in other case", "[Info]\nID=tvl map list\nversion=1\n", ""},
        {"advanced", "[info]\nid=tvl map list\nversion=2\n", "Advanced file version: "},
        {"obsolete", "[info]\nid=TVL Map List\nversion=0\n", "Obselete file version: "},
        {"non-numeric version", "[info]\nid=TVL Map List\nversion=new\n", "Obselete file version: "},
        {"no version", "[info]\nid=TVL Map List\n", "No version specified in file: "},
        {"empty version", "[info]\nid=TVL Map List\nversion=\n", "No version specified in file: "},
        {"version -1", "[info]\nid=TVL Map List\nversion=-1\n", "No version specified in file: "},
        {"wrong id", "[info]\nid=TVL Maps\nversion=1\n", "Invalid file: "},
        {"no info section", "[maps]\nid=TVL Map List\nversion=1\n", "Invalid file: "},
        {"id section instead", "[id]\nid=TVL Map List\nversion=1\n", ""},
        {"empty file", "", "Invalid file: "},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        kv::IniFile ini;
        std::string path = write("header.ini", c.text);
        ASSERT_TRUE(ini.load(path));
        bool ok = ini.checkHeader("TVL Map List");
        EXPECT_EQ(ok, std::string(c.error).empty());
        if (!ok) {
            EXPECT_EQ(ini.lastError, std::string("IniFile::checkHeader: ") + c.error + path);
        }
    }
}

TEST_F(IniFileTest, CheckHeaderLeavesCheckedSectionCurrent)
{
    kv::IniFile ini;
    ASSERT_TRUE(ini.load(write("h.ini", "[maps]\nm=1\n[info]\nid=x\nversion=1\nextra=e\n")));
    ini.setSection("maps");
    ASSERT_TRUE(ini.checkHeader("X"));
    EXPECT_EQ(ini.getValue("extra"), "e");
}

} // namespace
