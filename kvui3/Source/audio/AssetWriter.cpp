#include "audio/AssetWriter.h"

#include "core/LittleEndian.h"
#include "platform/FileSystem.h"

#include <cstring>

namespace kv {

bool writeAsset(AssetKind kind, const std::string& extension, const void* data, size_t size,
                bool scrambled, std::vector<uint8_t>& out)
{
    out.clear();
    if (extension.size() > kAssetExtensionBytes)
        return false;
    out.reserve(kAssetHeaderBytes + kAssetExtensionBytes + size);
    const char* magic = kind == AssetKind::Sound ? "KSND" : "KMUS";
    out.insert(out.end(), magic, magic + 4);
    appendU16(out, 1); // version
    out.push_back(scrambled ? 1 : 0);
    out.insert(out.end(), extension.begin(), extension.end());
    out.resize(kAssetHeaderBytes + kAssetExtensionBytes, 0);
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
    if (scrambled)
        scrambleAsset(out.data() + kAssetHeaderBytes, out.size() - kAssetHeaderBytes);
    return true;
}

bool writeAssetFile(const std::string& path, AssetKind kind, const std::string& extension,
                    const void* data, size_t size, bool scrambled, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!writeAsset(kind, extension, data, size, scrambled, bytes)) {
        error = "Extension too long: " + extension;
        return false;
    }
    if (!writeWholeFile(path, bytes.data(), bytes.size())) {
        error = "Unable to write " + path;
        return false;
    }
    return true;
}

} // namespace kv
