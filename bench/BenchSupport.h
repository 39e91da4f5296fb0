#pragma once
// What the benchmarks share: a scratch game folder over the runtime tree, and the machine line.
#include <filesystem>
#include <fstream>
#include <string>

namespace bench {

// A fresh scratch folder (replacing an old one) with links to game's base and kvui3 folders and
// a windowed kvui3.ini of width x height without vsync or frame limit; it becomes the working
// folder.
inline std::filesystem::path enterScratchGameFolder(const std::filesystem::path& game, const std::string& name,
                                                    int width, int height)
{
    namespace fs = std::filesystem;
    const fs::path scratch = fs::temp_directory_path() / name;
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    fs::create_directory_symlink(game / "base", scratch / "base");
    fs::create_directory_symlink(game / "kvui3", scratch / "kvui3");
    std::ofstream(scratch / "kvui3.ini") << "[info]\nversion=3\n[video]\nwidth=" << width << "\nheight=" << height
                                         << "\nwindow=True\nantialiasingLevel=0\nvsyncEnabled=False\nfpsLimit=0\n";
    fs::current_path(scratch);
    return scratch;
}

// The processor's model name from /proc/cpuinfo.
inline std::string cpuModel()
{
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    return "unknown";
}

} // namespace bench
