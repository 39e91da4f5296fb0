// The content tool's sounds and music, read back from the runtime tree through the game's own
// pack, asset and module readers.
#include "audio/AssetFile.h"
#include "audio/Audio.h"
#include "audio/ModMusic.h"
#include "core/PakFile.h"
#include "core/Settings.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include "core/StringUtils.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace kv;

namespace {

// Every sound name the game, its items, weapons, ambience and menus look up.
const char* const kGameSounds[] = {
    "up", "Vehicles\\NitroBoost", "Contact\\LaserHit", "Contact\\MissileHit", "Contact\\BombHit",
    "Items\\Pickup\\Nitro", "Items\\Pickup\\Missile", "Items\\Pickup\\Bomb", "Items\\Pickup\\EMP",
    "Items\\Pickup\\TimeWarp", "Items\\Pickup\\Gun", "Items\\Pickup\\Drone", "Items\\Use\\Nitro",
    "Items\\Use\\Bomb", "Items\\Use\\EMP", "Items\\Use\\TimeWarp", "Items\\Use\\Drone",
    "Weapons\\PulseCannon", "Weapons\\DronePulseFire", "Weapons\\Missile", "ambience\\Meadow_A",
    "ambience\\Forest_A", "ambience\\Jungle_C", "ambience\\City_B", "ambience\\Water_A",
    "ambience\\Underwater_A", "ambience\\Shore_A", "ambience\\Rain_B", "ambience\\Wind_A",
    "ambience\\Wind_B", "ambience\\Wind_C", "ambience\\Wind_D", "ambience\\Wind_E", "mselect",
    "mmove", "mcancel"};

// The menu theme, the default map music and one piece per map mood.
const char* const kMusicFiles[] = {"MainMenu.mus", "BurningSoul.mus", "GreenMeadow.mus",
                                   "NightForest.mus", "SteelWorks.mus", "IslandBreeze.mus"};

struct ProbedMusic : ModMusic {
    using ModMusic::onGetData;
};

struct ContentAudio : testing::Test {
    std::filesystem::path previous = std::filesystem::current_path();
    FrameworkSettings saved = settings;
    void SetUp() override
    {
        std::filesystem::current_path(TVL_GAME_DIR);
        Audio::soundTable.clear();
        ASSERT_TRUE(Audio::init()); // the null OpenAL driver stands in for a device
    }
    void TearDown() override
    {
        Audio::stopAll();
        Audio::shutdown();
        settings = saved;
        std::filesystem::current_path(previous);
    }
};

// The bytes of a music asset, loose under base/Music/ or else from base/music.pak.
bool readMusicAsset(const std::string& file, std::vector<uint8_t>& out)
{
    std::string loose;
    if (readWholeFile("base/Music/" + file, loose)) {
        out.assign(loose.begin(), loose.end());
        return true;
    }
    PakFile pak;
    if (!pak.stream.openFile("base/music.pak") || !pak.readHeader())
        return false;
    for (const PakEntry& entry : pak.entries)
        if (equalsIgnoreCase(entry.name, "Music\\" + file)) {
            if (!pak.stream.seek(entry.offset))
                return false;
            std::unique_ptr<uint8_t, decltype(&std::free)> data(entry.readData(pak.stream), &std::free);
            if (!data)
                return false;
            out.assign(data.get(), data.get() + entry.size);
            return true;
        }
    return false;
}

// The sample count each entry of base/sound.pak holds (a KSND header and field around a 16-bit
// mono WAV), by the key the service gives the entry.
std::map<std::string, size_t> packedSampleCounts()
{
    std::map<std::string, size_t> counts;
    PakFile pak;
    if (!pak.stream.openFile("base/sound.pak") || !pak.readHeader())
        return counts;
    for (const PakEntry& entry : pak.entries) {
        std::string key = toLowerAscii("base/" + entry.name);
        std::replace(key.begin(), key.end(), '\\', '/');
        counts[key] = (entry.size - kAssetHeaderBytes - kAssetExtensionBytes - 44) / 2;
    }
    return counts;
}

} // namespace

