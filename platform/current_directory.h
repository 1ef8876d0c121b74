#pragma once
// The process's current directory in Windows terms: the installer changes to
// directories by their Windows names and reads the result back to compare it.

#include "drive_map.h"

#include <string>
#include <string_view>

namespace lumora::platform {

// The current directory as a Windows path (no trailing backslash except at a drive
// root); empty when no drive reaches it.
std::string currentDirectory(const DriveMap& drives);

// Changes to the directory a Windows path names; throws FileError naming the path
// when it is not mapped or is not a directory that can be entered.
void setCurrentDirectory(const DriveMap& drives, std::string_view windowsPath);

} // namespace lumora::platform
