// The file dialog in a real window, answered by clicks and keys as a player would.
#include "core/Paths.h"
#include "core/Scene.h"
#include "dialogs/FileDialog.h"
#include "platform/FileSystem.h"
#include "support/Display.h"
#include "ui/Component.h"

#include "support/UiTestSupport.h"
#include "support/DialogScript.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace kv;
using test::DialogScript;

namespace {

namespace fs = std::filesystem;

// A folder holding sub/inner.wav and b.wav, and a dialog for music files opened on it.
class FileDialogDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
        Keyboard::buildKeyNames();
        root = fs::temp_directory_path() / ("fddisplay" + std::to_string(::getpid()));
        fs::create_directories(root / "sub");
        std::ofstream(root / "sub" / "inner.wav") << "x";
        std::ofstream(root / "b.wav") << "x";
        clearPathCache();
        dialog.create();
        ASSERT_TRUE(dialog.created);
        dialog.setPath(root.string() + "/");
        dialog.addMusicFileTypes();
        SceneManager::zeroDtNextFrame = false;
    }
    void TearDown() override
    {
        dialog.destroy();
        InputHooks::reset();
        fs::remove_all(root);
        test::closeTestWindow();
    }
    // The middle of a visible row of the file list, in window pixels.
    sf::Vector2i rowPoint(int row)
    {
        const ListBox& list = dialog.fileList;
        return {static_cast<int>(list.position.x + 40),
                static_cast<int>(list.position.y + (static_cast<float>(row) + 0.5f) * list.rowHeight())};
    }
    std::string rowText(int row) const
    {
        return row < dialog.fileList.count() ? dialog.fileList.items[row].text : "(none)";
    }

    test::FakeInput fake;
    fs::path root;
    FileDialog dialog;
};

TEST_F(FileDialogDisplay, DoubleClickEntersAFolderAndAcceptsAFile)
{
    std::string listedFirst, enteredFirst;
    DialogScript script;
    script.at(3, [&](DialogScript&) { listedFirst = rowText(0); });
    script.click(4, rowPoint(0)).click(8, rowPoint(0));
    script.at(14, [&](DialogScript&) { enteredFirst = rowText(0); });
    script.click(16, rowPoint(0)).click(20, rowPoint(0));

    EXPECT_EQ(dialog.showModal(), 1);
    EXPECT_EQ(listedFirst, "sub\\");
    EXPECT_EQ(enteredFirst, "inner.wav");
    EXPECT_EQ(dialog.fileNameEdit.edit.text, "inner.wav");
    EXPECT_EQ(dialog.currentFolder, getFullPath(root.string()) + "\\sub\\");
    EXPECT_TRUE(SceneManager::zeroDtNextFrame);
}

TEST_F(FileDialogDisplay, OkWithoutANameSaysSoAndStaysThenDownSelectsTheFirstRow)
{
    int ticksAfterMessage = -1;
    int32_t selectedAfterDown = -2;
    bool listFocused = false;
    DialogScript script;
    script.press(4, sf::Keyboard::Enter);  // Ok with an empty name: the message
    script.press(20, sf::Keyboard::Enter); // closes the message
    script.at(30, [&](DialogScript& s) { ticksAfterMessage = static_cast<int>(s.tick()); });
    script.press(32, sf::Keyboard::Down);
    script.at(36, [&](DialogScript&) {
        selectedAfterDown = dialog.fileList.selected;
        listFocused = focusedComponentId == dialog.fileList.id;
    });
    script.press(40, sf::Keyboard::Escape);

    EXPECT_EQ(dialog.showModal(), 0);
    EXPECT_EQ(ticksAfterMessage, 30) << "the dialog ended with the message";
    EXPECT_EQ(selectedAfterDown, 0);
    EXPECT_TRUE(listFocused);
    EXPECT_TRUE(SceneManager::zeroDtNextFrame);
}

TEST_F(FileDialogDisplay, ATypedNameWithoutADotTakesTheFirstType)
{
    DialogScript script;
    script.type(4, "song");
    script.press(10, sf::Keyboard::Enter);
    EXPECT_EQ(dialog.showModal(), 1);
    EXPECT_EQ(dialog.fileNameEdit.edit.text, "song.wav");
}

TEST_F(FileDialogDisplay, UpLeadsToTheParentAndTheRootDisablesIt)
{
    dialog.setPath("/tmp/");
    bool enabledBelowRoot = false, enabledAtRoot = true;
    std::string afterUp;
    DialogScript script;
    script.at(3, [&](DialogScript&) { enabledBelowRoot = dialog.upButton.enabled; });
    const sf::Vector2f up = dialog.upButton.position + dialog.upButton.size / 2.0f;
    script.click(4, {static_cast<int>(up.x), static_cast<int>(up.y)});
    script.at(10, [&](DialogScript&) {
        afterUp = dialog.currentFolder;
        enabledAtRoot = dialog.upButton.enabled;
    });
    script.press(12, sf::Keyboard::Escape);

    EXPECT_EQ(dialog.showModal(), 0);
    EXPECT_TRUE(enabledBelowRoot);
    EXPECT_EQ(afterUp, "\\");
    EXPECT_FALSE(enabledAtRoot);
}

} // namespace
