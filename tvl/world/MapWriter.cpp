#include "world/MapWriter.h"

#include "core/LittleEndian.h"
#include "platform/FileSystem.h"

namespace tvl {

namespace {

bool fail(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool encodeMapFile(const MapFileData& map, std::string& out, std::string* error)
{
    if (map.tiles.size() != std::size_t(map.width) * map.height)
        return fail(error, "encodeMapFile: the tiles do not fill width x height");
    if (map.sprites.size() > 0xFFFF)
        return fail(error, "encodeMapFile: more than 65535 sprites");
    std::string bytes;
    bytes.reserve(mapHeaderSize + map.tiles.size() * 2 + 2 + map.sprites.size() * 24);
    bytes.append(mapFileSignature, mapSignatureSize);
    kv::appendU16(bytes, mapFileVersion);
    kv::appendU16(bytes, map.width);
    kv::appendU16(bytes, map.height);
    for (uint16_t tile : map.tiles)
        kv::appendU16(bytes, tile);
    kv::appendU16(bytes, uint16_t(map.sprites.size()));
    for (const MapFileSprite& sprite : map.sprites) {
        if (sprite.typeName.size() > 0xFFFF)
            return fail(error, "encodeMapFile: sprite name longer than 65535 bytes");
        kv::appendU16(bytes, uint16_t(sprite.typeName.size()));
        bytes += sprite.typeName;
        kv::appendF32(bytes, sprite.x);
        kv::appendF32(bytes, sprite.y);
        kv::appendF32(bytes, sprite.angleDegrees);
    }
    out = std::move(bytes);
    return true;
}

bool writeMapFile(const std::string& path, const MapFileData& map, std::string* error)
{
    std::string bytes;
    if (!encodeMapFile(map, bytes, error))
        return false;
    return kv::writeWholeFile(path, bytes.data(), bytes.size()) ||
           fail(error, "Unable to write to " + path);
}

} // namespace tvl
