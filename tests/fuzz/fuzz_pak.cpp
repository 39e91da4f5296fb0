// The pack reader over arbitrary bytes: the header, then every entry of the directory.
#include "core/PakFile.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > std::numeric_limits<uint32_t>::max())
        return 0;
    kv::PakFile pak;
    pak.stream.openMemory(data, static_cast<uint32_t>(size));
    if (!pak.readHeader())
        return 0;
    for (const kv::PakEntry& entry : pak.entries) {
        kv::BinaryStream source = pak.stream;
        if (!source.seek(entry.offset))
            continue;
        uint8_t* bytes = entry.readData(source);
        if (bytes && entry.size) {
            // Touch both ends so that a short buffer shows up under ASan.
            volatile uint8_t sink = bytes[0] ^ bytes[entry.size - 1];
            (void)sink;
        }
        std::free(bytes);
    }
    return 0;
}
