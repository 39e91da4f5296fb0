#pragma once
// The server bookmarks of the join window and their file, ServerList.dat in the current folder
// (beside tvl.ini). The file, little-endian: the framework's binary header (signature
// "TVL Server List", version 1), a u16 count, then per bookmark its description, host and port,
// each a u16 byte length and that many bytes.
//
// Reading keeps what can be trusted. A field may be of any length the format allows (up to
// 65535 bytes), and is kept as it is, however much longer than the editor's box. A file with a
// bad header (not ours, or another version) gives no bookmarks. A file whose header is good but
// whose body is damaged (cut short, more than 64 bookmarks, bytes after the last one) keeps
// every complete bookmark before the damage, with a warning. Either is replaced only once the
// player changes the list, and is first kept beside it under a free name of its own
// (ServerList.dat.bad, else ServerList.dat.bad2 ... .bad9), so that nothing it held is lost.
// A file that exists but cannot be opened is never replaced.
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

// The bookmark editor's caps on what is typed, in bytes (the text is ASCII).
constexpr std::size_t maxBookmarkDescription = 20;
constexpr std::size_t maxBookmarkHost = 64;
constexpr std::size_t maxBookmarkPort = 12;
// The file's own cap on a field: its u16 length.
constexpr std::size_t maxBookmarkFieldBytes = 65535;
// Names a damaged file may be kept under: the path + ".bad", then ".bad2" ... up to this.
constexpr int maxKeptServerLists = 9;

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
    BadHeader,  // not a bookmark file of this version: no bookmarks (a warning was printed)
    Unreadable, // there but cannot be opened: no bookmarks, never replaced
};

enum class ServerListSave {
    Unchanged, // nothing written: the list is what the file holds
    Saved,     // written (a damaged or foreign file first kept aside, reported)
    Refused,   // the file could not be opened, or a damaged one kept nowhere: left as it is (reported)
    Failed,    // the write failed and the old file is where it was (reported)
};

// Reads an open file from its start into out (emptied first). On damage, problem names it.
ServerListState readServerBookmarks(kv::BinaryFile& file, ServerBookmarkTable& out,
                                    std::string& problem);

// The whole file for a table, each field first cut to what the file can hold
// (cutBookmarkField to maxBookmarkFieldBytes).
std::string encodeServerBookmarks(const ServerBookmarkTable& table);

// The text up to its first NUL (where the reader ends it), then at most cap bytes, never
// ending inside a UTF-8 sequence: the editor's cut, and the file's.
std::string cutBookmarkField(const std::string& text, std::size_t cap);

// Where a damaged file at path may be kept: the first of path + ".bad", ".bad2" ...
// ".bad<maxKeptServerLists>" that nothing uses; empty when all are taken.
std::string freeKeptServerListName(const std::string& path);

// The bookmarks of one file and what the file held when last read or written.
class ServerBookmarkFile {
public:
    explicit ServerBookmarkFile(std::string path = serverListFileName);

    // Reads the file into bookmarks. Damage, a bad header and a file that exists but cannot be
    // opened are printed as warnings; a missing file is silent.
    ServerListState load();

    // Cuts every field of bookmarks to what the file holds, then writes the file atomically (a
    // temporary renamed over it) when the list differs from what the file holds. A damaged file
    // or one with a bad header is first renamed to freeKeptServerListName ("<path> kept as
    // <name>", a warning), and put back should the write fail. Never over a file that could not
    // be opened. Refused and Failed are printed as errors.
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
