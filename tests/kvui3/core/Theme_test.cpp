#include "core/Framework.h"
#include "core/Theme.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {
void loadThemeText(const char* text)
{
    testsupport::TempDir dir;
    if (text)
        dir.write("uiConfig.ini", text);
    kv::uiConfigPath = (dir.path() / "uiConfig.ini").string();
    kv::resetTheme();
    kv::loadTheme();
}
} // namespace

TEST(Theme, MissingFileGivesDefaults)
{
    loadThemeText(nullptr);
    EXPECT_EQ(kv::theme.themeName, "Unamed theme");
    EXPECT_EQ(kv::theme.clFormBack, sf::Color(200, 200, 200, 255));
    EXPECT_EQ(kv::theme.clHintBack, sf::Color(255, 255, 255, 192));
    EXPECT_EQ(kv::theme.clEditorBack, sf::Color(58, 58, 58, 255));
    EXPECT_FALSE(kv::theme.darkTheme);
    EXPECT_TRUE(kv::theme.coolMenuAnimateCurrentIcon);
    EXPECT_FLOAT_EQ(kv::theme.hintShadowOffset, 8.0f);
}

TEST(Theme, OptionsAndColourNotations)
{
    loadThemeText("[options]\nthemeName=Night\ndarkTheme=Yes\ncoolMenuAnimateCurrentIcon=on\nhintShadowOffset=3.5\n"
                  "[button]\nclButtonBack=#102030\nclButtonText=1, 2, 3, 4\nclButtonIcon=clButtonBack\n"
                  "[messages]\nclMessageError.r=9\nclMessageError.g=8\nclMessageError.b=7\n");
    EXPECT_EQ(kv::theme.themeName, "Night");
    EXPECT_TRUE(kv::theme.darkTheme);
    EXPECT_FALSE(kv::theme.coolMenuAnimateCurrentIcon);
    EXPECT_FLOAT_EQ(kv::theme.hintShadowOffset, 3.5f);
    EXPECT_EQ(kv::theme.clButtonBack, sf::Color(0x10, 0x20, 0x30, 255));
    EXPECT_EQ(kv::theme.clButtonText, sf::Color(1, 2, 3, 4));
    EXPECT_EQ(kv::theme.clButtonIcon, sf::Color(0x10, 0x20, 0x30, 255)); // a colour named by an earlier key
    EXPECT_EQ(kv::theme.clMessageError, sf::Color(9, 8, 7, 255));
    EXPECT_EQ(kv::theme.clButtonBorderDark, sf::Color(128, 128, 128, 255));
    EXPECT_EQ(kv::theme.clMessageWarning, sf::Color(243, 115, 23, 255));
}
