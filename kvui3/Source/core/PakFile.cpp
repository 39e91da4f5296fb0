#include "core/PakFile.h"

#include "core/LittleEndian.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace kv {

namespace {

struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
};
using MallocBuffer = std::unique_ptr<uint8_t[], FreeDeleter>;

// Every chunk takes its count and at least one byte.
constexpr uint64_t kMinChunkFootprint = 5;

} // namespace

bool PakFile::readHeader()
{
    entries.clear();
    error.clear();
    stream.seek(0);

    uint8_t magic[5] = {};
    stream.read(magic, 4);
    if (std::strcmp(reinterpret_cast<const char*>(magic), "KPAK") != 0) {
        error = "Magic mismatch";
        return false;
    }
    version = static_cast<int8_t>(stream.readU8());
    if (version <= 0) {
        error = "Unexpected version " + std::to_string(version);
        return false;
    }
    if (version >= 2) {
        error = "File is too new to read. File is version " + std::to_string(version) +
                ". Latest compatible version is " + "1";
        return false;
    }
    compression = stream.readU8();
    if (compression >= 2) {
        error = "Incorrect compression type (" + std::to_string(compression) + ")";
        return false;
    }
    uint32_t count = stream.readU32();
    if (stream.hasOverrun() || count > stream.getRemaining() / kPakMinRecordBytes) {
        error = "Invalid entry count";
        return false;
    }

    entries.resize(count);
    for (PakEntry& entry : entries) {
        entry.name = stream.readString16();
        entry.offset = stream.readU32();
        entry.size = stream.readU32();
        entry.reserved = stream.readU32();
        entry.inMemory = false;
        entry.pak = this;
    }
    if (stream.hasOverrun()) {
        entries.clear();
        error = "Truncated directory";
        return false;
    }
    return true;
}

uint8_t* PakEntry::readData(BinaryStream source) const
{
    if (!pak || !source.isOpen())
        return nullptr;
    uint64_t left = source.getRemaining();

    if (pak->compression == 0) {
        if (size > left)
            return nullptr;
        MallocBuffer out(static_cast<uint8_t*>(std::malloc(size ? size : 1)));
        if (!out)
            return nullptr;
        uint32_t done = 0;
        while (done < size) {
            int32_t piece = static_cast<int32_t>(std::min<uint32_t>(size - done, 1u << 30));
            if (source.read(out.get() + done, piece) != piece)
                return nullptr;
            done += static_cast<uint32_t>(piece);
        }
        return out.release();
    }

    // A damaged directory must not make us allocate what the file could never fill.
    if (size > (left / kMinChunkFootprint) * kPakChunkSize)
        return nullptr;
    MallocBuffer out(static_cast<uint8_t*>(std::malloc(size ? size : 1)));
    auto input = std::make_unique<uint8_t[]>(kPakMaxChunkBytes);
    if (!out)
        return nullptr;
    uint32_t produced = 0;
    while (produced < size) {
        uint8_t countBytes[4];
        if (source.read(countBytes, 4) != 4)
            return nullptr;
        uint32_t count = loadU32(countBytes);
        if (count == 0 || count > kPakMaxChunkBytes)
            return nullptr;
        if (source.read(input.get(), static_cast<int32_t>(count)) != static_cast<int32_t>(count))
            return nullptr;
        // The last chunk gets only the room the entry has left; anything longer is damage.
        uLongf room = std::min<uint32_t>(kPakChunkSize, size - produced);
        if (uncompress(out.get() + produced, &room, input.get(), count) != Z_OK || room == 0)
            return nullptr;
        produced += static_cast<uint32_t>(room);
    }
    return out.release();
}

} // namespace kv
