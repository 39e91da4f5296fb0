// The map file reader over arbitrary bytes; what it accepts must survive the writer unchanged.
#include "world/MapFile.h"
#include "world/MapWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>

static bool sameMap(const tvl::MapFileData& a, const tvl::MapFileData& b)
{
    if (a.width != b.width || a.height != b.height || a.tiles != b.tiles ||
        a.sprites.size() != b.sprites.size())
        return false;
    for (std::size_t i = 0; i < a.sprites.size(); i++) {
        const tvl::MapFileSprite& s = a.sprites[i];
        const tvl::MapFileSprite& t = b.sprites[i];
        if (s.typeName != t.typeName || s.x != t.x || s.y != t.y || s.angleDegrees != t.angleDegrees)
            return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint16_t width = 0, height = 0;
    tvl::readMapHeader(data, size, width, height);

    tvl::MapFileData map;
    if (tvl::parseMapFile(data, size, map) != tvl::MapFileStatus::Ok)
        return 0;
    if (map.width != width || map.height != height || map.tiles.size() != size_t(width) * height)
        std::abort();
    std::string bytes;
    tvl::MapFileData again;
    if (!tvl::encodeMapFile(map, bytes) ||
        tvl::parseMapFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), again) !=
            tvl::MapFileStatus::Ok ||
        !sameMap(map, again))
        std::abort();
    return 0;
}
