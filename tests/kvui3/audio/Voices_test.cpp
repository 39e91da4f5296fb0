// Voices through OpenAL Soft's null driver (ALSOFT_DRIVERS=null).
#include "audio/Audio.h"
#include "core/Input.h"
#include "core/Settings.h"

#include "support/AudioFixtures.h"
#include "support/TempDir.h"

#include <SFML/Audio/Listener.hpp>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kv;
using namespace kv::Audio;

namespace {

bool& focus = kv::input.focus;

struct Voices : testing::Test {
    testsupport::TempDir dir;
    FrameworkSettings saved = settings;
    SoundNumber beep = -1;

    void SetUp() override
    {
        dir.enter();
        dir.write("beep.wav", testsupport::makeSineWav(4000, 8000));
        focus = true;
        settings.soundVolume = 80;
        settings.globalVolume = 90;
        settings.muteInactiveWindow = true;
        soundTable.clear();
        addSound("beep.wav", "beep");
        beep = getSoundNumber("beep", false);
        init();
    }
    void TearDown() override
    {
        stopAll();
        shutdown();
        audioReady = false;
        InputHooks::reset();
        settings = saved;
    }

    static bool playing(const Voice& voice)
    {
        return voice.sound && voice.sound->getStatus() == sf::Sound::Playing;
    }
    static int playingCount()
    {
        int n = 0;
        for (const Voice& voice : voices)
            n += playing(voice);
        return n;
    }
};

} // namespace

TEST_F(Voices, InitLeavesEveryVoiceFree)
{
    ASSERT_EQ(voices.size(), static_cast<size_t>(kVoiceCount));
    for (const Voice& voice : voices) {
        EXPECT_EQ(voice.number, kFreeVoice);
        EXPECT_TRUE(voice.name.empty());
        EXPECT_EQ(voice.refreshCounter, 0);
    }
    EXPECT_TRUE(audioReady);
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 90.0f);
}

TEST_F(Voices, PlacementPositionalAndRelative)
{
    ASSERT_TRUE(playSound(beep, {10, 20}, {.minDistance = 5.0f, .positional = true, .volume = 0.5f, .pitch = 1.25f}));
    const sf::Sound& a = *voices[0].sound;
    EXPECT_FALSE(a.getLoop());
    EXPECT_FALSE(a.isRelativeToListener());
    EXPECT_EQ(a.getPosition(), sf::Vector3f(10, 20, 0));
    EXPECT_FLOAT_EQ(a.getAttenuation(), settings.soundAttenuation);
    EXPECT_FLOAT_EQ(a.getMinDistance(), 5.0f);
    EXPECT_NEAR(a.getVolume(), 40.0f, 0.01f);
    EXPECT_NEAR(a.getPitch(), 1.25f, 0.001f);
    EXPECT_EQ(voices[0].number, static_cast<uint32_t>(beep));

    ASSERT_TRUE(playSound(beep, {10, 20}, {.loop = true}));
    const sf::Sound& b = *voices[1].sound;
    EXPECT_TRUE(b.getLoop());
    EXPECT_TRUE(b.isRelativeToListener());
    EXPECT_EQ(b.getPosition(), sf::Vector3f(0, 0, 0));
    EXPECT_FLOAT_EQ(b.getAttenuation(), 0.0f);
    EXPECT_FLOAT_EQ(b.getMinDistance(), 0.0f);
    EXPECT_NEAR(b.getVolume(), 80.0f, 0.01f);

    ASSERT_TRUE(playSound(beep, {1, 2}, {.positional = true}));
    EXPECT_FLOAT_EQ(voices[2].sound->getMinDistance(), 1.0f);

    // Silent requests succeed without taking a voice.
    EXPECT_TRUE(playSound(beep, {0, 0}, {.volume = 0.0f}));
    EXPECT_EQ(voices[3].sound, nullptr);

    // The poll follows the volume setting.
    settings.soundVolume = 50;
    pollSound();
    EXPECT_NEAR(a.getVolume(), 25.0f, 0.01f);
}

