#include "file_locator.h"

#include "common/ascii_case.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace lumora::editor {

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Entries of `directory` whose names equal `name` ignoring case.
std::vector<fs::path> candidates(const fs::path& directory, const std::string& name) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, error), end;
         !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (equalsIgnoringCase(entry, name))
            found.push_back(directory / entry);
    }
    return found;
}

// Adds to `found` the files below `base` that match the rest of the parts, stopping
// once it holds two: a second match is all it takes to make the path ambiguous.
void collect(const fs::path& base, const std::vector<std::string>& parts, size_t index,
             std::vector<fs::path>& found) {
    if (index == parts.size()) {
        if (isFile(base))
            found.push_back(base);
        return;
    }
    if (parts[index] == "." || parts[index] == "..") {
        collect(base / parts[index], parts, index + 1, found);
        return;
    }
    const bool last = index + 1 == parts.size();
    for (const auto& candidate : candidates(base, parts[index])) {
        if (found.size() > 1)
            return;
        if (!last && !isDirectory(candidate))
            continue;
        collect(candidate, parts, index + 1, found);
    }
}

} // namespace

std::optional<std::string> CaseInsensitiveFileLocator::locate(std::string_view path) {
    if (path.empty())
        return std::nullopt;
    const fs::path given{std::string(path)};
    if (isFile(given))
        return given.string();
    std::vector<std::string> parts;
    for (const auto& part : given.relative_path())
        if (!part.empty())
            parts.push_back(part.string());
    if (parts.empty())
        return std::nullopt;
    std::vector<fs::path> found;
    collect(given.root_path(), parts, 0, found);
    return found.size() == 1 ? std::optional<std::string>(found.front().string()) : std::nullopt;
}

} // namespace lumora::editor
