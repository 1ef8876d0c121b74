#pragma once
// Where the running program lives: its data files, its optional libraries and its
// recent-files store are looked up beside it.

#include <filesystem>
#include <string_view>

namespace lumora::platform {

// The running program's file (from /proc/self/exe); throws FileError when the
// system cannot tell.
std::filesystem::path programPath();
std::filesystem::path programDirectory();

// Whether this user may make and replace files in the folder (an installed program's
// folder usually not).
bool directoryWritable(const std::filesystem::path& directory);

// The user's settings folder for `application`: $XDG_CONFIG_HOME/<application>, by
// default ~/.config/<application>. Made when missing; throws FileError when it cannot be.
std::filesystem::path userConfigDirectory(std::string_view application);

} // namespace lumora::platform