TEST_F(Voices, NamedLoopLivesWhileRenewedAndStopsAfterTheFourthPoll)
{
    for (int frame = 0; frame < 10; frame++) {
        ASSERT_TRUE(playSound(beep, {float(frame), 0}, {.loop = true, .voiceName = "engine", .positional = true}));
        pollSound();
    }
    EXPECT_EQ(playingCount(), 1);
    const int index = findVoiceByName("engine");
    ASSERT_EQ(index, 0);
    EXPECT_EQ(voices[0].sound->getPosition().x, 9.0f);
    EXPECT_EQ(findVoiceByName("Engine"), -1);

    // The last frame's poll was the first without a renewal.
    for (int poll = 2; poll <= 3; poll++) {
        pollSound();
        EXPECT_TRUE(playing(voices[0])) << poll;
    }
    pollSound();
    EXPECT_FALSE(playing(voices[0]));
    EXPECT_EQ(voices[0].number, kFreeVoice);
    EXPECT_TRUE(voices[0].name.empty());
    EXPECT_EQ(findVoiceByName("engine"), -1);
}

TEST_F(Voices, AtMost254SoundObjectsThenRefused)
{
    for (int i = 0; i < kMaxVoiceSounds; i++)
        ASSERT_TRUE(playSound(beep, {0, 0}, {.loop = true})) << i;
    EXPECT_EQ(playingCount(), kMaxVoiceSounds);
    EXPECT_FALSE(playSound(beep, {0, 0}, {.loop = true}));
    EXPECT_EQ(voices[kMaxVoiceSounds].sound, nullptr);
    EXPECT_EQ(playingCount(), kMaxVoiceSounds);

    // A voice that stops is taken again.
    voices[17].sound->stop();
    ASSERT_TRUE(playSound(beep, {0, 0}));
    EXPECT_EQ(playingCount(), kMaxVoiceSounds);
    EXPECT_TRUE(playing(voices[17]));
}

TEST_F(Voices, FocusFadeAndReturn)
{
    focus = false;
    int polls = 0;
    while (sf::Listener::getGlobalVolume() > 0.0f && polls < 100) {
        pollSound();
        polls++;
    }
    EXPECT_EQ(sf::Listener::getGlobalVolume(), 0.0f);
    EXPECT_LE(polls, 60);

    focus = true;
    for (int i = 0; i < 200; i++)
        pollSound();
    EXPECT_NEAR(sf::Listener::getGlobalVolume(), 90.0f, 0.1f);

    settings.muteInactiveWindow = false;
    focus = false;
    pollSound();
    EXPECT_NEAR(sf::Listener::getGlobalVolume(), 90.0f, 0.1f);
}

TEST_F(Voices, VariantsThatFailArePassedOverAndBuffersStayAttached)
{
    addSound("gone1.wav", "mixed");
    addSound("beep.wav", "mixed");
    addSound("gone2.wav", "mixed");
    addSound("gone3.wav", "silent");
    const SoundNumber mixed = getSoundNumber("mixed", false);
    ASSERT_TRUE(playSound(mixed, {0, 0}, {.loop = true}));
    // Whatever was picked first, the voice plays the one variant that loads.
    const std::vector<SoundVariant>& variants = soundTable[mixed].variants;
    const auto good = std::find_if(variants.begin(), variants.end(),
                                   [](const SoundVariant& v) { return v.path == "beep.wav"; });
    ASSERT_NE(good, variants.end());
    ASSERT_TRUE(good->loaded);
    const sf::SoundBuffer* buffer = good->buffer.get();
    EXPECT_EQ(voices[0].sound->getBuffer(), buffer);
    for (const SoundVariant& v : variants)
        EXPECT_TRUE(!v.loaded || v.path == "beep.wav");

    EXPECT_FALSE(playSound(getSoundNumber("silent", false), {0, 0}));
    EXPECT_TRUE(soundTable[getSoundNumber("silent", false)].variants.empty());

    // Growing the table moves records, never the buffers playing sounds use.
    for (int i = 0; i < 200; i++)
        addSound("beep.wav", "filler" + std::to_string(i));
    EXPECT_TRUE(playing(voices[0]));
    EXPECT_EQ(voices[0].sound->getBuffer(), buffer);
}

TEST_F(Voices, ShutdownStopsVoicesAndEmptiesTheTable)
{
    ASSERT_TRUE(playSound(beep, {0, 0}, {.loop = true, .voiceName = "loop"}));
    shutdown();
    EXPECT_EQ(playingCount(), 0);
    EXPECT_EQ(voices[0].number, kFreeVoice);
    EXPECT_TRUE(soundTable.empty());
    EXPECT_EQ(getSoundNumber("beep", false), -1);
}
