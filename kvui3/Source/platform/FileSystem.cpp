#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <dirent.h>

#include <map>
#include <memory>

namespace kv {

namespace {

struct Listing {
    struct timespec mtime {};
    std::vector<std::string> names;
};

std::map<std::string, Listing>& listingCache()
{
    static std::map<std::string, Listing> cache;
    return cache;
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

// Names in a folder, re-read whenever the folder's modification time moves.
const std::vector<std::string>* folderNames(const std::string& dir)
{
    struct stat st {};
    if (stat(dir.empty() ? "." : dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return nullptr;
    Listing& entry = listingCache()[dir];
    if (entry.mtime.tv_sec == st.st_mtim.tv_sec && entry.mtime.tv_nsec == st.st_mtim.tv_nsec &&
        !entry.names.empty())
        return &entry.names;
    entry.names.clear();
    entry.mtime = st.st_mtim;
    std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.empty() ? "." : dir.c_str()), closedir);
    if (!d)
        return &entry.names;
    while (dirent* e = readdir(d.get())) {
        std::string n = e->d_name;
        if (n != "." && n != "..")
            entry.names.push_back(std::move(n));
    }
    return &entry.names;
}

bool existsOnDisk(const std::string& p)
{
    struct stat st {};
    return lstat(p.c_str(), &st) == 0;
}

} // namespace

std::string resolvePath(const std::string& gamePath)
{
    std::string path = gamePath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    if (path.empty() || existsOnDisk(path))
        return path;

    // Walk component by component; "" before a leading '/' stands for the root.
    std::string resolved;
    size_t pos = 0;
    if (path[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    while (pos <= path.size()) {
        size_t slash = path.find('/', pos);
        std::string part = path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        bool last = slash == std::string::npos;
        if (!part.empty() && part != "." && part != "..") {
            std::string candidate = resolved + part;
            if (!existsOnDisk(candidate)) {
                std::string dir = resolved.empty() ? "" : resolved.substr(0, resolved.size() - 1);
                if (resolved == "/")
                    dir = "/";
                if (const auto* names = folderNames(dir)) {
                    for (const auto& n : *names)
                        if (sameName(n, part)) {
                            candidate = resolved + n;
                            break;
                        }
                }
            }
            resolved = candidate;
        } else {
            resolved += part;
        }
        if (last)
            break;
        resolved += '/';
        pos = slash + 1;
    }
    return resolved;
}

FileStatus getFileStatus(const std::string& gamePath)
{
    FileStatus out;
    struct stat st {};
    if (stat(resolvePath(gamePath).c_str(), &st) != 0)
        return out;
    out.exists = true;
    out.isDirectory = S_ISDIR(st.st_mode);
    out.size = static_cast<uint64_t>(st.st_size);
    return out;
}

bool fileExists(const std::string& gamePath)
{
    return getFileStatus(gamePath).exists;
}

FILE* openFile(const std::string& gamePath, const char* mode)
{
    return std::fopen(resolvePath(gamePath).c_str(), mode);
}

bool readWholeFile(const std::string& gamePath, std::string& out)
{
    out.clear();
    FILE* f = openFile(gamePath, "rb");
    if (!f)
        return false;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok)
        out.clear();
    return ok;
}

void clearPathCache()
{
    listingCache().clear();
}

} // namespace kv
