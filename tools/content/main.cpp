// tvl_content <game folder>: fills the runtime tree with the binary content the game loads.
#include "Content.h"
#include "WorldArt.h"

#include "platform/FileSystem.h"

#include <SFML/Graphics/Image.hpp>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace content {

bool writeImage(const sf::Image& image, const std::string& gameDir, const std::string& relativePath)
{
    std::filesystem::path path = std::filesystem::path(gameDir) / relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error || !image.saveToFile(path.string())) {
        std::fprintf(stderr, "tvl_content: cannot write %s%s%s\n", path.string().c_str(),
                     error ? ": " : "", error ? error.message().c_str() : "");
        return false;
    }
    return true;
}

bool writeBytes(const std::vector<uint8_t>& bytes, const std::string& gameDir,
                const std::string& relativePath)
{
    std::filesystem::path path = std::filesystem::path(gameDir) / relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    // The whole-file writer also notices a write that fails only when the file is closed.
    if (error || !kv::writeWholeFile(path.string(), bytes.data(), bytes.size())) {
        std::fprintf(stderr, "tvl_content: cannot write %s%s%s\n", path.string().c_str(),
                     error ? ": " : "", error ? error.message().c_str() : "");
        return false;
    }
    return true;
}

} // namespace content

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--listen")
        return content::writeListeningCopies(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: tvl_content <game folder>\n"
                             "       tvl_content --listen <folder>  (plain WAV and MOD copies)\n");
        return 2;
    }
    const std::string gameDir = argv[1];
    struct Generator {
        const char* name;
        bool (*run)(const std::string&);
    };
    const Generator generators[] = {
        {"icons", content::generateIcons},
        {"internal textures", content::generateInternalTextures},
        {"game images", content::generateGameImages},
        {"tile set", content::generateTileset},
        {"map sprites", content::generateMapSprites},
        {"effect textures", content::generateEffectTextures},
        {"wildlife and plants", content::generateParticles},
        {"maps", content::generateMaps},
        {"sounds", content::generateSounds},
        {"music", content::generateMusic},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const Generator& generator : generators) {
        const auto begun = std::chrono::steady_clock::now();
        if (!generator.run(gameDir)) {
            std::fprintf(stderr, "tvl_content: generating the %s failed\n", generator.name);
            return 1;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begun;
        std::printf("tvl_content: %s in %.2f s\n", generator.name, took.count());
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("tvl_content: content generated in %.2f s\n", elapsed.count());
    return 0;
}
