#include "world/MapFile.h"

#include "core/BinaryStream.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace tvl {

namespace {

// The stream borrows the bytes; a source of 4 GiB or more is cut to what it can address.
void openBytes(kv::BinaryStream& in, const uint8_t* data, std::size_t size)
{
    constexpr std::size_t most = std::numeric_limits<uint32_t>::max();
    in.openMemory(data, uint32_t(std::min(size, most)));
}

MapFileStatus readHeader(kv::BinaryStream& in, uint16_t& width, uint16_t& height)
{
    char signature[mapSignatureSize];
    const int32_t signatureSize = int32_t(mapSignatureSize);
    if (in.read(reinterpret_cast<uint8_t*>(signature), signatureSize) != signatureSize ||
        std::memcmp(signature, mapFileSignature, mapSignatureSize) != 0)
        return MapFileStatus::NotAMap;
    if (in.readU16() != mapFileVersion || in.hasOverrun())
        return MapFileStatus::NotAMap;
    width = in.readU16();
    height = in.readU16();
    if (in.hasOverrun())
        return MapFileStatus::Truncated;
    // A map without tiles has nowhere to drive, place the token or start a vehicle.
    return width == 0 || height == 0 ? MapFileStatus::NotAMap : MapFileStatus::Ok;
}

} // namespace

MapFileStatus readMapHeader(const uint8_t* data, std::size_t size, uint16_t& width,
                            uint16_t& height)
{
    kv::BinaryStream in;
    openBytes(in, data, size);
    uint16_t w = 0, h = 0;
    MapFileStatus status = readHeader(in, w, h);
    if (status == MapFileStatus::Ok) {
        width = w;
        height = h;
    }
    return status;
}

MapFileStatus parseMapFile(const uint8_t* data, std::size_t size, MapFileData& out)
{
    kv::BinaryStream in;
    openBytes(in, data, size);
    MapFileData map;
    MapFileStatus status = readHeader(in, map.width, map.height);
    if (status != MapFileStatus::Ok)
        return status;

    // A hostile header may claim 65535 x 65535 tiles: the bytes must be there first.
    std::size_t tileCount = std::size_t(map.width) * map.height;
    if (in.getRemaining() < tileCount * 2 + 2)
        return MapFileStatus::Truncated;
    map.tiles.resize(tileCount);
    for (uint16_t& tile : map.tiles)
        tile = in.readU16();

    const uint16_t spriteCount = in.readU16();
    constexpr std::size_t leastSpriteBytes = 2 + 12;
    if (in.getRemaining() / leastSpriteBytes < spriteCount)
        return MapFileStatus::Truncated;
    map.sprites.resize(spriteCount);
    for (MapFileSprite& sprite : map.sprites) {
        const uint16_t length = in.readU16();
        std::string name(length, '\0');
        if (in.read(reinterpret_cast<uint8_t*>(name.data()), length) != length || in.hasOverrun())
            return MapFileStatus::Truncated;
        name.resize(std::strlen(name.c_str()));
        sprite.typeName = std::move(name);
        sprite.x = in.readF32();
        sprite.y = in.readF32();
        sprite.angleDegrees = in.readF32();
        if (in.hasOverrun())
            return MapFileStatus::Truncated;
        // Positions feed grid lookups and angles the renderer: no NaN or infinity gets in.
        if (!std::isfinite(sprite.x) || !std::isfinite(sprite.y) ||
            !std::isfinite(sprite.angleDegrees))
            return MapFileStatus::NotAMap;
    }
    out = std::move(map);
    return MapFileStatus::Ok;
}

} // namespace tvl
