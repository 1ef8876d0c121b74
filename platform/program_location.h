#pragma once
// Where the running program lives: its data files, its optional libraries and its
// recent-files store are looked up beside it.

#include <filesystem>

namespace lumora::platform {

// The running program's file (from /proc/self/exe); throws FileError when the
// system cannot tell.
std::filesystem::path programPath();
std::filesystem::path programDirectory();

} // namespace lumora::platform
