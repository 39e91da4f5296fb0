// Cost of an idle frame of the real loop (layers, compositor, ImGui, message text) at
// 1280x720 against a bare frame of the same size: median time, draw calls, clears and heap
// allocations per frame. Run under a display (xvfb-run) with the runtime tree's folder as the
// argument: idle_frame build/game
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
#include "FrameFigures.h"

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

    const double bare = bench::bareFrame(*kv::renderWindow);
    const int warmup = 60, frames = 600;
    bench::FrameRun run;
    run.times.reserve(frames);
    bench::FrameMeter meter(&allocations);
    for (int i = 0; i < warmup + frames; i++) {
        meter.start();
        kv::getRenderLayer(kv::layerDisplay, false)->clear(sf::Color(16, 20, 28));
        kv::resizeLayerTextures();
        ImGui::SFML::Update(*kv::renderWindow, sf::seconds(1.0f / 60));
        kv::displayFrame(0);
        bench::finishGl();
        if (i >= warmup)
            meter.stop(run);
    }
    std::printf("machine: %u hardware threads, %s, GL renderer %s, %s\n", std::thread::hardware_concurrency(),
                bench::cpuModel().c_str(), bench::glRenderer(), std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "no DISPLAY");
    bench::printFigureHeader();
    bench::printFigure("idle frame 1280x720", run, bare, 1.3);
    kv::KVCore::shutdown();
    fs::current_path(game);
    fs::remove_all(scratch);
    return 0;
}
