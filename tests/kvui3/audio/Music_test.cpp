// Music through OpenAL Soft's null driver (ALSOFT_DRIVERS=null).
#include "audio/Audio.h"
#include "audio/AssetWriter.h"
#include "audio/ModMusic.h"
#include "core/PakWriter.h"
#include "core/Settings.h"

#include "support/AudioFixtures.h"
#include "support/TempDir.h"

#include <SFML/Audio/Music.hpp>

#include <gtest/gtest.h>

using namespace kv;
using namespace kv::Audio;

namespace {

std::string musicAsset(const std::string& original, const std::string& extension, bool scrambled)
{
    std::vector<uint8_t> out;
    EXPECT_TRUE(writeAsset(AssetKind::Music, extension, original.data(), original.size(), scrambled, out));
    return std::string(out.begin(), out.end());
}

struct Music : testing::Test {
    testsupport::TempDir dir;
    FrameworkSettings saved = settings;

    void SetUp() override
    {
        dir.enter();
        ASSERT_TRUE(init()); // the null OpenAL driver stands in for a device
    }
    void TearDown() override
    {
        stopAll();
        shutdown();
        settings = saved;
    }

    void writePack(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries)
    {
        PakWriter pack(1);
        for (const auto& [name, data] : entries)
            ASSERT_TRUE(pack.addEntry(name, data.data(), data.size()));
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(pack.build(bytes));
        dir.write(path, std::string(bytes.begin(), bytes.end()));
    }

    static bool playingModule() { return dynamic_cast<ModMusic*>(&currentMusic()) != nullptr; }
    static bool playing() { return currentMusic().getStatus() == sf::SoundSource::Playing; }
};

} // namespace

TEST_F(Music, NeverWithoutAStream)
{
    EXPECT_NE(dynamic_cast<sf::Music*>(&currentMusic()), nullptr);
    EXPECT_FALSE(playing());
}

TEST_F(Music, AssetsFromAPackAndLooseFiles)
{
    settings.musicVolume = 40;
    writePack("base/music.pak", {{"BurningSoul.mus", musicAsset(testsupport::makeSineWav(8000, 8000), ".ogg", true)},
                                 {"Tune.wav", testsupport::makeSineWav(8000, 8000)},
                                 {"Menu.mod", testsupport::tinyMod()}});
    // The inner ".ogg" is really a WAV: the music stream reads whatever it is given.
    ASSERT_TRUE(loadSoundsFromPack("base\\music.pak", false));
    dir.write("base/Music/Theme.mus", musicAsset(testsupport::tinyMod(), ".mod", true));
    dir.write("base/Music/Loose.wav", testsupport::makeSineWav(8000, 8000));

    struct Case {
        const char* path;
        bool module;
        const char* name;
    } cases[] = {
        {"base\\BurningSoul.mus", false, "BurningSoul.mus"},
        {"base\\Music\\Theme.mus", true, "Theme.mus"},
        {"base/Tune.wav", false, "Tune.wav"},
        {"base/Menu.mod", true, "Menu.mod"},
        {"base\\Music\\Loose.wav", false, "Loose.wav"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(playMusic(c.path, 0)) << c.path;
        EXPECT_TRUE(playing()) << c.path;
        EXPECT_EQ(playingModule(), c.module) << c.path;
        EXPECT_EQ(currentMusicPath, c.path);
        EXPECT_EQ(currentMusicName, c.name);
        EXPECT_EQ(settings.musicLoadPath, c.path);
        EXPECT_TRUE(currentMusic().getLoop());
        EXPECT_TRUE(currentMusic().isRelativeToListener());
        EXPECT_NEAR(currentMusic().getVolume(), 40.0f, 0.01f);
    }
}

TEST_F(Music, SamePathInAnotherCaseKeepsPlaying)
{
    dir.write("base/Music/Loose.wav", testsupport::makeSineWav(80000, 8000));
    ASSERT_TRUE(playMusic("base\\Music\\Loose.wav", 4.0f));
    ASSERT_TRUE(playMusic("BASE\\music\\LOOSE.WAV", 0.0f));
    EXPECT_EQ(currentMusicPath, "base\\Music\\Loose.wav");
    EXPECT_GE(currentMusic().getPlayingOffset().asSeconds(), 3.9f);
}

TEST_F(Music, StartsAtTheOffset)
{
    dir.write("long.wav", testsupport::makeSineWav(2000 * 40, 2000));
    ASSERT_TRUE(playMusic("long.wav", 30.0f));
    const float offset = currentMusic().getPlayingOffset().asSeconds();
    EXPECT_GE(offset, 29.9f);
    EXPECT_LT(offset, 31.0f);

    dir.write("song.mus", musicAsset(testsupport::tinyMod(), ".mod", false));
    ASSERT_TRUE(playMusic("song.mus", 10.0f));
    ASSERT_TRUE(playingModule());
    EXPECT_GE(static_cast<ModMusic&>(currentMusic()).getRenderPosition(), 10L * 65536);
}

TEST_F(Music, FailuresLeaveSilence)
{
    std::string badMagic = musicAsset("x", ".ogg", false);
    badMagic[3] = 'D';
    std::string version2 = musicAsset("x", ".ogg", false);
    version2[4] = 2;
    dir.write("magic.mus", badMagic);
    dir.write("v2.mus", version2);
    dir.write("short.mus", "KMUS\x01");
    dir.write("noise.mus", musicAsset("not music", ".wav", true));
    dir.write("noisemod.mus", musicAsset("not a module", ".xm", true));
    dir.write("noise.ogg", "OggS and nothing else");
    dir.write("noise.it", "not a module");
    PakWriter pack(1);
    const std::string wav = testsupport::makeSineWav(8000, 8000);
    ASSERT_TRUE(pack.addEntry("broken.wav", wav.data(), wav.size()));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(pack.build(bytes));
    bytes[bytes.size() - 20] ^= 0x5A;
    dir.write("p/music.pak", std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(loadSoundsFromPack("p/music.pak", false));

    struct Case {
        const char* path;
        std::string error;
    } cases[] = {
        {"missing.mus", "Unable to find missing.mus"},
        {"missing.ogg", "Unable to find missing.ogg"},
        {"magic.mus", "magic.mus is invalid or corrupt."},
        {"short.mus", "short.mus is invalid or corrupt."},
        {"v2.mus", "Unknown .mus version v2.mus"},
        {"noise.mus", "Unable to load music from noise.mus"},
        {"noisemod.mus", "Unable to load module music from noisemod.mus"},
        {"noise.ogg", "Unable to load music from noise.ogg"},
        {"noise.it", "Unable to load module music from noise.it"},
        {"p/broken.wav", "Unable to load music from p/broken.wav"},
    };
    dir.write("ok.wav", wav);
    for (const Case& c : cases) {
        ASSERT_TRUE(playMusic("ok.wav", 0));
        testing::internal::CaptureStderr();
        EXPECT_FALSE(playMusic(c.path, 0)) << c.path;
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("Error: " + c.error), std::string::npos) << log;
        EXPECT_FALSE(playing()) << c.path;
        EXPECT_TRUE(currentMusicPath.empty());
        EXPECT_TRUE(currentMusicName.empty());
    }
}
