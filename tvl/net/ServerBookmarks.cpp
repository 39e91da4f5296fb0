#include "net/ServerBookmarks.h"

#include "core/BinaryFile.h"
#include "core/LittleEndian.h"
#include "core/Messages.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tvl {

namespace {

struct Field {
    std::string ServerBookmark::*member;
    const char* name;
};

constexpr Field bookmarkFields[] = {
    {&ServerBookmark::description, "description"},
    {&ServerBookmark::host, "host"},
    {&ServerBookmark::port, "port"},
};

// One u16-length string, of any length.
bool readField(kv::BinaryFile& file, const Field& field, std::string& out, std::string& problem)
{
    out = file.readStdString();
    if (file.hasFailed()) {
        problem = std::string("its ") + field.name + " is cut short";
        return false;
    }
    return true;
}

void cutToTheFile(ServerBookmark& bookmark)
{
    for (const Field& field : bookmarkFields)
        bookmark.*field.member = cutBookmarkField(bookmark.*field.member, maxBookmarkFieldBytes);
}

} // namespace

bool ServerBookmarkTable::add(ServerBookmark bookmark)
{
    if (full())
        return false;
    entries[count++] = std::move(bookmark);
    return true;
}

void ServerBookmarkTable::remove(std::size_t index)
{
    if (index >= count)
        return;
    for (std::size_t i = index + 1; i < count; i++)
        entries[i - 1] = std::move(entries[i]);
    entries[--count] = ServerBookmark{};
}

void ServerBookmarkTable::clear()
{
    for (std::size_t i = 0; i < count; i++)
        entries[i] = ServerBookmark{};
    count = 0;
}

bool ServerBookmarkTable::operator==(const ServerBookmarkTable& other) const
{
    if (count != other.count)
        return false;
    for (std::size_t i = 0; i < count; i++)
        if (!(entries[i] == other.entries[i]))
            return false;
    return true;
}

ServerListState readServerBookmarks(kv::BinaryFile& file, ServerBookmarkTable& out,
                                    std::string& problem)
{
    out.clear();
    problem.clear();
    if (!file.readHeader(serverListSignature)) {
        problem = file.getLastError();
        return ServerListState::BadHeader;
    }
    uint16_t count = 0;
    if (!file.readU16(count)) {
        problem = "the bookmark count is missing";
        return ServerListState::Damaged;
    }
    for (std::size_t i = 0; i < count; i++) {
        if (out.full()) {
            problem = "it lists " + std::to_string(count) + " bookmarks, more than "
                      + std::to_string(ServerBookmarkTable::capacity);
            return ServerListState::Damaged;
        }
        ServerBookmark bookmark;
        for (const Field& field : bookmarkFields) {
            if (!readField(file, field, bookmark.*field.member, problem)) {
                problem = "bookmark " + std::to_string(i + 1) + " of " + std::to_string(count)
                          + ": " + problem;
                return ServerListState::Damaged;
            }
        }
        out.add(std::move(bookmark));
    }
    uint8_t extra = 0;
    if (file.readBytes(&extra, 1)) {
        problem = "there are bytes after the last bookmark";
        return ServerListState::Damaged;
    }
    return ServerListState::Read;
}

std::string cutBookmarkField(const std::string& text, std::size_t cap)
{
    std::size_t end = std::min(text.find('\0'), text.size());
    if (end > cap) {
        end = cap;
        // Back off over continuation bytes so that no character is split.
        while (end > 0 && (static_cast<uint8_t>(text[end]) & 0xC0) == 0x80)
            end--;
    }
    return text.substr(0, end);
}

std::string freeKeptServerListName(const std::string& path)
{
    for (int n = 1; n <= maxKeptServerLists; n++) {
        const std::string name = path + ".bad" + (n > 1 ? std::to_string(n) : "");
        if (!kv::fileExists(name))
            return name;
    }
    return "";
}

std::string encodeServerBookmarks(const ServerBookmarkTable& table)
{
    std::string bytes(kv::binarySignatureSize, '\0');
    std::memcpy(bytes.data(), serverListSignature, std::strlen(serverListSignature));
    kv::appendU32(bytes, static_cast<uint32_t>(kv::binaryFileVersion));
    kv::appendU16(bytes, static_cast<uint16_t>(table.size()));
    for (std::size_t i = 0; i < table.size(); i++) {
        for (const Field& field : bookmarkFields) {
            const std::string text = cutBookmarkField(table[i].*field.member, maxBookmarkFieldBytes);
            kv::appendU16(bytes, static_cast<uint16_t>(text.size()));
            bytes += text;
        }
    }
    return bytes;
}

ServerBookmarkFile::ServerBookmarkFile(std::string path) : path(std::move(path)) {}

ServerListState ServerBookmarkFile::load()
{
    kv::BinaryFile file;
    std::string problem;
    if (!file.open(path)) {
        bookmarks.clear();
        state = kv::fileExists(path) ? ServerListState::Unreadable : ServerListState::Missing;
        problem = file.getLastError();
    } else {
        state = readServerBookmarks(file, bookmarks, problem);
    }
    onDisk = bookmarks;
    if (state == ServerListState::Unreadable)
        kv::printWarning(problem + "; no server bookmarks, and the file is left as it is");
    else if (state == ServerListState::BadHeader)
        kv::printWarning(problem + "; no server bookmarks (the file is kept aside when the list is saved)");
    else if (state == ServerListState::Damaged)
        kv::printWarning(path + " is damaged (" + problem + "); "
                         + std::to_string(bookmarks.size()) + " bookmarks kept");
    return state;
}

ServerListSave ServerBookmarkFile::save()
{
    for (std::size_t i = 0; i < bookmarks.size(); i++)
        cutToTheFile(bookmarks[i]);
    if (bookmarks == onDisk)
        return ServerListSave::Unchanged;
    if (state == ServerListState::Unreadable) {
        kv::printError(path + " could not be read, so it is left as it is and the bookmark "
                              "changes are not saved");
        return ServerListSave::Refused;
    }
    // What a damaged file holds beyond what was read is the player's: kept, not overwritten.
    std::string kept;
    if (state == ServerListState::Damaged || state == ServerListState::BadHeader) {
        kept = freeKeptServerListName(path);
        if (kept.empty() || !kv::renameToFreeName(path, kept)) {
            kv::printError(path + " could not be kept aside, so it is left as it is and the bookmark "
                                  "changes are not saved");
            return ServerListSave::Refused;
        }
        kv::printWarning(path + " kept as " + kept);
    }
    const std::string bytes = encodeServerBookmarks(bookmarks);
    if (!kv::writeWholeFile(path, bytes.data(), bytes.size())) {
        if (!kept.empty())
            kv::renameToFreeName(kept, path);
        kv::printError("Unable to save the server bookmarks to " + path);
        return ServerListSave::Failed;
    }
    onDisk = bookmarks;
    state = ServerListState::Read;
    return ServerListSave::Saved;
}

} // namespace tvl
