#include "file_access.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::platform {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

FileStatus statusOf(const struct stat& info) {
    FileStatus status;
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.mode = static_cast<unsigned>(info.st_mode & 07777);
    status.regular = S_ISREG(info.st_mode);
    status.directory = S_ISDIR(info.st_mode);
    status.seconds = info.st_mtim.tv_sec;
    status.nanoseconds = info.st_mtim.tv_nsec;
    return status;
}

RemoveResult removeResult(int result) {
    if (result == 0)
        return RemoveResult::Removed;
    if (errno == ENOENT)
        return RemoveResult::Missing;
    return errno == ENOTEMPTY || errno == EEXIST ? RemoveResult::NotEmpty : RemoveResult::Failed;
}

} // namespace

void FileDescriptor::closeNow(int fd) {
    ::close(fd);
}

FileDescriptor openForReading(const std::filesystem::path& path, bool noWait,
                              std::error_code& error) {
    const int flags = O_RDONLY | O_CLOEXEC | (noWait ? O_NONBLOCK | O_NOCTTY : 0);
    FileDescriptor fd(::open(path.c_str(), flags));
    error = fd.valid() ? std::error_code() : lastError();
    return fd;
}

std::optional<FileStatus> fileStatus(const FileDescriptor& file, std::error_code& error) {
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        error = lastError();
        return std::nullopt;
    }
    error.clear();
    return statusOf(info);
}

std::optional<FileStatus> pathStatus(const std::filesystem::path& path, std::error_code& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = lastError();
        return std::nullopt;
    }
    error.clear();
    return statusOf(info);
}

void adviseSequentialRead(const FileDescriptor& file) {
    ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
}

std::size_t readFull(const FileDescriptor& file, char* buffer, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(file.get(), buffer + filled, size - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(lastError());
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

std::optional<std::size_t> copyInKernel(const FileDescriptor& from, int to, std::size_t most) {
    std::size_t moved = 0;
    while (moved < most) {
        const ssize_t put = ::copy_file_range(from.get(), nullptr, to, nullptr, most - moved, 0);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            if (moved == 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL ||
                               errno == EOPNOTSUPP || errno == EBADF))
                return std::nullopt;
            throw std::system_error(lastError());
        }
        if (put == 0)
            break;
        moved += static_cast<std::size_t>(put);
    }
    return moved;
}

bool appendToFile(const std::filesystem::path& path, std::string_view bytes) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!fd.valid())
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return false;
        written += static_cast<std::size_t>(result);
    }
    return ::close(fd.release()) == 0;
}

RemoveResult removeFile(const std::filesystem::path& path) {
    return removeResult(::unlink(path.c_str()));
}

RemoveResult removeEmptyDirectory(const std::filesystem::path& path) {
    return removeResult(::rmdir(path.c_str()));
}

} // namespace lumora::platform
