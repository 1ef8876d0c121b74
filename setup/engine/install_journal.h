#pragma once
// The journal beside the install log. The log itself is written once, when setup
// ends; the journal gets one line for every directory, file, group entry and engine
// install the moment it is recorded, so that a setup killed half way still leaves a
// record of what it made. A directory or file is announced before it is made, so a
// kill in between cannot leave it unrecorded; an announcement counts only when its
// target exists. The next start, or the shutdown, folds it into the log.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace setupkit {

// The log's sections of what setup made among the user's settings: folders removed
// once empty, registry stores removed once they hold no key.
inline constexpr std::string_view MadeFoldersSection = "Made Folders";
inline constexpr std::string_view MadeStoresSection = "Made Registry Stores";

// The journal's name: the log's path with ".journal" appended.
std::string installJournalPath(std::string_view logPath);

enum class JournalRecord : char {
    Directory = 'P',  // a script directory: name TAB dir, as the log's "Directories"
    CreatedDir = 'D', // a directory setup created
    File = 'F',       // a file setup wrote
    DirIntent = 'd',  // a directory setup is about to create
    FileIntent = 'f', // a file setup is about to write
    Group = 'G',      // group ":~:" item
    BDEType = 'B',    // the database-engine install type, decimal
    MadeFolder = 'M', // a folder of the user's settings setup made
    MadeStore = 'R',  // a registry store setup made
};

// The value of a program-group record, "group:~:item" as in the log. A value without
// the separator stands for an item named as its group; the group alone is written when
// the separator would split the value elsewhere (a group name ending in ":~").
std::string groupEntryValue(std::string_view group, std::string_view item);

// One line of the journal. A record holding a line break cannot be kept (nor could
// the log keep it): nothing.
std::string journalLine(JournalRecord kind, std::string_view text);
// Appends the lines, creating the file; false when it cannot be written.
bool appendToJournal(const std::filesystem::path& journal, const std::vector<std::string>& lines);

struct JournalContents {
    std::vector<std::pair<std::string, std::string>> directories;
    std::vector<std::string> createdDirs;
    std::vector<std::string> files;
    std::vector<std::string> intendedDirs;
    std::vector<std::string> intendedFiles;
    std::vector<std::pair<std::string, std::string>> groups; // group, item
    std::uint8_t bdeType = 0;
    std::vector<std::string> madeFolders;
    std::vector<std::string> madeStores;
};
// A last line cut short by a kill is left out; unknown lines are skipped.
JournalContents readInstallJournal(const std::filesystem::path& journal);
JournalContents parseInstallJournal(std::string_view text);

// Whether a recorded Windows path is there now (a directory path ends in a backslash).
using JournalTargetExists = std::function<bool(const std::string& path)>;

// The announcements whose targets exist join the created directories and files.
void settleIntents(JournalContents& contents, const JournalTargetExists& exists);

// Merges the journal into the log file (creating it in the log's format when it is
// missing; the log's own records and spellings stay first), then removes the
// journal. Throws what writing the log throws; the journal then stays.
void foldInstallJournal(const std::filesystem::path& journal, const std::filesystem::path& log,
                        const JournalTargetExists& exists);

} // namespace setupkit
