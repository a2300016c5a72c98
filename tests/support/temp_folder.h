// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lunabrelle::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // path() / name, as a string.
    std::string file(const std::string& name) const;

    // Writes bytes to path() / name (creating or truncating it).
    void write(const std::string& name, const std::vector<unsigned char>& bytes) const;
    // The bytes of path() / name; empty when it cannot be read.
    std::vector<unsigned char> read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

}  // namespace lunabrelle::test
