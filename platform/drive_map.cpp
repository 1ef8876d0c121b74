#include "drive_map.h"

#include "atomic_file.h"
#include "common/ascii_case.h"
#include "host_path_case.h"
#include "regular_file_read.h"

#include <cstdlib>
#include <system_error>

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

int letterIndex(char letter) {
    const char upper = asciiUpper(letter);
    return (upper >= 'A' && upper <= 'Z') ? upper - 'A' : -1;
}

fs::path absoluteNormal(const fs::path& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error)
        absolute = path;
    fs::path normal = absolute.lexically_normal();
    // "/home/user/" and "/home/user" name the same directory.
    if (normal.has_filename() || normal == normal.root_path())
        return normal;
    return normal.parent_path();
}

// The number of components of `path` below `root`, or nothing when `root` is not a
// component-wise prefix of `path`.
std::optional<fs::path> relativeBelow(const fs::path& path, const fs::path& root) {
    auto pathPart = path.begin();
    for (auto rootPart = root.begin(); rootPart != root.end(); ++rootPart) {
        if (rootPart->empty())
            continue;
        if (pathPart == path.end() || *pathPart != *rootPart)
            return std::nullopt;
        ++pathPart;
    }
    fs::path rest;
    for (; pathPart != path.end(); ++pathPart)
        if (!pathPart->empty())
            rest /= *pathPart;
    return rest;
}

size_t componentCount(const fs::path& path) {
    size_t count = 0;
    for (const auto& part : path)
        if (!part.empty())
            ++count;
    return count;
}

} // namespace

bool hasDriveLetter(std::string_view windowsPath) {
    return windowsPath.size() >= 2 && windowsPath[1] == ':' && letterIndex(windowsPath[0]) >= 0;
}

char driveLetterOf(std::string_view windowsPath) {
    return hasDriveLetter(windowsPath) ? asciiUpper(windowsPath[0]) : 0;
}

