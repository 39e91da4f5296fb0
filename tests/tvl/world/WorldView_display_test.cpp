#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "world/GameAssets.h"
#include "world/Map.h"
#include "world/ShaderParams.h"
#include "world/MapWriter.h"
#include "world/Tileset.h"
#include "world/WorldView.h"

#include <SFML/Graphics.hpp>

#include "support/Display.h"
#include "support/TempDir.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

// The fixture's tile set: cells 0..4 sand (the ground variants), 10 water, 11 a shore (sand
// left, water right), 12 acid, 13 an acid shore, 14 a conveyor to the right, 15 a shiny plate.
const sf::Color sand(200, 170, 110);
const sf::Color keyA(115, 113, 255);
const sf::Color keyB(131, 255, 131);
const sf::Color plate(120, 120, 130);
const sf::Color waterColour(30, 80, 200);
const sf::Color acidColour(60, 220, 40);
constexpr uint16_t waterTile = 10, shoreTile = 11, acidTile = 12, acidShoreTile = 13, conveyorTile = 14,
                   plateTile = 15;

void paintCell(sf::Image& image, int tile, const std::function<sf::Color(unsigned, unsigned)>& colourAt)
{
    const unsigned left = (tile % 32) * 16, top = (tile / 32) * 16;
    for (unsigned y = 0; y < 16; ++y)
        for (unsigned x = 0; x < 16; ++x)
            image.setPixel(left + x, top + y, colourAt(x, y));
}

sf::Image makeTilesetImage()
{
    sf::Image image;
    image.create(512, 512, sand);
    paintCell(image, waterTile, [](unsigned, unsigned) { return keyA; });
    paintCell(image, shoreTile, [](unsigned x, unsigned) { return x < 8 ? sand : keyA; });
    paintCell(image, acidTile, [](unsigned, unsigned) { return keyB; });
    paintCell(image, acidShoreTile, [](unsigned x, unsigned) { return x < 8 ? sand : keyB; });
    paintCell(image, conveyorTile,
              [](unsigned x, unsigned) { return (x / 4) % 2 ? sf::Color(40, 40, 40) : sf::Color(230, 200, 30); });
    paintCell(image, plateTile, [](unsigned, unsigned) { return plate; });
    return image;
}

// A repeating texture with a little texture of its own, so its movement shows.
void makeLiquidTexture(sf::Texture& texture, sf::Color base)
{
    sf::Image image;
    image.create(512, 512, base);
    for (unsigned y = 0; y < 512; ++y)
        for (unsigned x = 0; x < 512; ++x)
            if ((x / 8 + y / 8) % 5 == 0)
                image.setPixel(x, y, sf::Color(base.r / 2, base.g / 2, base.b / 2 + 60));
    ASSERT_TRUE(texture.loadFromImage(image));
    texture.setRepeated(true);
    texture.setSmooth(true);
}

// 64 x 48 tiles: sand with a water pool behind a shore, an acid pool, a conveyor belt and a
// shiny plate.
tvl::MapFileData makeMap()
{
    tvl::MapFileData map;
    map.width = 64;
    map.height = 48;
    map.tiles.assign(64 * 48, 0);
    auto put = [&](int x, int y, uint16_t tile) { map.tiles[static_cast<size_t>(y) * 64 + x] = tile; };
    for (int y = 5; y <= 12; ++y) {
        put(9, y, shoreTile);
        for (int x = 10; x <= 19; ++x)
            put(x, y, waterTile);
        put(29, y, acidShoreTile);
        for (int x = 30; x <= 37; ++x)
            put(x, y, acidTile);
    }
    for (int x = 5; x <= 20; ++x)
        put(x, 20, conveyorTile);
    for (int y = 20; y <= 27; ++y)
        for (int x = 40; x <= 47; ++x)
            put(x, y, plateTile);
    return map;
}

