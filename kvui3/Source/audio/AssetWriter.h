#pragma once
// Writes sound and music asset files that readAsset() reads back byte for byte (the layout is
// in audio/AssetFile.h). Used by the content tool and the tests.
//
// Packs of assets: base\sound.pak holds entries named "sound\<name><digits>.snd" (the first
// folder is dropped from the sound name, so "sound\Menu\Select1.snd" plays as "Menu\Select");
// base\music.pak holds "<file>.mus" entries found under the pack's folder ("base\<file>.mus").
// Build each entry with writeAsset() and add it with PakWriter::addEntry().
#include "audio/AssetFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The asset wrapping size bytes of an original file whose extension (with its dot, at most 16
// characters) is given; scrambled when asked. False (out emptied) for a longer extension.
bool writeAsset(AssetKind kind, const std::string& extension, const void* data, size_t size,
                bool scrambled, std::vector<uint8_t>& out);
// The same written to a game path; false with error set ("Unable to write " + path, or
// "Extension too long: " + extension).
bool writeAssetFile(const std::string& path, AssetKind kind, const std::string& extension,
                    const void* data, size_t size, bool scrambled, std::string& error);

} // namespace kv
