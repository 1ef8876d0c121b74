#pragma once
// Reading a file the programs keep their settings and pages in: only a regular file
// is read, and never beyond the size it had when opened, so a pipe cannot stall a
// program and a device cannot fill its memory.

#include "platform/atomic_file.h"
#include "platform/file_access.h"

#include <filesystem>
#include <string>

namespace lumora::platform {

// The path names a pipe, a device or a socket instead of a regular file.
class NotRegularFile : public FileError {
public:
    explicit NotRegularFile(const std::string& path, bool directory = false)
        : FileError(path, "not a regular file"), directory_(directory) {}
    bool directory() const { return directory_; }

private:
    bool directory_;
};

struct RegularFile {
    FileDescriptor descriptor;
    FileStatus status;
};

// Opens a regular file for reading, to be read once from start to end. Throws
// NotRegularFile for a pipe, a device or a folder (without waiting on a pipe that has
// no writer), FileError when it cannot be opened.
RegularFile openRegularFile(const std::filesystem::path& path);

// The whole file as it was when opened. Throws NotRegularFile for a pipe or a device
// (without waiting on a pipe that has no writer), FileError otherwise (a folder too).
std::string readRegularFile(const std::filesystem::path& path);

} // namespace lumora::platform
