#pragma once
// The server bookmarks of the join window and their file, ServerList.dat in the current folder
// (beside tvl.ini). The file, little-endian: the framework's binary header (signature
// "TVL Server List", version 1), a u16 count, then per bookmark its description, host and port,
// each a u16 byte length and that many bytes.
//
// Reading keeps what can be trusted. A file with a bad header (not ours, or another version)
// or one that cannot be opened gives no bookmarks and is never replaced. A file whose header is
// good but whose body is damaged (cut short, a string longer than its field, more than 64
// bookmarks, bytes after the last one) keeps every complete bookmark before the damage, with a
// warning; it is replaced only once the player changes the list.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {
class BinaryFile;
}

namespace tvl {

constexpr const char* serverListFileName = "ServerList.dat";
constexpr const char* serverListSignature = "TVL Server List";

// Field caps in bytes, the same as the bookmark editor's (the text is ASCII).
constexpr std::size_t maxBookmarkDescription = 20;
constexpr std::size_t maxBookmarkHost = 64;
constexpr std::size_t maxBookmarkPort = 12;

struct ServerBookmark {
    std::string description;
    std::string host; // an IP address or a host name
    std::string port; // text; blank means the default port

    bool operator==(const ServerBookmark&) const = default;
};

// At most 64 bookmarks, in the player's order.
class ServerBookmarkTable {
public:
    static constexpr std::size_t capacity = 64;

    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    bool full() const { return count == capacity; }

    // index < size().
    const ServerBookmark& operator[](std::size_t index) const { return entries[index]; }
    ServerBookmark& operator[](std::size_t index) { return entries[index]; }

    // Appends; false (table unchanged) when full.
    bool add(ServerBookmark bookmark);
    // Removes one; the bookmarks after it move up. An index past the end changes nothing.
    void remove(std::size_t index);
    void clear();

    // Same bookmarks in the same order.
    bool operator==(const ServerBookmarkTable& other) const;

private:
    std::array<ServerBookmark, capacity> entries;
    uint16_t count = 0;
};

// What reading found; it decides whether the file may be replaced.
enum class ServerListState {
    Missing,    // no file: nothing to keep
    Read,       // read whole
    Damaged,    // good header, complete bookmarks kept up to the damage (a warning was printed)
    Unreadable, // cannot be opened or a bad header: no bookmarks, never replaced
};

enum class ServerListSave {
    Unchanged, // nothing written: the list is what the file holds
    Saved,
    Refused,   // the file could not be read, so it was kept (reported)
    Failed,    // the write failed and the old file is untouched (reported)
};

// Reads an open file from its start into out (emptied first). On damage, problem names it.
ServerListState readServerBookmarks(kv::BinaryFile& file, ServerBookmarkTable& out,
                                    std::string& problem);

// The whole file for a table, each field first cut to its cap.
std::string encodeServerBookmarks(const ServerBookmarkTable& table);

// The cut encodeServerBookmarks applies: the text up to its first NUL (where the reader ends
// it), then at most cap bytes, never ending inside a UTF-8 sequence.
std::string cutBookmarkField(const std::string& text, std::size_t cap);

// The bookmarks of one file and what the file held when last read or written.
class ServerBookmarkFile {
public:
    explicit ServerBookmarkFile(std::string path = serverListFileName);

    // Reads the file into bookmarks. Damage and a file that exists but cannot be read are
    // printed as warnings; a missing file is silent.
    ServerListState load();

    // Cuts every field of bookmarks to its cap, then writes the file atomically (a temporary
    // renamed over it) when the list differs from what the file holds. Never over a file that
    // could not be read. Refused and Failed are printed as errors.
    ServerListSave save();

    ServerBookmarkTable bookmarks;

    ServerListState getState() const { return state; }
    const std::string& getPath() const { return path; }

private:
    std::string path;
    ServerBookmarkTable onDisk;
    // Until load() the file counts as unread, so save() cannot replace it.
    ServerListState state = ServerListState::Unreadable;
};

} // namespace tvl
