#include "world/GameAssets.h"

#include "audio/Audio.h"
#include "core/Hash.h"
#include "core/Log.h"
#include "graphics/Shaders.h"
#include "platform/FileSystem.h"
#include "support/AudioFixtures.h"
#include "support/TempDir.h"
#include "world/Images.h"
#include "world/MapWriter.h"
#include "world/Particles.h"
#include "world/WorldView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const header = "[info]\nid=TVL Map List\nversion=1\n";

class MapListTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir.enter();
        kv::clearPathCache();
    }
    void TearDown() override { tvl::clearMapList(); }

    void writeMap(const std::string& name, uint16_t width, uint16_t height)
    {
        tvl::MapFileData map;
        map.width = width;
        map.height = height;
        map.tiles.assign(size_t(width) * height, 0);
        std::string bytes;
        ASSERT_TRUE(tvl::encodeMapFile(map, bytes));
        dir.write("Base/Maps/" + name, bytes);
    }

    // Reads text as MapList.ini; the log it wrote.
    std::string load(const std::string& text)
    {
        dir.write("Base/MapList.ini", text);
        kv::clearPathCache();
        testing::internal::CaptureStderr();
        tvl::loadMapList();
        return testing::internal::GetCapturedStderr();
    }

    testsupport::TempDir dir;
};

TEST_F(MapListTest, ReadsEntriesWithDefaultsAndMapSizes)
{
    writeMap("Island.map", 40, 30);
    const std::string log = load(std::string(header) +
                                 "[mapList]\nmapCount=2\ndefaultMusicFilename=Calm.ogg\n"
                                 "[map0]\nmapTitle=Island\nmapFilename=Island.map\nmusicFilename=\n"
                                 "lightLevel=0.5\nlightColour=10,20,30,40\nfogDensity=0.25\n"
                                 "fogColour=#102030\nwindSpeed=7\nwindDir=90\n");
    ASSERT_EQ(tvl::mapListEntries.size(), 2u) << log;
    const tvl::MapListEntry& first = tvl::mapListEntries[0];
    EXPECT_EQ(first.title, "Island");
    EXPECT_EQ(first.mapFilename, "Island.map");
    EXPECT_EQ(first.musicFilename, "");
    EXPECT_FLOAT_EQ(first.lightLevel, 0.5f);
    EXPECT_EQ(first.lightColour, sf::Color(10, 20, 30, 40));
    EXPECT_FLOAT_EQ(first.fogDensity, 0.25f);
    EXPECT_EQ(first.fogColour, sf::Color(0x10, 0x20, 0x30, 255));
    EXPECT_FLOAT_EQ(first.windSpeed, 7.0f);
    EXPECT_FLOAT_EQ(first.windDir, 1.5707964f);
    EXPECT_EQ(first.width, 40u);
    EXPECT_EQ(first.height, 30u);
    EXPECT_EQ(tvl::defaultMusicFilename, "Calm.ogg");

    // [map1] is absent: every default, and a size of 0 x 0 with a warning.
    const tvl::MapListEntry& second = tvl::mapListEntries[1];
    EXPECT_EQ(second.title, "");
    EXPECT_EQ(second.mapFilename, "");
    EXPECT_FLOAT_EQ(second.lightLevel, 1.0f);
    EXPECT_EQ(second.lightColour, sf::Color(255, 255, 255, 255));
    EXPECT_FLOAT_EQ(second.fogDensity, 0.0f);
    EXPECT_EQ(second.fogColour, sf::Color(255, 255, 255, 255));
    EXPECT_FLOAT_EQ(second.windSpeed, 3.0f);
    EXPECT_FLOAT_EQ(second.windDir, 3.4906585f);
    EXPECT_EQ(second.width, 0u);
    EXPECT_EQ(second.height, 0u);
    EXPECT_NE(log.find("Warning: "), std::string::npos) << log;
}

