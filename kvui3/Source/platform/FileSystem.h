#pragma once
// The one road from a game path to the disk. Game paths are Windows paths: "\" and "/" both
// separate, and names match without regard to case ("BASE\maps\X.MAP" finds base/Maps/x.map).
// Everything that opens, tests or lists a file passes its path through resolvePath first;
// names that are stored, hashed or sent keep their own form.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kv {

// The disk path for a game path: separators become '/', then each component that does not
// exist as spelled is matched case-insensitively (ASCII) against its folder's listing. Listings
// are cached and read again when the folder has changed, or when a name is missing from a
// listing that may predate the latest change. Where several names match, the first in
// case-insensitive order wins. A path that matches nothing keeps its unmatched tail as given,
// so a file about to be created lands beside its case-matched folder. A game path that starts
// with a separator is absolute ("\home\x" is /home/x). Safe to call from several threads.
std::string resolvePath(const std::string& gamePath);

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    uint64_t size = 0;
};

// Status of a game path (through resolvePath, links followed); exists is false when nothing
// is there.
FileStatus getFileStatus(const std::string& gamePath);
bool fileExists(const std::string& gamePath);

// fopen through the resolver; nullptr when it fails.
FILE* openFile(const std::string& gamePath, const char* mode);

// Reads a whole file into out; false (out emptied) when it cannot be opened or read.
bool readWholeFile(const std::string& gamePath, std::string& out);

// Writes size bytes as the whole file (created or replaced) through a temporary of a unique
// name in the same folder, flushed to the disk and renamed over the target: readers and other
// writers (another process saving the same file) see the old file or a whole new one. A
// replaced file keeps its mode, and a link keeps pointing at it. False when the target is there
// but not a regular file, or when anything fails; the old file is then untouched and the
// temporary removed.
bool writeWholeFile(const std::string& gamePath, const void* data, size_t size);

// Renames the file at game path from to game path to, which must be free: whatever is at to is
// never replaced (false then). False too when the rename fails.
bool renameToFreeName(const std::string& from, const std::string& to);

// Forgets every cached listing. Needed after the working folder changes (cached folders are
// keyed by the paths as given), and by tests that rebuild trees under the same names.
void clearPathCache();

struct ListedFile {
    std::string name;          // as on disk
    bool isDirectory = false;  // a real folder, or a link to one (see isLink)
    bool isLink = false;       // a symbolic link; a linked folder must not be descended into
    uint64_t size = 0;         // bytes for files (links followed), 0 for folders
};

// The entries of a folder given as a game path, sorted case-insensitively (ties by bytes).
// "." and ".." and folders whose name begins with a dot are left out; dot-files are kept.
// Links are followed for their kind and size; dangling links and entries that cannot be
// examined are left out. Empty when the folder does not exist or cannot be read.
std::vector<ListedFile> listDirectory(const std::string& gamePath);

// The places a file chooser offers to jump to, as disk paths ending in '/': the file-system
// root, the user's home ($HOME, when it is a folder) and the working folder, each once, in
// that order. This system has no drive letters.
std::vector<std::string> fileSystemRoots();

} // namespace kv
