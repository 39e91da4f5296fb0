#include "audio/AssetFile.h"
#include "audio/AssetWriter.h"

#include "support/AudioFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace kv;

namespace {

std::vector<uint8_t> bytesOf(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

} // namespace

TEST(AssetFile, SeedIsFourteenCharacters)
{
    EXPECT_EQ(std::strlen(kAssetSeed), 14u);
}

TEST(AssetFile, PlainAndScrambledRoundTripToTheSameBytes)
{
    const std::string wav = testsupport::makeSineWav(500, 8000);
    for (AssetKind kind : {AssetKind::Sound, AssetKind::Music}) {
        std::vector<uint8_t> plain, scrambled;
        ASSERT_TRUE(writeAsset(kind, ".wav", wav.data(), wav.size(), false, plain));
        ASSERT_TRUE(writeAsset(kind, ".wav", wav.data(), wav.size(), true, scrambled));
        EXPECT_EQ(plain.size(), wav.size() + 23);
        EXPECT_EQ(scrambled[6], 1);
        // The scrambled payload differs from the plain one but reads back the same.
        EXPECT_NE(std::vector<uint8_t>(plain.begin() + 7, plain.end()),
                  std::vector<uint8_t>(scrambled.begin() + 7, scrambled.end()));
        for (const auto* file : {&plain, &scrambled}) {
            AssetPayload out;
            std::string error;
            ASSERT_TRUE(readAsset(file->data(), file->size(), kind, "x", out, error)) << error;
            EXPECT_EQ(out.extension, ".wav");
            EXPECT_EQ(out.data, bytesOf(wav));
        }
    }
}

TEST(AssetFile, ScrambleIsTheInverseOfUnscrambleForEveryByte)
{
    std::vector<uint8_t> bytes(512);
    for (size_t i = 0; i < bytes.size(); i++)
        bytes[i] = static_cast<uint8_t>(i);
    std::vector<uint8_t> copy = bytes;
    scrambleAsset(copy.data(), copy.size());
    unscrambleAsset(copy.data(), copy.size());
    EXPECT_EQ(copy, bytes);
}

TEST(AssetFile, RefusesWhatDoesNotFit)
{
    std::vector<uint8_t> good;
    ASSERT_TRUE(writeAsset(AssetKind::Sound, ".ogg", "abc", 3, false, good));
    std::vector<uint8_t> version2 = good;
    version2[4] = 2;
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        AssetKind kind;
        std::string error;
    } cases[] = {
        {"empty", {}, AssetKind::Sound, "a.snd is invalid or corrupt."},
        {"magic only", std::vector<uint8_t>(good.begin(), good.begin() + 4), AssetKind::Sound, "a.snd is invalid or corrupt."},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 7), AssetKind::Sound, "a.snd is invalid or corrupt."},
        {"field cut short", std::vector<uint8_t>(good.begin(), good.begin() + 22), AssetKind::Sound, "a.snd is invalid or corrupt."},
        {"music magic in a sound", good, AssetKind::Music, "a.snd is invalid or corrupt."},
        {"version 2 sound", version2, AssetKind::Sound, "Unknown .snd version a.snd"},
        {"version 2 music", [&] { auto v = version2; std::memcpy(v.data(), "KMUS", 4); return v; }(), AssetKind::Music,
         "Unknown .mus version a.snd"},
    };
    for (const Case& c : cases) {
        AssetPayload out;
        out.extension = "kept";
        std::string error;
        EXPECT_FALSE(readAsset(c.bytes.data(), c.bytes.size(), c.kind, "a.snd", out, error)) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
        EXPECT_EQ(out.extension, "kept") << c.what;
    }
}

TEST(AssetFile, ExtensionFieldEndsAtItsNulOrFillsAllSixteenBytes)
{
    std::vector<uint8_t> file;
    ASSERT_TRUE(writeAsset(AssetKind::Music, ".mod", "", 0, true, file));
    AssetPayload out;
    std::string error;
    ASSERT_TRUE(readAsset(file.data(), file.size(), AssetKind::Music, "m", out, error));
    EXPECT_EQ(out.extension, ".mod");
    EXPECT_TRUE(out.data.empty());

    const std::string full = ".abcdefghijklmno";
    ASSERT_TRUE(writeAsset(AssetKind::Music, full, "z", 1, false, file));
    ASSERT_TRUE(readAsset(file.data(), file.size(), AssetKind::Music, "m", out, error));
    EXPECT_EQ(out.extension, full);
    EXPECT_EQ(out.data, std::vector<uint8_t>{'z'});

    EXPECT_FALSE(writeAsset(AssetKind::Music, full + "p", "z", 1, false, file));
    EXPECT_TRUE(file.empty());
}
