#pragma once
// A little-endian byte reader over one source: an open file, a byte buffer the stream owns, or
// a block of memory it borrows. Packs and asset files are read through it.
//
// Copies: a copy takes the same source. File-mode copies share the open file and its position
// (reads through one move the other); the file closes when the last stream holding it lets go.
// An owned buffer is copied deeply; borrowed memory stays borrowed.
// Not thread-safe: a file shared by copies must be read from one thread.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace kv {

class BinaryStream {
public:
    enum Mode : uint32_t { ModeNone = 0, ModeFile = 1, ModeOwnedBuffer = 2, ModeBorrowedMemory = 3 };

    // Detaches the current source, then opens a game path (through the path resolver) for
    // binary reading. Failure: false, getError() = "Failed to open file with errno N", and the
    // stream is left with no source.
    bool openFile(const std::string& path);
    // Takes bytes as the owned source, read from position 0.
    void openBuffer(std::vector<uint8_t> bytes);
    // Borrows size bytes at data, read from position 0; they must outlive every read.
    void openMemory(const void* data, uint32_t size);
    // Detaches the source (a shared file closes when its last holder lets go).
    void close();

    bool isOpen() const { return mode != ModeNone; }
    uint32_t getMode() const { return mode; }
    const std::string& getError() const { return error; }

    // Bytes in the source; 0 when not open. A file is measured without moving its position
    // (sizes above 4 GiB are reported as 0xFFFFFFFF).
    uint32_t getSize();
    // Current read position from the start of the source; 0 when not open.
    uint32_t getPosition();
    // Bytes from the read position to the end; 0 when not open.
    uint32_t getRemaining();
    // Moves the read position; false (position unchanged) when not open or past the end.
    // Clears the overrun flag.
    bool seek(uint32_t position);

    // The whole source. A file: a new buffer of getSize() bytes (at least one byte is
    // allocated) that the caller releases with free(), read from the start with the position
    // put back; null when it cannot be allocated or fully read. An owned buffer or borrowed
    // memory: a pointer to those bytes, still owned by their holder. Not open: null.
    uint8_t* readAll();

    // Copies up to count bytes into buffer and advances by what was copied; the result is that
    // number (0 when not open or count <= 0).
    int32_t read(uint8_t* buffer, int32_t count);

    // One value of 1, 2 or 4 bytes, little-endian (a float as its IEEE bits). Bytes past the
    // end read as 0 and set the overrun flag; the position advances only by what was really read.
    uint8_t readU8();
    uint16_t readU16();
    uint32_t readU32();
    float readF32();
    // An i16 length, then that many bytes. A length below 1 (0, or 32768 ... 65535, which read
    // as negative) gives an empty string and reads nothing more. The text ends at its first
    // NUL byte. A source that ends early gives the bytes that were there and sets the flag.
    std::string readString16();

    // True once a read through read(), readU*() or readString16() delivered fewer bytes than it
    // asked for; cleared when a source is opened or seek() succeeds.
    bool hasOverrun() const { return overrun; }

private:
    struct FileCloser {
        void operator()(FILE* f) const;
    };

    // Reads count bytes, zero-filling what the source lacks; false (flag set) on a short read.
    bool readExact(uint8_t* buffer, int32_t count);

    uint32_t mode = ModeNone;
    std::shared_ptr<FILE> file;
    std::vector<uint8_t> owned;
    const uint8_t* borrowed = nullptr;
    uint32_t position = 0;
    uint32_t size = 0;
    bool overrun = false;
    std::string error;
};

} // namespace kv
