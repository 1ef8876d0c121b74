#pragma once
// Reading a file the programs keep their settings and pages in: only a regular file
// is read, and never beyond the size it had when opened, so a pipe cannot stall a
// program and a device cannot fill its memory.

#include "platform/atomic_file.h"

#include <filesystem>
#include <string>

namespace lumora::platform {

// The path names a pipe, a device or a socket instead of a regular file.
class NotRegularFile : public FileError {
public:
    explicit NotRegularFile(const std::string& path) : FileError(path, "not a regular file") {}
};

// The whole file as it was when opened. Throws NotRegularFile for a pipe or a device
// (without waiting on a pipe that has no writer), FileError otherwise (a folder too).
std::string readRegularFile(const std::filesystem::path& path);

} // namespace lumora::platform
