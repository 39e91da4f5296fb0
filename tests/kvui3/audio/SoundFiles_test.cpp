#include "audio/Audio.h"
#include "audio/AssetWriter.h"
#include "core/PakWriter.h"
#include "platform/FileSystem.h"

#include "support/AudioFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kv;
using namespace kv::Audio;
using testsupport::makeSineWav;
using testsupport::makeWav;

namespace {

std::string asset(const std::string& original, bool scrambled, const std::string& extension = ".wav")
{
    std::vector<uint8_t> out;
    EXPECT_TRUE(writeAsset(AssetKind::Sound, extension, original.data(), original.size(), scrambled, out));
    return std::string(out.begin(), out.end());
}

struct SoundFiles : testing::Test {
    testsupport::TempDir dir;
    void SetUp() override
    {
        dir.enter();
        soundTable.clear();
    }
    void TearDown() override { shutdown(); }

    void writePack(const std::string& path, uint8_t compression,
                   const std::vector<std::pair<std::string, std::string>>& entries)
    {
        PakWriter pack(compression);
        for (const auto& [name, data] : entries)
            ASSERT_TRUE(pack.addEntry(name, data.data(), data.size()));
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(pack.build(bytes));
        dir.write(path, std::string(bytes.begin(), bytes.end()));
    }

    // Loads a fresh variant from path; the error text when it fails.
    std::string loadError(const std::string& path)
    {
        SoundVariant variant;
        audioLastError.clear();
        EXPECT_FALSE(loadSoundVariant(variant, path)) << path;
        EXPECT_FALSE(variant.loaded);
        return audioLastError;
    }
};

} // namespace

TEST_F(SoundFiles, PackEntriesBecomeSoundsFoundAgainByTheirKeys)
{
    const std::string wav = makeSineWav(400, 8000);
    writePack("base/sound.pak", 1,
              {{"sound/Menu/Select1.snd", asset(wav, true)},
               {"sound\\Menu\\Select2.snd", asset(wav, false)},
               {"sound/up.wav", wav}});
    ASSERT_TRUE(loadSoundsFromPack("base\\sound.pak", true));

    const SoundNumber select = getSoundNumber("Menu\\Select", false);
    ASSERT_GT(select, 0);
    ASSERT_EQ(soundTable[select].variants.size(), 2u);
    EXPECT_EQ(soundTable[select].variants[0].path, "base/sound/menu/select1.snd");
    EXPECT_EQ(getSoundNumberForHash(hashName("Menu\\Select")), select);
    ASSERT_TRUE(loadSoundBuffers(select, -1));
    ASSERT_EQ(soundTable[select].variants.size(), 2u);
    const sf::SoundBuffer& scrambled = *soundTable[select].variants[0].buffer;
    const sf::SoundBuffer& plain = *soundTable[select].variants[1].buffer;
    ASSERT_EQ(scrambled.getSampleCount(), 400u);
    EXPECT_EQ(std::vector<sf::Int16>(scrambled.getSamples(), scrambled.getSamples() + 400),
              std::vector<sf::Int16>(plain.getSamples(), plain.getSamples() + 400));

    // The loader finds the entry under its key in any spelling of the path.
    SoundVariant variant;
    EXPECT_TRUE(loadSoundVariant(variant, "Base\\Sound\\UP.wav"));
    EXPECT_EQ(variant.buffer->getSampleRate(), 8000u);
}

TEST_F(SoundFiles, EveryMountedPackIsSearchedInMountOrder)
{
    writePack("base/music.pak", 0, {{"sound/x.wav", "not a sample"}});
    writePack("base/sound.pak", 0, {{"sound/x.wav", makeSineWav(100, 8000)}, {"sound/y.wav", makeSineWav(200, 8000)}});
    ASSERT_TRUE(loadSoundsFromPack("base\\music.pak", false));
    ASSERT_TRUE(loadSoundsFromPack("base\\sound.pak", true));
    SoundVariant y;
    EXPECT_TRUE(loadSoundVariant(y, "base/sound/y.wav")) << audioLastError;
    // The first pack holding the key answers, even when its entry is bad.
    EXPECT_EQ(loadError("base/sound/x.wav"), "Unable to load samples from base/sound/x.wav");
}

TEST_F(SoundFiles, PacksThatCannotBeReadAreDroppedSilently)
{
    dir.write("base/bad.pak", "KPAK\x02\x00");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadSoundsFromPack("base\\bad.pak", true));
    EXPECT_EQ(audioLastError, "Unable to read pack base\\bad.pak: File is too new to read. File is version 2. "
                              "Latest compatible version is 1");
    EXPECT_FALSE(loadSoundsFromPack("base\\missing.pak", true));
    EXPECT_EQ(audioLastError, "") << "a missing pack is no error";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(soundTable.empty());
    EXPECT_EQ(loadError("base/bad/x.wav"), "Unable to find base/bad/x.wav");
}

