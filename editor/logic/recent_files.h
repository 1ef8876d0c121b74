#pragma once
// The recent-files list: up to ten page paths kept newest first in the "Oldies" section
// of recentflz.ini beside the program. Opening a page enters it at the top; the File
// menu's "Recent Files" submenu shows the first nine entries whose files still exist,
// and drops the others from the store. Each command reads the store once and writes
// it at most once, however many entries move.

#include "editor/logic/file_locator.h"
#include "editor/logic/profile_access.h"

#include <array>
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

// Where the running program keeps the store: beside the program file while its folder
// can be written (a portable copy), else in the user's settings folder
// ~/.config/lumora (an installed program, whose folder belongs to the system), made
// when missing. Throws platform::FileError when neither can hold it.
std::string recentFilesStoreLocation(std::string_view programFilePath);

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

    // Enters `path`, spelt as the user opened it, as entry 1; every entry moves down one
    // place, the tenth falls off, and an older copy of the same page becomes the
    // "kill me" marker. Returns the submenu's items afterwards (see menuItems).
    std::vector<RecentMenuItem> enterAtTop(std::string_view path);

    // The submenu's items, newest first, after dropping from the store every entry
    // (before the first empty one) whose file no longer exists. An empty entry ends
    // the list.
    std::vector<RecentMenuItem> menuItems();

    // Entry `number` (1 to 9) as stored at this moment; the store is not changed.
    RecentEntry entry(int number);

private:
    // Keys 1 to 11 as read; key 11 only ever receives the empty value of a compaction.
    using Entries = std::array<std::string, kStoredEntries + 1>;

    Entries readAll();
    std::vector<RecentMenuItem> listAndDropGone(Entries& entries, std::vector<bool>& changed);
    void writeChanged(const Entries& entries, const std::vector<bool>& changed);
    // The file an entry names. Pages are stored as opened, so an entry names exactly
    // one file; an entry stored upper-cased by earlier versions (no a to z in it)
    // still finds its page when one file alone matches it without regard to case.
    std::optional<std::string> fileOf(const std::string& stored);

    ProfileAccess& store_;
    FileLocator& files_;
};

} // namespace lumora::editor