// One window and one set of programs for the whole suite, as in the game.
class WorldViewDisplay : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!std::getenv("DISPLAY") || chdir(TVL_GAME_DIR) != 0)
            return;
        kv::renderWindow->create(sf::VideoMode(640, 360), "world view test");
        kv::initRenderLayers();
        if (!kv::Shaders::init())
            return;
        tvl::WorldView& view = tvl::worldView;
        view.waterShader = tvl::loadGameShader("Water.vert", "Water.frag");
        view.terrainShader = tvl::loadGameShader("Terrain.vert", "Terrain.frag");
        view.spriteShader = tvl::loadGameShader("Sprite.vert", "Sprite.frag");
        view.fogShader = tvl::loadGameShader("Fog.vert", "Fog.frag");
    }
    static void TearDownTestSuite()
    {
        kv::test::closeTestWindow();
    }
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_TRUE(kv::renderWindow->isOpen());
        tvl::WorldView& view = tvl::worldView;
        for (kv::ShaderId id : {view.waterShader, view.terrainShader, view.spriteShader, view.fogShader})
            ASSERT_TRUE(kv::getShaderSlot(id).loaded);

        dir.write("Base/Tiles/Tileset.ini", "[info]\nnumMats=2\n[mat0]\nname=Grass\nshine=0\n"
                                           "[mat1]\nname=Metal\nshine=1\n[tileMats]\n15=Metal\n"
                                           "[tileSpecials]\n14=ConveyorRight\n");
        ASSERT_TRUE(makeTilesetImage().saveToFile((dir.path() / "Base/Tiles/Tileset.png").string()));
        std::filesystem::create_directories(dir.path() / "Base/Maps");
        ASSERT_TRUE(tvl::writeMapFile((dir.path() / "Base/Maps/Fixture.map").string(), makeMap()));
        dir.enter();
        ASSERT_TRUE(tvl::loadTileset("Base\\Tiles\\Tileset.png"));
        ASSERT_TRUE(tvl::loadMap("Fixture.map")) << tvl::mapError;
        makeLiquidTexture(*tvl::waterTexture, waterColour);
        makeLiquidTexture(*tvl::acidTexture, acidColour);
        kv::frameTime = 1.0f / 60.0f;
    }
    void TearDown() override
    {
        tvl::worldView.gameFogDensity = 0.0f;
        tvl::worldView.gameLightLevel = 1.0f;
        tvl::unloadMap();
    }

    // One world frame at scroll and scale; returns the world texture.
    sf::Image frame(const sf::Vector2f& scroll, float scale)
    {
        tvl::setWorldViewSize(scale, {640, 360}, sf::FloatRect(0, 0, 640, 360));
        tvl::worldView.scroll = scroll;
        kv::renderWindow->clear(sf::Color::Magenta);
        tvl::drawWorld();
        return tvl::worldView.textureRef->copyToImage();
    }
    static void save(const sf::Image& image, const std::string& name)
    {
        const std::filesystem::path out = std::filesystem::path(TVL_GAME_DIR).parent_path() / "screenshots";
        std::filesystem::create_directories(out);
        image.saveToFile((out / name).string());
    }
    // The world texture pixel that shows world pixel w.
    static sf::Color at(const sf::Image& image, const sf::Vector2f& world, const sf::Vector2f& scroll, float scale)
    {
        const sf::Vector2f t = tvl::worldToTexture(world, scroll, scale);
        return image.getPixel(static_cast<unsigned>(t.x), static_cast<unsigned>(t.y));
    }

    testsupport::TempDir dir;
};

// The centre of map cell (column, row) in world pixels.
sf::Vector2f cell(int column, int row) { return sf::Vector2f(column * 16.0f + 8, row * 16.0f + 8); }

bool isSandy(sf::Color c) { return c.r > c.b + 40 && c.g > c.b + 20 && c.r > 120; }
bool isWatery(sf::Color c) { return c.b > c.r + 60 && c.b > c.g + 20; }
bool isAcid(sf::Color c) { return c.g > c.r + 60 && c.g > c.b + 60; }

int difference(const sf::Image& a, const sf::Image& b, sf::IntRect area)
{
    int total = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x) {
            const sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
            total += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        }
    return total;
}

} // namespace

