// Cost of an idle frame with a modal dialog open (the confirm question over a dimmed backdrop)
// at 1280x720 against a bare frame: median time, draw calls, clears and heap allocations per
// frame, measured inside the dialog's own loop. Run under a display (xvfb-run) with the runtime tree's folder as the
// argument: dialog_frame build/game
#include "BenchSupport.h"
#include "app/KVCore.h"
#include "core/Input.h"
#include "dialogs/Dialogs.h"

#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "FrameFigures.h"

namespace {

constexpr int warmup = 60, frames = 600;

void (*readDevicesForReal)(kv::InputState&) = nullptr;
bench::FrameRun run;
bench::FrameMeter meter(&allocations);
int frameCount = 0;

// Every frame samples the input once: the frame boundary to time from. Focus is kept so the
// dialog runs as it does in front of a player; nothing is pressed.
void timeFrame(kv::InputState& state)
{
    readDevicesForReal(state);
    state.focus = true;
    state.keys.reset();
    state.buttons = 0;
    if (frameCount > warmup && frameCount <= warmup + frames) {
        bench::finishGl();
        meter.stop(run);
    }
    ++frameCount;
    meter.start();
}

// Enter, once the frames are measured, answers the question.
bool scriptedEvent(sf::Event& event)
{
    static bool answered = false;
    if (answered || frameCount <= warmup + frames)
        return false;
    answered = true;
    event.type = sf::Event::KeyPressed;
    event.key = {sf::Keyboard::Enter, false, false, false, false};
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_frame GAME-FOLDER\n");
        return 2;
    }
    fs::path game = fs::absolute(argv[1]);
    const fs::path scratch = bench::enterScratchGameFolder(game, "tvl-bench-dialog", 1280, 720);
    if (!kv::KVCore::init()) {
        std::fprintf(stderr, "dialog_frame: the framework did not start\n");
        return 1;
    }
    const double bare = bench::bareFrame(*kv::renderWindow);
    run.times.reserve(frames);
    readDevicesForReal = kv::InputHooks::readDevices;
    kv::InputHooks::readDevices = timeFrame;
    kv::InputHooks::pollWindowEvent = scriptedEvent;
    const int answer = kv::showConfirmDialog("End game and return to menu?");
    kv::InputHooks::reset();

    std::printf("machine: %u hardware threads, %s, GL renderer %s\n", std::thread::hardware_concurrency(),
                bench::cpuModel().c_str(), bench::glRenderer());
    if (run.times.size() < frames) {
        std::fprintf(stderr, "dialog_frame: the dialog ended after %zu measured frames\n", run.times.size());
        return 1;
    }
    bench::printFigureHeader();
    bench::printFigure("confirm dialog open 1280x720", run, bare, 2.0);
    std::printf("(answer %d)\n", answer);
    kv::KVCore::shutdown();
    fs::current_path(game);
    fs::remove_all(scratch);
    return 0;
}
