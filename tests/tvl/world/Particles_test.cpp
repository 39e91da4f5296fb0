#include "world/Particles.h"

#include "core/IniFile.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The log's lines without their "hh:mm:ss: " stamps.
std::string unstamped(const std::string& log)
{
    std::string out;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        end = end == std::string::npos ? log.size() : end + 1;
        const std::string line = log.substr(start, end - start);
        out += line.size() > 10 && line[2] == ':' && line[5] == ':' && line.compare(8, 2, ": ") == 0 ? line.substr(10) : line;
        start = end;
    }
    return out;
}

class ParticleDefinitions : public testing::Test {
protected:
    void SetUp() override { tvl::clearParticleDefinitions(); }
    void TearDown() override { tvl::clearParticleDefinitions(); }

    // Reads text as the file relativePath; the error log it wrote.
    std::string read(const std::string& text, const std::string& relativePath, bool expectRead = true)
    {
        kv::IniFile ini;
        ini.loadFromText(text);
        testing::internal::CaptureStderr();
        EXPECT_EQ(tvl::readParticleDefinition(ini, relativePath), expectRead) << text;
        return unstamped(testing::internal::GetCapturedStderr());
    }

    const tvl::WildlifeDefinition& wildlife(const std::string& keys)
    {
        read("[particle]\ntype=wildlife\n" + keys, "Test.ini");
        EXPECT_EQ(tvl::wildlifeDefinitions.size(), 1u);
        return tvl::wildlifeDefinitions.back();
    }
};

} // namespace

TEST_F(ParticleDefinitions, ClampsKeepEveryRangeInOrder)
{
    struct Case {
        const char* keys;
        float minScale, maxScale, minSpeed, maxSpeed, minLifetime, maxLifetime;
    };
    const Case cases[] = {
        {"", 1, 1, 0, 0, 0, 0},
        {"minScale=3\nmaxScale=2\n", 2, 2, 0, 0, 0, 0},
        {"minScale=-1\n", 0, 1, 0, 0, 0, 0},
        {"maxScale=500\n", 1, 100, 0, 0, 0, 0},
        {"minScale=300\nmaxScale=500\n", 100, 100, 0, 0, 0, 0},
        {"minScale=2\nmaxScale=-5\n", 0, 0, 0, 0, 0, 0},
        {"maxSpeed=5000\n", 1, 1, 0, 2000, 0, 0},
        {"minSpeed=3000\nmaxSpeed=5000\n", 1, 1, 2000, 2000, 0, 0},
        {"minSpeed=30\nmaxSpeed=10\n", 1, 1, 10, 10, 0, 0},
        {"minLifetime=4\nmaxLifetime=2\n", 1, 1, 0, 0, 2, 2},
        {"minLifetime=-4\nmaxLifetime=90000\n", 1, 1, 0, 0, 0, 90000},
    };
    for (const Case& c : cases) {
        tvl::clearParticleDefinitions();
        const tvl::WildlifeDefinition& d = wildlife(c.keys);
        EXPECT_EQ(d.minScale, c.minScale) << c.keys;
        EXPECT_EQ(d.maxScale, c.maxScale) << c.keys;
        EXPECT_EQ(d.minSpeed, c.minSpeed) << c.keys;
        EXPECT_EQ(d.maxSpeed, c.maxSpeed) << c.keys;
        EXPECT_EQ(d.minLifetime, c.minLifetime) << c.keys;
        EXPECT_EQ(d.maxLifetime, c.maxLifetime) << c.keys;
    }
}

TEST_F(ParticleDefinitions, CountsChancesAndDurationsAreClamped)
{
    struct Case {
        const char* keys;
        size_t frames, lights;
        float duration, randomAngleChance, windInfluence;
    };
    const Case cases[] = {
        {"", 1, 0, 0, 0, 0},
        {"framesCount=0\n", 1, 0, 0, 0, 0},
        {"framesCount=100\n", 64, 0, 0, 0, 0},
        {"lightsCount=12\n", 1, 8, 0, 0, 0},
        {"lightsCount=-2\n", 1, 0, 0, 0, 0},
        {"[frame0]\nduration=-5\n", 1, 0, -1, 0, 0},
        {"[frame0]\nduration=99999\n", 1, 0, 3600, 0, 0},
        {"[frame0]\nduration=0.25\n", 1, 0, 0.25f, 0, 0},
        {"randomAngleChance=2\nwindInfluence=-1\n", 1, 0, 0, 1, 0},
        {"randomAngleChance=-1\nwindInfluence=0.5\n", 1, 0, 0, 0, 0.5f},
    };
    for (const Case& c : cases) {
        tvl::clearParticleDefinitions();
        const tvl::WildlifeDefinition& d = wildlife(c.keys);
        EXPECT_EQ(d.frames.size(), c.frames) << c.keys;
        EXPECT_EQ(d.lights.size(), c.lights) << c.keys;
        ASSERT_FALSE(d.frames.empty());
        EXPECT_EQ(d.frames[0].duration, c.duration) << c.keys;
        EXPECT_EQ(d.randomAngleChance, c.randomAngleChance) << c.keys;
        EXPECT_EQ(d.windInfluence, c.windInfluence) << c.keys;
    }
}

