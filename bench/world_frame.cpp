// The cost of the world frame (terrain, sprites, fog) on a large map at 1280 x 720 under the
// software renderer, against a bare frame of that size: the game's first world frame (which
// builds the terrain cache whole), then median and worst frame over a scripted pan with its draw
// calls and the pan's frames that moved the terrain cache, and the whole cache rebuild.
// Usage: world_frame [game folder] (default: ../game beside this executable).
#include "BenchSupport.h"
#include "AllocationCounter.h"
#include "FrameFigures.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "graphics/RenderLayers.h"
#include "graphics/Shaders.h"
#include "world/GameAssets.h"
#include "world/Map.h"
#include "world/MapWriter.h"
#include "world/Tileset.h"
#include "world/WorldView.h"

#include <SFML/Graphics.hpp>
#include <SFML/Window/Context.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void fillCell(sf::Image& image, int tile, sf::Color a, sf::Color b, bool half)
{
    const unsigned left = (tile % 32) * 16, top = (tile / 32) * 16;
    for (unsigned y = 0; y < 16; ++y)
        for (unsigned x = 0; x < 16; ++x)
            image.setPixel(left + x, top + y, half && x < 8 ? b : ((x + y) % 7 ? a : b));
}

// Tiles 0..4 ground, 10 water, 11 shore, 12 acid, 14 conveyor, 15 metal.
bool writeFixture(const std::filesystem::path& folder, int size)
{
    const sf::Color keyA(115, 113, 255), keyB(131, 255, 131);
    sf::Image tiles;
    tiles.create(512, 512, sf::Color(90, 150, 60));
    fillCell(tiles, 10, keyA, keyA, false);
    fillCell(tiles, 11, keyA, sf::Color(200, 170, 110), true);
    fillCell(tiles, 12, keyB, keyB, false);
    fillCell(tiles, 14, sf::Color(230, 200, 30), sf::Color(40, 40, 40), false);
    fillCell(tiles, 15, sf::Color(120, 120, 130), sf::Color(140, 140, 150), false);
    std::filesystem::create_directories(folder / "Base/Tiles");
    std::filesystem::create_directories(folder / "Base/Maps");
    if (!tiles.saveToFile((folder / "Base/Tiles/Tileset.png").string()))
        return false;
    std::ofstream((folder / "Base/Tiles/Tileset.ini").string())
        << "[info]\nnumMats=2\n[mat0]\nname=Grass\nshine=0\n[mat1]\nname=Metal\nshine=0.8\n"
           "[tileMats]\n15=Metal\n[tileSpecials]\n14=ConveyorRight\n";

    tvl::MapFileData map;
    map.width = map.height = static_cast<uint16_t>(size);
    map.tiles.assign(static_cast<size_t>(size) * size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            uint16_t tile = 0;
            const int cx = x % 40, cy = y % 40;
            if (cx >= 5 && cx < 15 && cy >= 5 && cy < 15)
                tile = cx == 5 ? 11 : 10;
            else if (cx >= 20 && cx < 26 && cy >= 20 && cy < 26)
                tile = 12;
            else if (cy == 30 && cx < 30)
                tile = 14;
            else if (cx >= 30 && cy >= 5 && cy < 12)
                tile = 15;
            map.tiles[static_cast<size_t>(y) * size + x] = tile;
        }
    return tvl::writeMapFile((folder / "Base/Maps/Bench.map").string(), map);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path game = argc > 1 ? std::filesystem::path(argv[1])
                                          : std::filesystem::read_symlink("/proc/self/exe").parent_path() / "../game";
    if (chdir(game.c_str()) != 0) {
        std::fprintf(stderr, "world_frame: no game folder at %s\n", game.c_str());
        return 1;
    }
    const sf::Vector2u size(1280, 720);
    kv::renderWindow->create(sf::VideoMode(size.x, size.y), "world frame benchmark");
    kv::initRenderLayers();
    if (!kv::Shaders::init())
        return 1;
    tvl::WorldView& view = tvl::worldView;
    view.waterShader = tvl::loadGameShader("Water.vert", "Water.frag");
    view.terrainShader = tvl::loadGameShader("Terrain.vert", "Terrain.frag");
    view.spriteShader = tvl::loadGameShader("Sprite.vert", "Sprite.frag");
    view.fogShader = tvl::loadGameShader("Fog.vert", "Fog.frag");

    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "tvl_world_frame";
    const int mapSize = 256; // tiles: the largest map the game ships is no larger
    if (!writeFixture(scratch, mapSize) || chdir(scratch.c_str()) != 0)
        return 1;
    if (!tvl::loadTileset("Base\\Tiles\\Tileset.png") || !tvl::loadMap("Bench.map"))
        return 1;
    for (sf::Texture* texture : {&*tvl::waterTexture, &*tvl::acidTexture}) {
        sf::Image image;
        image.create(512, 512, texture == &*tvl::waterTexture ? sf::Color(30, 80, 200) : sf::Color(60, 220, 40));
        texture->loadFromImage(image);
        texture->setRepeated(true);
        texture->setSmooth(true);
    }
    view.gameFogDensity = 0.4f;
    view.gameFogColour = sf::Color(200, 200, 220);

    const double bare = bench::bareFrame(*kv::renderWindow);

    const float scale = 1.5f;
    tvl::setWorldViewSize(scale, size, sf::FloatRect(0, 0, 1280, 720));
    const sf::FloatRect visible = tvl::visibleWorldRect({0, 0}, size, scale);
    const sf::Vector2f mapPixels = tvl::mapWorldSize;

    // The pan: a diagonal sweep across the map and back, 4 world pixels a frame.
    const int frames = 600;
    const auto panScroll = [&](int i) {
        const float t = static_cast<float>(i % 300) / 300.0f;
        const float along = (i < 300 ? t : 1.0f - t);
        const sf::Vector2f focus(along * mapPixels.x, (0.2f + 0.6f * along) * mapPixels.y);
        return tvl::cameraScroll(focus, sf::Vector2f(visible.width, visible.height), mapPixels);
    };
    kv::frameTime = 1.0f / 60.0f;
    // The game's first frame: the programs' first use and the cache built whole.
    const Clock::time_point firstStart = Clock::now();
    view.scroll = panScroll(0);
    tvl::drawWorld();
    bench::finishGl();
    const double firstFrame = std::chrono::duration<double, std::milli>(Clock::now() - firstStart).count();
    kv::renderWindow->display();

    bench::FrameRun pan;
    pan.times.reserve(frames);
    std::vector<double> moves;
    bench::FrameMeter meter(&allocations);
    for (int i = 0; i < frames; ++i) {
        const sf::FloatRect cached = view.terrain.area;
        meter.start();
        view.scroll = panScroll(i);
        tvl::drawWorld();
        bench::finishGl();
        meter.stop(pan);
        if (view.terrain.area != cached)
            moves.push_back(pan.times.back());
        kv::renderWindow->display();
    }

    std::vector<double> rebuilds;
    for (int i = 0; i < 20; ++i) {
        const Clock::time_point start = Clock::now();
        view.terrain.rebuild(sf::Vector2f(1000.0f + 16.0f * i, 1000.0f));
        bench::finishGl();
        rebuilds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }

    std::printf("machine: %u threads, %s, GL renderer %s\n", std::thread::hardware_concurrency(), bench::cpuModel().c_str(),
                bench::glRenderer());
    std::printf("map %dx%d tiles, world texture %ux%u at scale %.1f, terrain cache %ux%u\n", mapSize, mapSize, size.x,
                size.y, scale, view.terrain.colourTexture->getSize().x, view.terrain.colourTexture->getSize().y);
    std::printf("first world frame (terrain cache built whole): %.2f ms\n", firstFrame);
    bench::printFigureHeader();
    bench::printFigure("world frame, 600-frame pan (worst: goal 2x)", pan, bare, 0.0);
    if (!moves.empty())
        std::printf("pan frames that moved the terrain cache: %zu, median %.2f ms, worst %.2f ms\n", moves.size(),
                    median(moves), *std::max_element(moves.begin(), moves.end()));
    std::printf("terrain cache rebuild: median %.2f ms, worst %.2f ms\n", median(rebuilds),
                *std::max_element(rebuilds.begin(), rebuilds.end()));
    kv::renderWindow->close();
    std::filesystem::remove_all(scratch);
    return 0;
}
