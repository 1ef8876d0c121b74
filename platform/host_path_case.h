#pragma once
// Finds the real spelling of a host path whose letter case may differ from the
// file system's: the installer and the recent-files store upper-case whole paths,
// while Linux names are case-sensitive.

#include <filesystem>

namespace lumora::platform {

// Walks the path one component at a time. A component that exists as spelt is
// kept; otherwise the directory is searched for an entry equal to it without
// regard to ASCII case (the first in byte order when several match). From the
// first component that matches nothing on, the rest is kept as given, so a path
// to a file that is yet to be created still comes back usable.
std::filesystem::path resolveIgnoringCase(const std::filesystem::path& path);

// Whether some file system entry matches the path without regard to case.
bool existsIgnoringCase(const std::filesystem::path& path);

} // namespace lumora::platform
