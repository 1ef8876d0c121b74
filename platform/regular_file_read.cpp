#include "regular_file_read.h"

#include "file_descriptor.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::platform {

std::string readRegularFile(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0)
        throw FileError(path.string(), std::strerror(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throw FileError(path.string(), std::strerror(errno));
    // A folder is simply unreadable, as it always was; a pipe or a device is worth
    // saying so.
    if (S_ISDIR(info.st_mode))
        throw FileError(path.string(), "is a directory");
    if (!S_ISREG(info.st_mode))
        throw NotRegularFile(path.string());
    // A file that grows while it is read is taken at the size it had when opened.
    const auto size = static_cast<std::size_t>(info.st_size);
    std::string bytes(size, '\0');
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, size - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(path.string(), std::strerror(errno));
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace lumora::platform
