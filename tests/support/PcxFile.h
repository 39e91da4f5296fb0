#pragma once
// Builds PCX files in memory for the reader's tests.
#include "support/Bytes.h"

#include <cstdint>
#include <string>

namespace testsupport {

struct PcxHeader {
    unsigned width = 1, height = 1;
    unsigned planes = 1;
    unsigned bytesPerLine = 0; // 0: the width
    unsigned bitsPerPixel = 8;
    unsigned encoding = 1;
    unsigned xMin = 0, yMin = 0;
};

// The 128-byte header followed by data (already run-length encoded) and, when palette is not
// empty, the marker byte 12 and the palette (768 bytes expected).
inline std::string makePcx(const PcxHeader& h, const std::string& data, const std::string& palette = "")
{
    std::string file(128, '\0');
    auto put16 = [&](size_t at, unsigned v) { file.replace(at, 2, le16(static_cast<uint16_t>(v))); };
    file[0] = 10;
    file[1] = 5;
    file[2] = static_cast<char>(h.encoding);
    file[3] = static_cast<char>(h.bitsPerPixel);
    put16(4, h.xMin);
    put16(6, h.yMin);
    put16(8, h.xMin + h.width - 1);
    put16(10, h.yMin + h.height - 1);
    file[65] = static_cast<char>(h.planes);
    put16(66, h.bytesPerLine ? h.bytesPerLine : h.width);
    file += data;
    if (!palette.empty())
        file += '\x0C' + palette;
    return file;
}

// A 768-byte palette, black except for the given first entries (RGB triples).
inline std::string makePalette(const std::string& firstEntries)
{
    std::string palette = firstEntries;
    palette.resize(768, '\0');
    return palette;
}

} // namespace testsupport
