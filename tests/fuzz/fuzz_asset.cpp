// Feeds the sound and music asset reader arbitrary files of both kinds.
#include "audio/AssetFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (kv::AssetKind kind : {kv::AssetKind::Sound, kv::AssetKind::Music}) {
        kv::AssetPayload out;
        std::string error;
        if (kv::readAsset(data, size, kind, "fuzz", out, error)) {
            if (out.extension.size() > kv::kAssetExtensionBytes ||
                out.data.size() != size - kv::kAssetHeaderBytes - kv::kAssetExtensionBytes)
                __builtin_trap();
        } else if (error.empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
