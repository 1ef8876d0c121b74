#include "current_directory.h"

#include "atomic_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <unistd.h>

namespace lumora::platform {

std::string currentDirectory(const DriveMap& drives) {
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    if (error)
        return {};
    return drives.toWindowsPath(current).value_or("");
}

void setCurrentDirectory(const DriveMap& drives, std::string_view windowsPath) {
    const auto host = drives.toHostPath(windowsPath);
    if (!host)
        throw FileError(std::string(windowsPath), "no such drive");
    if (::chdir(host->c_str()) != 0)
        throw FileError(std::string(windowsPath), std::strerror(errno));
}

} // namespace lumora::platform
