#pragma once
// A scratch folder for a test; the working folder moves into it and back.
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file below the folder (parent folders made as needed).
    void write(const std::string& relative, const std::string& contents) const;
    std::string read(const std::string& relative) const;
    // Makes the folder the working folder until destruction.
    void enter();

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

} // namespace testsupport