TEST_F(MapListTest, EmptyNumbersTakeTheirDefaultAndEmptyStringsStay)
{
    load(std::string(header) + "[mapList]\nmapCount=1\ndefaultMusicFilename=\n"
                               "[map0]\nlightLevel=\nwindSpeed=\nwindDir=\nmapTitle=\n");
    ASSERT_EQ(tvl::mapListEntries.size(), 1u);
    EXPECT_EQ(tvl::defaultMusicFilename, "") << "a present empty value is kept";
    EXPECT_FLOAT_EQ(tvl::mapListEntries[0].lightLevel, 1.0f);
    EXPECT_FLOAT_EQ(tvl::mapListEntries[0].windSpeed, 3.0f);
    EXPECT_FLOAT_EQ(tvl::mapListEntries[0].windDir, 3.4906585f);

    load(std::string(header) + "[mapList]\nmapCount=0\n");
    EXPECT_EQ(tvl::defaultMusicFilename, "BurningSoul.mus") << "absent: the default";
}

TEST_F(MapListTest, CountsThatAreNotPositiveGiveNoMapsSilently)
{
    for (const char* count : {"0", "-3", "x", ""}) {
        const std::string log = load(std::string(header) + "[mapList]\nmapCount=" + count + "\n[map0]\nmapTitle=A\n");
        EXPECT_TRUE(tvl::mapListEntries.empty()) << count;
        EXPECT_EQ(log, "") << count;
    }
}

TEST_F(MapListTest, AHugeCountIsCappedWithOneWarning)
{
    writeMap("A.map", 2, 2);
    std::string text = std::string(header) + "[mapList]\nmapCount=100000000\n";
    // Every capped entry names a readable map, so the only warning is the cap's.
    for (int n = 0; n < tvl::maxMapListEntries; ++n)
        text += "[map" + std::to_string(n) + "]\nmapFilename=A.map\n";
    const std::string log = load(text);
    EXPECT_EQ(tvl::mapListEntries.size(), size_t(tvl::maxMapListEntries));
    EXPECT_EQ(tvl::mapListEntries.back().width, 2u);
    EXPECT_NE(log.find("Warning: MapList.ini: mapCount 100000000 is more than 4096"), std::string::npos) << log;
    size_t warnings = 0;
    for (size_t at = log.find("Warning: "); at != std::string::npos; at = log.find("Warning: ", at + 1))
        ++warnings;
    EXPECT_EQ(warnings, 1u);
}

TEST_F(MapListTest, HeaderAndFileFailuresLeaveTheListEmpty)
{
    struct Case {
        const char* text; // nullptr: no file
        const char* message;
    };
    const Case cases[] = {
        {nullptr, "Error: Failed to load MapList.ini"},
        {"[info]\nid=TVL Map List\nversion=2\n[mapList]\nmapCount=1\n",
         "Error: MapList.ini: IniFile::checkHeader: Advanced file version: Base\\MapList.ini"},
        {"[info]\nid=Other List\nversion=1\n[mapList]\nmapCount=1\n",
         "Error: MapList.ini: IniFile::checkHeader: Invalid file: "},
    };
    for (const Case& c : cases) {
        tvl::mapListEntries.resize(3); // a stale list is always dropped
        std::filesystem::remove(dir.path() / "Base/MapList.ini");
        std::string log;
        if (c.text) {
            log = load(c.text);
        } else {
            kv::clearPathCache();
            testing::internal::CaptureStderr();
            tvl::loadMapList();
            log = testing::internal::GetCapturedStderr();
        }
        EXPECT_TRUE(tvl::mapListEntries.empty()) << c.message;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
    }

    const std::string log = load("[INFO]\nID=tvl map list\nversion=1\n[mapList]\nmapCount=1\n");
    EXPECT_EQ(tvl::mapListEntries.size(), 1u) << "the id matches in any case: " << log;
}

TEST(ItemsDensityName, NamesTheFiveLevels)
{
    const char* const expected[] = {"Unknown", "None", "Low", "Medium", "High", "Ultra", "Unknown"};
    for (int value = -1; value <= 5; ++value)
        EXPECT_EQ(tvl::itemsDensityName(value), expected[value + 1]) << value;
}