fs::path DriveMap::driveMapFilePath() {
    std::string config = environmentValue("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/')
        config = environmentValue("HOME") + "/.config";
    return fs::path(config) / "lumora-setup" / "drives";
}

DriveMap DriveMap::fromEnvironment() {
    DriveMap drives;
    const std::string home = environmentValue("HOME");
    if (!home.empty())
        drives.map('C', home);
    drives.map('Z', "/");
    try {
        drives.applyEntries(readWholeFile(driveMapFilePath()), '\n');
    } catch (const NotRegularFile&) {
        // Mapping drives elsewhere than the user said would put files in the wrong place.
        throw;
    } catch (const FileError&) {
        // No drive-map file: the defaults stand.
    }
    drives.applyEntries(environmentValue("LUMORA_DRIVES"), ';');
    return drives;
}

std::vector<std::string> DriveMap::applyEntries(std::string_view text, char separator) {
    std::vector<std::string> rejected;
    while (!text.empty()) {
        const auto end = text.find(separator);
        std::string_view entry = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (separator == '\n') {
            const auto comment = entry.find('#');
            if (comment != std::string_view::npos)
                entry = entry.substr(0, comment);
        }
        entry = trimBlanks(entry);
        if (entry.empty())
            continue;
        const auto equals = entry.find('=');
        std::string_view name = trimBlanks(entry.substr(0, equals));
        if (name.size() == 2 && name[1] == ':')
            name.remove_suffix(1);
        const std::string_view directory = equals == std::string_view::npos
                                               ? std::string_view()
                                               : trimBlanks(entry.substr(equals + 1));
        if (equals == std::string_view::npos || name.size() != 1 || letterIndex(name[0]) < 0 ||
            (!directory.empty() && directory.front() != '/')) {
            rejected.emplace_back(entry);
            continue;
        }
        if (directory.empty())
            unmap(name[0]);
        else
            map(name[0], fs::path(directory));
    }
    return rejected;
}

void DriveMap::map(char letter, fs::path hostRoot) {
    const int index = letterIndex(letter);
    if (index >= 0)
        roots_[static_cast<size_t>(index)] = absoluteNormal(hostRoot);
}

void DriveMap::unmap(char letter) {
    const int index = letterIndex(letter);
    if (index >= 0)
        roots_[static_cast<size_t>(index)].reset();
}

std::optional<fs::path> DriveMap::root(char letter) const {
    const int index = letterIndex(letter);
    if (index < 0)
        return std::nullopt;
    return roots_[static_cast<size_t>(index)];
}

std::vector<char> DriveMap::letters() const {
    std::vector<char> result;
    for (size_t i = 0; i < roots_.size(); ++i)
        if (roots_[i])
            result.push_back(static_cast<char>('A' + i));
    return result;
}

std::optional<fs::path> DriveMap::toHostPath(std::string_view windowsPath) const {
    if (windowsPath.size() >= 2 && (windowsPath[0] == '\\' || windowsPath[0] == '/') &&
        (windowsPath[1] == '\\' || windowsPath[1] == '/'))
        return std::nullopt;

    fs::path base;
    std::vector<std::string> parts;
    // Starts from the current directory, when a drive reaches it (and it is the
    // required drive, if one is given), so that ".." can climb out of it.
    auto startAtCurrentDirectory = [&](char requiredLetter) {
        std::error_code error;
        const auto name = toWindowsPath(fs::current_path(error));
        if (error || !name || (requiredLetter && (*name)[0] != requiredLetter))
            return false;
        base = *root((*name)[0]);
        std::string_view below = std::string_view(*name).substr(3);
        while (!below.empty()) {
            const auto end = below.find('\\');
            parts.emplace_back(below.substr(0, end));
            below = end == std::string_view::npos ? std::string_view() : below.substr(end + 1);
        }
        return true;
    };
    auto isSeparator = [](char c) { return c == '\\' || c == '/'; };

    std::string_view rest = windowsPath;
    if (hasDriveLetter(windowsPath)) {
        const auto drive = root(windowsPath[0]);
        if (!drive)
            return std::nullopt;
        rest.remove_prefix(2);
        // "C:name" is relative to the current directory when that lies on C:, and to
        // the drive root otherwise (one current directory is kept, not one a drive).
        if (rest.empty() || isSeparator(rest.front()) ||
            !startAtCurrentDirectory(asciiUpper(windowsPath[0])))
            base = *drive;
    } else if (!rest.empty() && isSeparator(rest.front())) {
        if (!startAtCurrentDirectory(0))
            return std::nullopt;
        parts.clear();
    } else if (!startAtCurrentDirectory(0)) {
        std::error_code error;
        base = fs::current_path(error);
        if (error)
            return std::nullopt;
    }

    // ".." never climbs above the drive root, as on Windows.
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.emplace_back(part);
    }
    fs::path host = base;
    for (const auto& part : parts)
        host /= part;
    return resolveIgnoringCase(host);
}

std::optional<std::string> DriveMap::toWindowsPath(const fs::path& hostPath) const {
    const fs::path path = absoluteNormal(hostPath);
    std::optional<fs::path> canonical;
    {
        std::error_code error;
        fs::path resolved = fs::weakly_canonical(path, error);
        if (!error && resolved != path)
            canonical = absoluteNormal(resolved);
    }
    int bestLetter = -1;
    size_t bestLength = 0;
    fs::path bestRest;
    for (size_t i = 0; i < roots_.size(); ++i) {
        if (!roots_[i])
            continue;
        std::vector<fs::path> rootForms{*roots_[i]};
        std::error_code error;
        fs::path canonicalRoot = fs::weakly_canonical(*roots_[i], error);
        if (!error && canonicalRoot != *roots_[i])
            rootForms.push_back(absoluteNormal(canonicalRoot));
        for (const auto& rootForm : rootForms) {
            // The path as given is preferred to its link-free form.
            for (const fs::path* candidate :
                 {&path, canonical ? static_cast<const fs::path*>(&*canonical) : nullptr}) {
                if (!candidate)
                    continue;
                auto rest = relativeBelow(*candidate, rootForm);
                const size_t length = componentCount(rootForm);
                if (rest && (bestLetter < 0 || length > bestLength)) {
                    bestLetter = static_cast<int>(i);
                    bestLength = length;
                    bestRest = *rest;
                }
            }
        }
    }
    if (bestLetter < 0)
        return std::nullopt;
    std::string result;
    result += static_cast<char>('A' + bestLetter);
    result += ":\\";
    bool first = true;
    for (const auto& part : bestRest) {
        if (!first)
            result += '\\';
        result += part.string();
        first = false;
    }
    return result;
}

} // namespace lumora::platform
