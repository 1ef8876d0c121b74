#include "setup/pages/dir_choice_rules.h"

#include "common/ascii_case.h"
#include "platform/drives.h"
#include "setup/pages/directory_creation.h"

#include <filesystem>
#include <vector>

namespace setupkit {

using lumora::asciiUpper;

std::optional<std::string> acceptedTargetDir(std::string_view value) {
    std::string path(value);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    if (path.size() <= 2 || path[1] != ':' || path[2] != '\\')
        return std::nullopt;
    const char drive = asciiUpper(path[0]);
    if (drive < 'A' || drive > 'Z')
        return std::nullopt;
    if (path.find("\\\\") != std::string::npos || path.find('/') != std::string::npos)
        return std::nullopt;
    return path;
}

bool isFloppyTarget(std::string_view shownTarget) {
    if (shownTarget.empty())
        return false;
    const char drive = asciiUpper(shownTarget.front());
    return drive == 'A' || drive == 'B';
}

std::string browsedPath(std::string_view listDirectory, std::string_view targetDir,
                        int preserveTrailing) {
    std::vector<std::string> kept;
    std::string rest = StripBackslash(targetDir);
    for (int i = 0; i < preserveTrailing && rest.size() > 3; ++i) {
        const auto cut = rest.find_last_of('\\');
        if (cut == std::string::npos)
            break;
        kept.push_back(rest.substr(cut + 1));
        rest.resize(cut);
    }
    std::string path(listDirectory);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    for (auto name = kept.rbegin(); name != kept.rend(); ++name)
        path += *name + "\\";
    return path;
}

bool windowsDirectoryExists(const lumora::platform::DriveMap& drives, std::string_view path) {
    const auto host = drives.toHostPath(path);
    std::error_code error;
    return host && std::filesystem::is_directory(*host, error);
}

std::string browseStartDirectory(const lumora::platform::DriveMap& drives,
                                 std::string_view targetDir) {
    for (std::string path = StripBackslash(targetDir); path.size() > 2;
         path = parentDirectory(path)) {
        if (windowsDirectoryExists(drives, path))
            return path;
    }
    if (targetDir.size() >= 2 && targetDir[1] == ':') {
        const std::string root = std::string(1, asciiUpper(targetDir[0])) + ":\\";
        if (windowsDirectoryExists(drives, root))
            return root;
    }
    for (const auto& drive : lumora::platform::listDrives(drives)) {
        if (drive.type == lumora::platform::DriveType::NoRootDirectory)
            continue;
        const std::string root = std::string(1, drive.letter) + ":\\";
        if (windowsDirectoryExists(drives, root))
            return root;
    }
    return {};
}

} // namespace setupkit