// The load order over a small tree: the GL steps are stand-ins that write their name into the
// log, so the log shows every step and message in the order they happened.
class LoadGameAssetsTest : public MapListTest {
protected:
    void SetUp() override
    {
        MapListTest::SetUp();
        kv::Audio::soundTable.clear();
        kv::Shaders::clearSlots();
        kv::Shaders::setCompileFunction([](kv::ShaderSlot&, const std::string&, const std::string&) { return true; });
        tvl::resetImageTables();
        tvl::clearParticleDefinitions();
        tvl::worldView.waterShader = tvl::worldView.terrainShader = tvl::worldView.spriteShader = tvl::worldView.fogShader = -1;
    }
    void TearDown() override
    {
        kv::Shaders::setCompileFunction(nullptr);
        kv::Shaders::clearSlots();
        kv::Audio::shutdown();
        tvl::resetImageTables();
        tvl::clearParticleDefinitions();
        MapListTest::TearDown();
    }
};

TEST_F(LoadGameAssetsTest, RunsItsStepsInOrder)
{
    const std::string wav = testsupport::makeSineWav(100, 22050);
    for (const char* name : {"up.wav", "Vehicles/NitroBoost.wav", "Contact/LaserHit.wav", "Contact/MissileHit.ogg"})
        dir.write(std::string("base/sound/") + name, wav);
    dir.write("base/Particles/Bird.ini", "[particle]\ntype=wildlife\n");
    dir.write("base/Particles/Flora/Grass.ini", "[particle]\ntype=Plant\n");
    dir.write("base/Particles/Oak.ini", "[particle]\ntype=tree\n");
    dir.write("base/Particles/Shrub.ini", "[particle]\ntype=bush\n");
    dir.write("base/Particles/Notes.txt", "not a definition");
    for (const char* program : {"Water", "Terrain", "Sprite", "Fog"}) {
        dir.write(std::string("base/Shaders/") + program + ".vert", "void main() {}\n");
        dir.write(std::string("base/Shaders/") + program + ".frag", "void main() {}\n");
    }
    writeMap("One.map", 8, 4);
    dir.write("Base/MapList.ini", std::string(header) + "[mapList]\nmapCount=1\n[map0]\nmapFilename=One.map\n");
    kv::clearPathCache();

    std::vector<tvl::GraphicsStep> steps;
    auto runner = [&](tvl::GraphicsStep step) {
        steps.push_back(step);
        kv::writeLog("step " + std::to_string(int(step)));
        if (step == tvl::GraphicsStep::defaultImage) {
            // What Images::createDefault and the images folder would leave: the placeholder and
            // a ship.
            tvl::imageIndexByName[kv::hashName("(none)")] = 0;
            tvl::imageIndexByName[kv::hashName("Ship03")] = 1;
            tvl::imageCount = 2;
        }
        if (step == tvl::GraphicsStep::shipTexture) {
            EXPECT_EQ(tvl::shipImageNumber, 1) << "the image numbers are looked up first";
        }
        if (step == tvl::GraphicsStep::textures) {
            EXPECT_EQ(tvl::worldView.waterShader, -1) << "the shaders come after the textures";
            EXPECT_EQ(tvl::mapListEntries.size(), 5u) << "the map list comes last";
        }
    };
    tvl::mapListEntries.resize(5);
    testing::internal::CaptureStderr();
    tvl::loadGameAssets(runner);
    const std::string log = testing::internal::GetCapturedStderr();

    using tvl::GraphicsStep;
    EXPECT_EQ(steps, (std::vector<GraphicsStep>{GraphicsStep::tileset, GraphicsStep::defaultImage,
                                                GraphicsStep::imagesFolder, GraphicsStep::effectTextures,
                                                GraphicsStep::shipTexture, GraphicsStep::textures}));
    // Each expected line, in this order.
    const char* const order[] = {
        "Error: Audio::getSoundNumber: No such sound \"Contact\\BombHit\"",
        "Loaded sounds",
        "step 0",
        "step 1",
        "step 2",
        "step 3",
        "Error: Shrub.ini: unknown particle type",
        "Loaded 3 particle(s) from base\\Particles",
        "getImageNumber: Unable to find image Nitro", // the item assets
        "step 4",
        "step 5",
    };
    size_t at = 0;
    for (const char* line : order) {
        const size_t found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << log;
        at = found;
    }
    EXPECT_EQ(log.find("No such sound \"Contact\\MissileHit\""), std::string::npos) << "an .ogg counts";

    EXPECT_GT(tvl::upSound, 0);
    EXPECT_GT(tvl::missileHitSound, 0);
    EXPECT_EQ(tvl::bombHitSound, -1);
    EXPECT_EQ(tvl::tokenImageNumber, 0) << "a missing image is the placeholder";
    EXPECT_EQ(tvl::wildlifeDefinitions.size(), 1u);
    EXPECT_EQ(tvl::plantDefinitions.size(), 1u);

    // The shaders in registration order, from base\Shaders\.
    const tvl::WorldView& view = tvl::worldView;
    const kv::ShaderId ids[] = {view.waterShader, view.terrainShader, view.spriteShader, view.fogShader};
    const char* const names[] = {"Water", "Terrain", "Sprite", "Fog"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_GT(ids[i], 0) << names[i];
        if (i > 0) {
            EXPECT_GT(ids[i], ids[i - 1]);
        }
        EXPECT_EQ(kv::getShaderSlot(ids[i]).vertexPath, std::string("base\\Shaders\\") + names[i] + ".vert");
        EXPECT_EQ(kv::getShaderSlot(ids[i]).fragmentPath, std::string("base\\Shaders\\") + names[i] + ".frag");
    }

    ASSERT_EQ(tvl::mapListEntries.size(), 1u) << "the old list is replaced";
    EXPECT_EQ(tvl::mapListEntries[0].width, 8u);
}

