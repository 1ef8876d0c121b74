#include "setup/engine/copy_file_with_progress.h"

#include "platform/drive_map.h"
#include "platform/file_access.h"
#include "platform/replacement_file.h"

#include <cerrno>
#include <memory>
#include <optional>
#include <system_error>

namespace setupkit {

namespace {

namespace platform = lumora::platform;

std::string sizeCause(std::uint64_t found, std::uint64_t expected) {
    return "it holds " + std::to_string(found) + (found == 1 ? " byte" : " bytes") + ", not " +
           std::to_string(expected);
}

// Large reads and writes; the callback still sees 2048-byte blocks.
constexpr std::size_t TransferSize = 256 * 1024;
static_assert(TransferSize % CopyProgressBlock == 0);

EInOutError openingError(const std::error_code& error) {
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        return EInOutError("Source file doesn't exist.", error.message());
    return EInOutError("Error opening source file.", error.message());
}

class SourceFile {
public:
    explicit SourceFile(const std::filesystem::path& path) {
        // Asked before opening: opening a pipe or a device could wait forever.
        std::error_code error;
        const auto named = platform::pathStatus(path, error);
        if (!named)
            throw openingError(error);
        if (!named->regular)
            throw EInOutError("Error opening source file.", "not a regular file");
        fd_ = platform::openForReading(path, false, error);
        if (error)
            throw openingError(error);
        const auto opened = platform::fileStatus(fd_, error);
        if (!opened)
            throw EInOutError("Error opening source file.", error.message());
        if (!opened->regular)
            throw EInOutError("Error opening source file.", "not a regular file");
        info_ = *opened;
        platform::adviseSequentialRead(fd_);
    }

    const platform::FileStatus& info() const { return info_; }
    const platform::FileDescriptor& descriptor() const { return fd_; }

    // Fills the buffer unless the file ends first; the count read.
    std::size_t readFull(char* buffer, std::size_t size) {
        try {
            return platform::readFull(fd_, buffer, size);
        } catch (const std::system_error& error) {
            throw EInOutError("Error during file copy.", error.code().message());
        }
    }

private:
    platform::FileDescriptor fd_;
    platform::FileStatus info_;
};

// TransferSize bytes moved by the system, or nothing when it cannot for these files
// (the caller then reads and writes itself).
std::optional<std::size_t> copyInKernel(const platform::FileDescriptor& from, int to) {
    try {
        return platform::copyInKernel(from, to, TransferSize);
    } catch (const std::system_error& error) {
        throw EInOutError("Error during file copy.", error.code().message());
    }
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
    const auto found = static_cast<std::uint64_t>(input.info().size);
    if (expectedSize >= 0 && found != static_cast<std::uint64_t>(expectedSize))
        throw EInOutError("Error opening source file.",
                          sizeCause(found, static_cast<std::uint64_t>(expectedSize)));
    std::optional<lumora::platform::ReplacementFile> output;
    try {
        output.emplace(target, input.info().mode);
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
    const auto expected = static_cast<std::uint64_t>(input.info().size);
    if (copied != expected)
        throw EInOutError("Error during file copy.", "the source changed size during the copy");
    try {
        output->setModificationTime(input.info().seconds, input.info().nanoseconds);
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
