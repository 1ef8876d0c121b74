#include "setup/pages/directory_creation.h"

#include "common/ascii_case.h"
#include "platform/file_access.h"
#include "setup/pages/catalogue_format.h"

#include <filesystem>

namespace setupkit {

namespace {

using lumora::equalsIgnoringCase;
using lumora::platform::DriveMap;

bool directoryExists(const DriveMap& drives, std::string_view windowsPath) {
    const auto host = drives.toHostPath(windowsPath);
    std::error_code error;
    return host && std::filesystem::is_directory(*host, error);
}

bool isWindowsDirectory(const TargetDirectory& target) {
    for (const TSetupDir* dir : target.dirs)
        if (dir->Name() == "Windows" || dir->Name() == "Windows System")
            return true;
    return false;
}

bool isBelow(std::string_view path, std::string_view parent) {
    return path.size() > parent.size() && equalsIgnoringCase(path.substr(0, parent.size()), parent);
}

} // namespace

std::string StripBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    return std::string(path);
}

std::string parentDirectory(std::string_view path) {
    const std::string bare = StripBackslash(path);
    const auto cut = bare.find_last_of('\\');
    return cut == std::string::npos ? std::string() : bare.substr(0, cut);
}

void RemoveDirChain(const DriveMap& drives, std::string_view path, std::string_view keep) {
    const std::string kept = StripBackslash(keep);
    for (std::string current = StripBackslash(path); current.size() > 3;
         current = parentDirectory(current)) {
        if (!kept.empty() && equalsIgnoringCase(current, kept))
            return;
        const auto host = drives.toHostPath(current);
        if (!host || lumora::platform::removeEmptyDirectory(*host) !=
                         lumora::platform::RemoveResult::Removed)
            return;
    }
}

DirectoryCreation createTargetDirectories(const DriveMap& drives,
                                          std::vector<TargetDirectory> targets,
                                          const std::function<void(const std::string&)>& onFailure,
                                          const std::function<void(const std::string&)>& announce) {
    DirectoryCreation result;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const TargetDirectory& target = targets[i];
        const std::string bare = StripBackslash(target.path);
        if (directoryExists(drives, bare))
            continue;

        std::vector<std::string> missingAncestors;
        std::string ancestor = parentDirectory(bare);
        while (ancestor.size() > 3 && !directoryExists(drives, ancestor)) {
            missingAncestors.push_back(ancestor + "\\");
            ancestor = parentDirectory(ancestor);
        }

        const auto host = drives.toHostPath(bare);
        if (host && announce) {
            for (auto it = missingAncestors.rbegin(); it != missingAncestors.rend(); ++it)
                announce(*it);
            if (!isWindowsDirectory(target))
                announce(target.path);
        }
        std::error_code error;
        if (!host || (std::filesystem::create_directories(*host, error), error)) {
            if (onFailure)
                onFailure(target.path);
            continue;
        }
        // The path must now name the directory just made; when it does not, what was
        // made is taken away and nothing is installed below it.
        if (!directoryExists(drives, bare)) {
            RemoveDirChain(drives, bare, ancestor);
            const std::string dropped = target.path;
            std::size_t keep = i + 1;
            while (keep < targets.size() && isBelow(targets[keep].path, dropped))
                ++keep;
            targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(i),
                          targets.begin() + static_cast<std::ptrdiff_t>(keep));
            --i;
            if (onFailure)
                onFailure(dropped);
            continue;
        }
        for (auto it = missingAncestors.rbegin(); it != missingAncestors.rend(); ++it)
            result.created.push_back(*it);
        if (!isWindowsDirectory(target))
            result.created.push_back(target.path);
    }
    result.targets = std::move(targets);
    return result;
}

std::string directoryFailureText(const MessageCatalogue& texts, std::string_view path) {
    return formatCatalogueText(texts.GetText(44), {path}) + " " + texts.GetText(45);
}

} // namespace setupkit
