// How fast the computer player collects tokens at different frame rates: headless games of the
// computer alone on each map, stepped with simulated frame times of 1/30, 1/60 and 1/144 s. It
// prints tokens per minute of game time for each, the spread between the rates, and the longest
// wait for a token. No window: run it with the runtime tree, computer_player build/game [minutes]
#include "core/Angle.h"
#include "core/Random.h"
#include "world/Game.h"
#include "world/GameState.h"
#include "world/Map.h"
#include "world/Player.h"

#include "BenchSupport.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace tvl;

struct Run {
    double tokensPerMinute = 0;
    double longestWait = 0; // seconds
};

// Games of gameSeconds each until minutes of play have passed, all at one frame time.
Run playComputerAlone(sf::Vector2u mapTiles, float frameTime, double minutes, unsigned seed)
{
    std::srand(seed);
    const float gameSeconds = 180.0f;
    const int games = std::max(1, static_cast<int>(minutes * 60.0 / gameSeconds + 0.5));
    long tokens = 0;
    double longest = 0;
    for (int g = 0; g < games; ++g) {
        const sf::Vector2f imageShip = gameImageSizes.ship, imageToken = gameImageSizes.token;
        game = GameState{};
        game.gameType = SinglePlayerGame;
        mapWidth = static_cast<int>(mapTiles.x);
        mapHeight = static_cast<int>(mapTiles.y);
        mapWorldSize = sf::Vector2f(mapTiles.x * 16.0f, mapTiles.y * 16.0f);
        gameImageSizes.ship = imageShip;
        gameImageSizes.token = imageToken;
        auto computer = addPlayer(sf::Color::Red, "Computer", true);
        if (!computer)
            return {};
        placeToken(randomMapPosition(gameImageSizes.token.x * 0.5f));
        const sf::Vector2f start = randomMapPosition(computer->radius);
        computer->x = start.x;
        computer->y = start.y;
        computer->angle = kv::wrapRadians(kv::randomFloat(0.0f, 360.0f) * kv::degreesToRadians);

        const int frames = static_cast<int>(gameSeconds / frameTime);
        int lastToken = 0;
        for (int frame = 0; frame < frames; ++frame) {
            const int before = computer->tokens;
            computer->update(frameTime);
            game.events.clear();
            if (computer->tokens != before) {
                longest = std::max(longest, (frame - lastToken) * static_cast<double>(frameTime));
                lastToken = frame;
            }
        }
        longest = std::max(longest, (frames - lastToken) * static_cast<double>(frameTime));
        tokens += computer->tokens;
    }
    clearPlayers();
    game = GameState{};
    return {tokens / (games * gameSeconds / 60.0), longest};
}

sf::Vector2f pictureSize(const char* path)
{
    sf::Image image;
    if (!image.loadFromFile(path))
        return {};
    return {static_cast<float>(image.getSize().x), static_cast<float>(image.getSize().y)};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: computer_player GAME-FOLDER [MINUTES-PER-RATE]\n");
        return 2;
    }
    std::filesystem::current_path(argv[1]);
    const double minutes = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 600.0;
    // The sizes the game reads from its image table; the pictures alone need no window.
    gameImageSizes.ship = pictureSize("base/images/Ship03.png");
    gameImageSizes.token = pictureSize("base/images/Token.png");
    if (gameImageSizes.ship.x <= 0 || gameImageSizes.token.x <= 0) {
        std::fprintf(stderr, "computer_player: the ship or token picture is missing under base/images\n");
        return 1;
    }

    std::vector<std::string> maps;
    for (const auto& entry : std::filesystem::directory_iterator("base/Maps"))
        if (entry.path().extension() == ".map")
            maps.push_back(entry.path().filename().string());
    std::sort(maps.begin(), maps.end());
    if (maps.empty()) {
        std::fprintf(stderr, "computer_player: no maps in base/Maps\n");
        return 1;
    }

    const float rates[] = {30.0f, 60.0f, 144.0f};
    std::printf("machine: %s\n", bench::cpuModel().c_str());
    std::printf("%.0f minutes of game time per map and rate, ship %.0fx%.0f, token %.0fx%.0f px\n", minutes,
                gameImageSizes.ship.x, gameImageSizes.ship.y, gameImageSizes.token.x, gameImageSizes.token.y);
    std::printf("%-16s %11s %13s %13s %13s %8s %12s\n", "map", "tiles", "tokens/min@30", "tokens/min@60",
                "tokens/min@144", "spread", "longest wait");
    double worstSpread = 0;
    double totals[3] = {0, 0, 0};
    for (const std::string& map : maps) {
        const sf::Vector2u tiles = readMapSize(map);
        if (tiles.x == 0 || tiles.y == 0)
            continue;
        Run runs[3];
        double longest = 0;
        for (int r = 0; r < 3; ++r) {
            runs[r] = playComputerAlone(tiles, 1.0f / rates[r], minutes, 1000u + static_cast<unsigned>(r));
            totals[r] += runs[r].tokensPerMinute;
            longest = std::max(longest, runs[r].longestWait);
        }
        const double lo = std::min({runs[0].tokensPerMinute, runs[1].tokensPerMinute, runs[2].tokensPerMinute});
        const double hi = std::max({runs[0].tokensPerMinute, runs[1].tokensPerMinute, runs[2].tokensPerMinute});
        const double spread = lo > 0 ? (hi - lo) / lo * 100.0 : 100.0;
        worstSpread = std::max(worstSpread, spread);
        char size[32];
        std::snprintf(size, sizeof size, "%ux%u", tiles.x, tiles.y);
        std::printf("%-16s %11s %13.2f %13.2f %14.2f %7.1f%% %11.1fs\n", map.c_str(), size, runs[0].tokensPerMinute,
                    runs[1].tokensPerMinute, runs[2].tokensPerMinute, spread, longest);
    }
    std::printf("all maps: %.2f, %.2f, %.2f tokens/min at 30, 60, 144 frames/s; worst spread %.1f%% (goal: at most "
                "15%%)\n",
                totals[0] / maps.size(), totals[1] / maps.size(), totals[2] / maps.size(), worstSpread);
    return 0;
}
