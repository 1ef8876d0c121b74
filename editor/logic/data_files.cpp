#include "data_files.h"

#include "platform/atomic_file.h"
#include "platform/program_location.h"

namespace lumora::editor {

namespace fs = std::filesystem;

fs::path installedDataDirectory(const fs::path& programDirectory) {
    return programDirectory.parent_path() / "share" / "lumora";
}

std::string withInstalledFallback(const std::string& path) {
    std::error_code error;
    if (fs::is_regular_file(path, error))
        return path;
    try {
        const fs::path installed =
            installedDataDirectory(platform::programDirectory()) / fs::path(path).filename();
        if (fs::is_regular_file(installed, error))
            return installed.string();
    } catch (const platform::FileError&) {
        // Without the program's own path there is no installed folder to look in.
    }
    return path;
}

std::string dataFile(const std::string& startDirectory, const std::string& relative) {
    const fs::path own = fs::path(startDirectory) / relative;
    std::error_code error;
    if (fs::is_regular_file(own, error))
        return own.string();
    try {
        const fs::path installed = installedDataDirectory(platform::programDirectory()) / relative;
        if (fs::is_regular_file(installed, error))
            return installed.string();
    } catch (const platform::FileError&) {
        // Without the program's own path there is no installed folder to look in.
    }
    return own.string();
}

} // namespace lumora::editor
