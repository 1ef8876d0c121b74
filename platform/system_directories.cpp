#include "system_directories.h"

#include "atomic_file.h"
#include "common/ascii_case.h"
#include "host_path_case.h"
#include "made_paths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The value of the variable whose name equals `name` without regard to case: an
// exact spelling first, then the first other spelling found.
std::string environmentValueIgnoringCase(std::string_view name) {
    const std::string exact = environmentValue(std::string(name).c_str());
    if (!exact.empty())
        return exact;
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string_view text(*entry);
        const auto equals = text.find('=');
        if (equals == std::string_view::npos)
            continue;
        if (equalsIgnoringCase(text.substr(0, equals), name) && equals + 1 < text.size())
            return std::string(text.substr(equals + 1));
    }
    return {};
}

fs::path ensureDirectory(const fs::path& path) {
    createDirectoriesNoted(path);
    return path;
}

std::string withoutTrailingBackslash(std::string path) {
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace

fs::path windowsDirectoryHost() {
    std::string data = environmentValue("XDG_DATA_HOME");
    if (data.empty() || data.front() != '/')
        data = environmentValue("HOME") + "/.local/share";
    return ensureDirectory(fs::path(data) / "lumora-setup" / "WINDOWS");
}

fs::path systemDirectoryHost() {
    return ensureDirectory(windowsDirectoryHost() / "SYSTEM");
}

std::string windowsDirectory(const DriveMap& drives) {
    return withoutTrailingBackslash(drives.toWindowsPath(windowsDirectoryHost()).value_or(""));
}

std::string systemDirectory(const DriveMap& drives) {
    return withoutTrailingBackslash(drives.toWindowsPath(systemDirectoryHost()).value_or(""));
}

fs::path windowsProfilePath(std::string_view fileName) {
    return resolveIgnoringCase(windowsDirectoryHost() / fs::path(std::string(fileName)));
}

fs::path temporaryDirectoryHost(const DriveMap& drives) {
    for (const char* name : {"temp", "tmp"}) {
        const std::string value = environmentValueIgnoringCase(name);
        if (value.empty())
            continue;
        if (value.front() == '/')
            return value;
        if (auto host = drives.toHostPath(value))
            return *host;
    }
    const std::string tmpdir = environmentValue("TMPDIR");
    if (!tmpdir.empty() && tmpdir.front() == '/')
        return tmpdir;
    return "/tmp";
}

std::string temporaryDirectory(const DriveMap& drives) {
    std::string name = drives.toWindowsPath(temporaryDirectoryHost(drives)).value_or("");
    if (!name.empty() && name.back() != '\\')
        name += '\\';
    return name;
}

fs::path createPrivateDirectory(const fs::path& parent, std::string_view prefix) {
    std::string pattern = (parent / (std::string(prefix) + "XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data()))
        throw FileError(pattern, std::strerror(errno));
    // mkdtemp already gives 0700; said again so a future change cannot loosen it.
    ::chmod(buffer.data(), S_IRWXU);
    return fs::path(buffer.data());
}

fs::path createPrivateTemporaryDirectory(const DriveMap& drives) {
    return createPrivateDirectory(temporaryDirectoryHost(drives));
}

} // namespace lumora::platform
