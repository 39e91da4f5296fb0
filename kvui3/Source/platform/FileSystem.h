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
// exist as spelled is matched case-insensitively against its folder's listing (cached, and
// re-read when the folder changes). A path that matches nothing keeps its unmatched tail as
// given, so a file about to be created lands beside its case-matched folder.
std::string resolvePath(const std::string& gamePath);

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    uint64_t size = 0;
};

// Status of a game path (through resolvePath); exists is false when nothing is there.
FileStatus getFileStatus(const std::string& gamePath);
bool fileExists(const std::string& gamePath);

// fopen through the resolver; nullptr when it fails.
FILE* openFile(const std::string& gamePath, const char* mode);

// Reads a whole file into out; false (out emptied) when it cannot be opened or read.
bool readWholeFile(const std::string& gamePath, std::string& out);

// Forgets every cached listing (tests that build trees under the same names use it).
void clearPathCache();

} // namespace kv
