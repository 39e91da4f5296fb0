#pragma once
// Lists the files and folders under a folder, optionally recursively and filtered by
// extension. Paths come back in the game's form ("\" separators), so names built from them
// hash the same on every platform.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct DirectoryEntry {
    std::string name;          // the file or folder name, as on disk
    std::string path;          // the scanned folder (as given) joined with the sub-folders and name
    std::string relativePath;  // the absolute path less the scanned folder's absolute form
                               // ("sub\c.ogg"); empty when it does not begin with it
    bool isDirectory = false;
    uint32_t size = 0;         // bytes; files over 4 GiB report 0xFFFFFFFF, folders 0
};

class DirectoryScanner {
public:
    bool scanned = false;            // a scan has filled the lists
    std::string folder;              // the folder of the last scan, ending in a separator
    std::string fullFolder;          // its absolute form (getFullPath)
    int32_t mode = 0;                // 0 files and folders, 1 files only, 2 folders only
    bool recursive = false;
    std::vector<std::string> extensions;  // the filter, each with its leading dot (".PNG")
    std::vector<DirectoryEntry> entries;

    // Adds one extension to the filter, with a dot put in front when missing; an empty
    // extension is ignored.
    void addExtension(std::string extension);

    // Adds BMP, PNG, TGA, JPG, GIF, PSD, HDR and PIC.
    void addImageExtensions();

    // True when the filter is empty, or when the extension of name (from the last dot of its
    // last component) equals a filter entry, ignoring ASCII case.
    bool matchesExtension(const std::string& name) const;

    // Lists folder (a game path; ".\" or "./" means the working folder; a "\" is added when it
    // ends in no separator) depth-first, each folder's entries in case-insensitive name order.
    // Mode 1 keeps files that pass the filter, mode 2 folders, mode 0 both. When recursive,
    // every folder is descended into in every mode, except folders whose name begins with a
    // dot and links to folders (which are listed but not entered, so link loops end). The
    // filter is kept, the entries replaced. A folder that does not exist lists nothing.
    // Always returns true.
    bool scan(std::string folder, int mode, bool recursive);

    // After a scan: empties the entries and the filter and clears scanned.
    void clear();

private:
    void scanFolder(const std::string& folderPath);
};

} // namespace kv
