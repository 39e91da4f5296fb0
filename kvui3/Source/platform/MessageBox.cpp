#include "platform/MessageBox.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

extern char** environ;

namespace kv {

namespace {

// xmessage's own exit values for the first and second of several buttons.
constexpr int xmessageSecondButton = 102;

// Keys answer on release, so that no release reaches the game window after the box is gone:
// Return takes the first button, Escape the second (or closes a box with one button). The
// "\n" separating the bindings is Xt's own escape, not a line break.
const char* const plainBoxKeys = "xmessage*translations: #override "
                                 "<KeyPress>Return: \\n <KeyRelease>Return: exit(0) \\n "
                                 "<KeyPress>Escape: \\n <KeyRelease>Escape: exit(0)";
const char* const yesNoBoxKeys = "xmessage*translations: #override "
                                 "<KeyPress>Return: \\n <KeyRelease>Return: exit(101) \\n "
                                 "<KeyPress>Escape: \\n <KeyRelease>Escape: exit(102)";

struct Hooks {
    std::mutex mutex;
    MessageBoxHook messageBox;
    YesNoHook yesNo;
};

Hooks& hooks()
{
    static Hooks h;
    return h;
}

bool canShowBoxes()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display && !std::getenv("TVL_TEST");
}

// Runs xmessage with the given options, then the text (no shell: the text holds paths and
// anything else). xmessage shows a "--" as text, so a text that looks like an option gets a
// leading blank instead. The exit status, or -1 when it could not run.
int runXmessage(std::vector<std::string> args, const std::string& text)
{
    args.insert(args.begin(), "xmessage");
    args.push_back(!text.empty() && text[0] == '-' ? " " + text : text);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xmessage", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

void showPlainMessageBox(const std::string& text, const std::string& caption)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    MessageBoxHook hook;
    {
        std::lock_guard<std::mutex> lock(hooks().mutex);
        hook = hooks().messageBox;
    }
    if (hook)
        hook(text, caption);
    else if (canShowBoxes())
        runXmessage({"-center", "-title", caption, "-xrm", plainBoxKeys}, text);
}

bool askYesNo(const std::string& text, const std::string& caption)
{
    YesNoHook hook;
    {
        std::lock_guard<std::mutex> lock(hooks().mutex);
        hook = hooks().yesNo;
    }
    if (hook)
        return hook(text, caption);
    if (!canShowBoxes())
        return true;
    // Only the No button itself answers No; a failure to show the box answers Yes.
    return runXmessage({"-center", "-title", caption, "-buttons", "Yes,No", "-default", "Yes",
                        "-xrm", yesNoBoxKeys},
                       text) != xmessageSecondButton;
}

void setMessageBoxHook(MessageBoxHook hook)
{
    std::lock_guard<std::mutex> lock(hooks().mutex);
    hooks().messageBox = std::move(hook);
}

void setYesNoHook(YesNoHook hook)
{
    std::lock_guard<std::mutex> lock(hooks().mutex);
    hooks().yesNo = std::move(hook);
}

} // namespace kv
