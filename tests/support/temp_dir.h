#pragma once
// Private temporary directories and small file helpers for tests.

#include <filesystem>
#include <string>

namespace lumora::testing {

// A fresh directory (mkdtemp) removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// Where the checked-out sources are (for shipped data files).
std::filesystem::path sourceDir();
// Where the build puts the programs and the files shipped beside them.
std::filesystem::path binDir();

} // namespace lumora::testing
