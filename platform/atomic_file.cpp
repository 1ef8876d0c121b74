#include "atomic_file.h"

#include "regular_file_read.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lumora::platform {

namespace {

std::string errnoText() {
    return std::strerror(errno);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

std::filesystem::path resolveLinks(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        auto target = std::filesystem::weakly_canonical(path, error);
        if (!error)
            return target;
    }
    return path;
}

} // namespace

std::string readWholeFile(const std::filesystem::path& path) {
    return readRegularFile(path);
}

void writeFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    const std::filesystem::path target = resolveLinks(requested);
    std::filesystem::path directory = target.parent_path();
    if (directory.empty())
        directory = ".";
    std::string pattern = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    FileDescriptor fd(::mkstemp(name.data()));
    if (fd.get() < 0)
        throw FileError(requested.string(), errnoText());
    const std::string temporary = name.data();
    auto fail = [&](const std::string& cause) {
        ::unlink(temporary.c_str());
        throw FileError(requested.string(), cause);
    };

    struct stat existing {};
    mode_t mode = 0666;
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0)
        fail(errnoText());

    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t put = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            fail(errnoText());
        }
        written += static_cast<size_t>(put);
    }
    if (::fsync(fd.get()) != 0)
        fail(errnoText());
    if (::close(fd.release()) != 0)
        fail(errnoText());
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        fail(errnoText());
}

} // namespace lumora::platform
