// Load time of the largest generated map (tiles, sprites, variant pass, minimap): median and
// worst of several loads. Run under a display with the runtime tree: map_load build/game
#include "core/Framework.h"
#include "world/Images.h"
#include "world/Map.h"
#include "world/Tileset.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_load GAME-FOLDER\n");
        return 2;
    }
    std::filesystem::current_path(argv[1]);
    kv::renderWindow->create(sf::VideoMode(64, 64), "map load benchmark");
    tvl::Images::createDefault();
    tvl::loadImagesFolder();
    tvl::loadTileset("base\\Tiles\\Tileset.png");

    std::string largest;
    unsigned largestTiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator("base/Maps")) {
        if (entry.path().extension() != ".map")
            continue;
        sf::Vector2u size = tvl::readMapSize(entry.path().filename().string());
        if (size.x * size.y > largestTiles) {
            largestTiles = size.x * size.y;
            largest = entry.path().filename().string();
        }
    }
    if (largest.empty()) {
        std::fprintf(stderr, "map_load: no maps in base/Maps\n");
        return 1;
    }
    std::vector<double> ms;
    for (int i = 0; i < 15; i++) {
        auto start = std::chrono::steady_clock::now();
        if (!tvl::loadMap(largest)) {
            std::fprintf(stderr, "map_load: %s\n", tvl::mapError.c_str());
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("machine: %u hardware threads\n", std::thread::hardware_concurrency());
    std::printf("%s (%dx%d tiles, %zu sprites): median load %.2f ms, worst %.2f ms over %zu loads\n", largest.c_str(),
                tvl::mapWidth, tvl::mapHeight, tvl::mapSprites.size(), ms[ms.size() / 2], ms.back(), ms.size());
    return 0;
}
