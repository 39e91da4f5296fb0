#include "platform/MessageBox.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// Puts a stand-in xmessage first on PATH and pretends a display exists, so the default boxes
// run it. The stand-in writes one argument per line to args.txt and exits with the given code.
class FakeXmessage {
public:
    explicit FakeXmessage(int exitCode)
    {
        dir.write("bin/xmessage", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                      (dir.path() / "args.txt").string() + "\"\nexit " +
                                      std::to_string(exitCode) + "\n");
        std::filesystem::permissions(dir.path() / "bin/xmessage", std::filesystem::perms::owner_all);
        save("PATH");
        save("DISPLAY");
        save("TVL_TEST");
        setenv("PATH", ((dir.path() / "bin").string() + ":" + saved[0].value).c_str(), 1);
        setenv("DISPLAY", ":99", 1);
        unsetenv("TVL_TEST");
    }
    ~FakeXmessage()
    {
        for (const auto& s : saved)
            s.had ? setenv(s.name, s.value.c_str(), 1) : unsetenv(s.name);
    }
    std::string args() const { return dir.read("args.txt"); }

private:
    struct Saved {
        const char* name;
        bool had;
        std::string value;
    };
    void save(const char* name)
    {
        const char* v = std::getenv(name);
        saved.push_back({name, v != nullptr, v ? v : ""});
    }
    testsupport::TempDir dir;
    std::vector<Saved> saved;
};

} // namespace

TEST(MessageBox, HooksReplaceTheBoxesAndStderrAlwaysGetsTheLine)
{
    std::string seen;
    kv::setMessageBoxHook([&](const std::string& text, const std::string& caption) {
        seen = caption + "|" + text;
    });
    testing::internal::CaptureStderr();
    kv::showPlainMessageBox("KVCore::init failed.", "Error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: KVCore::init failed.\n");
    EXPECT_EQ(seen, "Error|KVCore::init failed.");
    kv::setMessageBoxHook(nullptr);

    for (bool answer : {false, true}) {
        kv::setYesNoHook([&](const std::string& text, const std::string& caption) {
            seen = caption + "|" + text;
            return answer;
        });
        EXPECT_EQ(kv::askYesNo("Close?", "Confirm"), answer);
        EXPECT_EQ(seen, "Confirm|Close?");
    }
    kv::setYesNoHook(nullptr);
}

TEST(MessageBox, XmessageGetsTheTextAsOneArgumentWithoutAShell)
{
    // The text holds what a shell would act on; it must arrive as one literal argument.
    const std::string text = "-x $(touch pwned) `id`; \"q\" base\\a b";
    FakeXmessage fake(0);
    testing::internal::CaptureStderr();
    kv::showPlainMessageBox(text, "Error");
    testing::internal::GetCapturedStderr();
    std::string args = fake.args();
    EXPECT_EQ(args.rfind("-center\n-title\nError\n", 0), 0u) << args;
    // A text that looks like an option is shown with a leading blank (xmessage has no "--").
    EXPECT_TRUE(args.ends_with("exit(0)\n " + text + "\n")) << args;
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(MessageBox, YesNoReadsTheButtonAndFailuresAnswerYes)
{
    struct Case {
        int exitCode;
        bool answer;
    };
    // 101 and 102 are the first and second buttons; anything else is a box that failed.
    const Case cases[] = {{101, true}, {102, false}, {1, true}, {0, true}};
    for (const auto& c : cases) {
        FakeXmessage fake(c.exitCode);
        EXPECT_EQ(kv::askYesNo("Are you sure?", "Confirm"), c.answer) << c.exitCode;
        std::string args = fake.args();
        EXPECT_EQ(args.rfind("-center\n-title\nConfirm\n-buttons\nYes,No\n-default\nYes\n", 0), 0u)
            << args;
        EXPECT_TRUE(args.ends_with("\nAre you sure?\n")) << args;
        // Nine arguments before the text, each on its own line (a key binding with a real line
        // break in it would lose every binding after the first).
        EXPECT_EQ(std::count(args.begin(), args.end(), '\n'), 10) << args;
    }
}

TEST(MessageBox, WithoutADisplayOrInTestsNoBoxIsShown)
{
    for (const char* env : {"DISPLAY", "TVL_TEST"}) {
        FakeXmessage fake(102);
        if (std::string(env) == "DISPLAY")
            unsetenv("DISPLAY");
        else
            setenv("TVL_TEST", "1", 1);
        EXPECT_TRUE(kv::askYesNo("Are you sure?", "Confirm")) << env;
        testing::internal::CaptureStderr();
        kv::showPlainMessageBox("text", "Error");
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(fake.args(), "") << env;
    }
}