// A pack that is there but damaged is reported with its own reason; a missing one is optional.
TEST_F(LoadGameAssetsTest, ReportsADamagedPackAndPassesOverAMissingOne)
{
    // A real pack cut to its first 10 bytes: the header promises 42 entries and nothing follows.
    const std::string cut("KPAK\x01\x01\x2a\x00\x00\x00", 10);
    struct Case {
        const char* file; // nullptr: no packs at all
        std::string bytes;
        const char* report;
    };
    const Case cases[] = {
        {"base/sound.pak", cut, "Error: Unable to read pack base\\sound.pak: Invalid entry count"},
        {"base/music.pak", cut, "Error: Unable to read pack base\\music.pak: Invalid entry count"},
        {"base/music.pak", "RIFF", "Error: Unable to read pack base\\music.pak: Magic mismatch"},
        {nullptr, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no packs");
        std::filesystem::remove(dir.path() / "base/sound.pak");
        std::filesystem::remove(dir.path() / "base/music.pak");
        if (c.file)
            dir.write(c.file, c.bytes);
        kv::clearPathCache();
        testing::internal::CaptureStderr();
        tvl::loadGameAssets([](tvl::GraphicsStep) {});
        const std::string log = testing::internal::GetCapturedStderr();
        if (c.report) {
            EXPECT_NE(log.find(c.report), std::string::npos) << log;
        }
        size_t reports = 0;
        for (size_t at = log.find("read pack"); at != std::string::npos; at = log.find("read pack", at + 1))
            ++reports;
        EXPECT_EQ(reports, c.report ? 1u : 0u) << log;
    }
}

TEST_F(LoadGameAssetsTest, StopsReadingParticlesAtTheLimit)
{
    for (int i = 0; i < 3; ++i)
        dir.write("base/Particles/P" + std::to_string(i) + ".ini", "[particle]\ntype=plant\n");
    kv::clearPathCache();
    tvl::plantDefinitions.resize(tvl::maxParticleDefinitions - 2);
    testing::internal::CaptureStderr();
    EXPECT_EQ(tvl::loadParticlesFolder(), 2);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(tvl::plantDefinitions.size(), size_t(tvl::maxParticleDefinitions));
    EXPECT_NE(log.find("Error: Cannot load more than 2048 particles"), std::string::npos) << log;
    EXPECT_NE(log.find("Loaded 2 particle(s) from base\\Particles"), std::string::npos) << log;
}

} // namespace
