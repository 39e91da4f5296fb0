#include "core/BinaryFile.h"

#include "support/Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using kv::BinaryFile;
using kv::BinaryFileWriter;
using testsupport::le16;
using testsupport::le32;

const std::string serverSignature = "TVL Server List";

// A 32-byte signature field: the text, NUL-padded (or cut) to 32 bytes.
std::string signatureField(const std::string& text)
{
    return testsupport::padded(text, 32);
}

class BinaryFileTest : public ::testing::Test {
protected:
    void SetUp() override { dir.enter(); }

    // Writes bytes as "f.dat" and opens it.
    void openBytes(BinaryFile& file, const std::string& bytes)
    {
        dir.write("f.dat", bytes);
        ASSERT_TRUE(file.open("f.dat"));
    }

    testsupport::TempDir dir;
};

TEST_F(BinaryFileTest, HeaderChecks)
{
    const std::string allA(32, 'A');
    struct Case {
        const char* label;
        std::string bytes;
        std::string signature;
        bool accepted;
        std::string error;
    } cases[] = {
        {"good", signatureField(serverSignature) + le32(1), serverSignature, true, ""},
        {"bytes after the NUL do not count",
         signatureField(serverSignature + std::string(1, '\0') + "junk") + le32(1),
         serverSignature, true, ""},
        {"advanced", signatureField(serverSignature) + le32(2), serverSignature, false,
         "f.dat is an advanced file version (expected 1 got 2)"},
        {"obsolete", signatureField(serverSignature) + le32(0), serverSignature, false,
         "f.dat is an obselete file version"},
        {"negative version", signatureField(serverSignature) + le32(-7), serverSignature, false,
         "f.dat is an obselete file version"},
        {"other signature", signatureField("TVL Server Lisx") + le32(1), serverSignature, false,
         "f.dat is an invalid file"},
        {"signature is a prefix", signatureField("TVL Server") + le32(1), serverSignature, false,
         "f.dat is an invalid file"},
        {"empty file", "", serverSignature, false, "f.dat is an invalid file"},
        {"short signature field", serverSignature, serverSignature, false,
         "f.dat is an invalid file"},
        {"no version", signatureField(serverSignature), serverSignature, false,
         "f.dat is an invalid file"},
        {"short version", signatureField(serverSignature) + "\x01\x00", serverSignature, false,
         "f.dat is an invalid file"},
        // A field with no NUL is its 32 bytes, never the version bytes after it.
        {"32 bytes without a NUL", allA + le32(1), allA, true, ""},
        {"no NUL, compare stops at 32", allA + le32(1), allA + "\x01", false,
         "f.dat is an invalid file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        BinaryFile file;
        openBytes(file, c.bytes);
        EXPECT_EQ(file.readHeader(c.signature), c.accepted);
        EXPECT_EQ(file.getLastError(), c.error);
        EXPECT_EQ(file.getVersion(), c.accepted ? 1 : 0);
        EXPECT_EQ(file.hasFailed(), !c.accepted);
    }
}

TEST_F(BinaryFileTest, OpenMissingFile)
{
    BinaryFile file;
    EXPECT_FALSE(file.open("missing.dat"));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.getLastError(), "Unable to open missing.dat");
}

