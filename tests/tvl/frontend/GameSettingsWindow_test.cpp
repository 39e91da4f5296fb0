#include "frontend/GameSettingsWindow.h"

#include <gtest/gtest.h>

namespace {

// Edits reach the settings only through save; nothing else of the settings changes.
TEST(GameSettingsWindow, WorkingCopiesReachTheSettingsOnlyOnSave)
{
    tvl::GameSettings settings;
    settings.tokensCount = 30;
    settings.playerName = "Kept";
    tvl::GameSettingsEdit edit = tvl::GameSettingsEdit::from(settings);
    EXPECT_EQ(edit.tokensCount, 30);
    edit.tokensCount = 12;
    edit.skillLevel = 2;
    edit.itemsDensity = 4;
    EXPECT_EQ(settings.tokensCount, 30) << "a cancelled edit leaves the setting";

    edit.save(settings);
    EXPECT_EQ(settings.tokensCount, 12);
    EXPECT_EQ(settings.skillLevel, 2);
    EXPECT_EQ(settings.itemsDensity, 4);
    EXPECT_EQ(settings.playerName, "Kept");
}

// A typed value outside a control's range is brought into tvl.ini's.
TEST(GameSettingsWindow, SaveClampsAsTheSettingsFileDoes)
{
    struct Case {
        tvl::GameSettingsEdit edit, stored;
    } cases[] = {
        {{1, 0, 2}, {1, 1, 2}},
        {{1, -3, 2}, {1, 1, 2}},
        {{1, 9999, 2}, {1, 500, 2}},
        {{7, 25, -1}, {2, 25, 0}},
        {{-1, 25, 9}, {0, 25, 4}},
    };
    for (const Case& c : cases) {
        tvl::GameSettings settings;
        c.edit.save(settings);
        EXPECT_EQ(settings.skillLevel, c.stored.skillLevel);
        EXPECT_EQ(settings.tokensCount, c.stored.tokensCount);
        EXPECT_EQ(settings.itemsDensity, c.stored.itemsDensity);
    }
}

} // namespace
