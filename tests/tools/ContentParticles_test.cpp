// The content tool's wildlife and plant definitions, read back from the runtime tree by the
// game's own folder loader, each frame checked against the atlas it cuts.
#include "platform/FileSystem.h"
#include "world/GameAssets.h"
#include "world/Particles.h"

#include <gtest/gtest.h>

#include <SFML/Graphics/Image.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* const kWildlifeFiles[] = {
    "Wildlife_Bee01.ini",       "Wildlife_Bird01.ini",   "Wildlife_Butterfly01.ini", "Wildlife_Butterfly02.ini",
    "Wildlife_Butterfly03.ini", "Wildlife_Firefly01.ini", "Wildlife_Fish01.ini",      "Wildlife_Fish02.ini",
    "Wildlife_Crab01.ini",      "Wildlife_Fly01.ini"};

std::vector<std::string> plantFiles()
{
    const std::pair<const char*, int> families[] = {
        {"Grass", 3}, {"Flower", 7}, {"Stone", 7}, {"WaterStone", 7}, {"WaterSeaweed", 2}, {"WaterCoral", 2},
        {"WaterStarfish", 1}, {"Bluebell", 2}, {"Fern", 1}, {"FirCone", 1}, {"Leaf", 7}, {"Mushroom", 3},
        {"Toadstool", 3}};
    std::vector<std::string> files;
    for (const auto& [family, count] : families)
        for (int i = 1; i <= count; ++i)
            files.push_back(std::string("Plant_") + family + (i < 10 ? "0" : "") + std::to_string(i) + ".ini");
    return files;
}

// Inside the atlas, not empty, and not wholly transparent.
void expectFrameInside(const sf::Image& atlas, const sf::IntRect& rect, const std::string& what)
{
    const sf::Vector2u size = atlas.getSize();
    ASSERT_GT(rect.width, 0) << what;
    ASSERT_GT(rect.height, 0) << what;
    ASSERT_GE(rect.left, 0) << what;
    ASSERT_GE(rect.top, 0) << what;
    ASSERT_LE(rect.left + rect.width, int(size.x)) << what;
    ASSERT_LE(rect.top + rect.height, int(size.y)) << what;
    int drawn = 0;
    for (int y = rect.top; y < rect.top + rect.height; ++y)
        for (int x = rect.left; x < rect.left + rect.width; ++x)
            drawn += atlas.getPixel(unsigned(x), unsigned(y)).a > 128;
    EXPECT_GE(drawn, 4) << what << " shows nothing";
}

struct ContentParticles : testing::Test {
    std::filesystem::path previous = std::filesystem::current_path();
    void SetUp() override
    {
        std::filesystem::current_path(TVL_GAME_DIR);
        kv::clearPathCache();
        tvl::clearParticleDefinitions();
    }
    void TearDown() override
    {
        tvl::clearParticleDefinitions();
        std::filesystem::current_path(previous);
        kv::clearPathCache();
    }
};

} // namespace

TEST_F(ContentParticles, EveryKindLoadsWithFramesInsideItsAtlas)
{
    sf::Image wildlifeAtlas, plantsAtlas;
    ASSERT_TRUE(wildlifeAtlas.loadFromFile("base/Effects/Wildlife.png"));
    ASSERT_TRUE(plantsAtlas.loadFromFile("base/Effects/Plants.png"));

    testing::internal::CaptureStderr();
    const int loaded = tvl::loadParticlesFolder();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("Error"), std::string::npos) << log;
    const std::vector<std::string> plants = plantFiles();
    ASSERT_EQ(plants.size(), 46u);
    EXPECT_EQ(loaded, 56);
    EXPECT_EQ(tvl::wildlifeDefinitions.size(), 10u);
    EXPECT_EQ(tvl::plantDefinitions.size(), 46u);

    for (const char* file : kWildlifeFiles) {
        auto found = tvl::wildlifeDefinitionIndex.find(kv::hashName(file));
        ASSERT_NE(found, tvl::wildlifeDefinitionIndex.end()) << file;
        const tvl::WildlifeDefinition& d = tvl::wildlifeDefinitions[size_t(found->second)];
        EXPECT_GT(d.maxSpeed, 0) << file;
        EXPECT_GT(d.minLifetime, 0) << file;
        EXPECT_GE(d.frames.size(), 2u) << file << " has no animation";
        for (const tvl::ParticleFrame& frame : d.frames) {
            expectFrameInside(wildlifeAtlas, frame.rect, file);
            EXPECT_GT(frame.duration, 0) << file;
        }
        const std::string name = file;
        const tvl::ParticleMedium medium = name.find("Fish") != std::string::npos ? tvl::ParticleMedium::water
                                           : name.find("Crab") != std::string::npos ? tvl::ParticleMedium::land
                                                                                    : tvl::ParticleMedium::air;
        EXPECT_EQ(d.medium, medium) << file;
        EXPECT_EQ(d.lights.size(), name.find("Firefly") != std::string::npos ? 1u : 0u) << file;
    }
    for (const std::string& file : plants) {
        auto found = tvl::plantDefinitionIndex.find(kv::hashName(file));
        ASSERT_NE(found, tvl::plantDefinitionIndex.end()) << file;
        const tvl::PlantDefinition& d = tvl::plantDefinitions[size_t(found->second)];
        ASSERT_EQ(d.frames.size(), 1u) << file;
        expectFrameInside(plantsAtlas, d.frames[0].rect, file);
        EXPECT_EQ(d.underwater, file.rfind("Plant_Water", 0) == 0) << file;
    }
}
