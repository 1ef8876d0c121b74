#include "file_locator.h"

#include "text/ascii_case.h"

#include <algorithm>
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

// Entries of `directory` whose names equal `name` ignoring case; the exact name first.
std::vector<fs::path> candidates(const fs::path& directory, const std::string& name) {
    std::vector<fs::path> found;
    std::error_code error;
    const fs::path exact = directory / name;
    if (fs::exists(exact, error))
        found.push_back(exact);
    std::vector<std::string> others;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, error), end;
         !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (entry != name && text::equalsFolded(entry, name))
            others.push_back(entry);
    }
    std::sort(others.begin(), others.end());
    for (const auto& entry : others)
        found.push_back(directory / entry);
    return found;
}

std::optional<fs::path> resolve(const fs::path& base, const std::vector<std::string>& parts,
                                size_t index) {
    if (index == parts.size())
        return isFile(base) ? std::optional<fs::path>(base) : std::nullopt;
    const bool last = index + 1 == parts.size();
    for (const auto& candidate : candidates(base, parts[index])) {
        if (!last && !isDirectory(candidate))
            continue;
        if (auto resolved = resolve(candidate, parts, index + 1))
            return resolved;
    }
    return std::nullopt;
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
    const auto resolved = resolve(given.root_path(), parts, 0);
    return resolved ? std::optional<std::string>(resolved->string()) : std::nullopt;
}

} // namespace lumora::editor
