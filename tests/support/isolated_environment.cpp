#include "isolated_environment.h"

#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace lumora::testing {

void IsolatedEnvironment::SetUp() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lumora-home-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed for " + pattern);
    root_ = buffer.data();
    namespace fs = std::filesystem;
    const std::pair<const char*, const char*> dirs[] = {{"HOME", "home"},
                                                        {"XDG_DATA_HOME", "home/.local/share"},
                                                        {"XDG_CONFIG_HOME", "home/.config"},
                                                        {"XDG_CACHE_HOME", "home/.cache"},
                                                        {"XDG_RUNTIME_DIR", "run"},
                                                        {"TMPDIR", "tmp"}};
    for (const auto& [variable, relative] : dirs) {
        fs::path dir = fs::path(root_) / relative;
        fs::create_directories(dir);
        setenv(variable, dir.c_str(), 1);
    }
    setenv("LUMORA_SOURCE_DIR", sourceDir().c_str(), 1);
    setenv("LUMORA_BIN_DIR", binDir().c_str(), 1);
    fs::permissions(fs::path(root_) / "run", fs::perms::owner_all, fs::perm_options::replace);
    unsetenv("temp");
    unsetenv("tmp");
    unsetenv("TEMP");
    unsetenv("TMP");
}

void IsolatedEnvironment::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

} // namespace lumora::testing
