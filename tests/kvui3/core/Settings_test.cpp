#include "core/IniFile.h"
#include "core/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

kv::FrameworkSettings loadFrom(const std::string& text)
{
    testsupport::TempDir dir;
    dir.write("kvui3.ini", text);
    kv::IniFile ini;
    EXPECT_TRUE(ini.load((dir.path() / "kvui3.ini").string()));
    kv::FrameworkSettings s;
    kv::readSettings(ini, s);
    return s;
}

} // namespace

TEST(FrameworkSettings, ReadsBooleansVersionRulesAndClamps)
{
    struct Case {
        const char* text;
        bool (*check)(const kv::FrameworkSettings&);
        const char* what;
    };
    const Case cases[] = {
        {"[video]\nwindow=YES\n", [](auto& s) { return s.window; }, "YES is windowed"},
        {"[video]\nwindow=on\n", [](auto& s) { return !s.window; }, "on is fullscreen"},
        {"[ui]\nhintsAlpha=64\n", [](auto& s) { return s.hintsAlpha == 192; }, "no version forces 192"},
        {"[info]\nversion=3\n[ui]\nhintsAlpha=64\n", [](auto& s) { return s.hintsAlpha == 64; }, "v3 keeps alpha"},
        {"[info]\nversion=3\n[ui]\nhintsAlpha=300\n", [](auto& s) { return s.hintsAlpha == 255; }, "alpha clamped"},
        {"[info]\nversion=2\n[audio]\nsoundAttenuation=0.5\n",
         [](auto& s) { return s.soundAttenuation == 0.01f; }, "v2 resets attenuation"},
        {"[info]\nversion=3\n[audio]\nsoundAttenuation=0.5\n",
         [](auto& s) { return s.soundAttenuation == 0.5f; }, "v3 keeps attenuation"},
        {"[info]\nversion=3\n[audio]\nsoundAttenuation=-1\n",
         [](auto& s) { return s.soundAttenuation == 0.01f; }, "negative attenuation"},
        {"[audio]\nmuteInactiveWindow=no\n", [](auto& s) { return !s.muteInactiveWindow; }, "mute no"},
        {"[audio]\nmuteInactiveWindow=-2\n", [](auto& s) { return s.muteInactiveWindow; }, "mute -2"},
        {"[audio]\n", [](auto& s) { return s.muteInactiveWindow; }, "mute absent"},
        {"[audio]\nglobalVolume=250\nsoundVolume=-5\n",
         [](auto& s) { return s.globalVolume == 100 && s.soundVolume == 0; }, "volumes clamped"},
        {"[video]\nfpsLimit=-60\nantialiasingLevel=-1\n",
         [](auto& s) { return s.fpsLimit == 0 && s.antialiasingLevel == 0; }, "no negative limits"},
        {"[audio]\n", [](auto& s) { return s.soundVolume == kv::defaultSoundVolume; }, "default volume"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(c.check(loadFrom(c.text)));
    }
}

TEST(FrameworkSettings, SavedFileHasItsFixedLayoutAndRoundTrips)
{
    testsupport::TempDir dir;
    dir.enter();
    kv::settings = kv::FrameworkSettings();
    kv::settings.width = 1280;
    kv::settings.height = 720;
    kv::settings.window = true;
    kv::settings.soundListenerHeight = 5.0f;
    kv::settings.soundAttenuation = 0.01f;
    kv::settings.musicLoadPath = "base\\Music\\";
    kv::settings.hintsAlpha = 100;
    ASSERT_TRUE(kv::saveSettings());

    std::string text = dir.read("kvui3.ini");
    EXPECT_EQ(text.rfind("\n[info]\nversion=3\n", 0), 0u) << text;
    size_t video = text.find("[video]"), audio = text.find("[audio]"), ui = text.find("[ui]");
    EXPECT_LT(video, audio);
    EXPECT_LT(audio, ui);
    EXPECT_NE(text.find("; Set either width or height to 0 to use detected desktop resolution.\n"
                        "; Any other width"),
              std::string::npos);
    EXPECT_NE(text.find("soundListenerHeight=5\n"), std::string::npos);
    EXPECT_NE(text.find("soundAttenuation=0.01\n"), std::string::npos);
    EXPECT_NE(text.find("window=True\n"), std::string::npos);
    EXPECT_NE(text.find("muteInactiveWindow=1\n"), std::string::npos);

    kv::FrameworkSettings saved = kv::settings;
    kv::settings = kv::FrameworkSettings();
    kv::loadSettings();
    EXPECT_FALSE(kv::settingsFileMissing);
    EXPECT_EQ(kv::settings.width, saved.width);
    EXPECT_EQ(kv::settings.height, saved.height);
    EXPECT_EQ(kv::settings.window, saved.window);
    EXPECT_EQ(kv::settings.musicLoadPath, saved.musicLoadPath);
    EXPECT_EQ(kv::settings.hintsAlpha, saved.hintsAlpha);
    EXPECT_EQ(kv::settings.soundAttenuation, saved.soundAttenuation);
}

TEST(FrameworkSettings, MissingFileGivesDefaults)
{
    testsupport::TempDir dir;
    dir.enter();
    kv::loadSettings();
    EXPECT_TRUE(kv::settingsFileMissing);
    EXPECT_EQ(kv::settings.width, 0);
    EXPECT_FALSE(kv::settings.window);
    EXPECT_EQ(kv::settings.bpp, 32);
}
