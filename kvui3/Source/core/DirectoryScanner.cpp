#include "core/DirectoryScanner.h"

#include "core/Paths.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"

#include <limits>

namespace kv {

void DirectoryScanner::addExtension(std::string extension)
{
    if (extension.empty())
        return;
    if (extension[0] != '.')
        extension.insert(extension.begin(), '.');
    extensions.push_back(std::move(extension));
}

void DirectoryScanner::addImageExtensions()
{
    for (const char* ext : {"BMP", "PNG", "TGA", "JPG", "GIF", "PSD", "HDR", "PIC"})
        addExtension(ext);
}

bool DirectoryScanner::matchesExtension(const std::string& name) const
{
    if (extensions.empty())
        return true;
    std::string ext = name.substr(removeExtension(name).size());
    for (const auto& e : extensions)
        if (equalsIgnoreCase(ext, e))
            return true;
    return false;
}

bool DirectoryScanner::scan(std::string newFolder, int newMode, bool newRecursive)
{
    if (newFolder == ".\\" || newFolder == "./")
        newFolder = getCurrentFolder();
    if (newFolder.empty() || !isPathSeparator(newFolder.back()))
        newFolder += '\\';
    folder = newFolder;
    fullFolder = getFullPath(folder);
    entries.clear();
    mode = newMode;
    recursive = newRecursive;
    scanFolder(folder);
    scanned = true;
    return true;
}

void DirectoryScanner::clear()
{
    if (!scanned)
        return;
    entries.clear();
    extensions.clear();
    scanned = false;
}

void DirectoryScanner::scanFolder(const std::string& folderPath)
{
    for (const ListedFile& f : listDirectory(folderPath)) {
        bool keep = f.isDirectory ? (mode == 0 || mode == 2)
                                  : ((mode == 0 || mode == 1) && matchesExtension(f.name));
        if (keep) {
            DirectoryEntry e;
            e.name = f.name;
            e.path = joinPath(folderPath, f.name);
            std::string full = getFullPath(e.path);
            std::string rest = makeRelativeTo(full, fullFolder);
            if (rest.size() != full.size())
                e.relativePath = rest;
            e.isDirectory = f.isDirectory;
            constexpr uint64_t maxSize = std::numeric_limits<uint32_t>::max();
            e.size = static_cast<uint32_t>(f.size > maxSize ? maxSize : f.size);
            entries.push_back(std::move(e));
        }
        if (f.isDirectory && recursive && !f.isLink)
            scanFolder(joinPath(folderPath, f.name) + '\\');
    }
}

} // namespace kv
