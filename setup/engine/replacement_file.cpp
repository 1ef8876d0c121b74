#include "setup/engine/replacement_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace setupkit {

namespace {

[[noreturn]] void throwErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// The bits the user keeps off new files, so that a source that anyone may write does
// not install as such.
mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

std::filesystem::path ReplacementFile::partPathFor(const std::filesystem::path& target) {
    std::filesystem::path directory = target.parent_path();
    if (directory.empty())
        directory = ".";
    // Not a random name: a part nobody records would linger after a kill.
    return directory / ("." + target.filename().string() + ".part");
}

ReplacementFile::ReplacementFile(const std::filesystem::path& target, unsigned mode)
    : target_(target) {
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            throw std::system_error(EISDIR, std::generic_category(), target.string());
        replacesExisting_ = true;
    }
    // O_EXCL and O_NOFOLLOW keep a link planted at the part's name from being used.
    temporary_ = partPathFor(target);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        fd_ =
            ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            break;
        const int error = errno;
        if (error != EEXIST || attempt == 3 ||
            (::unlink(temporary_.c_str()) != 0 && errno != ENOENT)) {
            temporary_.clear();
            throw std::system_error(error, std::generic_category(), target.string());
        }
    }
    if (::fchmod(fd_, static_cast<mode_t>(mode & 0777) & ~currentUmask()) != 0) {
        const int error = errno;
        discard();
        throw std::system_error(error, std::generic_category(), temporary_.string());
    }
}

ReplacementFile::~ReplacementFile() {
    discard();
}

void ReplacementFile::discard() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

void ReplacementFile::write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd_, data, size);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throwErrno(temporary_.string());
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
}

void ReplacementFile::setModificationTime(std::int64_t seconds, long nanoseconds) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), nanoseconds}};
    if (::futimens(fd_, times) != 0)
        throwErrno(temporary_.string());
}

void ReplacementFile::commit(std::uint64_t expectedSize) {
    struct stat written {};
    if (::fstat(fd_, &written) != 0)
        throwErrno(temporary_.string());
    if (static_cast<std::uint64_t>(written.st_size) != expectedSize)
        throw std::system_error(EIO, std::generic_category(),
                                temporary_.string() + ": size differs from the source");
    // Only a replaced file has old contents to lose if the system stops before the new
    // ones reach the disk; syncing every new file would make an install many times slower.
    if (replacesExisting_ && ::fsync(fd_) != 0)
        throwErrno(temporary_.string());
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throwErrno(temporary_.string());
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throwErrno(target_.string());
    temporary_.clear();
}

} // namespace setupkit
