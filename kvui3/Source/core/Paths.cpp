#include "core/Paths.h"

#include "core/StringUtils.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kv {

namespace {

char foldPathChar(char c)
{
    if (c == '/')
        return '\\';
    return toLowerAscii(c);
}

bool startsWithPath(const std::string& path, const std::string& base)
{
    if (base.size() > path.size())
        return false;
    for (size_t i = 0; i < base.size(); i++)
        if (foldPathChar(path[i]) != foldPathChar(base[i]))
            return false;
    return true;
}

std::string toGameForm(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string withoutTrailingSeparator(const std::string& path)
{
    if (!path.empty() && isPathSeparator(path.back()))
        return path.substr(0, path.size() - 1);
    return path;
}

size_t lastSeparator(const std::string& path)
{
    return path.find_last_of("\\/");
}

// Position of the dot that starts the extension of the last component, or npos.
size_t extensionDot(const std::string& path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return dot;
    size_t sep = lastSeparator(path);
    return (sep != std::string::npos && sep > dot) ? std::string::npos : dot;
}

} // namespace

std::string getCurrentFolder()
{
    static const std::string folder = [] {
        std::error_code ec;
        std::string cwd = std::filesystem::current_path(ec).string();
        if (ec || cwd.empty())
            return std::string();
        cwd = toGameForm(cwd);
        if (cwd.back() != '\\')
            cwd += '\\';
        return cwd;
    }();
    return folder;
}

std::string stripFirstFolder(const std::string& path)
{
    std::string p = withoutTrailingSeparator(path);
    size_t sep = p.find_first_of("\\/");
    if (sep == std::string::npos)
        return {};
    return p.substr(sep) + '\\';
}

std::string getParentFolder(const std::string& folder)
{
    std::string p = withoutTrailingSeparator(folder);
    size_t sep = lastSeparator(p);
    if (sep == std::string::npos)
        return {};
    return p.substr(0, sep) + '\\';
}

std::string makeRelativeToCurrentFolder(const std::string& path)
{
    return makeRelativeTo(path, getCurrentFolder());
}

std::string makeRelativeTo(const std::string& path, const std::string& base)
{
    if (!startsWithPath(path, base))
        return path;
    return path.substr(base.size());
}

std::string getFullPath(const std::string& path)
{
    std::string disk = path;
    std::replace(disk.begin(), disk.end(), '\\', '/');
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(disk, ec);
    if (ec || full.empty())
        return path;
    return toGameForm(full.lexically_normal().string());
}

std::string changeExtension(const std::string& path, const std::string& extension)
{
    if (extension.empty())
        return path;
    std::string ext = extension[0] == '.' ? extension : '.' + extension;
    return removeExtension(path) + ext;
}

std::string removeExtension(const std::string& path)
{
    size_t dot = extensionDot(path);
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (isPathSeparator(folder.back()))
        return folder + name;
    return folder + '\\' + name;
}

std::string getFolderOfPath(const std::string& path)
{
    size_t sep = lastSeparator(path);
    if (sep == std::string::npos)
        return path + '\\';
    return path.substr(0, sep) + '\\';
}

} // namespace kv
