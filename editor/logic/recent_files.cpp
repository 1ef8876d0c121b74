#include "recent_files.h"

#include "common/ascii_case.h"
#include "platform/program_location.h"

#include <filesystem>

namespace lumora::editor {

namespace {

constexpr size_t kKeys = kStoredEntries + 1;

std::string keyName(size_t index) {
    return std::to_string(index + 1);
}

bool storedUpperCased(const std::string& stored) {
    return asciiUppered(stored) == stored;
}

} // namespace

std::string recentFilesStorePath(std::string_view programFilePath) {
    const size_t lastSeparator = programFilePath.find_last_of("/\\:");
    std::string path(lastSeparator == std::string_view::npos
                         ? std::string_view()
                         : programFilePath.substr(0, lastSeparator + 1));
    path += kRecentFilesStoreName;
    return path;
}

std::string recentFilesStoreLocation(std::string_view programFilePath) {
    const std::string beside = recentFilesStorePath(programFilePath);
    if (platform::directoryWritable(std::filesystem::path(beside).parent_path()))
        return beside;
    return (platform::userConfigDirectory("lumora") / kRecentFilesStoreName).string();
}

RecentFiles::Entries RecentFiles::readAll() {
    std::vector<std::string> keys;
    for (size_t index = 0; index < kKeys; ++index)
        keys.push_back(keyName(index));
    std::vector<std::string> values = store_.readValues(kRecentFilesSection, keys);
    Entries entries;
    for (size_t index = 0; index < kKeys && index < values.size(); ++index)
        entries[index] = std::move(values[index]);
    return entries;
}

void RecentFiles::writeChanged(const Entries& entries, const std::vector<bool>& changed) {
    ProfileAccess::KeyValues values;
    for (size_t index = 0; index < kKeys; ++index)
        if (changed[index])
            values.emplace_back(keyName(index), entries[index]);
    if (!values.empty())
        store_.writeValues(kRecentFilesSection, values);
}

std::optional<std::string> RecentFiles::fileOf(const std::string& stored) {
    std::optional<std::string> found = files_.locate(stored);
    if (found && *found != stored && !storedUpperCased(stored))
        return std::nullopt;
    return found;
}

std::vector<RecentMenuItem> RecentFiles::enterAtTop(std::string_view path) {
    Entries entries = readAll();
    std::vector<bool> changed(kKeys, false);
    const std::string newPath(path);
    // An entry left upper-cased by earlier versions is the same page when it finds it.
    const std::string legacyForm = asciiUppered(newPath);
    std::string carry = newPath;
    for (size_t index = 0; index < kStoredEntries; ++index) {
        std::string old = std::move(entries[index]);
        // The older copy travels down as a marker so that the rebuild drops it.
        if (old == newPath || (old == legacyForm && fileOf(old) == newPath))
            old = kKillMeMarker;
        entries[index] = std::move(carry);
        changed[index] = true;
        carry = std::move(old);
    }
    std::vector<RecentMenuItem> items = listAndDropGone(entries, changed);
    writeChanged(entries, changed);
    return items;
}

std::vector<RecentMenuItem> RecentFiles::menuItems() {
    Entries entries = readAll();
    std::vector<bool> changed(kKeys, false);
    std::vector<RecentMenuItem> items = listAndDropGone(entries, changed);
    writeChanged(entries, changed);
    return items;
}

std::vector<RecentMenuItem> RecentFiles::listAndDropGone(Entries& entries,
                                                         std::vector<bool>& changed) {
    std::vector<RecentMenuItem> items;
    for (size_t index = 0; index < kShownEntries;) {
        const std::string& stored = entries[index];
        if (stored.empty())
            break;
        // The marker is dropped even when a file of that name happens to exist.
        if (stored == kKillMeMarker || !fileOf(stored)) {
            for (size_t next = index; next < kStoredEntries; ++next) {
                entries[next] = std::move(entries[next + 1]);
                changed[next] = true;
            }
            entries[kStoredEntries].clear();
            changed[kStoredEntries] = true;
            continue;
        }
        const int number = static_cast<int>(index) + 1;
        items.push_back({number, "&" + std::to_string(number) + " " + stored, stored});
        ++index;
    }
    return items;
}

RecentEntry RecentFiles::entry(int number) {
    RecentEntry found;
    found.storedPath = store_.readValue(kRecentFilesSection, std::to_string(number));
    if (!found.storedPath.empty() && found.storedPath != kKillMeMarker)
        found.filePath = fileOf(found.storedPath);
    return found;
}

} // namespace lumora::editor
