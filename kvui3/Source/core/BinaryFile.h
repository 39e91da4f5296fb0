#pragma once
// The framework's own little-endian binary files: a 32-byte NUL-padded signature and an i32
// version 1, then fields in the order each kind of file defines (strings with a u16 or an i32
// length, fixed 12-byte texts, plain numbers). BinaryFile reads them, BinaryFileWriter writes
// exactly what BinaryFile reads back.
//
// Every read checks that the file really held its bytes. A read that fails leaves a text in
// lastError (or on the message list, where noted), marks the reader failed, and gives an empty
// or zero value; the bytes of a refused field are not skipped, so a caller stops reading then.
#include <cstdint>
#include <cstdio>
#include <string>

namespace kv {

constexpr std::size_t binarySignatureSize = 32;
constexpr int32_t binaryFileVersion = 1;
// The longest string readStdString32 accepts (and writeStdString32 writes).
constexpr int32_t maxString32Length = 4096;

class BinaryFile {
public:
    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Closes any open file, then opens a game path (through the path resolver) for binary
    // reading and takes it as the file name. false with lastError = "Unable to open " + path.
    bool open(const std::string& path);
    // Closes any open file and reads from an already open handle, which the reader now owns
    // and closes; name is used in the messages.
    void attach(FILE* handle, const std::string& name);
    // Closes the file (if any); the name, the version and the failed mark are forgotten.
    void close();

    bool isOpen() const { return file != nullptr; }
    const std::string& getFileName() const { return fileName; }
    const std::string& getLastError() const { return lastError; }
    // The version of an accepted header; 0 until readHeader succeeds.
    int32_t getVersion() const { return version; }
    // True once any read was refused or ran out of file.
    bool hasFailed() const { return failed; }

    // Reads the 32-byte signature and the i32 version. The signature field matches when its
    // text (up to its first NUL, at most 32 bytes) equals signature. Failures, in lastError:
    //   fileName + " is an invalid file"            a different or short signature, or no version
    //   fileName + " is an obselete file version"   version below 1
    //   fileName + " is an advanced file version (expected 1 got N)"   version above 1
    bool readHeader(const std::string& signature);

    // A u16 length, then that many bytes; the text ends at its first NUL. A file that ends
    // inside the string gives "" and a lastError.
    std::string readStdString();
    // An i32 length (0 ... 4096), then that many bytes; the text ends at its first NUL.
    // A negative length is reported with printError as
    // "BinaryFile::readStdString32: string length N is invalid", one above 4096 as "... is too
    // long"; both give "". A file that ends inside the string gives "" and a lastError.
    std::string readStdString32();
    // Exactly 12 bytes; the text up to the first NUL (at most 12 characters). A short file
    // gives "" and a lastError.
    std::string readFixedString12();

    // Plain numbers; false (value 0, lastError set) when the file ends first.
    bool readU16(uint16_t& value);
    bool readI32(int32_t& value);
    bool readU32(uint32_t& value);
    bool readF32(float& value);
    // Exactly size bytes into out; false (lastError set) on a short read.
    bool readBytes(void* out, std::size_t size);

private:
    // Reads size bytes or marks the failure with what + ": unexpected end of " + fileName.
    bool readExact(void* out, std::size_t size, const char* what);

    FILE* file = nullptr;
    std::string fileName;
    std::string lastError;
    int32_t version = 0;
    bool failed = false;
};

class BinaryFileWriter {
public:
    BinaryFileWriter() = default;
    ~BinaryFileWriter();
    BinaryFileWriter(const BinaryFileWriter&) = delete;
    BinaryFileWriter& operator=(const BinaryFileWriter&) = delete;

    // Creates (or truncates) a game path for binary writing; false with
    // lastError = "Unable to create " + path.
    bool create(const std::string& path);
    // Flushes and closes; false when any write failed, a field was refused (the file would not
    // read back) or the data could not be flushed; lastError then keeps the first reason, or
    // "Unable to write " + path. A writer that holds no file answers true.
    bool close();

    bool isOpen() const { return file != nullptr; }
    const std::string& getLastError() const { return lastError; }

    // Every write answers false when the file is not open or the bytes could not be written.
    // A refused field writes nothing and leaves its reason in lastError.

    // The 32-byte signature, NUL-padded, then version 1; a signature above 32 bytes is refused.
    bool writeHeader(const std::string& signature);
    // u16 length + bytes; refused above 65535 bytes.
    bool writeStdString(const std::string& text);
    // i32 length + bytes; refused above 4096 bytes.
    bool writeStdString32(const std::string& text);
    // Exactly 12 bytes, NUL-padded; refused above 12 bytes.
    bool writeFixedString12(const std::string& text);

    bool writeU16(uint16_t value);
    bool writeI32(int32_t value);
    bool writeU32(uint32_t value);
    bool writeF32(float value);
    bool writeBytes(const void* data, std::size_t size);

private:
    // Refuses a field with what + ": " + reason, leaving the file as it is.
    bool refuse(const char* what, const std::string& reason);

    FILE* file = nullptr;
    std::string fileName;
    std::string lastError;
    bool writeFailed = false;
};

} // namespace kv
