#include "platform/replacement_file.h"

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace lumora::platform {

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

std::filesystem::path resolveLinks(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        auto target = std::filesystem::weakly_canonical(path, error);
        if (!error)
            return target;
    }
    return path;
}

std::filesystem::path directoryOf(const std::filesystem::path& target) {
    std::filesystem::path directory = target.parent_path();
    return directory.empty() ? std::filesystem::path(".") : directory;
}

} // namespace

std::filesystem::path ReplacementFile::partPathFor(const std::filesystem::path& target) {
    // Not a random name: a part nobody records would linger after a kill.
    return directoryOf(target) / ("." + target.filename().string() + ".part");
}

ReplacementFile::ReplacementFile(const std::filesystem::path& target, const ReplacementRules& rules)
    : target_(rules.followLinks ? resolveLinks(target) : target), syncNewFile_(rules.syncNewFile) {
    struct stat existing {};
    if (::lstat(target_.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            throw std::system_error(EISDIR, std::generic_category(), target.string());
        replacesExisting_ = true;
    }
    if (rules.fixedPartName)
        openPart();
    else
        openUnique();
    mode_t mode = 0;
    if (rules.mode)
        mode = static_cast<mode_t>(*rules.mode & 0777) & ~currentUmask();
    else if (::stat(target_.c_str(), &existing) == 0)
        mode = existing.st_mode & 07777;
    else
        mode = 0666 & ~currentUmask();
    if (::fchmod(fd_.get(), mode) != 0) {
        const int error = errno;
        const std::string where = temporary_.string();
        discard();
        throw std::system_error(error, std::generic_category(), where);
    }
}

void ReplacementFile::openPart() {
    // O_EXCL and O_NOFOLLOW keep a link planted at the part's name from being used.
    temporary_ = partPathFor(target_);
    for (int attempt = 0; !fd_.valid(); ++attempt) {
        fd_ = FileDescriptor(
            ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd_.valid())
            break;
        const int error = errno;
        if (error != EEXIST || attempt == 3 ||
            (::unlink(temporary_.c_str()) != 0 && errno != ENOENT)) {
            temporary_.clear();
            throw std::system_error(error, std::generic_category(), target_.string());
        }
    }
}

void ReplacementFile::openUnique() {
    const std::string pattern =
        (directoryOf(target_) / ("." + target_.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = FileDescriptor(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd_.valid())
        throwErrno(target_.string());
    temporary_ = name.data();
}

ReplacementFile::~ReplacementFile() {
    discard();
}

void ReplacementFile::discard() noexcept {
    fd_ = FileDescriptor();
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

void ReplacementFile::write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd_.get(), data, size);
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
    if (::futimens(fd_.get(), times) != 0)
        throwErrno(temporary_.string());
}

void ReplacementFile::commit(std::uint64_t expectedSize) {
    struct stat written {};
    if (::fstat(fd_.get(), &written) != 0)
        throwErrno(temporary_.string());
    if (static_cast<std::uint64_t>(written.st_size) != expectedSize)
        throw std::system_error(EIO, std::generic_category(),
                                temporary_.string() + ": size differs from the source");
    if ((replacesExisting_ || syncNewFile_) && ::fsync(fd_.get()) != 0)
        throwErrno(temporary_.string());
    if (::close(fd_.release()) != 0)
        throwErrno(temporary_.string());
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throwErrno(target_.string());
    temporary_.clear();
}

} // namespace lumora::platform
