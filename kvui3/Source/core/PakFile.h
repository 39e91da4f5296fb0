#pragma once
// KPAK packs: one file holding many named entries, stored as they are or as zlib chunks.
//
// Layout (little-endian): "KPAK", version u8 (1), compression u8 (0 stored, 1 zlib chunks),
// entry count u32, then per entry an i16-length name, offset u32 (from the start of the file),
// size u32 (bytes after decompression) and a third u32 that is kept but not used. Compressed
// entry data is a run of chunks, each a u32 byte count and one complete zlib stream that
// inflates to at most kPakChunkSize bytes.
#include "core/BinaryStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Most bytes one chunk inflates to.
constexpr uint32_t kPakChunkSize = 32768;
// Largest byte count a chunk may have (the compression bound of a full chunk, with headroom).
constexpr uint32_t kPakMaxChunkBytes = 36172;
// Smallest directory record: the name length and three u32 with an empty name.
constexpr uint32_t kPakMinRecordBytes = 14;

class PakFile;

struct PakEntry {
    std::string name;      // path inside the pack, as stored ("/" or "\" separators)
    uint32_t offset = 0;   // from the start of the pack file
    uint32_t size = 0;     // bytes after decompression
    uint32_t reserved = 0; // the directory's third value, kept as read
    BinaryStream stream;   // the entry's bytes once they are in memory
    bool inMemory = false;
    PakFile* pak = nullptr;

    // The entry's bytes, read from source: a copy of the pack's stream placed at offset.
    // The result is a buffer of size bytes (at least one byte is allocated) that the caller
    // releases with free(). Null when anything does not fit: a stored entry that runs past the
    // end of the file, a short read, a chunk byte count of 0 or above kPakMaxChunkBytes, a chunk
    // that is not one complete zlib stream, inflates to nothing, or would inflate past the
    // entry's size, or a size the remaining file could not hold.
    uint8_t* readData(BinaryStream source) const;
};

// The pack reader. Entries point back at their pack, so a pack stays where it was built.
class PakFile {
public:
    PakFile() = default;
    PakFile(const PakFile&) = delete;
    PakFile& operator=(const PakFile&) = delete;

    // Reads the header and the directory from the start of `stream` (opened by the caller).
    // Failure gives false with the reason in `error`: "Magic mismatch", "Unexpected version N"
    // (0 or negative), "File is too new to read. File is version N. Latest compatible version
    // is 1", "Incorrect compression type (N)", "Invalid entry count" (more records than the
    // bytes left could hold) or "Truncated directory" (the file ends inside a record); the
    // entry list is then empty.
    bool readHeader();

    BinaryStream stream;
    int8_t version = 0;
    std::vector<PakEntry> entries;
    uint8_t compression = 0;
    std::string error;
};

} // namespace kv