TEST_F(BinaryFileTest, StringReaders)
{
    enum Reader { U16, I32, Fixed12 };
    const std::string letters4096(4096, 'q');
    const std::string letters65535(65535, 'z');
    struct Case {
        const char* label;
        Reader reader;
        std::string bytes;
        std::string expected;
        bool failed;
        std::string logged; // expected on stderr (printError), "" for nothing
    } cases[] = {
        {"u16 stops at NUL", U16, le16(3) + std::string("a\0b", 3), "a", false, ""},
        {"u16 empty", U16, le16(0), "", false, ""},
        {"u16 longest", U16, le16(65535) + letters65535, letters65535, false, ""},
        {"u16 body cut short", U16, le16(5) + "abc", "", true, ""},
        {"u16 length cut short", U16, "\x05", "", true, ""},
        {"i32 at the limit", I32, le32(4096) + letters4096, letters4096, false, ""},
        {"i32 stops at NUL", I32, le32(4) + std::string("ab\0c", 4), "ab", false, ""},
        {"i32 empty", I32, le32(0), "", false, ""},
        {"i32 too long", I32, le32(4097) + letters4096 + "q", "", true,
         "BinaryFile::readStdString32: string length 4097 is too long"},
        {"i32 negative", I32, le32(-1), "", true,
         "BinaryFile::readStdString32: string length -1 is invalid"},
        {"i32 body cut short", I32, le32(10) + "abc", "", true, ""},
        {"fixed12 full", Fixed12, "TVL Map File", "TVL Map File", false, ""},
        {"fixed12 padded", Fixed12, std::string("abc") + std::string(9, '\0'), "abc", false, ""},
        {"fixed12 cut short", Fixed12, "TVL Map", "", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        BinaryFile file;
        openBytes(file, c.bytes);
        testing::internal::CaptureStderr();
        const std::string got = c.reader == U16   ? file.readStdString()
                                : c.reader == I32 ? file.readStdString32()
                                                  : file.readFixedString12();
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(file.hasFailed(), c.failed);
        if (c.logged.empty()) {
            EXPECT_EQ(log, "");
            // A short read leaves its reason with the reader instead.
            EXPECT_EQ(file.getLastError().find("unexpected end of f.dat") != std::string::npos,
                      c.failed);
        } else {
            EXPECT_NE(log.find(c.logged), std::string::npos) << log;
        }
    }
}

TEST_F(BinaryFileTest, NumbersAreLittleEndianAndShortReadsFail)
{
    BinaryFile file;
    float f = 2.5f;
    std::string fbits(4, '\0');
    std::memcpy(fbits.data(), &f, 4);
    openBytes(file, le16(0x1234) + le32(-2) + le32(0x7ABBCCDD) + fbits + "\x01\x02");
    uint16_t u16 = 0;
    int32_t i32 = 0;
    uint32_t u32 = 0;
    float f32 = 0;
    EXPECT_TRUE(file.readU16(u16));
    EXPECT_TRUE(file.readI32(i32));
    EXPECT_TRUE(file.readU32(u32));
    EXPECT_TRUE(file.readF32(f32));
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i32, -2);
    EXPECT_EQ(u32, 0x7ABBCCDDu);
    EXPECT_EQ(f32, 2.5f);
    EXPECT_FALSE(file.hasFailed());
    // Two bytes left: a u32 cannot be read and reads as 0.
    u32 = 99;
    EXPECT_FALSE(file.readU32(u32));
    EXPECT_EQ(u32, 0u);
    EXPECT_TRUE(file.hasFailed());
}

TEST_F(BinaryFileTest, WriterHeaderBytes)
{
    BinaryFileWriter out;
    ASSERT_TRUE(out.create("w.dat"));
    EXPECT_TRUE(out.writeHeader(serverSignature));
    EXPECT_TRUE(out.writeU16(0x0102));
    EXPECT_TRUE(out.writeStdString("ab"));
    EXPECT_TRUE(out.writeStdString32("xyz"));
    EXPECT_TRUE(out.writeFixedString12("abc"));
    ASSERT_TRUE(out.close());
    EXPECT_EQ(dir.read("w.dat"), signatureField(serverSignature) + le32(1) + "\x02\x01"
                                     + le16(2) + "ab" + le32(3) + "xyz" + "abc"
                                     + std::string(9, '\0'));
}

