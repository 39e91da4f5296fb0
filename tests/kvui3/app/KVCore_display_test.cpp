// Start-up in a real window, from a kvui3.ini of a scratch folder beside the framework's data.
#include "app/KVCore.h"
#include "core/Framework.h"
#include "core/Settings.h"
#include "platform/FileSystem.h"
#include "support/Display.h"
#include "support/TempDir.h"
#include "ui/Console.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kv;

namespace {

// Emulation asked for at start: the console is laid out for the emulated view, so its edit
// line sits at the view's bottom rather than below it, where the window's own size put it.
TEST(KVCoreDisplay, EmulationAtStartLaysTheConsoleOutForTheEmulatedView)
{
    REQUIRE_DISPLAY();
    testsupport::TempDir dir;
    std::filesystem::create_directory_symlink(std::filesystem::path(TVL_GAME_DIR) / "kvui3", dir.path() / "kvui3");
    dir.write("kvui3.ini", "[info]\nversion=3\n[video]\nwidth=1024\nheight=768\nwindow=True\nantialiasingLevel=0\n"
                           "vsyncEnabled=False\nfpsLimit=60\nemulatedWidth=640\nemulatedHeight=480\n");
    dir.enter();
    clearPathCache();
    ASSERT_TRUE(KVCore::init());
    ASSERT_TRUE(emulatingResolution);
    const sf::Vector2f view = renderWindow->getView().getSize();
    EXPECT_EQ(view, sf::Vector2f(640, 480));

    const ConsoleWidgets& console = *consoleWidgets;
    EXPECT_EQ(console.consoleForm.size, view - sf::Vector2f(10, 10));
    const TextBox& edit = console.consoleEdit;
    const float editBottom = edit.position.y + edit.size.y;
    EXPECT_LE(editBottom, view.y - 5) << "the edit line lies below the view";
    EXPECT_GT(editBottom, view.y - 15) << "the edit line is not at the console's bottom";
    KVCore::shutdown();
}

} // namespace