TEST_F(WorldViewDisplay, GroundWaterAcidAndShoresAtScrollsAndScales)
{
    struct Case {
        sf::Vector2f scroll;
        float scale;
        const char* file;
    } cases[] = {
        {{0, 0}, 1.0f, "world_0_0_x1.png"},
        {{100, 40}, 1.0f, "world_100_40_x1.png"},
        {{120, 60}, 2.0f, "world_120_60_x2.png"},
        {{600, 280}, 2.0f, "world_600_280_x2.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const sf::Image image = frame(c.scroll, c.scale);
        save(image, c.file);
        const sf::FloatRect visible = tvl::visibleWorldRect(c.scroll, {640, 360}, c.scale);
        auto probe = [&](const sf::Vector2f& world, bool (*test)(sf::Color), const char* what) {
            if (!visible.contains(world))
                return;
            const sf::Color p = at(image, world, c.scroll, c.scale);
            EXPECT_TRUE(test(p)) << what << " at " << world.x << "," << world.y << ": " << int(p.r) << ","
                                 << int(p.g) << "," << int(p.b);
        };
        probe(cell(3, 3), isSandy, "sand");
        probe(cell(14, 8), isWatery, "water");
        probe(cell(33, 8), isAcid, "acid");
        // The shore shows sand on its left half and the water through its right half.
        probe(cell(9, 8) - sf::Vector2f(5, 0), isSandy, "shore sand");
        probe(cell(9, 8) + sf::Vector2f(5, 0), isWatery, "shore water");
        probe(cell(29, 8) + sf::Vector2f(5, 0), isAcid, "acid shore");
    }
}

TEST_F(WorldViewDisplay, WaterAcidAndConveyorsMove)
{
    const sf::Vector2f scroll(0, 0);
    const sf::Image first = frame(scroll, 1.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    kv::frameTime = 0.05f; // the belt moves 4.5 texels
    const sf::Image second = frame(scroll, 1.0f);
    save(first, "world_before.png");
    save(second, "world_moved.png");
    auto region = [&](int column, int row, int columns, int rows) {
        return sf::IntRect(column * 16, row * 16, columns * 16, rows * 16);
    };
    EXPECT_GT(difference(first, second, region(11, 6, 4, 4)), 0) << "water";
    EXPECT_GT(difference(first, second, region(31, 6, 4, 4)), 0) << "acid";
    EXPECT_GT(difference(first, second, region(5, 20, 4, 1)), 0) << "conveyor";
    // Plain sand stays as it was (the glint only touches shiny materials).
    EXPECT_EQ(difference(first, second, region(2, 2, 3, 3)), 0) << "sand";
}

TEST_F(WorldViewDisplay, BeyondTheMapIsGroundAndTheWorldReachesTheWindow)
{
    // Scrolled past the map's right edge (1024 world pixels): cells outside the map are tile 0.
    const sf::Vector2f scroll(900, 0);
    const sf::Image image = frame(scroll, 1.0f);
    EXPECT_TRUE(isSandy(at(image, {1000, 100}, scroll, 1.0f)));
    EXPECT_TRUE(isSandy(at(image, {1200, 100}, scroll, 1.0f)));

    // The world texture is shown 1:1 over the window.
    kv::renderWindow->display();
    sf::Texture shot;
    ASSERT_TRUE(shot.create(640, 360));
    shot.update(*kv::renderWindow);
    const sf::Image window = shot.copyToImage();
    save(window, "world_window.png");
    for (sf::Vector2u p : {sf::Vector2u(100, 100), sf::Vector2u(300, 200), sf::Vector2u(639, 359)})
        EXPECT_EQ(window.getPixel(p.x, p.y), image.getPixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(WorldViewDisplay, FogCoversTheWorldWithOrWithoutItsProgram)
{
    const sf::Vector2f scroll(0, 0);
    const sf::Image clear = frame(scroll, 1.0f);
    tvl::worldView.gameFogColour = sf::Color(200, 200, 220);
    tvl::worldView.gameFogDensity = 0.8f;
    tvl::worldView.gameLightLevel = 0.3f;
    const sf::Image fog = frame(scroll, 1.0f);
    save(fog, "world_fog_night.png");
    // The water is no longer plainly blue under dense fog.
    const sf::Color water = at(fog, cell(14, 8), scroll, 1.0f);
    EXPECT_GT(difference(clear, fog, sf::IntRect(0, 0, 640, 360)), 640 * 360 * 10);
    EXPECT_LT(water.b - water.r, 100);

    // Without the program the fallback rectangle still fogs (alpha = density x 255).
    const kv::ShaderId program = tvl::worldView.fogShader;
    tvl::worldView.fogShader = -1;
    const sf::Image fallback = frame(scroll, 1.0f);
    tvl::worldView.fogShader = program;
    const sf::Color sandUnder = at(fallback, cell(3, 3), scroll, 1.0f);
    EXPECT_GT(sandUnder.b, 150) << "fog colour mixed in";
}

TEST_F(WorldViewDisplay, ViewSizeAndRenderScale)
{
    tvl::WorldView& view = tvl::worldView;
    tvl::setWorldViewSize(1.0f, {640, 360}, sf::FloatRect(0, 0, 640, 360));
    view.resizePending = false;
    tvl::setWorldViewSize(0.05f, {640, 360}, sf::FloatRect(0, 0, 640, 360));
    EXPECT_EQ(view.worldRenderScale, 0.1f);
    EXPECT_TRUE(view.resizePending);
    view.resizePending = false;
    tvl::setWorldViewSize(0.1f, {640, 360}, sf::FloatRect(0, 0, 640, 360));
    EXPECT_FALSE(view.resizePending);
    // At 0.1 the cache holds the 6400 x 3600 visible world, when the GL limit allows it.
    if (sf::Texture::getMaximumSize() >= 8192) {
        EXPECT_GE(view.terrain.colourTexture->getSize().x, 6400u);
    }

    ::testing::internal::CaptureStderr();
    tvl::setWorldViewSize(1.0f, {0, 360}, sf::FloatRect(0, 0, 640, 360));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("zero size"), std::string::npos) << log;
    EXPECT_EQ(view.pixelSize, sf::Vector2u(640, 360));
    EXPECT_EQ(view.worldRenderScale, 0.1f);
}

namespace {

// A 256 x 256 quad textured 1:1 with texture, drawn with states into a fresh target.
sf::Image drawQuad(const sf::RenderStates& states)
{
    sf::RenderTexture target;
    EXPECT_TRUE(target.create(256, 256));
    target.clear(sf::Color::Transparent);
    const sf::Vertex quad[6] = {{{0, 0}, {0, 0}},       {{256, 0}, {256, 0}}, {{256, 256}, {256, 256}},
                                {{0, 0}, {0, 0}},       {{256, 256}, {256, 256}}, {{0, 256}, {0, 256}}};
    target.draw(quad, 6, sf::Triangles, states);
    target.display();
    return target.getTexture().copyToImage();
}

struct Extremes {
    int darkest = 255, brightest = 0, transparent = 0;
};

Extremes extremes(const sf::Image& image)
{
    Extremes e;
    for (unsigned y = 0; y < 256; ++y)
        for (unsigned x = 0; x < 256; ++x) {
            const sf::Color c = image.getPixel(x, y);
            if (c.a == 0) {
                ++e.transparent;
                continue;
            }
            e.darkest = std::min<int>(e.darkest, c.r);
            e.brightest = std::max<int>(e.brightest, c.r);
        }
    return e;
}

} // namespace

TEST_F(WorldViewDisplay, TerrainProgramHonoursItsShineAndGrimeSwitches)
{
    // Grey ground with a clear left column (where water would show), fully shiny.
    sf::Image groundImage;
    groundImage.create(256, 256, sf::Color(128, 128, 128));
    for (unsigned y = 0; y < 256; ++y)
        for (unsigned x = 0; x < 16; ++x)
            groundImage.setPixel(x, y, sf::Color::Transparent);
    sf::Image shineImage;
    shineImage.create(256, 256, sf::Color(255, 0, 0));
    sf::Texture ground, shine;
    ASSERT_TRUE(ground.loadFromImage(groundImage));
    ASSERT_TRUE(shine.loadFromImage(shineImage));

    namespace U = kv::shaderUniforms::Terrain;
    kv::CachedShader& program = *kv::getShaderSlot(tvl::worldView.terrainShader).shader;
    tvl::shaderParams::setCurrentTexture(program, U::texture);
    tvl::shaderParams::set(program, U::shineMap, shine);
    tvl::shaderParams::set(program, U::textureSize, sf::Vector2f(256, 256));
    tvl::shaderParams::set(program, U::mapScroll, sf::Vector2f(0, 0));
    tvl::shaderParams::set(program, U::screenSize, sf::Vector2f(256, 256));
    tvl::shaderParams::set(program, U::screenScale, sf::Vector2f(1, 1));
    tvl::shaderParams::set(program, U::worldSize, sf::Vector2f(1024, 1024));
    tvl::shaderParams::set(program, U::time, 0.7f);
    tvl::shaderParams::set(program, U::screenOffset, sf::Vector2f(0, 0));
    sf::RenderStates states(&program);
    states.texture = &ground;

    struct Case {
        int shine, grime;
        bool darker, brighter;
    } cases[] = {{0, 0, false, false}, {0, 1, true, false}, {1, 0, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shine " << c.shine << " grime " << c.grime);
        tvl::shaderParams::set(program, U::shineEnabled, c.shine);
        tvl::shaderParams::set(program, U::grimeEnabled, c.grime);
        const sf::Image image = drawQuad(states);
        const Extremes e = extremes(image);
        EXPECT_EQ(e.transparent, 16 * 256) << "the ground's alpha is kept";
        EXPECT_EQ(e.darkest < 124, c.darker) << e.darkest;
        EXPECT_EQ(e.brightest > 132, c.brighter) << e.brightest;
    }
}

TEST_F(WorldViewDisplay, FogDriftsWithTheWind)
{
    tvl::worldView.gameFogDensity = 0.6f;
    const sf::Vector2f scroll(0, 0);
    const sf::IntRect sandArea(32, 32, 96, 32);
    struct Case {
        float wind;
        bool moves;
    } cases[] = {{0.0f, false}, {10.0f, true}};
    for (const Case& c : cases) {
        tvl::windSpeed = c.wind;
        const sf::Image first = frame(scroll, 1.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const sf::Image second = frame(scroll, 1.0f);
        EXPECT_EQ(difference(first, second, sandArea) > 0, c.moves) << "wind " << c.wind;
    }
    tvl::windSpeed = 10.0f;
}
