#include "core/AssetKey.h"

namespace kv {

void deriveAssetKey(const std::string& seed, uint8_t key[16])
{
    const size_t length = seed.size();
    for (size_t i = 0; i < 16; i++) {
        // Whole copies first, then the first (16 mod length) bytes fill the tail: both are
        // the seed read cyclically.
        key[i] = length ? static_cast<uint8_t>(seed[i % length]) : 0;
    }
    uint32_t c = 1;
    for (size_t i = 0; i < 16; i++) {
        key[i] = static_cast<uint8_t>(4u * key[i] + 5u * c);
        c += key[i] / 10u;
    }
}

} // namespace kv
