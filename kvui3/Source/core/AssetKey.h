#pragma once
// The 16-byte key that scrambles and unscrambles asset payloads, built at run time from a seed
// text so that the key itself never sits in the program as a constant.
#include <cstdint>
#include <string>

namespace kv {

// Fills key from seed (its first 16 bytes, or the seed repeated with the first 16 mod length
// bytes at the end), then mixes it: with c = 1, for i = 0..15, key[i] = 4*key[i] + 5*c
// (mod 256) and c += key[i] / 10. An empty seed gives an all-zero fill before the mix.
void deriveAssetKey(const std::string& seed, uint8_t key[16]);

} // namespace kv
