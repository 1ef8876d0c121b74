#include "setup/engine/copy_file_with_progress.h"

#include "platform/drive_map.h"
#include "platform/replacement_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace setupkit {

namespace {

std::string systemCause() {
    return std::strerror(errno);
}

std::string sizeCause(std::uint64_t found, std::uint64_t expected) {
    return "it holds " + std::to_string(found) + (found == 1 ? " byte" : " bytes") + ", not " +
           std::to_string(expected);
}

// Large reads and writes; the callback still sees 2048-byte blocks.
constexpr std::size_t TransferSize = 256 * 1024;
static_assert(TransferSize % CopyProgressBlock == 0);

class SourceFile {
public:
    explicit SourceFile(const std::filesystem::path& path) {
        // Asked before opening: opening a pipe or a device could wait forever.
        struct stat named {};
        if (::stat(path.c_str(), &named) != 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                throw EInOutError("Source file doesn't exist.", systemCause());
            throw EInOutError("Error opening source file.", systemCause());
        }
        if (!S_ISREG(named.st_mode))
            throw EInOutError("Error opening source file.", "not a regular file");
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                throw EInOutError("Source file doesn't exist.", systemCause());
            throw EInOutError("Error opening source file.", systemCause());
        }
        if (::fstat(fd_, &info_) != 0)
            throw EInOutError("Error opening source file.", systemCause());
        if (!S_ISREG(info_.st_mode))
            throw EInOutError("Error opening source file.", "not a regular file");
        ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    ~SourceFile() { ::close(fd_); }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    const struct stat& info() const { return info_; }
    int descriptor() const { return fd_; }

    // Fills the buffer unless the file ends first; the count read.
    std::size_t readFull(char* buffer, std::size_t size) {
        std::size_t filled = 0;
        while (filled < size) {
            const ssize_t got = ::read(fd_, buffer + filled, size - filled);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                throw EInOutError("Error during file copy.", systemCause());
            }
            if (got == 0)
                break;
            filled += static_cast<std::size_t>(got);
        }
        return filled;
    }

private:
    int fd_ = -1;
    struct stat info_ {};
};

// Moves up to TransferSize bytes from one file to the other without passing them
// through the program, stopping short only at the end of the source. Nothing when the
// system cannot do so for these two files (the caller then reads and writes itself).
std::optional<std::size_t> copyInKernel(int from, int to) {
    std::size_t moved = 0;
    while (moved < TransferSize) {
        const ssize_t put = ::copy_file_range(from, nullptr, to, nullptr, TransferSize - moved, 0);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            if (moved == 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL ||
                               errno == EOPNOTSUPP || errno == EBADF))
                return std::nullopt;
            throw EInOutError("Error during file copy.", systemCause());
        }
        if (put == 0)
            break;
        moved += static_cast<std::size_t>(put);
    }
    return moved;
}

void reportBlocks(const CopyProgress& callback, std::size_t bytes, bool last) {
    if (!callback)
        return;
    while (bytes >= static_cast<std::size_t>(CopyProgressBlock)) {
        callback(CopyProgressBlock);
        bytes -= CopyProgressBlock;
    }
    if (last)
        callback(static_cast<int>(bytes));
}

} // namespace

void CopyFileWithProgress(const std::filesystem::path& source, const std::filesystem::path& target,
                          const CopyProgress& callback, std::int64_t expectedSize) {
    SourceFile input(source);
    // A source of another size than recorded is damaged or cut short: checked before
    // the target is touched.
    const auto found = static_cast<std::uint64_t>(input.info().st_size);
    if (expectedSize >= 0 && found != static_cast<std::uint64_t>(expectedSize))
        throw EInOutError("Error opening source file.",
                          sizeCause(found, static_cast<std::uint64_t>(expectedSize)));
    std::optional<lumora::platform::ReplacementFile> output;
    try {
        output.emplace(target, input.info().st_mode);
    } catch (const std::system_error& error) {
        throw EInOutError("Error opening target file.", error.code().message());
    }

    std::unique_ptr<char[]> buffer;
    bool inKernel = true;
    std::uint64_t copied = 0;
    for (;;) {
        std::size_t got = 0;
        if (inKernel) {
            const auto moved = copyInKernel(input.descriptor(), output->descriptor());
            if (moved)
                got = *moved;
            else
                inKernel = false;
        }
        if (!inKernel) {
            if (!buffer)
                buffer = std::make_unique<char[]>(TransferSize);
            got = input.readFull(buffer.get(), TransferSize);
            try {
                output->write(buffer.get(), got);
            } catch (const std::system_error& error) {
                throw EInOutError("Error during file copy.", error.code().message());
            }
        }
        copied += got;
        const bool last = got < TransferSize;
        reportBlocks(callback, got, last);
        if (last)
            break;
    }

    // A source that shrank or grew under the copy gives a file that is not the one
    // the install set describes.
    const auto expected = static_cast<std::uint64_t>(input.info().st_size);
    if (copied != expected)
        throw EInOutError("Error during file copy.", "the source changed size during the copy");
    try {
        output->setModificationTime(input.info().st_mtim.tv_sec, input.info().st_mtim.tv_nsec);
        output->commit(expected);
    } catch (const std::system_error& error) {
        if (error.code().value() == EIO || error.code().value() == ENOSPC ||
            error.code().value() == EDQUOT || error.code().value() == EFBIG)
            throw EInOutError("Error during file copy.", error.code().message());
        throw EInOutError("Error opening target file.", error.code().message());
    }
}

void CopyFileWithProgress(const lumora::platform::DriveMap& drives, std::string_view source,
                          std::string_view target, const CopyProgress& callback,
                          std::int64_t expectedSize) {
    const auto hostSource = drives.toHostPath(source);
    if (!hostSource)
        throw EInOutError("Source file doesn't exist.", "its drive is not mapped");
    const auto hostTarget = drives.toHostPath(target);
    if (!hostTarget)
        throw EInOutError("Error opening target file.", "its drive is not mapped");
    CopyFileWithProgress(*hostSource, *hostTarget, callback, expectedSize);
}

} // namespace setupkit
