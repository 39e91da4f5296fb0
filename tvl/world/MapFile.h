#pragma once
// The map file format, parsed from bytes in memory (the loader reads the whole file first, so
// nothing of a damaged file reaches the loaded map). All numbers little-endian, no padding:
//   12 bytes "TVL Map File" (no terminator), u16 version 1, u16 width, u16 height (tiles, each at least 1),
//   width x height u16 tile indices row by row from the top, u16 sprite count, then per
//   sprite: u16 name length L, L bytes of the type name, f32 x, f32 y (world pixels, the
//   sprite's centre), f32 angle in degrees.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvl {

constexpr char mapFileSignature[] = "TVL Map File"; // exactly 12 characters
constexpr std::size_t mapSignatureSize = 12;
constexpr uint16_t mapFileVersion = 1;
constexpr std::size_t mapHeaderSize = 18;

struct MapFileSprite {
    std::string typeName; // an image name; the text ends at its first NUL
    float x = 0;
    float y = 0;
    float angleDegrees = 0;
};

struct MapFileData {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint16_t> tiles; // width x height, index y * width + x
    std::vector<MapFileSprite> sprites;
};

enum class MapFileStatus {
    Ok,
    NotAMap,   // wrong signature or version, no tiles (a width or height of 0), or a sprite
               // value that is not a finite number
    Truncated, // the file ends before what its header and counts promise
};

// The header alone: signature, version, width and height (both at least 1).
MapFileStatus readMapHeader(const uint8_t* data, std::size_t size, uint16_t& width,
                            uint16_t& height);

// The whole file. The tile block is checked against the size before anything is allocated.
// Bytes after the last sprite are ignored, and so is anything past the first 4 GiB. out is
// only written on Ok.
MapFileStatus parseMapFile(const uint8_t* data, std::size_t size, MapFileData& out);

} // namespace tvl
