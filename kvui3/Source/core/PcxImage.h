#pragma once
// ZSoft PCX pictures (8 bits per plane, run-length encoded): one plane with the 256-colour
// palette at the end of the file, or three/four planes read as red, green, blue. Pure magenta
// (255, 0, 255) is the transparent colour: such pixels become (0, 0, 0, 0).
#include <SFML/Graphics/Image.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

enum class PcxStatus {
    ok,
    badHeader,  // shorter than the 128-byte header, or a field this reader cannot decode
    badPalette, // one plane without the marker byte 12 and 768 palette bytes at the end
    badData,    // the run-length data ends before the last scan line
};

// The largest width or height accepted; larger headers are refused as bad.
constexpr unsigned pcxMaxSide = 8192;

// Decodes a whole PCX file held in memory. On success image holds width x height pixels;
// on failure it is left unchanged. Header checks: Xmax >= Xmin and Ymax >= Ymin with both sides
// at most pcxMaxSide, 8 bits per pixel, encoding 1, 1, 3 or 4 planes, and bytes per line at
// least the width.
PcxStatus decodePcxImage(const uint8_t* data, size_t size, sf::Image& image);

// Reads a PCX file (game path). An empty image after printError of "Error opening " + path,
// "Error reading PCX header from " + path, "Error reading palette data from " + path or
// "Error reading PCX image data from " + path.
sf::Image loadPcxImage(const std::string& path);

} // namespace kv
