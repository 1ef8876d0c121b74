#include "host_path_case.h"

#include "common/ascii_case.h"

#include <optional>
#include <system_error>

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

bool entryExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

std::optional<std::string> findEntryIgnoringCase(const fs::path& directory,
                                                 const std::string& name) {
    std::error_code error;
    fs::directory_iterator entries(directory, error);
    if (error)
        return std::nullopt;
    std::optional<std::string> best;
    for (const auto& entry : entries) {
        std::string candidate = entry.path().filename().string();
        if (equalsIgnoringCase(candidate, name) && (!best || candidate < *best))
            best = std::move(candidate);
    }
    return best;
}

} // namespace

fs::path resolveIgnoringCase(const fs::path& path) {
    fs::path resolved = path.root_path();
    bool stillOnDisk = true;
    for (const auto& part : path.relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == "." || name == ".." || !stillOnDisk) {
            resolved /= part;
            continue;
        }
        const fs::path directory = resolved.empty() ? fs::path(".") : resolved;
        if (entryExists(directory / part)) {
            resolved /= part;
            continue;
        }
        if (auto found = findEntryIgnoringCase(directory, name)) {
            resolved /= *found;
            continue;
        }
        stillOnDisk = false;
        resolved /= part;
    }
    return resolved;
}

bool existsIgnoringCase(const fs::path& path) {
    return entryExists(resolveIgnoringCase(path));
}

} // namespace lumora::platform
