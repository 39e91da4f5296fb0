// The cost of the game frame on the largest map (Frontier.map, 256 x 256 tiles) at 1280 x 720
// with every pickup the Ultra density places, against a bare frame of that size: median and
// worst of the whole frame with its draw calls, clears and heap allocations, and of its
// simulation step (physics, players, pickups, win check) inside the real loop, then the
// simulation step alone at a fixed 1/60 s (as it runs, and with the input queries
// answered in-process); then the game frame again with the local
// player's gun, drone and missiles firing, with the projectiles in flight on average; and last
// with every effect kept at its cap around the view (smoke, fire, debris spawned every frame on
// top of the firing), the ambience's wildlife and plants and its loops running throughout.
// Run under a display: xvfb-run -a -s "-screen 0 1280x720x24" build/bench/game_frame build/game
#include "BenchSupport.h"
#include "AllocationCounter.h"
#include "FrameFigures.h"

#include "audio/Audio.h"
#include "app/KVCore.h"
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "world/Effects.h"
#include "frontend/GameLoop.h"
#include "world/Game.h"
#include "world/GameAssets.h"
#include "world/GameSettings.h"
#include "world/Images.h"
#include "world/Map.h"
#include "world/Player.h"

#include <SFML/Window/Context.hpp>
#include <imgui.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void printTimes(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.3f ms, 95th %7.3f ms, worst %7.3f ms\n", what, times[times.size() / 2],
                times[times.size() * 95 / 100], times.back());
}

} // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    const fs::path game = fs::absolute(argc > 1 ? fs::path(argv[1])
                                                : fs::read_symlink("/proc/self/exe").parent_path() / "../game");
    if (!fs::exists(game / "base/Maps/Frontier.map")) {
        std::fprintf(stderr, "game_frame: no base/Maps/Frontier.map in %s\n", game.c_str());
        return 2;
    }
    const fs::path scratch = bench::enterScratchGameFolder(game, "tvl-bench-game", 1280, 720);

    if (!kv::KVCore::init()) {
        std::fprintf(stderr, "game_frame: the framework did not start\n");
        return 1;
    }
    ImGui::GetIO().IniFilename = nullptr;
    ImGui::GetIO().LogFilename = nullptr;
    tvl::gameSettings = tvl::GameSettings();
    tvl::loadGameAssets();
    if (!tvl::plantListReady) {
        tvl::clearPlants();
        tvl::plantListReady = true;
    }

    // Nobody may win while it is measured.
    tvl::GameStartSettings settings;
    settings.tokensCount = 1000000;
    settings.skillLevel = 1;
    settings.itemsDensity = 4; // Ultra
    if (!tvl::setUpGame(tvl::SinglePlayerGame, "Frontier.map", &settings)) {
        std::fprintf(stderr, "game_frame: the game did not start\n");
        return 1;
    }
    const size_t pickupCount = tvl::game.pickups.size();

    const double bare = bench::bareFrame(*kv::renderWindow);

    // The real loop, its two halves timed apart (runGameFrame is exactly these two in a
    // single-player game); glFinish makes the drawing's cost land in its own frame. beforeFrame
    // runs ahead of each frame, outside the timing; the projectiles in flight are summed.
    struct Run {
        bench::FrameRun frames;
        std::vector<double> simulationTimes;
        long simulationAllocations = 0;
        double projectiles = 0;
        double smoke = 0, fire = 0, debris = 0, wildlife = 0, plants = 0;
    };
    const auto measureFrames = [&](int warmup, int frames, const std::function<void(float)>& beforeFrame) {
        Run run;
        run.frames.times.reserve(frames);
        run.simulationTimes.reserve(frames);
        bench::FrameMeter meter(&allocations);
        for (int i = 0; i < warmup + frames && !tvl::game.gameEnded; i++) {
            beforeFrame(kv::frameTime);
            const long before = allocations.load();
            meter.start();
            const auto start = Clock::now();
            tvl::simulateGameFrame(kv::frameTime);
            const double simulated = millisecondsSince(start);
            const long afterSimulation = allocations.load();
            tvl::drawGameFrame();
            bench::finishGl();
            if (i >= warmup) {
                meter.stop(run.frames);
                run.simulationTimes.push_back(simulated);
                run.simulationAllocations += afterSimulation - before;
                run.projectiles += static_cast<double>(tvl::game.projectiles.size());
                run.smoke += static_cast<double>(tvl::smokeParticles.size());
                run.fire += static_cast<double>(tvl::fireParticles.size());
                run.debris += static_cast<double>(tvl::debrisParticles.size());
                run.wildlife += static_cast<double>(tvl::wildlifeParticles.size());
                run.plants += static_cast<double>(tvl::plantParticles.size());
            }
        }
        return run;
    };
    const int warmup = 120, frames = 1200;
    const Run quiet = measureFrames(warmup, frames, [](float) {});
    const std::vector<double>& simulationTimes = quiet.simulationTimes;
    const long simulationAllocations = quiet.simulationAllocations;
    const int measured = static_cast<int>(quiet.frames.times.size());

    // The simulation alone, a minute of game at 60 frames a second, each step with a tick
    // (the most work a step does) and the frame's input sample before it: once as it runs, once
    // with the keyboard, mouse and focus answered without asking the display (each real query
    // is a round trip to the X server).
    const int steps = 3600;
    const auto simulateAlone = [&](std::vector<double>& times, long& stepAllocations) {
        times.reserve(steps);
        for (int i = 0; i < steps && !tvl::game.gameEnded; i++) {
            kv::pollerTicked = true;
            const long before = allocations.load();
            const auto start = Clock::now();
            kv::sampleInput();
            tvl::simulateGameFrame(1.0f / 60.0f);
            times.push_back(millisecondsSince(start));
            stepAllocations += allocations.load() - before;
        }
        kv::pollerTicked = false;
    };
    std::vector<double> stepTimes, quietStepTimes;
    long stepAllocations = 0, quietAllocations = 0;
    simulateAlone(stepTimes, stepAllocations);
    kv::InputHooks::readDevices = [](kv::InputState& state) {
        state = kv::InputState();
        state.focus = true;
    };
    simulateAlone(quietStepTimes, quietAllocations);
    kv::InputHooks::reset();

    // The local player keeps its gun firing and its drone up and sends a missile at the computer
    // every second, the HUD drawn over it all.
    float sinceMissile = 0;
    const auto keepFiring = [&sinceMissile](float dt) {
        tvl::Player& me = *tvl::localPlayer();
        if (me.gunShots < 1)
            me.useItem(tvl::Gun);
        if (!me.droneActive)
            me.useItem(tvl::Drone);
        sinceMissile += dt;
        if (sinceMissile >= 1.0f) {
            sinceMissile = 0;
            me.useItem(tvl::Missile);
        }
    };
    const Run firing = measureFrames(warmup, frames, keepFiring);

    // Everything at once: the firing above, and each frame 60 smoke puffs, 60 fires and 16 debris
    // bursts scattered over the view, so every capped list stays full and evicts.
    sinceMissile = 0;
    uint32_t scatter = 12345;
    const auto around = [&scatter](sf::Vector2f centre) {
        scatter = scatter * 1664525u + 1013904223u;
        const float dx = static_cast<float>(scatter >> 16 & 1023) - 512.0f;
        scatter = scatter * 1664525u + 1013904223u;
        const float dy = static_cast<float>(scatter >> 16 & 511) - 256.0f;
        return centre + sf::Vector2f(dx, dy);
    };
    const Run everything = measureFrames(warmup, frames, [&](float dt) {
        keepFiring(dt);
        const tvl::Player& me = *tvl::localPlayer();
        const sf::Vector2f centre(me.x, me.y);
        const sf::Vector2f drift(0.5f, -1.0f), puff(24, 24), spark(4, 4), sparkMax(96, 96);
        const sf::Color grey(120, 120, 120, 255), orange(255, 160, 40, 255);
        for (int i = 0; i < 60; i++) {
            const sf::Vector2f at = around(centre);
            tvl::spawnSmoke(&at, &drift, &puff, &grey, 0.3f, 1.0f, 0.25f);
            const sf::Vector2f fireAt = around(centre);
            tvl::spawnFire(&fireAt, static_cast<float>(i % 12), &puff);
        }
        for (int i = 0; i < 16; i++) {
            const sf::Vector2f at = around(centre);
            tvl::spawnDebris(&at, &drift, &spark, &sparkMax, &orange, 60.0f, 1.0f, false);
        }
    });

    std::printf("machine: %u hardware threads, %s, GL renderer %s\n", std::thread::hardware_concurrency(),
                bench::cpuModel().c_str(), bench::glRenderer());
    std::printf("Frontier.map %dx%d tiles, %zu pickups (Ultra), %zu players, window 1280x720\n", tvl::mapWidth,
                tvl::mapHeight, pickupCount, tvl::game.players.size());
    const int firingMeasured = static_cast<int>(firing.frames.times.size());
    const int everythingMeasured = static_cast<int>(everything.frames.times.size());
    if (measured == 0 || firingMeasured == 0 || everythingMeasured == 0 || stepTimes.empty() || quietStepTimes.empty()) {
        std::fprintf(stderr, "game_frame: the game ended before it was measured\n");
        return 1;
    }
    bench::printFigureHeader();
    bench::printFigure("game frame 1280x720", quiet.frames, bare, 5.0);
    bench::printFigure("game frame, weapons firing", firing.frames, bare, 6.0);
    bench::printFigure("game frame, every effect at its cap", everything.frames, bare, 14.0);
    std::printf("(goals: worst at most 2x the median in each; at most 150 draws with every effect)\n\n");

    printTimes("simulation step in the game frame:", simulationTimes);
    printTimes(("simulation step alone, " + std::to_string(stepTimes.size()) + " steps of 1/60 s:").c_str(),
               stepTimes);
    printTimes("  the same without asking the X server:", quietStepTimes);
    std::printf("heap allocations per frame in the simulation %.2f; per step alone: %.2f, %.2f\n",
                static_cast<double>(simulationAllocations) / measured,
                static_cast<double>(stepAllocations) / static_cast<double>(stepTimes.size()),
                static_cast<double>(quietAllocations) / static_cast<double>(quietStepTimes.size()));
    printTimes("simulation step with weapons firing:", firing.simulationTimes);
    std::printf("  projectiles in flight: %.1f on average\n", firing.projectiles / firingMeasured);
    printTimes("simulation step with every effect:", everything.simulationTimes);
    const double n = everythingMeasured;
    std::printf("  live on average: %.0f smoke, %.0f fire, %.0f debris, %.0f wildlife, %.0f plants, "
                "%.1f projectiles\n",
                everything.smoke / n, everything.fire / n, everything.debris / n, everything.wildlife / n,
                everything.plants / n, everything.projectiles / n);
    std::printf("  with the firing alone: %.0f wildlife, %.0f plants on average\n",
                firing.wildlife / firingMeasured, firing.plants / firingMeasured);

    // The program's own end, and the music streams released here: without an audio device
    // the framework keeps them to exit, where their destructor writes to SFML's error stream
    // after it is gone.
    tvl::tearDownGame();
    kv::Audio::stopAll();
    kv::Audio::shutdown();
    tvl::clearMapList();
    tvl::unloadMap();
    tvl::resetImageTables();
    tvl::clearPlants();
    tvl::plantListReady = false;
    kv::KVCore::shutdown();
    fs::current_path(game);
    fs::remove_all(scratch);
    return 0;
}
