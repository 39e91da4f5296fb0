// What the game plays reaches the speakers: OpenAL Soft's wave driver records the mix into a
// file, which must hold non-silent samples after a sound and after a module.
#include "audio/Audio.h"
#include "audio/ModMusic.h"
#include "core/Settings.h"
#include "support/AudioFixtures.h"
#include "support/FreshProcess.h"
#include "support/TempDir.h"

#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
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

// The driver is chosen when OpenAL starts, once per process: each recording runs in a fresh
// one, and the driver's settings stay there.
void useWaveDriver(const testsupport::TempDir& dir)
{
    dir.write("alsoft.conf", "[general]\ndrivers=wave\n[wave]\nfile=" + (dir.path() / "out.wav").string() + "\n");
    setenv("ALSOFT_CONF", (dir.path() / "alsoft.conf").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
}

} // namespace

TEST(WaveDriver, APlayedSoundIsRecorded)
{
    testsupport::inFreshProcess([] {
        testsupport::TempDir dir;
        useWaveDriver(dir);
        dir.enter();
        dir.write("blip.wav", testsupport::makeSineWav(22050, 22050, 12000));
        kv::settings.globalVolume = 100;
        kv::settings.soundVolume = 100;
        ASSERT_TRUE(kv::Audio::init());
        kv::Audio::addSound("blip.wav", "blip");
        kv::Audio::SoundNumber blip = kv::Audio::getSoundNumber("blip", true);
        ASSERT_GT(blip, 0);
        ASSERT_TRUE(kv::Audio::loadSoundBuffers(blip, -1));
        ASSERT_TRUE(kv::Audio::playSound(blip, sf::Vector2f(0, 0)));
        sf::sleep(sf::milliseconds(400));
        kv::Audio::stopAll();
        kv::Audio::shutdown();
        EXPECT_GT(peakOf(dir.read("out.wav")), 1000);
    });
}

TEST(WaveDriver, APlayedModuleIsRecorded)
{
    testsupport::inFreshProcess([] {
        testsupport::TempDir dir;
        useWaveDriver(dir);
        dir.enter();
        const std::string mod = testsupport::tinyMod();
        {
            kv::ModMusic music;
            ASSERT_TRUE(music.openFromMemory(".mod", mod.data(), mod.size()));
            music.setVolume(100);
            music.play();
            sf::sleep(sf::milliseconds(500));
            music.stop();
        }
        EXPECT_GT(peakOf(dir.read("out.wav")), 1000);
    });
}
