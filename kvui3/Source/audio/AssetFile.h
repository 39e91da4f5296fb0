#pragma once
// Sound (.snd, "KSND") and music (.mus, "KMUS") asset files: a small header around an original
// sample or module file, optionally scrambled.
//
// Layout (little-endian): magic (4 bytes), version u16 (1), scrambled u8 (1 = scrambled, any
// other value plain), then the payload to the end of the file: a 16-byte field holding the
// original file's extension with its dot (".ogg", ".wav", ".mod" ...), NUL-padded, followed by
// the original file's bytes. A scrambled payload is unscrambled byte by byte, counted from the
// start of the payload, with k = key[i mod 16] of deriveAssetKey(kAssetSeed):
// b = ((b - k / 10) mod 256) XOR k.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The seed both the reader and the asset writer derive the scrambling key from (14 characters).
extern const char kAssetSeed[];

constexpr size_t kAssetHeaderBytes = 7;
constexpr size_t kAssetExtensionBytes = 16;

enum class AssetKind { Sound, Music };

struct AssetPayload {
    std::string extension;     // the field up to its first NUL, as stored (".wav")
    std::vector<uint8_t> data; // the payload after the field: the original file
};

// Unscrambles (or, for the writer, scrambles) size payload bytes in place.
void unscrambleAsset(uint8_t* payload, size_t size);
void scrambleAsset(uint8_t* payload, size_t size);

// Reads an asset of the given kind from size bytes; path only names it in messages. Failure
// gives false with error set and out unchanged: path + " is invalid or corrupt." for a wrong
// magic or a file too short for its header and extension field, "Unknown .snd version " +
// path (or ".mus") for a version other than 1.
bool readAsset(const uint8_t* bytes, size_t size, AssetKind kind, const std::string& path,
               AssetPayload& out, std::string& error);

} // namespace kv
