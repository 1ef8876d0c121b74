#pragma once
// The recent-files list: up to ten page paths kept newest first in the "Oldies" section
// of recentflz.ini beside the program, read and written one key at a time. Opening a
// page enters it at the top; the File menu's "Recent Files" submenu shows the first
// nine entries whose files still exist, and drops the others from the store.

#include "editor/logic/file_locator.h"
#include "editor/logic/profile_access.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::editor {

inline constexpr std::string_view kRecentFilesStoreName = "recentflz.ini";
inline constexpr std::string_view kRecentFilesSection = "Oldies";
// Stands for an older copy of a page just entered again; dropped at the next rebuild.
inline constexpr std::string_view kKillMeMarker = "kill me";
inline constexpr int kStoredEntries = 10;
inline constexpr int kShownEntries = 9;

// The store's path: the program file's folder (up to its last slash, backslash or
// colon) followed by the store's name.
std::string recentFilesStorePath(std::string_view programFilePath);

// One item of the submenu: number k (from 1), caption "&k path", and the stored path.
struct RecentMenuItem {
    int number = 0;
    std::string caption;
    std::string storedPath;
    bool operator==(const RecentMenuItem&) const = default;
};

// What reopening entry k needs: the path as stored (shown in "Cannot open file %s"
// when the file has gone) and the real path of the file to load, when there is one.
struct RecentEntry {
    std::string storedPath;
    std::optional<std::string> filePath;
};

class RecentFiles {
public:
    RecentFiles(ProfileAccess& store, FileLocator& files) : store_(store), files_(files) {}

    // Enters `path` (upper-cased) as entry 1; every entry moves down one place, the
    // tenth falls off, and an older copy of the same path becomes the "kill me" marker.
    // The window rebuilds its submenu afterwards (menuItems).
    void enterAtTop(std::string_view path);

    // The submenu's items, newest first, after dropping from the store every entry
    // (before the first empty one) whose file no longer exists. An empty entry ends
    // the list.
    std::vector<RecentMenuItem> menuItems();

    // Entry `number` (1 to 9) as stored at this moment; the store is not changed.
    RecentEntry entry(int number);

private:
    std::string read(int key);
    void write(int key, std::string_view value);
    void compactFrom(int key);

    ProfileAccess& store_;
    FileLocator& files_;
};

} // namespace lumora::editor
