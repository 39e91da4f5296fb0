#include "platform/Startup.h"

#include "platform/FileSystem.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <string>

namespace kv {

bool changeToProgramFolderIfNeeded()
{
    if (getFileStatus("base").isDirectory)
        return false;
    std::string exe(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size());
    if (n <= 0 || static_cast<size_t>(n) >= exe.size())
        return false;
    exe.resize(static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    if (slash == std::string::npos)
        return false;
    std::string folder = slash == 0 ? "/" : exe.substr(0, slash);
    if (chdir(folder.c_str()) != 0)
        return false;
    clearPathCache();
    return true;
}

bool displayAvailable()
{
    // The probe connection stays open for the run: an X server that resets when its last
    // client leaves (Xvfb does) would otherwise refuse the window's own connection made a
    // moment later.
    static Display* probe = nullptr;
    if (!probe)
        probe = XOpenDisplay(nullptr);
    return probe != nullptr;
}

} // namespace kv