TEST_F(ParticleDefinitions, WildlifeReadsEveryKeyFramesAndLights)
{
    const tvl::WildlifeDefinition& d = wildlife(
        "name=Firefly\nminScale=0.5\nmaxScale=1.5\nuniformScale=no\ncolour=10,20,30,40\nalpha=0.8\n"
        "terrainType=AIR\nminSpeed=5\nmaxSpeed=25\nminLifetime=3\nmaxLifetime=9\nrandomAngleChance=0.1\n"
        "turnSpeed=90\ncastShadow=YES\nwindInfluence=0.3\nframesCount=2\nlightsCount=2\n"
        "[frame0]\nrect=144, 32, 16, 16\nduration=0.2\n"
        "[frame1]\nrect=160,32,16\n"
        "[light0]\npos=1.5,-2\ncolour=200,255,90,120\nsize=24,16\neffectLight=0\n"
        "[light1]\npos=1,2,3\nsize=7\n");
    EXPECT_EQ(d.id.name, "Test.ini");
    EXPECT_EQ(d.id.hash, kv::hashName("Test.ini"));
    EXPECT_EQ(d.name, "Firefly");
    EXPECT_EQ(d.minScale, 0.5f);
    EXPECT_EQ(d.maxScale, 1.5f);
    EXPECT_FALSE(d.uniformScale);
    EXPECT_EQ(d.colour, sf::Color(10, 20, 30, 40));
    EXPECT_FLOAT_EQ(d.alpha, 0.8f);
    EXPECT_EQ(d.medium, tvl::ParticleMedium::air);
    EXPECT_EQ(d.minSpeed, 5);
    EXPECT_EQ(d.maxSpeed, 25);
    EXPECT_EQ(d.minLifetime, 3);
    EXPECT_EQ(d.maxLifetime, 9);
    EXPECT_FLOAT_EQ(d.randomAngleChance, 0.1f);
    EXPECT_EQ(d.turnSpeed, 90);
    EXPECT_TRUE(d.castShadow);
    EXPECT_FLOAT_EQ(d.windInfluence, 0.3f);
    ASSERT_EQ(d.frames.size(), 2u);
    EXPECT_EQ(d.frames[0].rect, sf::IntRect(144, 32, 16, 16));
    EXPECT_FLOAT_EQ(d.frames[0].duration, 0.2f);
    EXPECT_EQ(d.frames[1].rect, sf::IntRect(0, 0, 0, 0)) << "three parts are no rectangle";
    ASSERT_EQ(d.lights.size(), 2u);
    const tvl::ParticleLight& lit = d.lights[0];
    EXPECT_EQ(lit.x, 1.5f);
    EXPECT_EQ(lit.y, -2);
    EXPECT_EQ(lit.colour, sf::Color(200, 255, 90, 120));
    EXPECT_EQ(lit.width, 24);
    EXPECT_EQ(lit.height, 16);
    EXPECT_FALSE(lit.effectLight);
    EXPECT_TRUE(lit.light.enabled);
    EXPECT_EQ(lit.light.halfWidth, 12);
    EXPECT_EQ(lit.light.halfHeight, 8);
    EXPECT_EQ(lit.light.colour, lit.colour);
    // pos and size that are not exactly two numbers read as (0, 0); the defaults stand.
    const tvl::ParticleLight& plain = d.lights[1];
    EXPECT_EQ(plain.x, 0);
    EXPECT_EQ(plain.y, 0);
    EXPECT_EQ(plain.width, 0);
    EXPECT_EQ(plain.height, 0);
    EXPECT_EQ(plain.colour, sf::Color::White);
    EXPECT_TRUE(plain.effectLight);
}

TEST_F(ParticleDefinitions, AbsentAndEmptyKeysTakeTheDefaults)
{
    const tvl::WildlifeDefinition& d = wildlife("turnSpeed=\nuniformScale=\nalpha=\n");
    EXPECT_EQ(d.name, "None");
    EXPECT_EQ(d.turnSpeed, 10);
    EXPECT_TRUE(d.uniformScale);
    EXPECT_EQ(d.alpha, 1);
    EXPECT_EQ(d.colour, sf::Color::White);
    EXPECT_EQ(d.medium, tvl::ParticleMedium::land);
    EXPECT_FALSE(d.castShadow);
}

TEST_F(ParticleDefinitions, MediumAndKindNames)
{
    const std::pair<const char*, tvl::ParticleMedium> media[] = {
        {"AIR", tvl::ParticleMedium::air}, {"water", tvl::ParticleMedium::water},
        {"Water", tvl::ParticleMedium::water}, {"land", tvl::ParticleMedium::land},
        {"", tvl::ParticleMedium::land}, {"sky", tvl::ParticleMedium::land}};
    for (const auto& [name, medium] : media)
        EXPECT_EQ(tvl::particleMediumFromName(name), medium) << name;
    EXPECT_EQ(static_cast<int>(tvl::ParticleMedium::air), 3);
    EXPECT_EQ(static_cast<int>(tvl::ParticleMedium::water), 1);

    const std::pair<const char*, int> kinds[] = {{"wildlife", 1}, {"PLANT", 2}, {"Tree", 3}, {"bush", 0}, {"", 0}};
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(tvl::particleKindFromName(name), kind) << name;
}

