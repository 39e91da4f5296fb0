#include "world/MapWriter.h"

#include "platform/FileSystem.h"

#include <cstdio>
#include <cstring>

namespace tvl {

namespace {

void putU16(std::string& out, uint16_t v)
{
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void putF32(std::string& out, float v)
{
    uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; i++)
        out.push_back(char((u >> (8 * i)) & 0xFF));
}

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
    putU16(bytes, mapFileVersion);
    putU16(bytes, map.width);
    putU16(bytes, map.height);
    for (uint16_t tile : map.tiles)
        putU16(bytes, tile);
    putU16(bytes, uint16_t(map.sprites.size()));
    for (const MapFileSprite& sprite : map.sprites) {
        if (sprite.typeName.size() > 0xFFFF)
            return fail(error, "encodeMapFile: sprite name longer than 65535 bytes");
        putU16(bytes, uint16_t(sprite.typeName.size()));
        bytes += sprite.typeName;
        putF32(bytes, sprite.x);
        putF32(bytes, sprite.y);
        putF32(bytes, sprite.angleDegrees);
    }
    out = std::move(bytes);
    return true;
}

bool writeMapFile(const std::string& path, const MapFileData& map, std::string* error)
{
    std::string bytes;
    if (!encodeMapFile(map, bytes, error))
        return false;
    FILE* f = kv::openFile(path, "wb");
    if (!f)
        return fail(error, "Unable to write to " + path);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok ? true : fail(error, "Unable to write to " + path);
}

} // namespace tvl
