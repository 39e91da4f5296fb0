#include "audio/Audio.h"

#include <gtest/gtest.h>

#include <string>

using namespace kv;
using namespace kv::Audio;

namespace {

struct SoundTable : testing::Test {
    void SetUp() override { soundTable.clear(); }
    void TearDown() override { shutdown(); }
};

} // namespace

TEST_F(SoundTable, AddSoundMakesRecordsAndVariants)
{
    addSound("base\\sound\\Hit1.wav", "Hit");
    addSound("base\\sound\\Boom.wav", "Boom");
    addSound("base\\sound\\hit2.wav", "HIT"); // case-insensitive: same record
    ASSERT_EQ(soundTable.size(), 3u);
    EXPECT_EQ(soundTable[0].name.name, "(no sound)");
    EXPECT_TRUE(soundTable[0].variants.empty());
    EXPECT_EQ(soundTable[1].name.name, "Hit");
    ASSERT_EQ(soundTable[1].variants.size(), 2u);
    EXPECT_EQ(soundTable[1].variants[1].path, "base\\sound\\hit2.wav");
    EXPECT_FALSE(soundTable[1].variants[1].loaded);
    EXPECT_EQ(soundTable[1].name.hash, hashName("hit"));
}

TEST_F(SoundTable, NameLookups)
{
    addSound("a", "explosion");
    addSound("b", "Menu\\Select");
    struct Case {
        const char* name;
        SoundNumber number;
    } cases[] = {
        {"explosion", 1}, {"EXPLOSION", 1}, {"explosion.wav", 1}, {"Explosion.OGG", 1},
        {"Menu\\Select", 2}, {"menu\\select.snd", 2},
        {"Menu/Select", -1}, // "/" is another name: hashes travel between machines
        {"", -1}, {"blank", -1}, {"BLANK", -1}, {"(no sound)", -1}, {"explosion.", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(getSoundNumber(c.name, false), c.number) << c.name;
}

TEST_F(SoundTable, MissingNamesAreReportedOnlyWhenAsked)
{
    addSound("a", "up");
    testing::internal::CaptureStderr();
    EXPECT_EQ(getSoundNumber("BLANK", true), -1);
    EXPECT_EQ(getSoundNumber("down", false), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    testing::internal::CaptureStderr();
    EXPECT_EQ(getSoundNumber("down", true), -1);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Audio::getSoundNumber: No such sound \"down\""), std::string::npos) << log;
    EXPECT_NE(log.find("Valid sound numbers are..."), std::string::npos);
    EXPECT_NE(log.find("0 = \"(no sound)\""), std::string::npos);
    EXPECT_NE(log.find("1 = \"up\""), std::string::npos);
}

TEST_F(SoundTable, HashLookups)
{
    addSound("a", "up");
    addSound("b", "Contact\\LaserHit");
    EXPECT_EQ(getSoundNumberForHash(hashName("UP")), 1);
    EXPECT_EQ(getSoundNumberForHash(hashName("contact\\laserhit")), 2);
    EXPECT_EQ(getSoundNumberForHash(0), -1);
    EXPECT_EQ(getSoundNumberForHash(hashName("blank")), -1);
    EXPECT_EQ(getSoundNumberForHash(hashName("(no sound)")), -1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(getSoundNumberForHash(12345u), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("No such sound for hash \"12345\""), std::string::npos);
}

TEST_F(SoundTable, InvalidNumbersAreRefused)
{
    addSound("a", "up");
    for (SoundNumber n : {-1, 0, 2, 1000}) {
        EXPECT_FALSE(loadSoundBuffers(n, -1)) << n;
        EXPECT_FALSE(playSound(n, {0, 0})) << n;
    }
}

TEST(SoundNames, FromFilesAndPackEntries)
{
    struct Case {
        const char* file;
        const char* name;
    } files[] = {
        {"Hit1.wav", "Hit"}, {"Hit_2.wav", "Hit"}, {"Hit__10.ogg", "Hit"}, {"Wind_A.ogg", "Wind_A"},
        {"up.snd", "up"}, {"7.wav", "7"}, {"_1_.wav", "_"}, {"NoExt3", "NoExt"}, {"a1b2.wav", "a1b"},
    };
    for (const Case& c : files)
        EXPECT_EQ(soundNameFromFile(c.file), c.name) << c.file;

    Case entries[] = {
        {"sound/Menu/Select1.snd", "Menu\\Select"},
        {"sound\\Items\\Pickup\\Nitro2.snd", "Items\\Pickup\\Nitro"},
        {"sound/up.snd", "up"},
        {"up3.snd", "up"},
        {"sound\\ambience\\Wind_B.snd", "ambience\\Wind_B"},
    };
    for (const Case& c : entries)
        EXPECT_EQ(soundNameFromPackEntry(c.file), c.name) << c.file;
}

TEST(SoundNames, PackKeys)
{
    EXPECT_EQ(packKey("base\\sound\\Menu\\Select1.snd"), "base/sound/menu/select1.snd");
    EXPECT_EQ(packKey("Base/Music/X.MUS"), "base/music/x.mus");
}

TEST(SoundNames, StereoDownmixTruncatesTowardZero)
{
    const int16_t stereo[] = {100, 201, -100, -201, 32767, 32767, -32768, -32768, 1, -2};
    const std::vector<int16_t> mono = downmixStereo(stereo, 10);
    EXPECT_EQ(mono, (std::vector<int16_t>{150, -150, 32767, -32768, 0}));
    EXPECT_EQ(downmixStereo(stereo, 3).size(), 1u);
}
