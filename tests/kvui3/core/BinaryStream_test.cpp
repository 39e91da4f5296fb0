#include "core/BinaryStream.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

int openDescriptors()
{
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            count++;
        closedir(dir);
    }
    return count;
}

} // namespace

TEST(BinaryStream, ReadString16HandlesEveryLength)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        std::string text;
        uint32_t position;
        bool overrun;
    };
    const Case cases[] = {
        {"zero length", bytes({0, 0, 'x'}), "", 2, false},
        {"32768 reads as negative", bytes({0x00, 0x80, 'x'}), "", 2, false},
        {"65535 reads as -1", bytes({0xFF, 0xFF, 'x'}), "", 2, false},
        {"plain", bytes({3, 0, 'a', 'b', 'c', 'x'}), "abc", 5, false},
        {"ends at NUL", bytes({5, 0, 'a', 'b', 0, 'c', 'd'}), "ab", 7, false},
        {"source ends early", bytes({10, 0, 'a', 'b'}), "ab", 4, true},
        {"no room for the length", bytes({1}), "", 1, true},
    };
    for (const Case& c : cases) {
        kv::BinaryStream s;
        s.openMemory(c.data.data(), static_cast<uint32_t>(c.data.size()));
        EXPECT_EQ(s.readString16(), c.text) << c.what;
        EXPECT_EQ(s.getPosition(), c.position) << c.what;
        EXPECT_EQ(s.hasOverrun(), c.overrun) << c.what;
    }
}

TEST(BinaryStream, NumbersAreLittleEndianAndStopAtTheEnd)
{
    const auto data = bytes({0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xCD, 0xAB});
    kv::BinaryStream s;
    s.openMemory(data.data(), static_cast<uint32_t>(data.size()));
    EXPECT_EQ(s.readU8(), 0x01);
    EXPECT_EQ(s.readU16(), 0x1234);
    EXPECT_EQ(s.readU32(), 0x12345678u);
    EXPECT_FALSE(s.hasOverrun());
    // Two bytes left: both are copied, the missing ones read as zero.
    EXPECT_EQ(s.readU32(), 0xABCDu);
    EXPECT_EQ(s.getPosition(), 9u);
    EXPECT_TRUE(s.hasOverrun());
    EXPECT_TRUE(s.seek(0));
    EXPECT_FALSE(s.hasOverrun());
    EXPECT_FALSE(s.seek(10));
    EXPECT_EQ(s.getPosition(), 0u);
}

TEST(BinaryStream, FloatsAndTheBytesLeft)
{
    const auto data = bytes({0x00, 0x00, 0xC0, 0x3F, 0xDB, 0x0F}); // 1.5f, then two bytes
    kv::BinaryStream s;
    EXPECT_EQ(s.getRemaining(), 0u);
    s.openMemory(data.data(), static_cast<uint32_t>(data.size()));
    EXPECT_EQ(s.getRemaining(), 6u);
    EXPECT_EQ(s.readF32(), 1.5f);
    EXPECT_EQ(s.getRemaining(), 2u);
    EXPECT_FALSE(s.hasOverrun());
    s.readF32();
    EXPECT_TRUE(s.hasOverrun());
    EXPECT_EQ(s.getRemaining(), 0u);
}

TEST(BinaryStream, ReadRefusesNegativeCountsAndClosedStreams)
{
    const auto data = bytes({1, 2, 3});
    uint8_t out[4] = {9, 9, 9, 9};
    kv::BinaryStream s;
    EXPECT_EQ(s.read(out, 3), 0);
    EXPECT_EQ(s.getSize(), 0u);
    EXPECT_EQ(s.readAll(), nullptr);
    s.openMemory(data.data(), 3);
    EXPECT_EQ(s.read(out, -5), 0);
    EXPECT_EQ(s.getPosition(), 0u);
    EXPECT_EQ(s.read(out, 4), 3);
    EXPECT_EQ(out[2], 3);
    EXPECT_EQ(out[3], 9);
}

TEST(BinaryStream, MemoryModesAndCopies)
{
    const auto data = bytes({10, 20, 30, 40});
    kv::BinaryStream borrowed;
    borrowed.openMemory(data.data(), 4);
    EXPECT_EQ(borrowed.getMode(), kv::BinaryStream::ModeBorrowedMemory);
    EXPECT_EQ(borrowed.readAll(), data.data());

    kv::BinaryStream owned;
    owned.openBuffer(data);
    EXPECT_EQ(owned.getMode(), kv::BinaryStream::ModeOwnedBuffer);
    EXPECT_EQ(owned.getSize(), 4u);
    EXPECT_NE(owned.readAll(), data.data());
    owned.readU8();

    // A copy keeps its own position and its own bytes.
    kv::BinaryStream copy = owned;
    EXPECT_NE(copy.readAll(), owned.readAll());
    EXPECT_EQ(copy.readU8(), 20);
    EXPECT_EQ(owned.getPosition(), 1u);
    kv::BinaryStream borrowedCopy = borrowed;
    EXPECT_EQ(borrowedCopy.readAll(), data.data());
}

TEST(BinaryStream, MissingFileReportsErrno)
{
    testsupport::TempDir dir;
    kv::BinaryStream s;
    EXPECT_FALSE(s.openFile((dir.path() / "missing.bin").string()));
    EXPECT_EQ(s.getError(), "Failed to open file with errno 2");
    EXPECT_FALSE(s.isOpen());
}

TEST(BinaryStream, FileCopiesShareTheFileUntilTheLastGoes)
{
    testsupport::TempDir dir;
    dir.write("data.bin", std::string("\x01\x02\x03\x04\x05", 5));
    const int before = openDescriptors();
    {
        kv::BinaryStream copy;
        {
            kv::BinaryStream s;
            ASSERT_TRUE(s.openFile((dir.path() / "DATA.BIN").string()));
            EXPECT_EQ(s.getSize(), 5u);
            EXPECT_EQ(s.readU8(), 1);
            EXPECT_EQ(s.getRemaining(), 4u);
            uint8_t* all = s.readAll();
            ASSERT_NE(all, nullptr);
            EXPECT_EQ(all[4], 5);
            std::free(all);
            EXPECT_EQ(s.getPosition(), 1u);
            copy = s;
            EXPECT_EQ(copy.readU8(), 2);
            EXPECT_EQ(s.readU8(), 3); // the position is shared
        }
        EXPECT_EQ(copy.readU16(), 0x0504); // still open after the original went
        EXPECT_EQ(openDescriptors(), before + 1);
    }
    EXPECT_EQ(openDescriptors(), before);
}
