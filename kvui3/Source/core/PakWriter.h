#pragma once
// Builds KPAK packs that PakFile reads back byte for byte: the directory first, then each
// entry's data in the order added, stored or as zlib chunks of at most kPakChunkSize bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class PakWriter {
public:
    // compression: 0 entries stored, 1 zlib chunks (anything else is written as 1).
    explicit PakWriter(uint8_t compression);

    // Adds an entry; false (nothing added) when the name is longer than 32767 bytes.
    bool addEntry(const std::string& name, const void* data, size_t size);

    // The whole pack; false (out emptied) when compression fails or the pack would pass 4 GiB.
    bool build(std::vector<uint8_t>& out) const;
    // build() written to a game path; false with error set ("Unable to write " + path, or the
    // build failure) when it cannot be written.
    bool writeFile(const std::string& path, std::string& error) const;

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> data;
    };
    uint8_t compression;
    std::vector<Entry> entries;
};

} // namespace kv
