#include "graphics/Shaders.h"

#include "platform/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

namespace {

// A fresh folder of shader files per test.
class ShaderFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        fresh();
        kv::Shaders::clearSlots();
        kv::Shaders::setCompileFunction([this](kv::ShaderSlot&, const std::string& v, const std::string& f) {
            compiled.emplace_back(v, f);
            return compileResult;
        });
    }
    void TearDown() override
    {
        kv::Shaders::setCompileFunction(nullptr);
        kv::Shaders::clearSlots();
    }
    // An empty folder in place of the previous one.
    void fresh()
    {
        temp.reset();
        temp = std::make_unique<testsupport::TempDir>();
        dir = temp->path().string();
        kv::clearPathCache();
    }
    void write(const std::string& name, const std::string& text) { temp->write(name, text); }
    std::string path(const std::string& name) const { return dir + "/" + name; }

    std::unique_ptr<testsupport::TempDir> temp;
    std::string dir;
    std::vector<std::pair<std::string, std::string>> compiled;
    bool compileResult = true;
};

std::string wrapped(const std::string& name, const std::string& text)
{
    return "\n// Begin " + name + ":\n" + text + "// End " + name + "\n";
}

struct PreprocessCase {
    const char* label;
    std::vector<std::pair<std::string, std::string>> files; // the first one is preprocessed
    std::string expected;                                   // "" means the file fails
    const char* error;                                      // part of the logged error, or nullptr
};

using Preprocess = ShaderFiles;

TEST_F(Preprocess, IncludeRulesTable)
{
    const std::string b = "float b;\n";
    const std::vector<PreprocessCase> cases = {
        {"no space before the quote", {{"a.glsl", "x\n#include\"b.glsl\"\ny\n"}, {"b.glsl", b}},
         "x\n" + wrapped("b.glsl", b) + "y\n", nullptr},
        {"several spaces", {{"a.glsl", "#include    \"b.glsl\"\n"}, {"b.glsl", b}}, wrapped("b.glsl", b), nullptr},
        {"a tab is not a space", {{"a.glsl", "#include\t\"b.glsl\"\n"}, {"b.glsl", b}}, "",
         "Invalid syntax, expected a \" after #include"},
        {"include at the end of the line", {{"a.glsl", "x\n#include"}}, "",
         "Invalid syntax, expected a \" after #include"},
        {"commented-out include is an ordinary line", {{"a.glsl", "// #include \"b.glsl\"\n"}, {"b.glsl", b}},
         "// #include \"b.glsl\"\n", nullptr},
        {"comment after the quote is dropped", {{"a.glsl", "  #include \"b.glsl\" // shared\n"}, {"b.glsl", b}},
         wrapped("b.glsl", b), nullptr},
        {"missing closing quote", {{"a.glsl", "#include \"b.glsl\n"}, {"b.glsl", b}}, "",
         "Invalid syntax, expected a \" but found EOL"},
        {"missing include", {{"a.glsl", "x\n#include \"nope.glsl\"\n"}}, "", "Unable to find nope.glsl"},
        {"same file by two relative paths and another case",
         {{"a.glsl", "#include \"b.glsl\"\n#include \"sub/../b.glsl\"\n#include \"B.GLSL\"\nz\n"},
          {"b.glsl", b},
          {"sub/keep.txt", ""}},
         wrapped("b.glsl", b) + "z\n", nullptr},
        {"two files that differ only in case stay two",
         {{"a.glsl", "#include \"b.glsl\"\n#include \"B.glsl\"\n"}, {"b.glsl", b}, {"B.glsl", "float B;\n"}},
         wrapped("b.glsl", b) + wrapped("B.glsl", "float B;\n"), nullptr},
        {"self-include loses only that line", {{"a.glsl", "x\n#include \"a.glsl\"\ny\n"}}, "x\ny\n", nullptr},
        {"nesting resolves relative to the including file",
         {{"a.glsl", "#include \"sub/c.glsl\"\nmain\n"}, {"sub/c.glsl", "c\n#include \"d.glsl\"\n"},
          {"sub/d.glsl", "d\n"}},
         wrapped("sub/c.glsl", "c\n" + wrapped("d.glsl", "d\n")) + "main\n", nullptr},
        {"a file shared by two includes enters once",
         {{"a.glsl", "#include \"b.glsl\"\n#include \"c.glsl\"\n"}, {"b.glsl", "#include \"d.glsl\"\n"},
          {"c.glsl", "#include \"d.glsl\"\nc\n"}, {"d.glsl", "d\n"}},
         wrapped("b.glsl", wrapped("d.glsl", "d\n")) + wrapped("c.glsl", "c\n"), nullptr},
        {"an include cycle fails the whole file",
         {{"a.glsl", "#include \"b.glsl\"\n"}, {"b.glsl", "#include \"a.glsl\"\nb\n"}}, "",
         "Include cycle through a.glsl"},
        {"an error inside an included file fails the whole file",
         {{"a.glsl", "x\n#include \"b.glsl\"\ny\n"}, {"b.glsl", "#include \"gone.glsl\"\n"}}, "",
         "Unable to find gone.glsl"},
        {"carriage returns are stripped", {{"a.glsl", "x\r\n#include \"b.glsl\"\r\ny"}, {"b.glsl", b}},
         "x\n" + wrapped("b.glsl", b) + "y\n", nullptr},
    };
    for (const PreprocessCase& c : cases) {
        SCOPED_TRACE(c.label);
        fresh();
        for (const auto& [name, text] : c.files)
            write(name, text);
        std::vector<std::string> included;
        ::testing::internal::CaptureStderr();
        const std::string text = kv::Shaders::preprocess(path(c.files.front().first), included);
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(text, c.expected);
        if (c.error)
            EXPECT_NE(log.find(c.error), std::string::npos) << log;
        else
            EXPECT_EQ(log.find("Error: "), std::string::npos) << log;
    }
}

