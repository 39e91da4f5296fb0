// Feeds arbitrary bytes to the binary-file reader the way its callers read: the server
// bookmark list, the console history and the map header with its sprite names.
#include "core/BinaryFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool attachBytes(kv::BinaryFile& file, std::vector<uint8_t>& bytes)
{
    FILE* handle = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!handle)
        return false;
    file.attach(handle, "fuzz.dat");
    return true;
}

void readServerList(kv::BinaryFile& file)
{
    uint16_t count = 0;
    if (!file.readHeader("TVL Server List") || !file.readU16(count))
        return;
    for (int i = 0; i < count && i < 64 && !file.hasFailed(); i++)
        for (int s = 0; s < 3; s++)
            file.readStdString();
}

void readHistory(kv::BinaryFile& file)
{
    uint32_t count = 0;
    if (!file.readHeader("KVUI3 Script Console History") || !file.readU32(count))
        return;
    for (uint32_t i = 0; i < count && !file.hasFailed(); i++)
        file.readStdString32();
}

void readMap(kv::BinaryFile& file)
{
    if (file.readFixedString12() != "TVL Map File")
        return;
    uint16_t version = 0, width = 0, height = 0, sprites = 0;
    if (!file.readU16(version) || !file.readU16(width) || !file.readU16(height))
        return;
    // Tile by tile: the header's size is not to be trusted with an allocation.
    uint16_t tile = 0;
    for (size_t i = 0; i < size_t(width) * height; i++)
        if (!file.readU16(tile))
            return;
    if (!file.readU16(sprites))
        return;
    float x, y, angle;
    for (int i = 0; i < sprites && !file.hasFailed(); i++) {
        file.readStdString();
        file.readF32(x);
        file.readF32(y);
        file.readF32(angle);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0; // fmemopen wants a buffer; the empty file is a unit test
    for (void (*reader)(kv::BinaryFile&) : {readServerList, readHistory, readMap}) {
        std::vector<uint8_t> bytes(data, data + size);
        kv::BinaryFile file;
        if (attachBytes(file, bytes))
            reader(file);
    }
    return 0;
}
