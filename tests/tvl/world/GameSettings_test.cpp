#include "core/IniFile.h"
#include "core/Settings.h"
#include "support/TempDir.h"
#include "world/GameSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

tvl::GameSettings readFrom(const std::string& text)
{
    kv::IniFile ini;
    ini.loadFromText(text);
    tvl::GameSettings s;
    s.playerName = "changed"; // every field must be set by the reader
    s.tokensCount = -77;
    tvl::readGameSettings(ini, s);
    return s;
}

bool sameSettings(const tvl::GameSettings& a, const tvl::GameSettings& b)
{
    return a.renderScale == b.renderScale && a.tokensCount == b.tokensCount &&
           a.skillLevel == b.skillLevel && a.itemsDensity == b.itemsDensity &&
           a.ambient == b.ambient && a.wildlife == b.wildlife && a.plants == b.plants &&
           a.plantsWind == b.plantsWind && a.ambientSoundsGain == b.ambientSoundsGain &&
           a.invertMouseWheel == b.invertMouseWheel && a.playerName == b.playerName &&
           a.playerColour == b.playerColour && a.aiColour == b.aiColour &&
           a.localServerPort == b.localServerPort && a.maxNetPlayers == b.maxNetPlayers &&
           a.serverMap == b.serverMap && a.lerpRate == b.lerpRate;
}

} // namespace

TEST(GameSettings, NoFileGivesDefaultsAndSavesSeventeenKeysInOrder)
{
    testsupport::TempDir dir;
    dir.enter();
    tvl::gameSettings.playerName = "left over";
    tvl::loadGameSettings();
    EXPECT_TRUE(sameSettings(tvl::gameSettings, tvl::GameSettings()));
    EXPECT_EQ(tvl::gameSettings.playerName, "Player");

    tvl::saveGameSettings();
    std::istringstream in(dir.read("tvl.ini"));
    std::string line, lines;
    while (std::getline(in, line))
        if (!line.empty())
            lines += line + "\n";
    EXPECT_EQ(lines, "[video]\nrenderScale=1.5\n"
                     "[game]\ntokensCount=25\nskillLevel=1\nitemsDensity=2\n"
                     "[user]\nplayerName=Player\nplayerColour=120,120,120,255\naiColour=135,87,51,255\n"
                     "[sound]\nambientSoundsGain=0.6\n"
                     "[mouse]\ninvertMouseWheel=False\n"
                     "[effects]\nambient=True\nwildlife=True\nplants=True\nplantsWind=True\n"
                     "[network]\nlocalServerPort=5911\nmaxNetPlayers=8\nserverMap=\nlerpRate=10\n");
}

