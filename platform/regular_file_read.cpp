#include "regular_file_read.h"

namespace lumora::platform {

RegularFile openRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    RegularFile file{openForReading(path, true, error), {}};
    if (error)
        throw FileError(path.string(), error.message());
    const auto status = fileStatus(file.descriptor, error);
    if (!status)
        throw FileError(path.string(), error.message());
    if (!status->regular)
        throw NotRegularFile(path.string(), status->directory);
    file.status = *status;
    adviseSequentialRead(file.descriptor);
    return file;
}

std::string readRegularFile(const std::filesystem::path& path) {
    RegularFile file = [&] {
        try {
            return openRegularFile(path);
        } catch (const NotRegularFile& error) {
            // A folder is simply unreadable, as it always was; a pipe or a device is
            // worth saying so.
            if (error.directory())
                throw FileError(path.string(), "is a directory");
            throw;
        }
    }();
    // A file that grows while it is read is taken at the size it had when opened.
    const auto size = static_cast<std::size_t>(file.status.size);
    std::string bytes(size, '\0');
    try {
        bytes.resize(readFull(file.descriptor, bytes.data(), size));
    } catch (const std::system_error& error) {
        throw FileError(path.string(), error.code().message());
    }
    return bytes;
}

} // namespace lumora::platform
