#include "core/PakFile.h"
#include "core/PakWriter.h"

#include "support/Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Freed {
    void operator()(uint8_t* p) const { std::free(p); }
};
using Data = std::unique_ptr<uint8_t[], Freed>;

// Noise with runs, so the chunks compress but not to nothing.
Bytes sampleBytes(size_t size, uint32_t seed)
{
    Bytes out(size);
    for (size_t i = 0; i < size; i++) {
        seed = seed * 1103515245u + 12345u;
        out[i] = static_cast<uint8_t>((i / 7) ^ (seed >> 28));
    }
    return out;
}

void putU32(Bytes& out, uint32_t v)
{
    const std::string bytes = testsupport::le32(v);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

Bytes zlibChunk(const Bytes& raw)
{
    uLongf n = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(n);
    compress2(packed.data(), &n, raw.data(), static_cast<uLong>(raw.size()), 9);
    Bytes out;
    putU32(out, static_cast<uint32_t>(n));
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<ptrdiff_t>(n));
    return out;
}

// A pack of one entry named "e" whose data follows the directory as given.
Bytes onePack(uint8_t compression, uint32_t size, const Bytes& data)
{
    Bytes out = {'K', 'P', 'A', 'K', 1, compression};
    putU32(out, 1);
    out.insert(out.end(), {1, 0, 'e'});
    putU32(out, 25);
    putU32(out, size);
    putU32(out, 0);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Data readEntry(kv::PakFile& pak, size_t index)
{
    kv::BinaryStream source = pak.stream;
    if (!source.seek(pak.entries[index].offset))
        return nullptr;
    return Data(pak.entries[index].readData(source));
}

struct Named {
    std::string name;
    Bytes data;
};

const std::vector<Named>& sampleEntries()
{
    static const std::vector<Named> entries = {
        {"sound/Menu/Select1.snd", sampleBytes(300, 1)},
        {"empty", {}},
        {"Music\\long.mus", sampleBytes(70000, 2)},
        {"exact", sampleBytes(32768, 3)},
    };
    return entries;
}

Bytes writePack(uint8_t compression)
{
    kv::PakWriter writer(compression);
    for (const Named& e : sampleEntries())
        EXPECT_TRUE(writer.addEntry(e.name, e.data.data(), e.data.size()));
    Bytes pack;
    EXPECT_TRUE(writer.build(pack));
    return pack;
}

void expectSampleEntries(kv::PakFile& pak)
{
    const auto& expected = sampleEntries();
    ASSERT_EQ(pak.entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        const kv::PakEntry& entry = pak.entries[i];
        EXPECT_EQ(entry.name, expected[i].name);
        EXPECT_EQ(entry.size, expected[i].data.size());
        EXPECT_EQ(entry.pak, &pak);
        EXPECT_FALSE(entry.inMemory);
        Data data = readEntry(pak, i);
        ASSERT_NE(data, nullptr) << entry.name;
        // Compared as vectors: the empty entry's expected data() may be null, which memcmp must not get.
        EXPECT_EQ(Bytes(data.get(), data.get() + expected[i].data.size()), expected[i].data) << entry.name;
    }
}

} // namespace

TEST(PakFile, StoredAndChunkedPacksRoundTrip)
{
    for (uint8_t compression : {0, 1}) {
        SCOPED_TRACE(compression);
        Bytes pack = writePack(compression);
        kv::PakFile pak;
        pak.stream.openMemory(pack.data(), static_cast<uint32_t>(pack.size()));
        ASSERT_TRUE(pak.readHeader()) << pak.error;
        EXPECT_EQ(pak.version, 1);
        EXPECT_EQ(pak.compression, compression);
        expectSampleEntries(pak);
    }
}

TEST(PakFile, PackFilesRoundTripFromDisk)
{
    testsupport::TempDir dir;
    kv::PakWriter writer(1);
    for (const Named& e : sampleEntries())
        writer.addEntry(e.name, e.data.data(), e.data.size());
    std::string error;
    ASSERT_TRUE(writer.writeFile((dir.path() / "sound.pak").string(), error)) << error;

    kv::PakFile pak;
    ASSERT_TRUE(pak.stream.openFile((dir.path() / "SOUND.PAK").string()));
    ASSERT_TRUE(pak.readHeader()) << pak.error;
    expectSampleEntries(pak);
}

TEST(PakFile, LongEntriesAreFullChunksAndARemainder)
{
    Bytes pack = writePack(1);
    kv::PakFile pak;
    pak.stream.openMemory(pack.data(), static_cast<uint32_t>(pack.size()));
    ASSERT_TRUE(pak.readHeader());
    const kv::PakEntry& entry = pak.entries[2];
    ASSERT_EQ(entry.size, 70000u);

    std::vector<uLongf> inflated;
    size_t at = entry.offset;
    uLongf total = 0;
    while (total < entry.size) {
        uint32_t count = pack[at] | (pack[at + 1] << 8) | (pack[at + 2] << 16) | (pack[at + 3] << 24);
        Bytes out(kv::kPakChunkSize);
        uLongf n = out.size();
        ASSERT_EQ(uncompress(out.data(), &n, pack.data() + at + 4, count), Z_OK);
        inflated.push_back(n);
        total += n;
        at += 4 + count;
    }
    EXPECT_EQ(inflated, (std::vector<uLongf>{32768, 32768, 4464}));
}

