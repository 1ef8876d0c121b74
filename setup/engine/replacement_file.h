#pragma once
// A file written beside the one it will replace: the new contents go to a temporary
// file in the target's directory, which is renamed over the target only by commit().
// Until then the old target is untouched, and a replacement that is dropped removes
// its temporary file. A target that is a symbolic link is replaced by the new file,
// never followed.

#include <filesystem>
#include <string>

namespace setupkit {

class ReplacementFile {
public:
    // Creates the temporary file with the given permission bits less the process's
    // umask. Throws
    // std::system_error when the directory does not take it or the target is a
    // directory.
    ReplacementFile(const std::filesystem::path& target, unsigned mode);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Where the new contents wait: a fixed name beside the target, so that the part a
    // killed run left behind is taken over by the next copy of the same file.
    static std::filesystem::path partPathFor(const std::filesystem::path& target);

    int descriptor() const { return fd_; }
    const std::filesystem::path& temporaryPath() const { return temporary_; }
    // Whether something was at the target's name when the replacement began.
    bool replacesExisting() const { return replacesExisting_; }

    // Writes all of the bytes; throws std::system_error.
    void write(const char* data, std::size_t size);
    // Gives the new file a modification time (seconds and nanoseconds since the epoch).
    void setModificationTime(std::int64_t seconds, long nanoseconds);
    // Checks that `expectedSize` bytes arrived, closes the file and renames it over
    // the target. Throws std::system_error (the temporary file is then removed).
    void commit(std::uint64_t expectedSize);

private:
    void discard() noexcept;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    bool replacesExisting_ = false;
};

} // namespace setupkit
