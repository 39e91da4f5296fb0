#pragma once
// What every frame benchmark prints: a frame's cost beside a bare frame of the same size measured
// in the same run, their ratio, and the GL draw calls, clears and heap allocations per frame.
//
// Include it in one file of a benchmark only: it defines glDrawArrays, glDrawElements and glClear,
// which SFML and the ImGui backend call straight into the GL library, counts each call and hands
// it on to the library's own. (An executable's definition comes first in the dynamic linker's
// search, so the shared SFML libraries reach these too.)
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Context.hpp>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

inline std::atomic<long> glDraws{0}, glClears{0};

template <typename Function>
Function glLibraryFunction(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace bench

extern "C" {

void glDrawArrays(unsigned mode, int first, int count)
{
    static const auto real = bench::glLibraryFunction<void (*)(unsigned, int, int)>("glDrawArrays");
    bench::glDraws.fetch_add(1, std::memory_order_relaxed);
    real(mode, first, count);
}

void glDrawElements(unsigned mode, int count, unsigned type, const void* indices)
{
    static const auto real =
        bench::glLibraryFunction<void (*)(unsigned, int, unsigned, const void*)>("glDrawElements");
    bench::glDraws.fetch_add(1, std::memory_order_relaxed);
    real(mode, count, type, indices);
}

void glClear(unsigned mask)
{
    static const auto real = bench::glLibraryFunction<void (*)(unsigned)>("glClear");
    bench::glClears.fetch_add(1, std::memory_order_relaxed);
    real(mask);
}

} // extern "C"

namespace bench {

// Waits for the GL to finish what it was given, so that a frame's drawing lands in its own time.
inline void finishGl()
{
    using GlFinish = void (*)();
    static const auto glFinish = reinterpret_cast<GlFinish>(sf::Context::getFunction("glFinish"));
    if (glFinish)
        glFinish();
}

// The GL renderer's name, "unknown" without a context.
inline const char* glRenderer()
{
    using GlGetString = const unsigned char* (*)(unsigned);
    const auto glGetString = reinterpret_cast<GlGetString>(sf::Context::getFunction("glGetString"));
    const unsigned char* name = glGetString ? glGetString(0x1F01) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "unknown";
}

// Per-frame times (ms) and counts of a run of frames.
struct FrameRun {
    std::vector<double> times;
    long draws = 0, clears = 0, allocations = 0;

    double median() const { return at(50); }
    double worst() const { return times.empty() ? 0.0 : *std::max_element(times.begin(), times.end()); }
    // The time below which the given percent of the frames lie.
    double at(int percent) const
    {
        if (times.empty())
            return 0.0;
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1, sorted.size() * static_cast<size_t>(percent) / 100)];
    }
    double perFrame(long total) const { return times.empty() ? 0.0 : static_cast<double>(total) / times.size(); }
};

// Counts one frame into run: call start() before it and stop() after it (after finishGl).
class FrameMeter {
public:
    explicit FrameMeter(const std::atomic<long>* allocationCounter = nullptr) : allocationCounter_(allocationCounter) {}
    void start()
    {
        draws_ = glDraws.load();
        clears_ = glClears.load();
        allocations_ = allocationCounter_ ? allocationCounter_->load() : 0;
        start_ = std::chrono::steady_clock::now();
    }
    void stop(FrameRun& run)
    {
        const auto end = std::chrono::steady_clock::now();
        run.times.push_back(std::chrono::duration<double, std::milli>(end - start_).count());
        run.draws += glDraws.load() - draws_;
        run.clears += glClears.load() - clears_;
        if (allocationCounter_)
            run.allocations += allocationCounter_->load() - allocations_;
    }

private:
    const std::atomic<long>* allocationCounter_;
    std::chrono::steady_clock::time_point start_;
    long draws_ = 0, clears_ = 0, allocations_ = 0;
};

// The floor of any frame of window's size: clear a render texture of that size, draw it into the
// window, display, and wait for the GL. Median of frames frames, in ms.
inline double bareFrame(sf::RenderWindow& window, int frames = 300)
{
    const sf::Vector2u size = window.getSize();
    sf::RenderTexture layer;
    if (!layer.create(size.x, size.y))
        return 0.0;
    sf::Sprite sprite(layer.getTexture());
    FrameRun run;
    FrameMeter meter;
    for (int i = 0; i < frames + 30; ++i) {
        meter.start();
        layer.clear(sf::Color(16, 20, 28));
        layer.display();
        window.setActive(true);
        window.draw(sprite);
        window.display();
        finishGl();
        if (i >= 30)
            meter.stop(run);
    }
    return run.median();
}

inline void printFigureHeader()
{
    std::printf("%-46s %9s %9s %7s %7s %8s %8s %8s %10s\n", "figure", "median", "bare", "ratio", "goal", "worst/med",
                "draws", "clears", "allocs");
}

// One row: the run's median against bare (with its goal ratio, 0 for none), its worst frame
// against its median, and the counts per frame.
inline void printFigure(const char* name, const FrameRun& run, double bareMs, double goalRatio)
{
    const double median = run.median();
    char goal[16] = "-";
    if (goalRatio > 0)
        std::snprintf(goal, sizeof goal, "%.1fx", goalRatio);
    std::printf("%-46s %7.2fms %7.2fms %6.2fx %7s %8.2fx %8.1f %8.1f %10.2f\n", name, median, bareMs,
                bareMs > 0 ? median / bareMs : 0.0, goal, median > 0 ? run.worst() / median : 0.0,
                run.perFrame(run.draws), run.perFrame(run.clears), run.perFrame(run.allocations));
}

} // namespace bench
