#include "audio/Audio.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kv::Audio;

TEST(VolumeRules, InactiveFadeReachesSilenceWithinAFewDozenFrames)
{
    float volume = 100.0f;
    int frames = 0;
    while (volume > 0.0f && frames < 1000) {
        const float next = nextListenerVolume(volume, 100.0f, true, false);
        EXPECT_LT(next, volume);
        volume = next;
        frames++;
    }
    EXPECT_EQ(volume, 0.0f);
    EXPECT_LE(frames, 60);
    EXPECT_EQ(fadeInactiveVolume(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(fadeInactiveVolume(10.0f), 9.25f * 0.9f);
}

TEST(VolumeRules, FocusOrNoMuteEasesTowardGlobalVolume)
{
    EXPECT_FLOAT_EQ(nextListenerVolume(0.0f, 80.0f, true, true), 8.0f);
    EXPECT_FLOAT_EQ(nextListenerVolume(0.0f, 80.0f, false, false), 8.0f);
    EXPECT_FLOAT_EQ(nextListenerVolume(80.0f, 80.0f, true, true), 80.0f);
    EXPECT_FLOAT_EQ(nextListenerVolume(100.0f, 50.0f, true, true), 95.0f);
    // Targets outside 0 ... 100 are clamped.
    EXPECT_FLOAT_EQ(easeVolume(100.0f, 500.0f), 100.0f);
    EXPECT_FLOAT_EQ(easeVolume(0.0f, -50.0f), 0.0f);

    float volume = 0.0f;
    for (int i = 0; i < 200; i++)
        volume = nextListenerVolume(volume, 80.0f, true, true);
    EXPECT_NEAR(volume, 80.0f, 0.01f);
}

TEST(VoicePick, FirstIdleVoiceWithinTheSoundObjectCap)
{
    std::vector<VoiceSlot> slots(kVoiceCount);
    EXPECT_EQ(pickVoice(slots.data(), slots.size(), 0), 0);

    for (int i = 0; i < kMaxVoiceSounds; i++)
        slots[i] = {true, true};
    // Every sound object plays: the next voice would need the 255th object.
    EXPECT_EQ(pickVoice(slots.data(), slots.size(), kMaxVoiceSounds), -1);
    EXPECT_EQ(pickVoice(slots.data(), slots.size(), kMaxVoiceSounds - 1), kMaxVoiceSounds);

    // An idle voice that holds an object is reused, the first from index 0.
    slots[100].playing = false;
    slots[7].playing = false;
    EXPECT_EQ(pickVoice(slots.data(), slots.size(), kMaxVoiceSounds), 7);

    for (auto& slot : slots)
        slot = {true, true};
    EXPECT_EQ(pickVoice(slots.data(), slots.size(), kMaxVoiceSounds), -1);
    EXPECT_EQ(pickVoice(slots.data(), 0, 0), -1);
}
