#pragma once
// Little-endian fields built byte by byte, for the tests of the binary readers and writers.
#include <cstdint>
#include <string>

namespace testsupport {

// v as two bytes, low byte first.
inline std::string le16(uint16_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

// v as four bytes, low byte first (a negative int32 as its two's complement).
inline std::string le32(uint32_t v)
{
    std::string out;
    for (int i = 0; i < 4; i++)
        out.push_back(static_cast<char>(v >> (8 * i)));
    return out;
}

// text cut or NUL-padded to size bytes: a fixed-width signature field.
inline std::string padded(const std::string& text, size_t size)
{
    std::string field = text.substr(0, size);
    field.resize(size, '\0');
    return field;
}

} // namespace testsupport
