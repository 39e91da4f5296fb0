#pragma once
// The Script Console's history file as bytes, written here and nowhere in the program: the
// signature padded to 32 bytes, the version, the count, then each entry's i32 length and bytes.
#include "ui/ScriptConsole.h"

#include "support/Bytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvtest {

inline std::string historyBytes(const std::vector<std::string>& entries, uint32_t count, int32_t version = 1,
                                const std::string& signature = kv::scriptConsoleHistorySignature)
{
    std::string bytes = testsupport::padded(signature, 32);
    bytes += testsupport::le32(static_cast<uint32_t>(version)) + testsupport::le32(count);
    for (const std::string& entry : entries)
        bytes += testsupport::le32(static_cast<uint32_t>(entry.size())) + entry;
    return bytes;
}

} // namespace kvtest