// The server bookmark list and the map file layouts written and read back field for field.
TEST_F(BinaryFileTest, WriterRoundTrip)
{
    const std::vector<std::string> strings = {"", "Home server", "192.168.0.10", "5911",
                                              std::string(65535, 'h')};
    const std::string history(4096, 'c');
    {
        BinaryFileWriter out;
        ASSERT_TRUE(out.create("round.dat"));
        EXPECT_TRUE(out.writeHeader(std::string(32, 'S')));
        EXPECT_TRUE(out.writeU16(static_cast<uint16_t>(strings.size())));
        for (const std::string& s : strings)
            EXPECT_TRUE(out.writeStdString(s));
        EXPECT_TRUE(out.writeStdString32(history));
        EXPECT_TRUE(out.writeStdString32(""));
        EXPECT_TRUE(out.writeFixedString12("TVL Map File"));
        EXPECT_TRUE(out.writeI32(-123456));
        EXPECT_TRUE(out.writeU32(0xFFFFFFFFu));
        EXPECT_TRUE(out.writeF32(-0.017453292f));
        ASSERT_TRUE(out.close()) << out.getLastError();
    }
    BinaryFile in;
    ASSERT_TRUE(in.open("round.dat"));
    ASSERT_TRUE(in.readHeader(std::string(32, 'S'))) << in.getLastError();
    uint16_t count = 0;
    ASSERT_TRUE(in.readU16(count));
    ASSERT_EQ(count, strings.size());
    for (const std::string& s : strings)
        EXPECT_EQ(in.readStdString(), s);
    EXPECT_EQ(in.readStdString32(), history);
    EXPECT_EQ(in.readStdString32(), "");
    EXPECT_EQ(in.readFixedString12(), "TVL Map File");
    int32_t i32 = 0;
    uint32_t u32 = 0;
    float f32 = 0;
    EXPECT_TRUE(in.readI32(i32));
    EXPECT_TRUE(in.readU32(u32));
    EXPECT_TRUE(in.readF32(f32));
    EXPECT_EQ(i32, -123456);
    EXPECT_EQ(u32, 0xFFFFFFFFu);
    EXPECT_EQ(f32, -0.017453292f);
    EXPECT_FALSE(in.hasFailed());
    // Nothing more was written.
    uint8_t extra;
    EXPECT_FALSE(in.readBytes(&extra, 1));
}

// A field the reader could not take back is refused; the file is then reported as not written.
TEST_F(BinaryFileTest, WriterRefusesFieldsTheReaderWouldRefuse)
{
    struct Case {
        const char* label;
        bool (*write)(BinaryFileWriter&);
        std::string error;
    } cases[] = {
        {"signature", [](BinaryFileWriter& w) { return w.writeHeader(std::string(33, 's')); },
         "BinaryFileWriter::writeHeader: signature longer than 32 bytes"},
        {"u16 string",
         [](BinaryFileWriter& w) { return w.writeStdString(std::string(65536, 's')); },
         "BinaryFileWriter::writeStdString: string length 65536 is too long"},
        {"i32 string",
         [](BinaryFileWriter& w) { return w.writeStdString32(std::string(4097, 's')); },
         "BinaryFileWriter::writeStdString32: string length 4097 is too long"},
        {"fixed12", [](BinaryFileWriter& w) { return w.writeFixedString12("TVL Map Files"); },
         "BinaryFileWriter::writeFixedString12: string length 13 is too long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        BinaryFileWriter out;
        ASSERT_TRUE(out.create("refused.dat"));
        EXPECT_FALSE(c.write(out));
        EXPECT_FALSE(out.close());
        EXPECT_EQ(out.getLastError(), c.error);
        EXPECT_EQ(dir.read("refused.dat"), "");
    }
}

TEST_F(BinaryFileTest, WriterCannotCreate)
{
    BinaryFileWriter out;
    EXPECT_FALSE(out.create("no-such-folder/w.dat"));
    EXPECT_EQ(out.getLastError(), "Unable to create no-such-folder/w.dat");
    EXPECT_FALSE(out.writeU16(1));
    EXPECT_TRUE(out.close());
}

} // namespace
