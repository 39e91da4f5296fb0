#include "world/MapFile.h"

#include <cmath>
#include <cstring>

namespace tvl {

namespace {

// Bounds-checked little-endian reads; a read past the end fails and reads nothing.
class ByteReader {
public:
    ByteReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - pos_; }

    bool bytes(void* out, std::size_t count)
    {
        if (count > remaining())
            return false;
        if (count)
            std::memcpy(out, data_ + pos_, count);
        pos_ += count;
        return true;
    }
    bool u16(uint16_t& v)
    {
        uint8_t b[2];
        if (!bytes(b, 2))
            return false;
        v = uint16_t(b[0] | (b[1] << 8));
        return true;
    }
    bool f32(float& v)
    {
        uint8_t b[4];
        if (!bytes(b, 4))
            return false;
        uint32_t u = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) |
                     (uint32_t(b[3]) << 24);
        std::memcpy(&v, &u, 4);
        return true;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

MapFileStatus readHeader(ByteReader& in, uint16_t& width, uint16_t& height)
{
    char signature[mapSignatureSize];
    uint16_t version = 0;
    if (!in.bytes(signature, mapSignatureSize) ||
        std::memcmp(signature, mapFileSignature, mapSignatureSize) != 0)
        return MapFileStatus::NotAMap;
    if (!in.u16(version) || version != mapFileVersion)
        return MapFileStatus::NotAMap;
    if (!in.u16(width) || !in.u16(height))
        return MapFileStatus::Truncated;
    return MapFileStatus::Ok;
}

} // namespace

MapFileStatus readMapHeader(const uint8_t* data, std::size_t size, uint16_t& width,
                            uint16_t& height)
{
    ByteReader in(data, size);
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
    ByteReader in(data, size);
    MapFileData map;
    MapFileStatus status = readHeader(in, map.width, map.height);
    if (status != MapFileStatus::Ok)
        return status;

    // A hostile header may claim 65535 x 65535 tiles: the bytes must be there first.
    std::size_t tileCount = std::size_t(map.width) * map.height;
    if (in.remaining() < tileCount * 2 + 2)
        return MapFileStatus::Truncated;
    map.tiles.resize(tileCount);
    for (uint16_t& tile : map.tiles)
        in.u16(tile);

    uint16_t spriteCount = 0;
    in.u16(spriteCount);
    constexpr std::size_t leastSpriteBytes = 2 + 12;
    if (in.remaining() / leastSpriteBytes < spriteCount)
        return MapFileStatus::Truncated;
    map.sprites.resize(spriteCount);
    for (MapFileSprite& sprite : map.sprites) {
        uint16_t length = 0;
        if (!in.u16(length))
            return MapFileStatus::Truncated;
        std::string name(length, '\0');
        if (!in.bytes(name.data(), length))
            return MapFileStatus::Truncated;
        name.resize(std::strlen(name.c_str()));
        sprite.typeName = std::move(name);
        if (!in.f32(sprite.x) || !in.f32(sprite.y) || !in.f32(sprite.angleDegrees))
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
