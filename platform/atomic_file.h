#pragma once
// Whole-file reads and atomic whole-file writes: a write goes to a temporary file
// beside the target and is renamed over it only when complete, so a failed save
// never leaves a truncated file behind.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumora::platform {

// A file that could not be read or written; what() names the path and the cause.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, const std::string& cause)
        : std::runtime_error(path + ": " + cause), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Reads the whole of a regular file (see readRegularFile); throws FileError when it
// cannot be opened or read, NotRegularFile when it is a pipe, a device or a folder.
std::string readWholeFile(const std::filesystem::path& path);

// Replaces the file's contents atomically (a ReplacementFile with the saving rules:
// a symbolic link is followed to its target so the link stays a link; an existing
// file keeps its permission bits). Throws FileError and leaves the old file
// untouched on any failure.
// A file that replaces nothing is synced before it takes its name (Each), or left to
// one syncFileSystemOf() after many such files (Later). A replaced file is always
// synced first, so it is the old file or the whole new one whatever happens.
enum class NewFileSync { Each, Later };
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         NewFileSync newFiles = NewFileSync::Each);
// Brings everything written to the file system holding `path` to the disk. Throws
// FileError.
void syncFileSystemOf(const std::filesystem::path& path);

// The temporary name a write to `target` uses: "." + its name + "." + six characters.
bool isAtomicWriteTemporary(std::string_view fileName, std::string_view targetName);
// Removes what writes killed before their rename left in `directory`: regular files
// named as temporaries of a target whose name starts with `targetPrefix`. One pass
// over the directory.
void removeAtomicWriteLeftovers(const std::filesystem::path& directory,
                                std::string_view targetPrefix);

} // namespace lumora::platform
