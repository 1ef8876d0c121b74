#include "atomic_file.h"

#include "file_descriptor.h"
#include "regular_file_read.h"
#include "replacement_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace lumora::platform {

std::string readWholeFile(const std::filesystem::path& path) {
    return readRegularFile(path);
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         NewFileSync newFiles) {
    try {
        ReplacementRules rules = ReplacementRules::saving();
        rules.syncNewFile = newFiles == NewFileSync::Each;
        ReplacementFile file(path, rules);
        file.write(bytes.data(), bytes.size());
        file.commit(bytes.size());
    } catch (const std::system_error& error) {
        throw FileError(path.string(), error.code().message());
    }
}

void syncFileSystemOf(const std::filesystem::path& path) {
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid() || ::syncfs(fd.get()) != 0)
        throw FileError(path.string(), std::generic_category().message(errno));
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
