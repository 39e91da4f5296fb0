#include "platform/FileSystem.h"

#include "platform/Ascii.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

namespace kv {

namespace {

// A listing read less than this long after the folder's last change may have missed a change
// made in the same timestamp tick (file systems keep times as coarse as 2 s).
constexpr time_t listingSettleSeconds = 2;

struct Listing {
    struct timespec mtime {};
    struct timespec readAt {};
    std::vector<std::string> names;
};

std::mutex& cacheMutex()
{
    static std::mutex m;
    return m;
}

std::map<std::string, Listing>& listingCache()
{
    static std::map<std::string, Listing> cache;
    return cache;
}

// Case-insensitive order, ties broken by bytes so that the order is total.
bool nameLess(const std::string& a, const std::string& b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; i++) {
        unsigned char ca = static_cast<unsigned char>(toLowerAscii(a[i]));
        unsigned char cb = static_cast<unsigned char>(toLowerAscii(b[i]));
        if (ca != cb)
            return ca < cb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

bool sameTime(const struct timespec& a, const struct timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// True when the listing was read long enough after the folder's change to have seen it all.
bool settled(const Listing& l)
{
    return l.readAt.tv_sec - l.mtime.tv_sec > listingSettleSeconds;
}

// Names in a folder (a disk path, "" for the working folder), cached. The cache is read again
// when the folder's modification time moved, and, when recheck is set, also when the listing
// may predate the latest change. Needs cacheMutex held.
const std::vector<std::string>* folderNames(const std::string& dir, bool recheck)
{
    const char* diskDir = dir.empty() ? "." : dir.c_str();
    struct stat st {};
    if (stat(diskDir, &st) != 0 || !S_ISDIR(st.st_mode))
        return nullptr;
    auto [it, added] = listingCache().try_emplace(dir);
    Listing& entry = it->second;
    if (!added && sameTime(entry.mtime, st.st_mtim) && (!recheck || settled(entry)))
        return &entry.names;
    entry.names.clear();
    entry.mtime = st.st_mtim;
    clock_gettime(CLOCK_REALTIME, &entry.readAt);
    std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(diskDir), closedir);
    if (d) {
        while (dirent* e = readdir(d.get())) {
            std::string n = e->d_name;
            if (n != "." && n != "..")
                entry.names.push_back(std::move(n));
        }
    }
    std::sort(entry.names.begin(), entry.names.end(), nameLess);
    return &entry.names;
}

bool existsOnDisk(const std::string& p)
{
    struct stat st {};
    return lstat(p.c_str(), &st) == 0;
}

// The on-disk spelling of part inside dir (prefix is dir with its trailing '/'), or "" when no
// name matches. A cached listing is trusted only while what it names still exists.
std::string matchInFolder(const std::string& dir, const std::string& prefix, const std::string& part)
{
    for (bool recheck : {false, true}) {
        const auto* names = folderNames(dir, recheck);
        if (!names)
            return {};
        for (const auto& n : *names)
            if (equalsIgnoreCase(n, part) && existsOnDisk(prefix + n))
                return n;
    }
    return {};
}

} // namespace

std::string resolvePath(const std::string& gamePath)
{
    std::string path = gamePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || existsOnDisk(path))
        return path;

    std::lock_guard<std::mutex> lock(cacheMutex());
    // Walk component by component; resolved always ends in '/' (or is empty) between parts.
    std::string resolved;
    size_t pos = 0;
    if (path[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    while (true) {
        size_t slash = path.find('/', pos);
        bool last = slash == std::string::npos;
        std::string part = path.substr(pos, last ? std::string::npos : slash - pos);
        if (!part.empty() && part != "." && part != ".." && !existsOnDisk(resolved + part)) {
            std::string dir = resolved.size() > 1 ? resolved.substr(0, resolved.size() - 1) : resolved;
            std::string match = matchInFolder(dir, resolved, part);
            if (!match.empty())
                part = match;
        }
        resolved += part;
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

bool writeWholeFile(const std::string& gamePath, const void* data, size_t size)
{
    std::string target = resolvePath(gamePath);
    struct stat st {};
    const bool replacing = stat(target.c_str(), &st) == 0;
    if (replacing) {
        // Renaming over a folder or a device would take its place.
        if (!S_ISREG(st.st_mode))
            return false;
        // A link stays a link: the file it names is the one replaced.
        std::unique_ptr<char, void (*)(void*)> real(realpath(target.c_str(), nullptr), std::free);
        if (!real)
            return false;
        target = real.get();
    }

    // A temporary of a name no other writer uses, beside the target, renamed over it: a reader,
    // or a second copy of the game saving the same file, sees the old file or a whole new one.
    // Made like mkstemp, but with the usual mode (mkstemp's 0600 would make new files private).
    static std::atomic<unsigned> serial{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; attempt++) {
        temporary = target + "." + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".tmp";
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    bool ok = !replacing || fchmod(fd, st.st_mode & 07777) == 0;
    const char* bytes = static_cast<const char*>(data);
    for (size_t done = 0; ok && done < size;) {
        ssize_t n = write(fd, bytes + done, size - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n == 0 || errno != EINTR)
            ok = false;
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}

bool renameToFreeName(const std::string& from, const std::string& to)
{
    const std::string source = resolvePath(from), target = resolvePath(to);
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot promise it: looked at just before.
    struct stat st {};
    return lstat(target.c_str(), &st) != 0 && errno == ENOENT && std::rename(source.c_str(), target.c_str()) == 0;
}

void clearPathCache()
{
    std::lock_guard<std::mutex> lock(cacheMutex());
    listingCache().clear();
}

std::vector<ListedFile> listDirectory(const std::string& gamePath)
{
    std::vector<ListedFile> out;
    std::string dir = resolvePath(gamePath);
    std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.empty() ? "." : dir.c_str()), closedir);
    if (!d)
        return out;
    int fd = dirfd(d.get());
    while (dirent* e = readdir(d.get())) {
        ListedFile f;
        f.name = e->d_name;
        if (f.name == "." || f.name == "..")
            continue;
        struct stat st {};
        if (fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISLNK(st.st_mode)) {
            f.isLink = true;
            if (fstatat(fd, e->d_name, &st, 0) != 0)
                continue;
        }
        // Only folders and regular files: a pipe or device opened as data would block or worse.
        if (S_ISDIR(st.st_mode)) {
            if (f.name[0] == '.')
                continue;
            f.isDirectory = true;
        } else if (S_ISREG(st.st_mode)) {
            f.size = static_cast<uint64_t>(st.st_size);
        } else {
            continue;
        }
        out.push_back(std::move(f));
    }
    std::sort(out.begin(), out.end(),
              [](const ListedFile& a, const ListedFile& b) { return nameLess(a.name, b.name); });
    return out;
}

std::vector<std::string> fileSystemRoots()
{
    std::vector<std::string> roots{"/"};
    const auto add = [&roots](std::string path) {
        struct stat st;
        if (path.empty() || path.front() != '/' || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return;
        if (path.back() != '/')
            path += '/';
        if (std::find(roots.begin(), roots.end(), path) == roots.end())
            roots.push_back(path);
    };
    if (const char* home = std::getenv("HOME"))
        add(home);
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd))
        add(cwd);
    return roots;
}

} // namespace kv
