#pragma once
// The Windows directory, the system directory and the temporary directory as the
// installer knows them, kept in host directories and named through the drive map.

#include "drive_map.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumora::platform {

// $XDG_DATA_HOME/lumora-setup/WINDOWS (XDG_DATA_HOME defaults to ~/.local/share) and
// its SYSTEM subdirectory, created when missing, as Windows always has them.
std::filesystem::path windowsDirectoryHost();
std::filesystem::path systemDirectoryHost();

// The same directories as Windows paths without a trailing backslash, the way the
// system reports them; empty when no drive reaches them.
std::string windowsDirectory(const DriveMap& drives);
std::string systemDirectory(const DriveMap& drives);

// Where a profile file opened by a bare name ("TSETUP.INI", "WIN.INI") lives: the
// Windows directory. An existing file of that name in another letter case is found.
std::filesystem::path windowsProfilePath(std::string_view fileName);

// The installer's temporary directory: the environment value of "temp", else of
// "tmp" (names compared without regard to case), else TMPDIR, else /tmp. A value
// may be a host path or a Windows path on a mapped drive.
std::filesystem::path temporaryDirectoryHost(const DriveMap& drives);
// The same as a Windows path with a trailing backslash.
std::string temporaryDirectory(const DriveMap& drives);

// A fresh directory only this user can enter (mkdtemp, mode 0700), made inside
// `parent`, so a temporary copy never lands at a name another user can predict.
// Throws FileError when it cannot be made.
std::filesystem::path createPrivateDirectory(const std::filesystem::path& parent,
                                             std::string_view prefix = "lumora-setup-");

// createPrivateDirectory inside the temporary directory.
std::filesystem::path createPrivateTemporaryDirectory(const DriveMap& drives);

} // namespace lumora::platform
