#pragma once
// Plain file work the installer's copy, its decompression library, its journal and its
// uninstall ask of the system: descriptors in a FileDescriptor, facts in a FileStatus,
// failures as the system's error code.

#include "file_descriptor.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace lumora::platform {

struct FileStatus {
    std::uint64_t size = 0;
    unsigned mode = 0; // permission bits (07777)
    bool regular = false;
    bool directory = false;
    std::int64_t seconds = 0; // last modification
    long nanoseconds = 0;
};

// Opens for reading, not inherited by programs we start. With `noWait` a pipe without
// a writer does not block the open and a terminal does not become ours.
FileDescriptor openForReading(const std::filesystem::path& path, bool noWait,
                              std::error_code& error);

// What the open file is; nothing (and `error` set) when the system cannot say.
std::optional<FileStatus> fileStatus(const FileDescriptor& file, std::error_code& error);
// What the path names, following links, without opening it.
std::optional<FileStatus> pathStatus(const std::filesystem::path& path, std::error_code& error);

// Hints that the file will be read once from start to end.
void adviseSequentialRead(const FileDescriptor& file);

// Reads until `size` bytes are in or the file ends; the count read. Throws
// std::system_error.
std::size_t readFull(const FileDescriptor& file, char* buffer, std::size_t size);

// Moves up to `most` bytes from one file's position to the other's without passing
// them through the program, stopping short only at the end of the source. Nothing when
// the system cannot do so for these two files; throws std::system_error on a failure
// part-way.
std::optional<std::size_t> copyInKernel(const FileDescriptor& from, int to, std::size_t most);

// Appends the bytes in one write, making the file (0644) when missing; false when the
// write or the close fails.
bool appendToFile(const std::filesystem::path& path, std::string_view bytes);

enum class RemoveResult { Removed, Missing, NotEmpty, Failed };
// Removes a file (a link itself, never what it names); never a folder.
RemoveResult removeFile(const std::filesystem::path& path);
// Removes a folder only when it is empty.
RemoveResult removeEmptyDirectory(const std::filesystem::path& path);

} // namespace lumora::platform
