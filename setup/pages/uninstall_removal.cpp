#include "setup/pages/uninstall_removal.h"

#include "common/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/file_access.h"
#include "platform/registry.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace setupkit {

namespace fs = std::filesystem;
using lumora::platform::DriveMap;

namespace {

// The host path of a recorded Windows path, or nothing when it cannot be reached
// without passing a link below the drive's root (the root itself may be a link, as a
// home directory often is).
std::optional<fs::path> safeHostPath(const DriveMap& drives, std::string_view path) {
    const char letter = lumora::platform::driveLetterOf(path);
    if (!letter)
        return std::nullopt;
    const auto root = drives.root(letter);
    const auto host = drives.toHostPath(path);
    if (!root || !host)
        return std::nullopt;
    const fs::path below = host->lexically_relative(*root);
    // Never the drive root itself, nor anything outside it.
    if (below.empty() || below == "." || *below.begin() == "..")
        return std::nullopt;
    fs::path walked = *root;
    auto part = below.begin();
    for (auto next = std::next(part); next != below.end(); part = next, ++next) {
        walked /= *part;
        std::error_code error;
        if (fs::symlink_status(walked, error).type() == fs::file_type::symlink)
            return std::nullopt;
    }
    return host;
}

Removal removal(lumora::platform::RemoveResult result) {
    switch (result) {
    case lumora::platform::RemoveResult::Removed:
        return Removal::Removed;
    case lumora::platform::RemoveResult::Missing:
        return Removal::Missing;
    case lumora::platform::RemoveResult::NotEmpty:
        return Removal::NotEmpty;
    case lumora::platform::RemoveResult::Failed:
        break;
    }
    return Removal::Failed;
}

Removal unlinkResult(const fs::path& path) {
    return removal(lumora::platform::removeFile(path));
}

} // namespace

Removal removeRecordedFile(const DriveMap& drives, std::string_view path) {
    const auto host = safeHostPath(drives, path);
    if (!host)
        return Removal::Refused;
    std::error_code error;
    const fs::file_type type = fs::symlink_status(*host, error).type();
    if (type == fs::file_type::not_found)
        return Removal::Missing;
    if (type == fs::file_type::directory)
        return Removal::Refused;
    return unlinkResult(*host);
}

Removal removeRecordedDirectory(const DriveMap& drives, std::string_view path) {
    const auto host = safeHostPath(drives, path);
    if (!host)
        return Removal::Refused;
    std::error_code error;
    const fs::file_type type = fs::symlink_status(*host, error).type();
    if (type == fs::file_type::not_found)
        return Removal::Missing;
    if (type == fs::file_type::symlink)
        return unlinkResult(*host);
    if (type != fs::file_type::directory)
        return Removal::Refused;
    return removal(lumora::platform::removeEmptyDirectory(*host));
}

Removal removeDirectoryFiles(const DriveMap& drives, std::string_view path) {
    const auto host = safeHostPath(drives, path);
    if (!host)
        return Removal::Refused;
    std::error_code error;
    const fs::file_type type = fs::symlink_status(*host, error).type();
    if (type != fs::file_type::directory)
        return removeRecordedDirectory(drives, path);
    for (const fs::directory_entry& entry : fs::directory_iterator(*host, error)) {
        std::error_code ignored;
        if (entry.symlink_status(ignored).type() != fs::file_type::directory)
            lumora::platform::removeFile(entry.path());
    }
    return removeRecordedDirectory(drives, path);
}

bool removeFolderAtOnce(const DriveMap& drives, std::string_view folder,
                        const std::vector<std::string>& names, const fs::path& aside) {
    const auto host = safeHostPath(drives, folder);
    std::error_code error;
    if (!host || fs::symlink_status(*host, error).type() != fs::file_type::directory ||
        fs::exists(fs::symlink_status(aside, error)))
        return false;
    const auto ours = [&](const std::string& entry) {
        return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return lumora::equalsIgnoringCase(entry, name) ||
                   lumora::platform::isAtomicWriteTemporary(entry, name);
        });
    };
    for (const fs::directory_entry& entry : fs::directory_iterator(*host, error))
        if (entry.symlink_status(error).type() == fs::file_type::directory ||
            !ours(entry.path().filename().string()))
            return false;
    if (error || (fs::rename(*host, aside, error), error))
        return false;
    for (const fs::directory_entry& entry : fs::directory_iterator(aside, error))
        lumora::platform::removeFile(entry.path());
    lumora::platform::removeEmptyDirectory(aside);
    return true;
}

void writeUnInstallEntry(lumora::platform::Registry& registry, const std::string& displayName,
                         const std::string& command) {
    const std::string key = std::string(UnInstallKey) + "\\" + displayName;
    registry.createKey(key);
    registry.writeString(key, "DisplayName", displayName);
    registry.writeString(key, "UnInstallString", command);
}

void deleteUnInstallEntry(lumora::platform::Registry& registry, const std::string& displayName) {
    registry.deleteKey(std::string(UnInstallKey) + "\\" + displayName);
    // The stand-in holds these keys only because an install made them: once empty they
    // go too, so an uninstall leaves the store as it found it.
    // A key already gone (an uninstall stopped half way took it) does not end the walk
    // up: the keys above it may still be left.
    std::string key(UnInstallKey);
    for (size_t slash = key.rfind('\\'); slash != std::string::npos; slash = key.rfind('\\')) {
        if (registry.keyExists(key)) {
            if (!registry.subkeys(key).empty() || !registry.valueNames(key).empty())
                break;
            registry.deleteKey(key);
        }
        key.erase(slash);
    }
}

} // namespace setupkit