TEST(GameSettings, ValuesAreReadAndBroughtIntoRange)
{
    struct Case {
        const char* text;
        bool (*check)(const tvl::GameSettings&);
        const char* what;
    };
    const Case cases[] = {
        {"[game]\ntokensCount=0", [](auto& s) { return s.tokensCount == 1; }, "tokens 0"},
        {"[game]\ntokensCount=9999", [](auto& s) { return s.tokensCount == 500; }, "tokens 9999"},
        {"[game]\ntokensCount=abc", [](auto& s) { return s.tokensCount == 1; }, "tokens abc"},
        {"[game]\ntokensCount=", [](auto& s) { return s.tokensCount == 25; }, "tokens empty"},
        {"[game]\ntokensCount=40", [](auto& s) { return s.tokensCount == 40; }, "tokens 40"},
        {"[network]\nmaxNetPlayers=1", [](auto& s) { return s.maxNetPlayers == 2; }, "players 1"},
        {"[network]\nmaxNetPlayers=20", [](auto& s) { return s.maxNetPlayers == 8; }, "players 20"},
        {"[game]\nskillLevel=7", [](auto& s) { return s.skillLevel == 2; }, "skill 7"},
        {"[game]\nskillLevel=0", [](auto& s) { return s.skillLevel == 0; }, "skill 0"},
        {"[game]\nitemsDensity=-3", [](auto& s) { return s.itemsDensity == 0; }, "density -3"},
        {"[game]\nitemsDensity=4", [](auto& s) { return s.itemsDensity == 4; }, "density 4"},
        {"[video]\nrenderScale=0", [](auto& s) { return s.renderScale == 0.1f; }, "scale 0"},
        {"[video]\nrenderScale=abc", [](auto& s) { return s.renderScale == 0.1f; }, "scale abc"},
        {"[video]\nrenderScale=-2", [](auto& s) { return s.renderScale == 0.1f; }, "scale -2"},
        {"[video]\nrenderScale=1e9", [](auto& s) { return s.renderScale == 100.0f; }, "scale 1e9"},
        {"[video]\nrenderScale=2.25", [](auto& s) { return s.renderScale == 2.25f; }, "scale 2.25"},
        {"[sound]\nambientSoundsGain=3", [](auto& s) { return s.ambientSoundsGain == 1.0f; }, "gain 3"},
        {"[network]\nlocalServerPort=70000", [](auto& s) { return s.localServerPort == 5911; }, "port 70000"},
        {"[network]\nlocalServerPort=0", [](auto& s) { return s.localServerPort == 5911; }, "port 0"},
        {"[network]\nlocalServerPort=65535", [](auto& s) { return s.localServerPort == 65535; }, "port 65535"},
        {"[effects]\nwildlife=on", [](auto& s) { return !s.wildlife; }, "on is false"},
        {"[effects]\nwildlife=", [](auto& s) { return s.wildlife; }, "empty keeps true"},
        {"[mouse]\ninvertMouseWheel=YES", [](auto& s) { return s.invertMouseWheel; }, "YES"},
        {"[mouse]\ninvertMouseWheel=1", [](auto& s) { return s.invertMouseWheel; }, "1"},
        {"[user]\nplayerName=", [](auto& s) { return s.playerName.empty(); }, "present empty name"},
        {"[user]\nother=1", [](auto& s) { return s.playerName == "Player"; }, "absent name"},
        {"[user]\nplayerColour=1,2,3,4",
         [](auto& s) { return s.playerColour == sf::Color(1, 2, 3, 4); }, "colour"},
        {"[NETWORK]\nSERVERMAP=Forest.map\n[Video]\nRenderScale=3",
         [](auto& s) { return s.serverMap == "Forest.map" && s.renderScale == 3.0f; }, "case"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.check(readFrom(c.text))) << c.what;
}

TEST(GameSettings, SaveThenLoadGivesTheSameValues)
{
    testsupport::TempDir dir;
    dir.enter();
    tvl::GameSettings s;
    s.renderScale = 0.75f;
    s.tokensCount = 123;
    s.skillLevel = 2;
    s.itemsDensity = 0;
    s.ambient = false;
    s.plantsWind = false;
    s.ambientSoundsGain = 0.1f;
    s.invertMouseWheel = true;
    s.playerName = " Spaced = name";
    s.playerColour = sf::Color(9, 8, 7, 6);
    s.aiColour = sf::Color(255, 0, 128, 255);
    s.localServerPort = 12345;
    s.maxNetPlayers = 3;
    s.serverMap = "Sub\\Island.map";
    s.lerpRate = -4;
    tvl::gameSettings = s;
    tvl::saveGameSettings();
    tvl::gameSettings = tvl::GameSettings();
    tvl::loadGameSettings();
    EXPECT_TRUE(sameSettings(tvl::gameSettings, s));
    EXPECT_EQ(tvl::gameSettings.playerName, s.playerName);
}

// Every settings file reports a failed save in the same words, as an error (on screen and in
// the log). A folder in the file's place makes the save fail even for root.
TEST(GameSettings, EverySettingsFileReportsAFailedSaveAlike)
{
    struct Case {
        const char* fileName;
        void (*save)();
    };
    const Case cases[] = {
        {"kvui3.ini", [] { kv::saveSettings(); }},
        {tvl::gameSettingsFileName, tvl::saveGameSettings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        testsupport::TempDir dir;
        dir.enter();
        std::filesystem::create_directory(dir.path() / c.fileName);
        testing::internal::CaptureStderr();
        c.save();
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find(std::string("Error: Unable to save settings to ") + c.fileName), std::string::npos)
            << log;
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / c.fileName));
    }
}
