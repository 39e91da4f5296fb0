// Cost of an idle frame of the real loop (layers, compositor, ImGui, message text) at
// 1280x720: median time per frame and heap allocations per frame. Run under a display
// (xvfb-run) with the runtime tree's folder as the argument: idle_frame build/game
#include "BenchSupport.h"
#include "app/KVCore.h"
#include "core/Messages.h"
#include "graphics/Text.h"
#include "app/Compositor.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/RenderLayers.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <thread>
#include <vector>

#include "AllocationCounter.h"

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (argc < 2) {
        std::fprintf(stderr, "usage: idle_frame GAME-FOLDER\n");
        return 2;
    }
    fs::path game = fs::absolute(argv[1]);
    const fs::path scratch = bench::enterScratchGameFolder(game, "tvl-bench-idle", 1280, 720);

    if (!kv::KVCore::init()) {
        std::fprintf(stderr, "idle_frame: the framework did not start\n");
        return 1;
    }
    kv::printMessage("An idle frame with one message line on screen");

    const int warmup = 60, frames = 600;
    std::vector<double> times;
    times.reserve(frames);
    long allocationsMeasured = 0;
    for (int i = 0; i < warmup + frames; i++) {
        long before = allocations.load();
        auto start = std::chrono::steady_clock::now();
        kv::getRenderLayer(kv::layerDisplay, false)->clear(sf::Color(16, 20, 28));
        kv::resizeLayerTextures();
        ImGui::SFML::Update(*kv::renderWindow, sf::seconds(1.0f / 60));
        kv::displayFrame(0);
        auto end = std::chrono::steady_clock::now();
        if (i >= warmup) {
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            allocationsMeasured += allocations.load() - before;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("machine: %u hardware threads, %s\n", std::thread::hardware_concurrency(),
                std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "no DISPLAY");
    std::printf("idle frame at 1280x720 over %d frames: median %.3f ms, 95th percentile %.3f ms, worst %.3f ms\n",
                frames, times[times.size() / 2], times[times.size() * 95 / 100], times.back());
    std::printf("heap allocations per idle frame: %.2f\n", static_cast<double>(allocationsMeasured) / frames);
    kv::KVCore::shutdown();
    fs::current_path(game);
    fs::remove_all(scratch);
    return 0;
}
