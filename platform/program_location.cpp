#include "program_location.h"

#include "atomic_file.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace lumora::platform {

std::filesystem::path programPath() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw FileError("/proc/self/exe", error.message());
    return path;
}

std::filesystem::path programDirectory() {
    return programPath().parent_path();
}

bool directoryWritable(const std::filesystem::path& directory) {
    return ::access(directory.empty() ? "." : directory.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path userConfigDirectory(std::string_view application) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    // A relative XDG_CONFIG_HOME is ignored, as the XDG base directories rule.
    const std::filesystem::path base = config && *config == '/'
                                           ? std::filesystem::path(config)
                                           : std::filesystem::path(home ? home : "") / ".config";
    const std::filesystem::path directory = base / application;
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        throw FileError(directory.string(), error.message());
    return directory;
}

} // namespace lumora::platform
