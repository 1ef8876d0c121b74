#include "recent_files.h"

#include "text/ascii_case.h"

namespace lumora::editor {

std::string recentFilesStorePath(std::string_view programFilePath) {
    const size_t lastSeparator = programFilePath.find_last_of("/\\:");
    std::string path(lastSeparator == std::string_view::npos
                         ? std::string_view()
                         : programFilePath.substr(0, lastSeparator + 1));
    path += kRecentFilesStoreName;
    return path;
}

std::string RecentFiles::read(int key) {
    return store_.readValue(kRecentFilesSection, std::to_string(key));
}

void RecentFiles::write(int key, std::string_view value) {
    store_.writeValue(kRecentFilesSection, std::to_string(key), value);
}

void RecentFiles::enterAtTop(std::string_view path) {
    const std::string newPath = text::asciiUppered(path);
    std::string carry = newPath;
    for (int key = 1; key <= kStoredEntries; ++key) {
        std::string old = read(key);
        // The older copy travels down as a marker so that the rebuild drops it.
        if (old == newPath)
            old = kKillMeMarker;
        write(key, carry);
        carry = std::move(old);
    }
}

void RecentFiles::compactFrom(int key) {
    for (int next = key; next <= kStoredEntries; ++next)
        write(next, read(next + 1));
    write(kStoredEntries + 1, "");
}

std::vector<RecentMenuItem> RecentFiles::menuItems() {
    std::vector<RecentMenuItem> items;
    for (int number = 1; number <= kShownEntries;) {
        const std::string stored = read(number);
        if (stored.empty())
            break;
        // The marker is dropped even when a file of that name happens to exist.
        if (stored == kKillMeMarker || !files_.locate(stored)) {
            compactFrom(number);
            continue;
        }
        items.push_back({number, "&" + std::to_string(number) + " " + stored, stored});
        ++number;
    }
    return items;
}

RecentEntry RecentFiles::entry(int number) {
    RecentEntry found;
    found.storedPath = read(number);
    if (!found.storedPath.empty() && found.storedPath != kKillMeMarker)
        found.filePath = files_.locate(found.storedPath);
    return found;
}

} // namespace lumora::editor
