// Feeds arbitrary bytes to the server bookmark reader. Whatever it keeps must write out as a
// file that reads back whole and equal.
#include "core/BinaryFile.h"
#include "net/ServerBookmarks.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

tvl::ServerListState readBytes(std::vector<uint8_t> bytes, tvl::ServerBookmarkTable& out)
{
    std::string problem;
    FILE* handle = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!handle)
        __builtin_trap();
    kv::BinaryFile file;
    file.attach(handle, "fuzz.dat");
    return tvl::readServerBookmarks(file, out, problem);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0; // fmemopen wants a buffer; the empty file is a unit test
    tvl::ServerBookmarkTable table;
    if (readBytes(std::vector<uint8_t>(data, data + size), table) == tvl::ServerListState::BadHeader)
        return 0;
    const std::string written = tvl::encodeServerBookmarks(table);
    tvl::ServerBookmarkTable again;
    if (readBytes(std::vector<uint8_t>(written.begin(), written.end()), again)
            != tvl::ServerListState::Read
        || !(again == table))
        __builtin_trap();
    return 0;
}
