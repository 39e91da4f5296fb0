#pragma once
// State the service's files share: the mounted packs and the music streams.
#include "audio/ModMusic.h"
#include "core/PakFile.h"

#include <SFML/Audio/Music.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kv::Audio {

struct MountedPack {
    std::string path; // as given
    std::unique_ptr<PakFile> pak;
    std::unordered_map<std::string, size_t> index; // entry key -> entry in pak->entries
};

// In mount order; every pack is searched in that order.
extern std::vector<MountedPack> openPacks;
void unmountPacks();

// The bytes stored at a game path: a loose file when one exists, else the first mounted pack
// entry under the path's key. False with error set: the file's open error, "Unable to find " +
// path, or unreadableMessage + path when the pack entry cannot be read.
bool readSource(const std::string& path, const char* unreadableMessage,
                std::vector<uint8_t>& out, std::string& error);

struct MusicStreams {
    std::unique_ptr<sf::Music> music = std::make_unique<sf::Music>();
    ModMusic module;
    sf::SoundStream* current = music.get();
    // What music streams from while it plays from memory.
    std::vector<uint8_t> memory;
};
MusicStreams& musicStreams();

} // namespace kv::Audio
