#include "instance_lock.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string safeName(const std::string& name) {
    std::string out;
    for (char c : name.substr(0, 64))
        out += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_')
                   ? c
                   : '_';
    return out;
}

// The user's runtime directory, else the temporary directory.
fs::path lockDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/')
        return runtime;
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir && *tmpdir == '/' ? tmpdir : "/tmp";
}

} // namespace

fs::path InstanceLock::lockFilePath(const fs::path& programPath) {
    std::error_code error;
    fs::path absolute = fs::absolute(programPath, error).lexically_normal();
    if (error)
        absolute = programPath;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(fnv1a(absolute.string())));
    const std::string name = "lumora-setup-" + std::string(hash) + "-" +
                             safeName(absolute.filename().string()) + ".lock";
    return lockDirectory() / name;
}

fs::path InstanceLock::userLockFilePath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/')
        return fs::path(runtime) / "lumora-setup.lock";
    // The temporary directory is shared: the user's number keeps the name apart.
    return lockDirectory() / ("lumora-setup-" + std::to_string(::geteuid()) + ".lock");
}

InstanceLock::InstanceLock(const fs::path& programPath) : lockFile_(lockFilePath(programPath)) {
    acquire();
}

InstanceLock::InstanceLock(File lockFile) : lockFile_(std::move(lockFile.path)) {
    acquire();
}

void InstanceLock::acquire() {
    // A holder that releases unlinks the file while still holding it; a process
    // that locked such an unlinked file must try again with a fresh one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return;
        // In a shared temporary directory another user could make the file first and
        // hold it to keep us from starting; such a file does not count.
        struct stat owner {};
        if (::fstat(fd, &owner) != 0 || owner.st_uid != ::geteuid()) {
            ::close(fd);
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            if (busy)
                state_ = State::HeldElsewhere;
            return;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::stat(lockFile_.c_str(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            fd_ = fd;
            state_ = State::Held;
            return;
        }
        ::close(fd);
    }
}

InstanceLock::~InstanceLock() {
    release();
}

void InstanceLock::release() {
    if (fd_ < 0)
        return;
    ::unlink(lockFile_.c_str());
    ::close(fd_);
    fd_ = -1;
    state_ = State::Released;
}

DirectoryLock::DirectoryLock(const fs::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            state_ = InstanceLock::State::HeldElsewhere;
        ::close(fd);
        return;
    }
    fd_ = fd;
    state_ = InstanceLock::State::Held;
}

DirectoryLock::~DirectoryLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace lumora::platform
