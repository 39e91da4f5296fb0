#include "audio/AssetFile.h"

#include "core/AssetKey.h"
#include "core/LittleEndian.h"

#include <cstring>

namespace kv {

const char kAssetSeed[] = "Tv1!kVa_5eed#7";
static_assert(sizeof(kAssetSeed) == 15, "the asset seed is 14 characters");

void unscrambleAsset(uint8_t* payload, size_t size)
{
    uint8_t key[16];
    deriveAssetKey(kAssetSeed, key);
    for (size_t i = 0; i < size; i++) {
        const uint8_t k = key[i % 16];
        payload[i] = static_cast<uint8_t>(static_cast<uint8_t>(payload[i] - k / 10) ^ k);
    }
}

void scrambleAsset(uint8_t* payload, size_t size)
{
    uint8_t key[16];
    deriveAssetKey(kAssetSeed, key);
    for (size_t i = 0; i < size; i++) {
        const uint8_t k = key[i % 16];
        payload[i] = static_cast<uint8_t>((payload[i] ^ k) + k / 10);
    }
}

bool readAsset(const uint8_t* bytes, size_t size, AssetKind kind, const std::string& path,
               AssetPayload& out, std::string& error)
{
    const bool sound = kind == AssetKind::Sound;
    if (size < 4 || std::memcmp(bytes, sound ? "KSND" : "KMUS", 4) != 0) {
        error = path + " is invalid or corrupt.";
        return false;
    }
    if (size >= 6 && loadU16(bytes + 4) != 1) {
        error = std::string(sound ? "Unknown .snd version " : "Unknown .mus version ") + path;
        return false;
    }
    if (size < kAssetHeaderBytes + kAssetExtensionBytes) {
        error = path + " is invalid or corrupt.";
        return false;
    }
    std::vector<uint8_t> payload(bytes + kAssetHeaderBytes, bytes + size);
    if (bytes[6] == 1)
        unscrambleAsset(payload.data(), payload.size());
    const char* field = reinterpret_cast<const char*>(payload.data());
    out.extension.assign(field, strnlen(field, kAssetExtensionBytes));
    payload.erase(payload.begin(), payload.begin() + kAssetExtensionBytes);
    out.data = std::move(payload);
    return true;
}

} // namespace kv
