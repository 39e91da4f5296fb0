#include "audio/ModMusic.h"

#include "support/AudioFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using testsupport::tinyMod;

// Reaches the stream's callbacks as SFML's streaming thread would.
struct ProbedMusic : kv::ModMusic {
    using kv::ModMusic::onGetData;
    using kv::ModMusic::onSeek;
};

int peakOf(const sf::SoundStream::Chunk& chunk)
{
    int peak = 0;
    for (size_t i = 0; i < chunk.sampleCount; i++)
        peak = std::max(peak, std::abs(static_cast<int>(chunk.samples[i])));
    return peak;
}

} // namespace

TEST(ModMusic, RendersAModuleFromMemory)
{
    const std::string mod = tinyMod();
    ProbedMusic music;
    ASSERT_TRUE(music.openFromMemory(".MOD", mod.data(), mod.size()));
    EXPECT_EQ(music.getChannelCount(), 2u);
    EXPECT_EQ(music.getSampleRate(), 44100u);
    EXPECT_EQ(music.getRenderPosition(), 0);

    // The first request comes before any seek and must already be music.
    sf::SoundStream::Chunk chunk{};
    EXPECT_TRUE(music.onGetData(chunk));
    EXPECT_EQ(chunk.sampleCount, 44100u);
    EXPECT_GT(peakOf(chunk), 1000);
    EXPECT_GT(music.getRenderPosition(), 0);
}

TEST(ModMusic, SeeksRestartTheRendererAtTheOffset)
{
    const std::string mod = tinyMod();
    ProbedMusic music;
    ASSERT_TRUE(music.openFromMemory(".mod", mod.data(), mod.size()));
    music.setPlayingOffset(sf::seconds(10));
    EXPECT_EQ(music.getRenderPosition(), 10 * 65536);
    for (int i = 0; i < 3; i++) {
        music.onSeek(sf::seconds(2.5f));
        EXPECT_EQ(music.getRenderPosition(), 5 * 32768);
    }
    sf::SoundStream::Chunk chunk{};
    EXPECT_TRUE(music.onGetData(chunk));
    EXPECT_GT(peakOf(chunk), 1000);
}

TEST(ModMusic, RefusesWhatIsNotAModule)
{
    std::string garbage(3000, '\0');
    for (size_t i = 0; i < garbage.size(); i++)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::string mod = tinyMod();
    struct Case {
        const char* extension;
        const std::string* data;
    };
    const Case cases[] = {{".mod", &garbage}, {".xm", &garbage}, {".it", &garbage}, {".ogg", &mod}};
    for (const Case& c : cases) {
        ProbedMusic music;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(music.openFromMemory(c.extension, c.data->data(), c.data->size())) << c.extension;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Failed to open module file memory"),
                  std::string::npos) << c.extension;
        EXPECT_EQ(music.getRenderPosition(), -1);

        // Nothing open: the stream still hands over a chunk, of silence.
        sf::SoundStream::Chunk chunk{};
        EXPECT_TRUE(music.onGetData(chunk));
        EXPECT_EQ(chunk.sampleCount, 44100u);
        EXPECT_EQ(peakOf(chunk), 0);
    }
}

TEST(ModMusic, FilesOpenByTheirExtension)
{
    testsupport::TempDir dir;
    const std::string mod = tinyMod();
    for (const char* name : {"tune.MOD", "tune.XM", "tune.ogg", "tune"})
        dir.write(name, mod);
    struct Case {
        const char* path;
        bool opens;
    };
    // The XM loader refuses MOD bytes, which shows that the upper-case name reached it.
    const Case cases[] = {{"tune.MOD", true}, {"TUNE.mod", true}, {"tune.XM", false},
                          {"tune.ogg", false}, {"tune", false}, {"missing.mod", false}};
    kv::ModMusic music;
    for (const Case& c : cases) {
        const std::string path = (dir.path() / c.path).string();
        testing::internal::CaptureStderr();
        EXPECT_EQ(music.openFromFile(path), c.opens) << c.path;
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.find("Failed to open module file: " + path) != std::string::npos, !c.opens) << c.path;
        EXPECT_EQ(music.getRenderPosition() >= 0, c.opens) << c.path;
    }
}

TEST(ModMusic, ReopensAndDiesWhilePlaying)
{
    const std::string mod = tinyMod();
    auto music = std::make_unique<kv::ModMusic>();
    ASSERT_TRUE(music->openFromMemory(".mod", mod.data(), mod.size()));
    music->play();
    // Opening again stops the stream before the old module goes.
    ASSERT_TRUE(music->openFromMemory(".mod", mod.data(), mod.size()));
    EXPECT_EQ(music->getStatus(), sf::SoundSource::Stopped);
    music->play();
    music.reset();
}
