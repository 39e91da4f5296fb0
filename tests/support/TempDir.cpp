#include "support/TempDir.h"

#include "platform/FileSystem.h"

#include <cstdlib>
#include <sstream>

namespace testsupport {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tvltest-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? made : pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    if (!previous_.empty())
        std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
    kv::clearPathCache();
}

void TempDir::write(const std::string& relative, const std::string& contents) const
{
    std::filesystem::path p = path_ / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << contents;
}

std::string TempDir::read(const std::string& relative) const
{
    std::ifstream in(path_ / relative, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void TempDir::enter()
{
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
}

} // namespace testsupport