TEST_F(SoundFiles, FolderNamesMatchPackNames)
{
    const std::string wav = makeSineWav(100, 8000);
    dir.write("base/sound/Menu/Select3.wav", wav);
    dir.write("base/sound/Items/Pickup/Nitro_1.WAV", wav);
    dir.write("base/sound/Items/Pickup/readme.txt", "x");
    dir.write("base/sound/.hidden/Ghost.wav", wav);
    writePack("base/sound.pak", 1, {{"sound/Menu/Select1.snd", asset(wav, true)}});
    ASSERT_TRUE(loadSoundsFromPack("base\\sound.pak", true));
    addSoundsFromFolder("base\\sound");

    ASSERT_EQ(soundTable.size(), 3u); // "(no sound)", Menu\Select, Items\Pickup\Nitro
    const SoundNumber select = getSoundNumber("Menu\\Select", false);
    ASSERT_EQ(select, 1);
    ASSERT_EQ(soundTable[select].variants.size(), 2u);
    EXPECT_EQ(soundTable[select].variants[1].path, "base\\sound\\Menu\\Select3.wav");
    const SoundNumber nitro = getSoundNumber("Items\\Pickup\\Nitro", false);
    ASSERT_EQ(nitro, 2);
    EXPECT_EQ(soundTable[nitro].name.hash, hashName("Items\\Pickup\\Nitro"));
    ASSERT_TRUE(loadSoundBuffers(nitro, -1));
    ASSERT_TRUE(loadSoundBuffers(select, -1));
    EXPECT_EQ(soundTable[select].variants.size(), 2u);
}

TEST_F(SoundFiles, StereoBecomesMonoAtHalfTheSampleCount)
{
    std::vector<int16_t> stereo;
    for (int i = 0; i < 300; i++) {
        stereo.push_back(static_cast<int16_t>(i * 10));
        stereo.push_back(static_cast<int16_t>(-i * 5 - 1));
    }
    dir.write("s.wav", makeWav(stereo, 2, 11025));
    dir.write("s.snd", asset(makeWav(stereo, 2, 11025), true));
    for (const char* path : {"s.wav", "s.snd"}) {
        SoundVariant variant;
        ASSERT_TRUE(loadSoundVariant(variant, path)) << audioLastError;
        const sf::SoundBuffer& buffer = *variant.buffer;
        EXPECT_EQ(buffer.getChannelCount(), 1u);
        EXPECT_EQ(buffer.getSampleRate(), 11025u);
        ASSERT_EQ(buffer.getSampleCount(), 300u);
        EXPECT_EQ(buffer.getSamples()[7], (70 - 36) / 2);
        EXPECT_EQ(buffer.getSamples()[0], 0); // (0 + -1) / 2 truncates toward zero
    }
}

TEST_F(SoundFiles, LoadFailuresNameThePath)
{
    const std::string wav = makeSineWav(100, 8000);
    std::string version2 = asset(wav, false);
    version2[4] = 2;
    std::string wrongMagic = asset(wav, false);
    wrongMagic[0] = 'X';
    dir.write("v2.snd", version2);
    dir.write("magic.snd", wrongMagic);
    dir.write("short.snd", asset(wav, false).substr(0, 20));
    dir.write("noise.snd", asset("not a sample at all", true));
    dir.write("empty.snd", asset("", false));
    dir.write("noise.wav", "RIFF nonsense");
    // A chunked pack whose chunk is damaged.
    PakWriter pack(1);
    ASSERT_TRUE(pack.addEntry("c.snd", asset(wav, false).data(), asset(wav, false).size()));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(pack.build(bytes));
    bytes[bytes.size() - 10] ^= 0x55;
    dir.write("p/x.pak", std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(loadSoundsFromPack("p/x.pak", false));

    struct Case {
        const char* path;
        std::string error;
    } cases[] = {
        {"v2.snd", "Unknown .snd version v2.snd"},
        {"magic.snd", "magic.snd is invalid or corrupt."},
        {"short.snd", "short.snd is invalid or corrupt."},
        {"noise.snd", "Unable to load samples from noise.snd"},
        {"empty.snd", "Unable to load samples from empty.snd"},
        {"noise.wav", "Unable to load samples from noise.wav"},
        {"p/c.snd", "Unable to load samples from p/c.snd"},
        {"nowhere.wav", "Unable to find nowhere.wav"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(loadError(c.path), c.error);
}

TEST_F(SoundFiles, AVariantThatFailsIsRemovedOnce)
{
    dir.write("good1.wav", makeSineWav(100, 8000));
    addSound("missing.wav", "good");
    addSound("good1.wav", "good");
    addSound("missing2.wav", "good");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(loadSoundBuffers(1, -1));
    const std::string log = testing::internal::GetCapturedStderr();
    ASSERT_EQ(soundTable[1].variants.size(), 1u);
    EXPECT_EQ(soundTable[1].variants[0].path, "good1.wav");
    EXPECT_NE(log.find("Unable to find missing.wav"), std::string::npos);
    EXPECT_NE(log.find("Unable to find missing2.wav"), std::string::npos);
    EXPECT_TRUE(loadSoundBuffers(1, -1));
}