TEST_F(ParticleDefinitions, PlantReadsItsKeysWithTheScaleClampOnly)
{
    read("[particle]\ntype=Plant\nname=Seaweed\nminScale=3\nmaxScale=2\nuniformScale=false\n"
         "colour=#80FF80\nalpha=0.5\nrandomiseAngle=true\nunderwater=Yes\nwindInfluence=4\nframesCount=1\n"
         "minSpeed=50\n[frame0]\nrect=0,16,16,16\nduration=2\n",
         "Plant_WaterSeaweed01.ini");
    ASSERT_EQ(tvl::plantDefinitions.size(), 1u);
    EXPECT_TRUE(tvl::wildlifeDefinitions.empty());
    const tvl::PlantDefinition& d = tvl::plantDefinitions[0];
    EXPECT_EQ(d.id.hash, kv::hashName("Plant_WaterSeaweed01.ini"));
    EXPECT_EQ(d.name, "Seaweed");
    EXPECT_EQ(d.minScale, 2);
    EXPECT_EQ(d.maxScale, 2);
    EXPECT_FALSE(d.uniformScale);
    EXPECT_EQ(d.colour, sf::Color(0x80, 0xFF, 0x80, 255));
    EXPECT_EQ(d.alpha, 0.5f);
    EXPECT_TRUE(d.randomiseAngle);
    EXPECT_TRUE(d.underwater);
    EXPECT_EQ(d.windInfluence, 4) << "a plant's sway is not clamped";
    ASSERT_EQ(d.frames.size(), 1u);
    EXPECT_EQ(d.frames[0].rect, sf::IntRect(0, 16, 16, 16));
    EXPECT_EQ(d.frames[0].duration, 2);
    EXPECT_EQ(tvl::plantDefinitionIndex.at(d.id.hash), 0);
}

TEST_F(ParticleDefinitions, TreeIsAcceptedAndKeepsNothingUnknownTypesAreRefused)
{
    EXPECT_EQ(read("[particle]\ntype=Tree\nname=Oak\n", "Oak.ini"), "");
    for (const char* text : {"[particle]\ntype=bush\n", "[particle]\nname=Shrub\n", "", "[other]\ntype=plant\n"})
        EXPECT_EQ(read(text, "Flora\\Shrub.ini", false), "Error: Flora\\Shrub.ini: unknown particle type\n");
    EXPECT_TRUE(tvl::wildlifeDefinitions.empty());
    EXPECT_TRUE(tvl::plantDefinitions.empty());
    EXPECT_TRUE(tvl::wildlifeDefinitionIndex.empty());
    EXPECT_TRUE(tvl::plantDefinitionIndex.empty());
}

TEST_F(ParticleDefinitions, DuplicateIdFindsTheLaterFileAndKeepsBoth)
{
    read("[particle]\ntype=wildlife\nname=First\n", "Bird.ini");
    read("[particle]\ntype=plant\nname=Grass\n", "Grass.ini");
    read("[particle]\ntype=wildlife\nname=Second\n", "BIRD.INI");
    ASSERT_EQ(tvl::wildlifeDefinitions.size(), 2u);
    EXPECT_EQ(tvl::wildlifeDefinitionIndex.size(), 1u);
    const int found = tvl::wildlifeDefinitionIndex.at(kv::hashName("Bird.ini"));
    EXPECT_EQ(tvl::wildlifeDefinitions[size_t(found)].name, "Second");
    EXPECT_EQ(tvl::wildlifeDefinitions[0].name, "First");
    EXPECT_EQ(tvl::plantDefinitionIndex.at(kv::hashName("Grass.ini")), 0);
}

TEST_F(ParticleDefinitions, LoadReadsAFileAndReportsAnUnreadableOne)
{
    testsupport::TempDir dir;
    dir.enter();
    dir.write("base/Particles/Wildlife_Bee01.ini", "[particle]\ntype=wildlife\nname=Bee\n");
    kv::clearPathCache();
    EXPECT_TRUE(tvl::loadParticleDefinition("base\\Particles\\Wildlife_Bee01.ini", "Wildlife_Bee01.ini"));
    ASSERT_EQ(tvl::wildlifeDefinitions.size(), 1u);
    EXPECT_EQ(tvl::wildlifeDefinitions[0].name, "Bee");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(tvl::loadParticleDefinition("base\\Particles\\Missing.ini", "Missing.ini"));
    EXPECT_EQ(unstamped(testing::internal::GetCapturedStderr()),
              "Error: IniFile::load: Unable to read from base\\Particles\\Missing.ini\n");
    EXPECT_EQ(tvl::wildlifeDefinitions.size(), 1u);
    kv::clearPathCache();
}
