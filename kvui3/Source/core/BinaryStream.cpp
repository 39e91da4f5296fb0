#include "core/BinaryStream.h"

#include "core/LittleEndian.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace kv {

void BinaryStream::FileCloser::operator()(FILE* f) const
{
    if (f)
        std::fclose(f);
}

bool BinaryStream::openFile(const std::string& path)
{
    close();
    errno = 0;
    FILE* f = kv::openFile(path, "rb");
    if (!f) {
        error = "Failed to open file with errno " + std::to_string(errno);
        return false;
    }
    file = std::shared_ptr<FILE>(f, FileCloser());
    mode = ModeFile;
    return true;
}

void BinaryStream::openBuffer(std::vector<uint8_t> bytes)
{
    close();
    owned = std::move(bytes);
    size = static_cast<uint32_t>(std::min<size_t>(owned.size(), std::numeric_limits<uint32_t>::max()));
    mode = ModeOwnedBuffer;
}

void BinaryStream::openMemory(const void* data, uint32_t byteCount)
{
    close();
    borrowed = static_cast<const uint8_t*>(data);
    size = borrowed ? byteCount : 0;
    mode = ModeBorrowedMemory;
}

void BinaryStream::close()
{
    file.reset();
    owned.clear();
    owned.shrink_to_fit();
    borrowed = nullptr;
    position = 0;
    size = 0;
    overrun = false;
    mode = ModeNone;
}

uint32_t BinaryStream::getSize()
{
    if (mode != ModeFile)
        return mode == ModeNone ? 0 : size;
    FILE* f = file.get();
    off_t here = ftello(f);
    if (here < 0 || fseeko(f, 0, SEEK_END) != 0)
        return 0;
    off_t end = ftello(f);
    fseeko(f, here, SEEK_SET);
    if (end < 0)
        return 0;
    if (static_cast<uint64_t>(end) > std::numeric_limits<uint32_t>::max())
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(end);
}

uint32_t BinaryStream::getPosition()
{
    if (mode != ModeFile)
        return position;
    off_t here = ftello(file.get());
    if (here < 0)
        return 0;
    return static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(here),
                                                    std::numeric_limits<uint32_t>::max()));
}

uint32_t BinaryStream::getRemaining()
{
    const uint32_t total = getSize();
    return total - std::min(getPosition(), total);
}

bool BinaryStream::seek(uint32_t target)
{
    switch (mode) {
    case ModeFile:
        if (target > getSize() || fseeko(file.get(), static_cast<off_t>(target), SEEK_SET) != 0)
            return false;
        break;
    case ModeOwnedBuffer:
    case ModeBorrowedMemory:
        if (target > size)
            return false;
        position = target;
        break;
    default:
        return false;
    }
    overrun = false;
    return true;
}

uint8_t* BinaryStream::readAll()
{
    switch (mode) {
    case ModeOwnedBuffer:
        return owned.data();
    case ModeBorrowedMemory:
        // The stream never writes through it; the pointer's constness is the holder's.
        return const_cast<uint8_t*>(borrowed);
    case ModeFile:
        break;
    default:
        return nullptr;
    }
    FILE* f = file.get();
    uint32_t total = getSize();
    off_t here = ftello(f);
    auto* buffer = static_cast<uint8_t*>(std::malloc(total ? total : 1));
    if (!buffer || here < 0 || fseeko(f, 0, SEEK_SET) != 0) {
        std::free(buffer);
        return nullptr;
    }
    size_t got = std::fread(buffer, 1, total, f);
    fseeko(f, here, SEEK_SET);
    if (got != total) {
        std::free(buffer);
        return nullptr;
    }
    return buffer;
}

int32_t BinaryStream::read(uint8_t* buffer, int32_t count)
{
    if (mode == ModeNone || count <= 0 || !buffer)
        return 0;
    int32_t got = 0;
    if (mode == ModeFile) {
        got = static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), file.get()));
    } else {
        uint32_t left = size - position;
        uint32_t n = std::min(static_cast<uint32_t>(count), left);
        const uint8_t* source = mode == ModeOwnedBuffer ? owned.data() : borrowed;
        if (n)
            std::memcpy(buffer, source + position, n);
        position += n;
        got = static_cast<int32_t>(n);
    }
    if (got < count)
        overrun = true;
    return got;
}

bool BinaryStream::readExact(uint8_t* buffer, int32_t count)
{
    int32_t got = read(buffer, count);
    if (got < count) {
        std::memset(buffer + got, 0, static_cast<size_t>(count - got));
        overrun = true;
        return false;
    }
    return true;
}

uint8_t BinaryStream::readU8()
{
    uint8_t b[1];
    readExact(b, 1);
    return b[0];
}

uint16_t BinaryStream::readU16()
{
    uint8_t b[2];
    readExact(b, 2);
    return loadU16(b);
}

uint32_t BinaryStream::readU32()
{
    uint8_t b[4];
    readExact(b, 4);
    return loadU32(b);
}

float BinaryStream::readF32()
{
    uint8_t b[4];
    readExact(b, 4);
    return loadF32(b);
}

std::string BinaryStream::readString16()
{
    auto length = static_cast<int16_t>(readU16());
    if (length < 1)
        return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    int32_t got = read(reinterpret_cast<uint8_t*>(text.data()), length);
    text.resize(static_cast<size_t>(got));
    size_t nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    return text;
}

} // namespace kv
