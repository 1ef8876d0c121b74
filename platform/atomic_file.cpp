#include "atomic_file.h"

#include "file_descriptor.h"
#include "regular_file_read.h"

#include <algorithm>
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

bool isAtomicWriteTemporary(std::string_view fileName, std::string_view targetName) {
    constexpr size_t uniquePart = 6; // what mkstemp fills in
    if (fileName.size() != targetName.size() + 2 + uniquePart || fileName.front() != '.' ||
        fileName.substr(1, targetName.size()) != targetName ||
        fileName[1 + targetName.size()] != '.')
        return false;
    const std::string_view unique = fileName.substr(fileName.size() - uniquePart);
    return std::all_of(unique.begin(), unique.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

void removeAtomicWriteLeftovers(const std::filesystem::path& directory,
                                std::string_view targetPrefix) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        constexpr size_t suffix = 7; // "." and the six characters
        if (name.size() < 1 + targetPrefix.size() + suffix ||
            std::string_view(name).substr(1, targetPrefix.size()) != targetPrefix)
            continue;
        const std::string target = name.substr(1, name.size() - 1 - suffix);
        struct stat status {};
        if (isAtomicWriteTemporary(name, target) && ::lstat(entry.path().c_str(), &status) == 0 &&
            S_ISREG(status.st_mode))
            ::unlink(entry.path().c_str());
    }
}

} // namespace lumora::platform
