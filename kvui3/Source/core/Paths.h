#pragma once
// Path text helpers for the game's own path form: Windows paths in which "\" and "/" both
// separate and "\" is what the program writes. Only the resolver (platform/FileSystem.h) turns
// such a path into a disk path, at the moment a file is opened, tested or listed.
//
// Absolute paths on this platform are written in the same form: the folder /home/x/game is
// "\home\x\game\". Prefix comparisons (makeRelativeTo*) ignore ASCII case and treat "\" and "/"
// as the same character, so mixed spellings of one folder still match.
#include <string>

namespace kv {

// The working folder, absolute, in the game's form and ending in "\" ("\home\x\game\").
// Read on the first call and kept for the run (change folders before the first call); empty
// when it cannot be read.
std::string getCurrentFolder();

// Drops one trailing separator, then keeps the text from the first separator on (that
// separator included) and ends it with "\": "sound/Menu\" gives "/Menu\". Empty when no
// separator is left ("Menu\" gives "").
std::string stripFirstFolder(const std::string& path);

// Drops one trailing separator, cuts at the last separator and ends the result with "\":
// "a\b\c\" gives "a\b\". Empty when no separator is left ("a\" and "a" give "").
std::string getParentFolder(const std::string& folder);

// The rest of path after getCurrentFolder() when path begins with it (empty when path is that
// folder); otherwise path unchanged.
std::string makeRelativeToCurrentFolder(const std::string& path);

// The rest of path after base when path begins with base; otherwise path unchanged.
std::string makeRelativeTo(const std::string& path, const std::string& base);

// The absolute form of path in the game's form: relative paths are taken from the working
// folder, "." and ".." components are folded, a trailing separator is kept. The file need not
// exist and case is left as given. The path unchanged when it cannot be made absolute.
std::string getFullPath(const std::string& path);

// Replaces the extension of the last component (from its last dot) with extension, or appends
// it when that component has no dot; a dot is put before an extension that lacks one. Dots in
// folder names never count: "my.data\file" + "txt" gives "my.data\file.txt". An empty
// extension is refused: the path comes back unchanged.
std::string changeExtension(const std::string& path, const std::string& extension);

// The path cut before the last dot of its last component; unchanged when it has none.
std::string removeExtension(const std::string& path);

// Empty folder: name. Folder ending in "/" or "\": folder + name. Otherwise folder + "\" + name.
std::string joinPath(const std::string& folder, const std::string& name);

// The text before the last separator, ended with "\" ("a\b\c.txt" gives "a\b\"); the whole
// path + "\" when it has no separator ("c.txt" gives "c.txt\").
std::string getFolderOfPath(const std::string& path);

// True for "\" and "/".
inline bool isPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

} // namespace kv