TEST(PakFile, HeadersThatDoNotFitAreRefused)
{
    auto header = [](std::initializer_list<int> head, uint32_t count, size_t padding) {
        Bytes out;
        for (int v : head)
            out.push_back(static_cast<uint8_t>(v));
        putU32(out, count);
        out.resize(out.size() + padding, 0);
        return out;
    };
    // One record whose name claims more bytes than the file holds.
    Bytes truncated = header({'K', 'P', 'A', 'K', 1, 0}, 1, 14);
    truncated[10] = 40;
    struct Case {
        Bytes pack;
        std::string error;
    };
    const Case cases[] = {
        {header({'K', 'P', 'A', 'X', 1, 0}, 0, 0), "Magic mismatch"},
        {Bytes{'K', 'P', 'A'}, "Magic mismatch"},
        {header({'K', 'P', 'A', 'K', 2, 0}, 0, 0),
         "File is too new to read. File is version 2. Latest compatible version is 1"},
        {header({'K', 'P', 'A', 'K', 0, 0}, 0, 0), "Unexpected version 0"},
        {header({'K', 'P', 'A', 'K', 0xFF, 0}, 0, 0), "Unexpected version -1"},
        {header({'K', 'P', 'A', 'K', 1, 5}, 0, 0), "Incorrect compression type (5)"},
        {header({'K', 'P', 'A', 'K', 1, 1}, 0xFFFFFFFFu, 100), "Invalid entry count"},
        {header({'K', 'P', 'A', 'K', 1, 1}, 3, 41), "Invalid entry count"},
        {Bytes{'K', 'P', 'A', 'K', 1, 0, 1, 0}, "Invalid entry count"},
        {truncated, "Truncated directory"},
    };

    for (const Case& c : cases) {
        kv::PakFile pak;
        pak.stream.openMemory(c.pack.data(), static_cast<uint32_t>(c.pack.size()));
        EXPECT_FALSE(pak.readHeader()) << c.error;
        EXPECT_EQ(pak.error, c.error);
        EXPECT_TRUE(pak.entries.empty()) << c.error;
    }
}

TEST(PakFile, EmptyPackAndExactDirectory)
{
    for (uint32_t count : {0u, 3u}) {
        Bytes pack = {'K', 'P', 'A', 'K', 1, 0};
        putU32(pack, count);
        pack.resize(pack.size() + count * kv::kPakMinRecordBytes, 0);
        kv::PakFile pak;
        pak.stream.openMemory(pack.data(), static_cast<uint32_t>(pack.size()));
        EXPECT_TRUE(pak.readHeader()) << pak.error;
        EXPECT_EQ(pak.entries.size(), count);
    }
}

TEST(PakFile, DamagedEntriesGiveNull)
{
    const Bytes raw = sampleBytes(1000, 9);
    const Bytes good = zlibChunk(raw);
    auto withCount = [&](uint32_t count) {
        Bytes out = good;
        const std::string bytes = testsupport::le32(count);
        std::copy(bytes.begin(), bytes.end(), out.begin());
        return out;
    };
    Bytes corrupt = good;
    corrupt[8] ^= 0xFF;
    Bytes oversized;
    putU32(oversized, kv::kPakMaxChunkBytes + 1);
    oversized.resize(oversized.size() + kv::kPakMaxChunkBytes + 1, 0);
    Bytes cut(good.begin(), good.end() - 3);

    struct Case {
        const char* what;
        uint8_t compression;
        uint32_t size;
        Bytes data;
    };
    const Case cases[] = {
        {"chunk count 0", 1, 1000, withCount(0)},
        {"chunk count above the bound", 1, 1000, oversized},
        {"corrupt zlib stream", 1, 1000, corrupt},
        {"chunk cut short by the end of the file", 1, 1000, cut},
        {"count longer than the stream", 1, 1000, withCount(static_cast<uint32_t>(good.size()))},
        {"chunk inflating past the entry", 1, 999, good},
        {"chunk inflating to nothing", 1, 10, zlibChunk({})},
        {"entry needs a second chunk that is missing", 1, 2000, good},
        {"size the file could never hold", 1, 0xFFFFFFFFu, good},
        {"stored entry past the end", 0, 1001, raw},
    };
    for (const Case& c : cases) {
        Bytes pack = onePack(c.compression, c.size, c.data);
        kv::PakFile pak;
        pak.stream.openMemory(pack.data(), static_cast<uint32_t>(pack.size()));
        ASSERT_TRUE(pak.readHeader()) << c.what;
        EXPECT_EQ(readEntry(pak, 0), nullptr) << c.what;
    }

    // The same fixture with its sizes right reads back.
    for (uint8_t compression : {0, 1}) {
        Bytes pack = onePack(compression, 1000, compression ? good : raw);
        kv::PakFile pak;
        pak.stream.openMemory(pack.data(), static_cast<uint32_t>(pack.size()));
        ASSERT_TRUE(pak.readHeader());
        Data data = readEntry(pak, 0);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::memcmp(data.get(), raw.data(), raw.size()), 0);
    }
}

TEST(PakWriter, RefusesNamesTooLongForTheDirectory)
{
    kv::PakWriter writer(0);
    EXPECT_FALSE(writer.addEntry(std::string(32768, 'a'), "x", 1));
    EXPECT_TRUE(writer.addEntry(std::string(32767, 'a'), "x", 1));
}
