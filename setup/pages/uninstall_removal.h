#pragma once
// What the uninstall takes away, and how, without ever following a symbolic link:
// a recorded file or directory that is now a link is removed as the link itself, a
// path that leads through a link below its drive's root is left alone, and a
// directory is only ever removed when it is empty. Also the uninstall entry in the
// registry's list of removable programs.

#include "platform/drive_map.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform {
class Registry;
}

namespace setupkit {

enum class Removal {
    Removed,
    Missing,  // nothing there (deleted by hand): nothing to do
    NotEmpty, // a directory that still holds something
    Refused,  // the path leads through a link, or is not what was recorded
    Failed,   // the system refused (permissions, busy)
};

// A recorded file: removed when it is a file or a link; a directory there is left.
Removal removeRecordedFile(const lumora::platform::DriveMap& drives, std::string_view path);
// A recorded directory (with or without its trailing backslash): removed when it is
// empty, or removed as a link when it is one.
Removal removeRecordedDirectory(const lumora::platform::DriveMap& drives, std::string_view path);
// Every entry of a directory that is a file or a link is removed (never anything
// inside a subdirectory), then the directory itself when that left it empty.
Removal removeDirectoryFiles(const lumora::platform::DriveMap& drives, std::string_view path);

// The last step of an uninstall: the folder, when it holds nothing but files of these
// names (or what a killed write of one of them left), is moved to `aside` (a path
// that does not exist yet, on the same file system) and removed there, so that it
// leaves its place at once: a stop at any moment leaves either the folder with
// everything a second uninstall needs, or nothing. False, and nothing done, when the
// folder holds anything else or cannot be moved.
bool removeFolderAtOnce(const lumora::platform::DriveMap& drives, std::string_view folder,
                        const std::vector<std::string>& names, const std::filesystem::path& aside);

// "Software\Microsoft\Windows\CurrentVersion\UnInstall" under the local machine.
inline constexpr std::string_view UnInstallKey =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\UnInstall";

// Writes DisplayName and UnInstallString under the key of the display name.
void writeUnInstallEntry(lumora::platform::Registry& registry, const std::string& displayName,
                         const std::string& command);
// Deletes the key of the display name, then the keys above it that are left empty.
void deleteUnInstallEntry(lumora::platform::Registry& registry, const std::string& displayName);

} // namespace setupkit
