// Time from process start to the first displayed menu frame, with the full runtime tree (median
// of several runs), against the first frame of a bare SFML window of the same size started the
// same way; then the cost, draw calls and heap allocations of an idle menu frame against a bare
// frame. Run under a
// display with the runtime tree's folder as the argument: xvfb-run -a menu_start build/game
//
// Each run is a fresh child process (this program again, with --child), so the fonts, packs,
// textures and shaders are loaded as the game loads them. The child repeats the game's start-up
// in its order and prints the monotonic clock at its first displayed frame; the parent takes
// the clock just before it starts the child.
#include "BenchSupport.h"
#include "audio/Audio.h"
#include "app/KVCore.h"
#include "core/FrameUpdate.h"
#include "core/Scene.h"
#include "frontend/MainMenuScene.h"
#include "app/Compositor.h"
#include "graphics/RenderLayers.h"
#include "world/Effects.h"
#include "world/GameAssets.h"
#include "world/GameSettings.h"

#include <imgui.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

#include "AllocationCounter.h"
#include "FrameFigures.h"

static long long monotonicNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One frame of the main loop, as the game runs it.
static void runFrame(kv::Scene& scene)
{
    const float dt = kv::frameTime;
    kv::getRenderLayer(kv::layerDisplay, false)->clear(scene.clearColour);
    kv::resizeLayerTextures();
    scene.update(dt);
    scene.draw(dt);
    kv::displayFrame(0);
}

// The game's start-up up to the first displayed menu frame; with idleFrames, that many more
// frames are measured afterwards.
static int runChild(int idleFrames)
{
    using namespace kv;
    appName = "Torvale!";
    appVersion = "1.7";
    appCredits = "(c) 2026 The Torvale! team";
    appWebsite = "https://torvale.example.org/";
    uiConfigPath = "base\\uiConfig.ini";
    if (!KVCore::init())
        return 1;
    ImGui::GetIO().IniFilename = nullptr;
    tvl::loadGameSettings();
    tvl::deferGameAssets();
    if (!tvl::plantListReady) {
        tvl::clearPlants();
        tvl::plantListReady = true;
    }
    {
        tvl::MainMenuScene menu;
        SceneManager::setCurrentScene(&menu);
        runFrame(menu);
        std::printf("first-frame %lld\n", monotonicNanoseconds());
        std::fflush(stdout);

        if (idleFrames > 0) {
            const double bare = bench::bareFrame(*renderWindow);
            const int warmup = 120;
            bench::FrameRun run;
            run.times.reserve(static_cast<size_t>(idleFrames));
            bench::FrameMeter meter(&allocations);
            for (int i = 0; i < warmup + idleFrames; i++) {
                meter.start();
                runFrame(menu);
                bench::finishGl();
                if (i >= warmup)
                    meter.stop(run);
            }
            bench::printFigureHeader();
            bench::printFigure("idle menu frame 1024x768", run, bare, 2.0);
        }
        SceneManager::sceneStack.clear();
        SceneManager::currentScene = nullptr;
    }
    Audio::shutdown();
    tvl::clearMapList();
    KVCore::shutdown();
    return 0;
}

// A bare SFML window of the size the game opens, cleared and shown once.
static int runBareChild()
{
    sf::RenderWindow window(sf::VideoMode(1024, 768), "Torvale!", sf::Style::Titlebar | sf::Style::Close);
    window.clear(sf::Color(16, 20, 28));
    window.display();
    std::printf("first-frame %lld\n", monotonicNanoseconds());
    std::fflush(stdout);
    return 0;
}

// Starts a child and returns the seconds from just before its start to its first frame; < 0
// when it failed.
static double timeOneStart(const char* self, int idleFrames, bool bare = false)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string frames = std::to_string(idleFrames);
    char* const args[] = {const_cast<char*>(self), const_cast<char*>(bare ? "--bare" : "--child"),
                          const_cast<char*>(frames.c_str()), nullptr};
    pid_t pid = 0;
    const long long started = monotonicNanoseconds();
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return -1;
    }
    std::string text;
    char buffer[512];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const size_t at = text.find("first-frame ");
    if (at == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    const long long firstFrame = std::atoll(text.c_str() + at + 12);
    const size_t rest = text.find('\n', at);
    if (rest != std::string::npos && rest + 1 < text.size())
        std::fputs(text.c_str() + rest + 1, stdout);
    return static_cast<double>(firstFrame - started) / 1e9;
}

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(std::atoi(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], "--bare") == 0)
        return runBareChild();
    if (argc < 2) {
        std::fprintf(stderr, "usage: menu_start GAME-FOLDER [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const std::string self = fs::canonical("/proc/self/exe").string();
    const fs::path game = fs::absolute(argv[1]);
    const fs::path scratch = bench::enterScratchGameFolder(game, "tvl-bench-menu-" + std::to_string(getpid()), 1024, 768);
    setenv("ALSOFT_DRIVERS", "null", 0);

    // Turn about, so that a machine growing busier weighs on both alike.
    std::vector<double> seconds, bareSeconds;
    for (int i = 0; i < runs; i++) {
        const double b = timeOneStart(self.c_str(), 0, true);
        if (b >= 0)
            bareSeconds.push_back(b);
        const double t = timeOneStart(self.c_str(), i == runs - 1 ? 600 : 0);
        if (t < 0) {
            std::fprintf(stderr, "menu_start: run %d failed\n", i + 1);
            continue;
        }
        seconds.push_back(t);
    }
    fs::current_path(game);
    fs::remove_all(scratch);
    if (seconds.empty() || bareSeconds.empty())
        return 1;
    std::sort(seconds.begin(), seconds.end());
    std::sort(bareSeconds.begin(), bareSeconds.end());
    std::printf("machine: %u hardware threads, %s\n", std::thread::hardware_concurrency(),
                std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "no DISPLAY");
    std::printf("process start to first displayed menu frame over %zu runs: median %.3f s, best %.3f s, "
                "worst %.3f s\n",
                seconds.size(), seconds[seconds.size() / 2], seconds.front(), seconds.back());
    const double bareMedian = bareSeconds[bareSeconds.size() / 2];
    std::printf("a bare window's first frame: median %.3f s; ratio %.2fx (goal: at most 2x)\n", bareMedian,
                seconds[seconds.size() / 2] / bareMedian);
    return 0;
}
