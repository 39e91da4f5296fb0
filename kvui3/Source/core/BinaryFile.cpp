#include "core/BinaryFile.h"

#include "core/LittleEndian.h"
#include "core/Messages.h"
#include "platform/FileSystem.h"

#include <cstring>

namespace kv {

namespace {

// The text of a field: its bytes up to the first NUL.
std::string textUpToNul(const char* bytes, std::size_t size)
{
    const void* nul = std::memchr(bytes, 0, size);
    return std::string(bytes, nul ? static_cast<const char*>(nul) - bytes : size);
}

} // namespace

// ---- reader ----

BinaryFile::~BinaryFile()
{
    close();
}

bool BinaryFile::open(const std::string& path)
{
    close();
    lastError.clear();
    fileName = path;
    file = openFile(path, "rb");
    if (!file) {
        lastError = "Unable to open " + path;
        return false;
    }
    return true;
}

void BinaryFile::attach(FILE* handle, const std::string& name)
{
    close();
    file = handle;
    fileName = name;
}

void BinaryFile::close()
{
    if (file)
        std::fclose(file);
    file = nullptr;
    fileName.clear();
    version = 0;
    failed = false;
}

bool BinaryFile::readExact(void* out, std::size_t size, const char* what)
{
    if (size == 0)
        return true;
    if (file && std::fread(out, 1, size, file) == size)
        return true;
    std::memset(out, 0, size);
    lastError = std::string(what) + ": unexpected end of " + fileName;
    failed = true;
    return false;
}

bool BinaryFile::readHeader(const std::string& signature)
{
    char field[binarySignatureSize];
    uint8_t versionBytes[4];
    // A short header is no header: the same answer as a wrong signature.
    if (!readExact(field, sizeof field, "BinaryFile::readHeader")
        || textUpToNul(field, sizeof field) != signature
        || !readExact(versionBytes, sizeof versionBytes, "BinaryFile::readHeader")) {
        lastError = fileName + " is an invalid file";
        failed = true;
        return false;
    }
    const int32_t found = static_cast<int32_t>(loadU32(versionBytes));
    if (found != binaryFileVersion) {
        lastError = fileName
                    + (found < binaryFileVersion
                           ? std::string(" is an obselete file version")
                           : " is an advanced file version (expected "
                                 + std::to_string(binaryFileVersion) + " got "
                                 + std::to_string(found) + ")");
        failed = true;
        return false;
    }
    version = found;
    return true;
}

std::string BinaryFile::readStdString()
{
    uint16_t length = 0;
    if (!readU16(length) || length == 0)
        return {};
    std::string bytes(length, '\0');
    if (!readExact(bytes.data(), length, "BinaryFile::readStdString"))
        return {};
    return textUpToNul(bytes.data(), length);
}

std::string BinaryFile::readStdString32()
{
    int32_t length = 0;
    if (!readI32(length) || length == 0)
        return {};
    if (length < 0 || length > maxString32Length) {
        printError("BinaryFile::readStdString32: string length " + std::to_string(length)
                   + (length < 0 ? " is invalid" : " is too long"));
        failed = true;
        return {};
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (!readExact(bytes.data(), bytes.size(), "BinaryFile::readStdString32"))
        return {};
    return textUpToNul(bytes.data(), bytes.size());
}

std::string BinaryFile::readFixedString12()
{
    char field[12];
    if (!readExact(field, sizeof field, "BinaryFile::readFixedString12"))
        return {};
    return textUpToNul(field, sizeof field);
}

bool BinaryFile::readU16(uint16_t& value)
{
    uint8_t b[2];
    const bool ok = readExact(b, sizeof b, "BinaryFile::readU16");
    value = loadU16(b);
    return ok;
}

bool BinaryFile::readU32(uint32_t& value)
{
    uint8_t b[4];
    const bool ok = readExact(b, sizeof b, "BinaryFile::readU32");
    value = loadU32(b);
    return ok;
}

bool BinaryFile::readI32(int32_t& value)
{
    uint32_t bits = 0;
    const bool ok = readU32(bits);
    value = static_cast<int32_t>(bits);
    return ok;
}

bool BinaryFile::readF32(float& value)
{
    uint32_t bits = 0;
    const bool ok = readU32(bits);
    std::memcpy(&value, &bits, sizeof value);
    return ok;
}

bool BinaryFile::readBytes(void* out, std::size_t size)
{
    return readExact(out, size, "BinaryFile::readBytes");
}

// ---- writer ----

BinaryFileWriter::~BinaryFileWriter()
{
    close();
}

bool BinaryFileWriter::create(const std::string& path)
{
    close();
    lastError.clear();
    fileName = path;
    file = openFile(path, "wb");
    if (!file) {
        lastError = "Unable to create " + path;
        return false;
    }
    return true;
}

bool BinaryFileWriter::close()
{
    if (!file)
        return true;
    bool ok = !writeFailed && std::fflush(file) == 0 && !std::ferror(file);
    ok = (std::fclose(file) == 0) && ok;
    file = nullptr;
    writeFailed = false;
    if (!ok && lastError.empty())
        lastError = "Unable to write " + fileName;
    return ok;
}

bool BinaryFileWriter::refuse(const char* what, const std::string& reason)
{
    if (lastError.empty())
        lastError = std::string(what) + ": " + reason;
    writeFailed = true;
    return false;
}

bool BinaryFileWriter::writeBytes(const void* data, std::size_t size)
{
    if (!file)
        return false;
    if (size != 0 && std::fwrite(data, 1, size, file) != size) {
        writeFailed = true;
        return false;
    }
    return true;
}

bool BinaryFileWriter::writeHeader(const std::string& signature)
{
    if (signature.size() > binarySignatureSize)
        return refuse("BinaryFileWriter::writeHeader",
                      "signature longer than " + std::to_string(binarySignatureSize) + " bytes");
    char field[binarySignatureSize] = {};
    std::memcpy(field, signature.data(), signature.size());
    return writeBytes(field, sizeof field) && writeI32(binaryFileVersion);
}

bool BinaryFileWriter::writeStdString(const std::string& text)
{
    if (text.size() > 0xFFFF)
        return refuse("BinaryFileWriter::writeStdString",
                      "string length " + std::to_string(text.size()) + " is too long");
    return writeU16(static_cast<uint16_t>(text.size())) && writeBytes(text.data(), text.size());
}

bool BinaryFileWriter::writeStdString32(const std::string& text)
{
    if (text.size() > static_cast<std::size_t>(maxString32Length))
        return refuse("BinaryFileWriter::writeStdString32",
                      "string length " + std::to_string(text.size()) + " is too long");
    return writeI32(static_cast<int32_t>(text.size())) && writeBytes(text.data(), text.size());
}

bool BinaryFileWriter::writeFixedString12(const std::string& text)
{
    char field[12] = {};
    if (text.size() > sizeof field)
        return refuse("BinaryFileWriter::writeFixedString12",
                      "string length " + std::to_string(text.size()) + " is too long");
    std::memcpy(field, text.data(), text.size());
    return writeBytes(field, sizeof field);
}

bool BinaryFileWriter::writeU16(uint16_t value)
{
    uint8_t b[2];
    storeU16(b, value);
    return writeBytes(b, sizeof b);
}

bool BinaryFileWriter::writeU32(uint32_t value)
{
    uint8_t b[4];
    storeU32(b, value);
    return writeBytes(b, sizeof b);
}

bool BinaryFileWriter::writeI32(int32_t value)
{
    return writeU32(static_cast<uint32_t>(value));
}

bool BinaryFileWriter::writeF32(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return writeU32(bits);
}

} // namespace kv
