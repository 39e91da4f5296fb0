#include "ui/ScriptConsole.h"

#include "core/BinaryFile.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

#include "HistoryFileBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace kv;

namespace {

using kvtest::historyBytes;
using testsupport::le32;

class ScriptConsoleHistoryTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    void SetUp() override { dir.enter(); }
    void TearDown() override { scriptConsoleHistory.clear(); }
};

TEST_F(ScriptConsoleHistoryTest, RoundTripKeepsEveryEntryInOrder)
{
    const std::vector<std::string> entries = {"print 1", "", "a\nmulti-line\nscript", std::string(4096, 's')};
    dir.write(scriptConsoleHistoryFile, historyBytes(entries, 4));
    scriptConsoleHistory = {"stale"};
    EXPECT_TRUE(loadScriptConsoleHistory());
    EXPECT_EQ(scriptConsoleHistory, entries);
}

TEST_F(ScriptConsoleHistoryTest, DamagedFilesKeepTheEntriesReadBeforeTheDamage)
{
    std::string truncated = historyBytes({"one", "two"}, 2);
    truncated.resize(truncated.size() - 1);
    std::string refusedLength = historyBytes({"one"}, 3) + le32(5000) + std::string(5000, 'x');
    std::string negativeLength = historyBytes({"one"}, 2) + le32(0xFFFFFFFF);
    struct Case {
        const char* what;
        std::string bytes;
        bool whole;
        std::vector<std::string> expect;
    } cases[] = {
        {"a huge count over two entries", historyBytes({"one", "two"}, 0xFFFFFFFF), false, {"one", "two"}},
        {"a count one too high", historyBytes({"one", "two"}, 3), false, {"one", "two"}},
        {"a count lower than the entries", historyBytes({"one", "two"}, 1), true, {"one"}},
        {"the last string cut short", truncated, false, {"one"}},
        {"a length cut short", historyBytes({"one"}, 2) + "\x03\x00", false, {"one"}},
        {"a length above 4096", refusedLength, false, {"one"}},
        {"a negative length", negativeLength, false, {"one"}},
        {"no count", historyBytes({}, 0).substr(0, 36), false, {}},
        {"an empty file", "", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write(scriptConsoleHistoryFile, c.bytes);
        scriptConsoleHistory = {"stale"};
        EXPECT_EQ(loadScriptConsoleHistory(), c.whole);
        EXPECT_EQ(scriptConsoleHistory, c.expect);
        EXPECT_EQ(scriptConsoleHistoryIndex, 0u);
    }
}

TEST_F(ScriptConsoleHistoryTest, AWrongSignatureOrVersionOrAMissingFileLoadsNothing)
{
    struct Case {
        const char* what;
        std::string bytes; // empty: no file
    } cases[] = {
        {"another signature", historyBytes({"one"}, 1, 1, "KVUI3 Script Console Histor")},
        {"the signature in other case", historyBytes({"one"}, 1, 1, "kvui3 script console history")},
        {"version 0", historyBytes({"one"}, 1, 0)},
        {"version 2", historyBytes({"one"}, 1, 2)},
        {"no file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir.path() / scriptConsoleHistoryFile);
        if (!c.bytes.empty())
            dir.write(scriptConsoleHistoryFile, c.bytes);
        scriptConsoleHistory = {"stale"};
        EXPECT_FALSE(loadScriptConsoleHistory());
        EXPECT_TRUE(scriptConsoleHistory.empty());
    }
}

TEST_F(ScriptConsoleHistoryTest, TheFileReadsAsTheFrameworkWriterWritesIt)
{
    BinaryFileWriter out;
    ASSERT_TRUE(out.create("other.dat"));
    ASSERT_TRUE(out.writeHeader(scriptConsoleHistorySignature));
    ASSERT_TRUE(out.writeU32(2));
    ASSERT_TRUE(out.writeStdString32("first"));
    ASSERT_TRUE(out.writeStdString32("second"));
    ASSERT_TRUE(out.close());
    EXPECT_EQ(dir.read("other.dat"), historyBytes({"first", "second"}, 2));
    EXPECT_TRUE(loadScriptConsoleHistory("other.dat"));
    EXPECT_EQ(scriptConsoleHistory, (std::vector<std::string> {"first", "second"}));
}

} // namespace
