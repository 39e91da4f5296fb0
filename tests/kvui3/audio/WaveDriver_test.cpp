// What the game plays reaches the speakers: OpenAL Soft's wave driver records the mix into a
// file, which must hold non-silent samples after a sound and after a module.
#include "audio/Audio.h"
#include "audio/ModMusic.h"
#include "core/Settings.h"
#include "support/AudioFixtures.h"
#include "support/TempDir.h"

#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// Loudest 16-bit sample after the 44-byte header of the recorded WAV file.
int peakOf(const std::string& wav)
{
    int peak = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2) {
        int16_t s = static_cast<int16_t>(static_cast<uint8_t>(wav[i]) | static_cast<uint8_t>(wav[i + 1]) << 8);
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
}

// OpenAL reads its driver once per process: each recording runs in a fresh process of its own
// (a death test, re-run from the start), so that the driver is chosen before OpenAL starts
// there, and the driver's settings never reach the other tests.
void useWaveDriver(const testsupport::TempDir& dir)
{
    dir.write("alsoft.conf", "[general]\ndrivers=wave\n[wave]\nfile=" + (dir.path() / "out.wav").string() + "\n");
    setenv("ALSOFT_CONF", (dir.path() / "alsoft.conf").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
}

// Ends the recording process with code, removing its folder (an exit runs no destructor).
[[noreturn]] void leave(const testsupport::TempDir& dir, int code)
{
    std::error_code ec;
    std::filesystem::remove_all(dir.path(), ec);
    std::exit(code);
}

// Code 0 when the recorded file holds a loud enough sample.
[[noreturn]] void exitWithPeakOf(const testsupport::TempDir& dir)
{
    const int peak = peakOf(dir.read("out.wav"));
    std::fprintf(stderr, "peak %d\n", peak);
    leave(dir, peak > 1000 ? 0 : 1);
}

[[noreturn]] void recordASound(const testsupport::TempDir& dir)
{
    useWaveDriver(dir);
    dir.write("blip.wav", testsupport::makeSineWav(22050, 22050, 12000));
    kv::settings.globalVolume = 100;
    kv::settings.soundVolume = 100;
    if (!kv::Audio::init())
        leave(dir, 2);
    kv::Audio::addSound("blip.wav", "blip");
    kv::Audio::SoundNumber blip = kv::Audio::getSoundNumber("blip", true);
    if (blip <= 0 || !kv::Audio::loadSoundBuffers(blip, -1) || !kv::Audio::playSound(blip, sf::Vector2f(0, 0)))
        leave(dir, 3);
    sf::sleep(sf::milliseconds(400));
    kv::Audio::stopAll();
    kv::Audio::shutdown();
    exitWithPeakOf(dir);
}

[[noreturn]] void recordAModule(const testsupport::TempDir& dir)
{
    useWaveDriver(dir);
    const std::string mod = testsupport::tinyMod();
    {
        kv::ModMusic music;
        if (!music.openFromMemory(".mod", mod.data(), mod.size()))
            leave(dir, 2);
        music.setVolume(100);
        music.play();
        sf::sleep(sf::milliseconds(500));
        music.stop();
    }
    exitWithPeakOf(dir);
}

} // namespace

TEST(WaveDriver, APlayedSoundIsRecorded)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    testsupport::TempDir dir;
    dir.enter();
    EXPECT_EXIT(recordASound(dir), testing::ExitedWithCode(0), "peak");
}

TEST(WaveDriver, APlayedModuleIsRecorded)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    testsupport::TempDir dir;
    dir.enter();
    EXPECT_EXIT(recordAModule(dir), testing::ExitedWithCode(0), "peak");
}
