#include "core/PcxImage.h"

#include "core/LittleEndian.h"
#include "core/Messages.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <vector>

namespace kv {

namespace {

constexpr size_t headerSize = 128;
constexpr size_t paletteSize = 768;
constexpr uint8_t paletteMarker = 12;

} // namespace

PcxStatus decodePcxImage(const uint8_t* data, size_t size, sf::Image& image)
{
    if (!data || size < headerSize)
        return PcxStatus::badHeader;
    const unsigned encoding = data[2];
    const unsigned bitsPerPixel = data[3];
    const unsigned xMin = loadU16(data + 4), yMin = loadU16(data + 6);
    const unsigned xMax = loadU16(data + 8), yMax = loadU16(data + 10);
    const unsigned planes = data[65];
    const unsigned bytesPerLine = loadU16(data + 66);
    if (xMax < xMin || yMax < yMin)
        return PcxStatus::badHeader;
    const unsigned width = xMax - xMin + 1, height = yMax - yMin + 1;
    if (width > pcxMaxSide || height > pcxMaxSide || encoding != 1 || bitsPerPixel != 8 ||
        (planes != 1 && planes != 3 && planes != 4) || bytesPerLine < width)
        return PcxStatus::badHeader;

    // One plane: the palette closes the file, and the pixel data ends where it begins.
    size_t dataEnd = size;
    const uint8_t* palette = nullptr;
    if (planes == 1) {
        if (size < headerSize + 1 + paletteSize || data[size - paletteSize - 1] != paletteMarker)
            return PcxStatus::badPalette;
        palette = data + size - paletteSize;
        dataEnd = size - paletteSize - 1;
    }

    const size_t lineBytes = static_cast<size_t>(planes) * bytesPerLine;
    std::vector<uint8_t> line(lineBytes);
    std::vector<uint8_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * 4 * std::min<size_t>(height, 64));
    size_t pos = headerSize;
    for (unsigned y = 0; y < height; ++y) {
        size_t filled = 0;
        while (filled < lineBytes) {
            if (pos >= dataEnd)
                return PcxStatus::badData;
            uint8_t byte = data[pos++];
            size_t count = 1;
            if ((byte & 0xC0) == 0xC0) {
                if (pos >= dataEnd)
                    return PcxStatus::badData;
                count = byte & 0x3F;
                byte = data[pos++];
            }
            // A run never crosses into the next line: its surplus is dropped.
            for (; count > 0 && filled < lineBytes; --count)
                line[filled++] = byte;
        }
        for (unsigned x = 0; x < width; ++x) {
            uint8_t r, g, b;
            if (palette) {
                const uint8_t* entry = palette + 3 * line[x];
                r = entry[0], g = entry[1], b = entry[2];
            } else {
                r = line[x], g = line[bytesPerLine + x], b = line[2 * static_cast<size_t>(bytesPerLine) + x];
            }
            const bool transparent = r == 255 && g == 0 && b == 255;
            pixels.insert(pixels.end(), {transparent ? uint8_t(0) : r, g, transparent ? uint8_t(0) : b,
                                         uint8_t(transparent ? 0 : 255)});
        }
    }
    image.create(width, height, pixels.data());
    return PcxStatus::ok;
}

sf::Image loadPcxImage(const std::string& path)
{
    sf::Image image;
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        printError("Error opening " + path);
        return image;
    }
    switch (decodePcxImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image)) {
    case PcxStatus::ok: break;
    case PcxStatus::badHeader: printError("Error reading PCX header from " + path); break;
    case PcxStatus::badPalette: printError("Error reading palette data from " + path); break;
    case PcxStatus::badData: printError("Error reading PCX image data from " + path); break;
    }
    return image;
}

} // namespace kv