TEST_F(Preprocess, UnreadableOrEmptyPath)
{
    std::vector<std::string> included;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(kv::Shaders::preprocess(path("missing.vert"), included), "");
    EXPECT_EQ(kv::Shaders::preprocess("", included), "");
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Error: Error loading shader " + path("missing.vert") + ": Unable to open file"),
              std::string::npos);
}

using Registry = ShaderFiles;

TEST_F(Registry, RefusesEmptyAndMissingPaths)
{
    write("s.frag", "f\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(kv::Shaders::addShader("", ""), -1);
    const std::string quiet = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(quiet, "");

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(kv::Shaders::addShader(path("none.vert"), path("s.frag")), -1);
    EXPECT_EQ(kv::Shaders::addShader(path("s.frag"), path("none.frag")), -1);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Vertex shader file not found: " + path("none.vert")), std::string::npos);
    EXPECT_NE(log.find("Fragment shader file not found: " + path("none.frag")), std::string::npos);
    EXPECT_TRUE(compiled.empty());
}

TEST_F(Registry, HandsOutSlotsUpTo1023ThenRefusesSilently)
{
    write("s.vert", "v\n");
    for (kv::ShaderId expected = 1; expected < kv::shaderSlotCount; ++expected)
        ASSERT_EQ(kv::Shaders::addShader(path("s.vert"), ""), expected);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(kv::Shaders::addShader(path("s.vert"), ""), -1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(&kv::getShaderSlot(-1), &kv::shaderSlots[0]);
    EXPECT_EQ(&kv::getShaderSlot(1024), &kv::shaderSlots[0]);
    EXPECT_FALSE(kv::Shaders::loadShader(-1));
    EXPECT_FALSE(kv::Shaders::loadShader(1024));
}

TEST_F(Registry, CompileFailureKeepsTheIdUnloaded)
{
    write("s.vert", "v\n");
    write("s.frag", "f\n");
    compileResult = false;
    ::testing::internal::CaptureStderr();
    const kv::ShaderId id = kv::Shaders::addShader(path("s.vert"), path("s.frag"));
    const std::string log = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(id, 1);
    EXPECT_TRUE(kv::shaderSlots[id].used);
    EXPECT_FALSE(kv::shaderSlots[id].loaded);
    EXPECT_NE(log.find("Error loading vertex and fragment shaders from " + path("s.vert") + " and " + path("s.frag")),
              std::string::npos);
    ASSERT_EQ(compiled.size(), 1u);
    EXPECT_EQ(compiled[0], std::make_pair(std::string("v\n"), std::string("f\n")));
}

TEST_F(Registry, BrokenStageOfAPairIsNeverCompiledAlone)
{
    write("s.vert", "v\n");
    write("s.frag", "#include \"missing.glsl\"\n");
    ::testing::internal::CaptureStderr();
    const kv::ShaderId id = kv::Shaders::addShader(path("s.vert"), path("s.frag"));
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(id, 1);
    EXPECT_FALSE(kv::shaderSlots[id].loaded);
    EXPECT_TRUE(compiled.empty());
}

TEST_F(Registry, SingleStagePrograms)
{
    write("s.vert", "v\n");
    write("s.frag", "f\n");
    EXPECT_TRUE(kv::shaderSlots[kv::Shaders::addShader(path("s.vert"), "")].loaded);
    EXPECT_TRUE(kv::shaderSlots[kv::Shaders::addShader("", path("s.frag"))].loaded);
    ASSERT_EQ(compiled.size(), 2u);
    EXPECT_EQ(compiled[0], std::make_pair(std::string("v\n"), std::string()));
    EXPECT_EQ(compiled[1], std::make_pair(std::string(), std::string("f\n")));
}

TEST_F(Registry, ReloadKeepsIdsAndRecompilesFromDisk)
{
    write("a.vert", "a\n");
    write("b.frag", "b\n");
    const kv::ShaderId a = kv::Shaders::addShader(path("a.vert"), "");
    const kv::ShaderId b = kv::Shaders::addShader("", path("b.frag"));
    write("a.vert", "a2\n");
    write("b.frag", "#include \"gone.glsl\"\n");
    compiled.clear();
    ::testing::internal::CaptureStderr();
    kv::Shaders::reloadAll();
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Reloaded shaders"), std::string::npos);
    ASSERT_EQ(compiled.size(), 1u);
    EXPECT_EQ(compiled[0].first, "a2\n");
    EXPECT_TRUE(kv::shaderSlots[a].loaded);
    EXPECT_FALSE(kv::shaderSlots[b].loaded);
    EXPECT_EQ(kv::shaderSlots[b].fragmentPath, path("b.frag"));
    EXPECT_EQ(kv::Shaders::addShader(path("a.vert"), ""), 3);
}

} // namespace