TEST_F(ContentAudio, EverySoundTheGameAsksForLoadsFromThePack)
{
    // Variants load last to first, so each one also proves that it read its own entry.
    const std::map<std::string, size_t> sampleCounts = packedSampleCounts();
    ASSERT_FALSE(sampleCounts.empty());
    ASSERT_TRUE(Audio::loadSoundsFromPack("base\\sound.pak", true));
    ASSERT_TRUE(Audio::loadSoundsFromPack("base\\music.pak", false));
    for (const char* name : kGameSounds) {
        SCOPED_TRACE(name);
        const Audio::SoundNumber number = Audio::getSoundNumber(name, false);
        ASSERT_GT(number, 0);
        ASSERT_TRUE(Audio::loadSoundBuffers(number, -1));
        const auto& variants = Audio::soundTable[static_cast<size_t>(number)].variants;
        ASSERT_FALSE(variants.empty()) << Audio::audioLastError;
        for (const auto& variant : variants) {
            const sf::SoundBuffer& buffer = *variant.buffer;
            EXPECT_EQ(buffer.getChannelCount(), 1u);
            ASSERT_EQ(sampleCounts.count(variant.path), 1u) << variant.path;
            EXPECT_EQ(buffer.getSampleCount(), sampleCounts.at(variant.path)) << variant.path;
            ASSERT_GT(buffer.getSampleCount(), 1000u);
            const sf::Int16* samples = buffer.getSamples();
            const auto peak = std::max_element(samples, samples + buffer.getSampleCount(),
                                               [](sf::Int16 a, sf::Int16 b) { return std::abs(a) < std::abs(b); });
            EXPECT_GT(std::abs(*peak), 8000) << variant.path;
        }
    }
}

TEST_F(ContentAudio, EveryMusicFileStartsAndItsModuleIsHeard)
{
    ASSERT_TRUE(Audio::loadSoundsFromPack("base\\sound.pak", true));
    ASSERT_TRUE(Audio::loadSoundsFromPack("base\\music.pak", false));
    for (const char* file : kMusicFiles) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(Audio::playMusic(std::string("Base\\Music\\") + file, 0.0f));

        std::vector<uint8_t> bytes;
        ASSERT_TRUE(readMusicAsset(file, bytes));
        AssetPayload payload;
        std::string error;
        ASSERT_TRUE(readAsset(bytes.data(), bytes.size(), AssetKind::Music, file, payload, error)) << error;
        ProbedMusic music;
        ASSERT_TRUE(music.openFromMemory(payload.extension, payload.data.data(), payload.data.size()));
        // Twenty seconds, a second at a time: every stretch holds music, none is silent.
        for (int second = 0; second < 20; second++) {
            sf::SoundStream::Chunk chunk{};
            int peak = 0;
            for (int half = 0; half < 2; half++) {
                ASSERT_TRUE(music.onGetData(chunk));
                for (size_t i = 0; i < chunk.sampleCount; i++)
                    peak = std::max(peak, std::abs(static_cast<int>(chunk.samples[i])));
            }
            EXPECT_GT(peak, 2000) << "second " << second;
            EXPECT_LT(peak, 32767) << "second " << second; // clipped mix
        }
    }
}

TEST_F(ContentAudio, TheMenuMusicAndAPackedSoundPlayWithoutAnErrorLine)
{
    testing::internal::CaptureStderr();
    ASSERT_TRUE(Audio::loadSoundsFromPack("base\\sound.pak", true));
    ASSERT_TRUE(Audio::loadSoundsFromPack("base\\music.pak", false));
    EXPECT_TRUE(Audio::playMusic("Base\\Music\\MainMenu.mus", 0.0f));
    const Audio::SoundNumber select = Audio::getSoundNumber("mselect", true);
    ASSERT_GT(select, 0);
    EXPECT_TRUE(Audio::playSound(select, sf::Vector2f(0, 0)));
    Audio::pollSound();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("Error:"), std::string::npos) << log;
}

TEST_F(ContentAudio, AmbienceLoopsRunFromTheirLastSampleIntoTheirFirstWithoutAJump)
{
    ASSERT_TRUE(Audio::loadSoundsFromPack("base\\sound.pak", true));
    int loops = 0;
    for (const char* name : kGameSounds) {
        if (std::string(name).rfind("ambience\\", 0) != 0)
            continue;
        SCOPED_TRACE(name);
        ++loops;
        const Audio::SoundNumber number = Audio::getSoundNumber(name, false);
        ASSERT_GT(number, 0);
        ASSERT_TRUE(Audio::loadSoundBuffers(number, -1));
        for (const auto& variant : Audio::soundTable[static_cast<size_t>(number)].variants) {
            const sf::Int16* s = variant.buffer->getSamples();
            const size_t count = variant.buffer->getSampleCount();
            ASSERT_GT(count, 1000u);
            std::vector<int> steps(count - 1);
            for (size_t i = 0; i + 1 < count; i++)
                steps[i] = std::abs(s[i + 1] - s[i]);
            // The join is an ordinary step: within what 99 % of the sound's own steps stay under.
            std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
            const int usual = steps[steps.size() * 99 / 100];
            EXPECT_LE(std::abs(s[0] - s[count - 1]), usual) << variant.path;
        }
    }
    EXPECT_EQ(loops, 13);
}
