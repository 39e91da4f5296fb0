#include "core/PakWriter.h"

#include "core/LittleEndian.h"
#include "core/PakFile.h"
#include "platform/FileSystem.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace kv {

namespace {

// One entry as zlib chunks: a u32 byte count and a complete stream per kPakChunkSize bytes.
bool appendChunks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> packed(compressBound(kPakChunkSize));
    for (size_t done = 0; done < data.size(); done += kPakChunkSize) {
        uLong piece = static_cast<uLong>(std::min<size_t>(kPakChunkSize, data.size() - done));
        uLongf packedSize = packed.size();
        if (compress2(packed.data(), &packedSize, data.data() + done, piece, Z_BEST_COMPRESSION) != Z_OK ||
            packedSize > kPakMaxChunkBytes)
            return false;
        appendU32(out, static_cast<uint32_t>(packedSize));
        out.insert(out.end(), packed.begin(), packed.begin() + static_cast<ptrdiff_t>(packedSize));
    }
    return true;
}

} // namespace

PakWriter::PakWriter(uint8_t compressionType) : compression(compressionType == 0 ? 0 : 1) {}

bool PakWriter::addEntry(const std::string& name, const void* data, size_t size)
{
    if (name.size() > static_cast<size_t>(std::numeric_limits<int16_t>::max()))
        return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    entries.push_back({name, std::vector<uint8_t>(bytes, bytes + size)});
    return true;
}

bool PakWriter::build(std::vector<uint8_t>& out) const
{
    out.clear();
    for (char c : {'K', 'P', 'A', 'K'})
        out.push_back(static_cast<uint8_t>(c));
    out.push_back(1); // version
    out.push_back(compression);
    appendU32(out, static_cast<uint32_t>(entries.size()));
    std::vector<size_t> offsetFields;
    for (const Entry& entry : entries) {
        appendU16(out, static_cast<uint16_t>(entry.name.size()));
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        offsetFields.push_back(out.size());
        appendU32(out, 0); // offset, filled in below
        if (entry.data.size() > std::numeric_limits<uint32_t>::max()) {
            out.clear();
            return false;
        }
        appendU32(out, static_cast<uint32_t>(entry.data.size()));
        appendU32(out, 0);
    }
    for (size_t i = 0; i < entries.size(); i++) {
        if (out.size() > std::numeric_limits<uint32_t>::max()) {
            out.clear();
            return false;
        }
        storeU32(out.data() + offsetFields[i], static_cast<uint32_t>(out.size()));
        const std::vector<uint8_t>& data = entries[i].data;
        if (compression == 0) {
            out.insert(out.end(), data.begin(), data.end());
        } else if (!appendChunks(out, data)) {
            out.clear();
            return false;
        }
    }
    if (out.size() > std::numeric_limits<uint32_t>::max()) {
        out.clear();
        return false;
    }
    return true;
}

bool PakWriter::writeFile(const std::string& path, std::string& error) const
{
    std::vector<uint8_t> bytes;
    if (!build(bytes)) {
        error = "Unable to build pack " + path;
        return false;
    }
    if (!kv::writeWholeFile(path, bytes.data(), bytes.size())) {
        error = "Unable to write " + path;
        return false;
    }
    return true;
}

} // namespace kv
