#pragma once
// The Script Console's history file as bytes, written here and nowhere in the program: the
// signature padded to 32 bytes, the version, the count, then each entry's i32 length and bytes.
#include "ui/ScriptConsole.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvtest {

inline std::string le32(uint32_t v)
{
    std::string out;
    for (int i = 0; i < 4; i++)
        out.push_back(static_cast<char>(v >> (8 * i)));
    return out;
}

inline std::string historyBytes(const std::vector<std::string>& entries, uint32_t count, int32_t version = 1,
                                const std::string& signature = kv::scriptConsoleHistorySignature)
{
    std::string bytes = signature;
    bytes.resize(32, '\0');
    bytes += le32(static_cast<uint32_t>(version)) + le32(count);
    for (const std::string& entry : entries)
        bytes += le32(static_cast<uint32_t>(entry.size())) + entry;
    return bytes;
}

} // namespace kvtest
