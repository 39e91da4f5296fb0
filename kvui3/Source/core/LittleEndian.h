#pragma once
// Little-endian packing, the byte order of every file the framework and the game read and write.
// load*/store* work on bytes the caller has already checked are there; append* grow a byte
// container (std::vector<uint8_t> or std::string).
#include <cstdint>
#include <cstring>

namespace kv {

inline uint16_t loadU16(const uint8_t* b)
{
    return static_cast<uint16_t>(b[0] | b[1] << 8);
}

inline uint32_t loadU32(const uint8_t* b)
{
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

inline float loadF32(const uint8_t* b)
{
    const uint32_t bits = loadU32(b);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void storeU16(uint8_t* b, uint16_t v)
{
    b[0] = static_cast<uint8_t>(v);
    b[1] = static_cast<uint8_t>(v >> 8);
}

inline void storeU32(uint8_t* b, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void storeF32(uint8_t* b, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    storeU32(b, bits);
}

template <class Bytes>
void appendU16(Bytes& out, uint16_t v)
{
    uint8_t b[2];
    storeU16(b, v);
    out.insert(out.end(), b, b + sizeof b);
}

template <class Bytes>
void appendU32(Bytes& out, uint32_t v)
{
    uint8_t b[4];
    storeU32(b, v);
    out.insert(out.end(), b, b + sizeof b);
}

template <class Bytes>
void appendF32(Bytes& out, float v)
{
    uint8_t b[4];
    storeF32(b, v);
    out.insert(out.end(), b, b + sizeof b);
}

} // namespace kv
