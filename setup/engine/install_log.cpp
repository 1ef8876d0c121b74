// The install log: what setup created, read back for the uninstall and merged when a
// second install goes into the same place.

#include "platform/atomic_file.h"
#include "platform/drive_map.h"
#include "platform/profile_file.h"
#include "setup/engine/install_journal.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_paths.h"

#include <algorithm>

namespace setupkit {

namespace fs = std::filesystem;
using lumora::platform::ProfileDocument;
using lumora::platform::ProfileFile;

namespace {

constexpr std::string_view DirectoriesSection = "Directories";
constexpr std::string_view CreatedDirsSection = "Created Dirs";
constexpr std::string_view FilesSection = "Files";
constexpr std::string_view GroupsSection = "Program Groups";
constexpr std::string_view BDESection = "BDE Files";
constexpr std::string_view LanguageSection = "Language";
constexpr std::string_view GroupSeparator = ":~:";
// The host folder of every drive letter the log's paths use, as the install saw it.
constexpr std::string_view DrivesSection = "Drives";

// Names the paths of a log written under `recorded` drives in this run's drives, so an
// uninstall started under another mapping still finds what the install made, and only
// that. A log without drives (an earlier version's) is read as this run's.
class RecordedDrives {
public:
    RecordedDrives(const ProfileDocument& log, const lumora::platform::DriveMap& current)
        : current_(current) {
        for (const auto& [letter, root] : log.entries(DrivesSection))
            recorded_.applyEntries(letter + "=" + root, '\n');
        for (char letter : recorded_.letters())
            if (recorded_.root(letter) != current_.root(letter))
                moved_.push_back(letter);
    }
    // Nothing when the path's folder has no name here; it is then left alone.
    std::optional<std::string> translate(const std::string& path) const {
        const char letter = lumora::platform::driveLetterOf(path);
        if (std::find(moved_.begin(), moved_.end(), letter) == moved_.end())
            return path;
        const auto host = recorded_.toHostPath(path);
        auto name = host ? current_.toWindowsPath(*host) : std::nullopt;
        if (name && path.back() == '\\' && name->back() != '\\')
            *name += '\\';
        return name;
    }

private:
    const lumora::platform::DriveMap& current_;
    lumora::platform::DriveMap recorded_;
    std::vector<char> moved_;
};

// Sets a flag for a scope: records read back are not journalled again.
class Replaying {
public:
    explicit Replaying(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~Replaying() { flag_ = saved_; }
    Replaying(const Replaying&) = delete;
    Replaying& operator=(const Replaying&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

void TSetupInfo::ReadInstallLog(const std::string& path, bool withDirectories) {
    const auto host = HostPath(path);
    if (!host || !fs::is_regular_file(*host))
        return;
    // Every key is read, however long the sections are: a record lost here would be a
    // file the uninstall leaves behind.
    const ProfileDocument log = ProfileFile(*host).load();
    const RecordedDrives drives(log, services_.drives);
    Replaying replaying(replaying_);
    if (withDirectories) {
        createdDirs_.clear();
        installedFiles_.clear();
        groupNames_.clear();
        groupItems_.clear();
        groupKeys_.clear();
        madeFolders_.clear();
        madeStores_.clear();
        for (const auto& [name, value] : log.entries(DirectoriesSection)) {
            const auto dirValue = drives.translate(value);
            if (value.empty() || !dirValue)
                continue;
            if (TSetupDir* dir = script_->FindDir(name))
                dir->SetDir(*dirValue);
        }
    }
    // A path may hold '=': these keys are read as whole lines.
    for (const std::string& dir : log.bareKeys(CreatedDirsSection))
        if (const auto translated = drives.translate(dir))
            AddCreatedDir(*translated);
    for (const std::string& file : log.bareKeys(FilesSection))
        if (const auto translated = drives.translate(file))
            AddInstalledFile(*translated);
    for (auto& entry : log.entries(GroupsSection)) {
        std::string value = std::move(entry.second);
        if (value.empty())
            continue;
        const std::string group = SplitAt(value, GroupSeparator);
        if (!group.empty())
            AddGroupEntry(value, group);
    }
    for (const std::string& folder : log.bareKeys(MadeFoldersSection))
        if (const auto translated = drives.translate(folder))
            madeFolders_.add(*translated);
    for (const std::string& store : log.bareKeys(MadeStoresSection))
        if (const auto translated = drives.translate(store))
            madeStores_.add(*translated);
    installedBDEType_ =
        static_cast<std::uint8_t>(ProfileFile(*host).readInteger(BDESection, "BDE Type", 0));
    const std::string language = log.readString(LanguageSection, "Language");
    if (!language.empty())
        SetLanguage(language);
}

void TSetupInfo::WriteInstallLog() {
    const TSetupDir* logDir = script_->LogFileDir();
    if (!logDir)
        return;
    const std::string directory = ResolveDir(this, logDir->Name());
    const auto hostDirectory = HostPath(directory);
    if (directory.empty() || !hostDirectory || !fs::is_directory(*hostDirectory)) {
        // A run that ends before anything was installed (Cancel on the first page)
        // has nothing to record and ends quietly.
        if (createdDirs_.size() == 0 && installedFiles_.size() == 0 && groupNames_.empty() &&
            madeFolders_.size() == 0 && madeStores_.size() == 0 && installedBDEType_ == 0) {
            dropPendingJournalIfVoid();
            return;
        }
        throw ESetupError("NO LOG DIR");
    }
    // Records still waiting for the log directory join the journal first.
    takeMadePaths();
    writeJournal();
    const std::string path = directory + script_->LogFileName();
    const fs::path hostPath = *HostPath(path);
    // A setup killed while it wrote the log left the temporary of that write.
    lumora::platform::removeAtomicWriteLeftovers(hostPath.parent_path(),
                                                 hostPath.filename().string());
    const auto journalHost = HostPath(installJournalPath(path));
    if (journalHost && fs::exists(*journalHost))
        mergeJournal(*journalHost);
    if (fs::exists(hostPath)) {
        logFile_ = path;
        ReadInstallLog(path, false);
    }
    writeInstallLogTo(path);
    // The log now holds everything the journals held.
    std::error_code ignored;
    if (journalHost)
        fs::remove(*journalHost, ignored);
    if (journalMade_ && !journalFile_.empty())
        fs::remove(journalFile_, ignored);
    journalFile_.clear();
    journalMade_ = false;
    journalWritten_ = 0;
    journalLines_.clear();
    clearPendingJournal();
}

void TSetupInfo::mergeJournal(const fs::path& journal) {
    JournalContents contents = readInstallJournal(journal);
    settleIntents(contents, [this](const std::string& path) { return journalTargetExists(path); });
    Replaying replaying(replaying_);
    for (const std::string& dir : contents.createdDirs)
        AddCreatedDir(dir);
    for (const std::string& file : contents.files)
        AddInstalledFile(file);
    for (const auto& [group, item] : contents.groups)
        AddGroupEntry(item, group);
    for (const std::string& folder : contents.madeFolders)
        madeFolders_.add(folder);
    for (const std::string& store : contents.madeStores)
        madeStores_.add(store);
    if (installedBDEType_ == 0)
        installedBDEType_ = contents.bdeType;
}

std::vector<std::pair<std::string, std::string>> TSetupInfo::directoryEntries() const {
    std::vector<std::pair<std::string, std::string>> directories;
    const auto& dirs = script_->Dirs();
    for (size_t i = dirs.size(); i-- > 0;) {
        const TSetupDir* dir = dirs[i];
        const auto host = HostPath(dir->FullPath());
        if (host && fs::is_directory(*host))
            directories.emplace_back(dir->Name(), dir->Dir());
    }
    return directories;
}

void TSetupInfo::writeInstallLogTo(const std::string& path) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    const Entries directories = directoryEntries();
    Entries created;
    for (const std::string& dir : createdDirs_.items())
        created.emplace_back(dir, "");
    Entries files;
    for (const std::string& file : installedFiles_.items())
        files.emplace_back(file, "");
    Entries groups;
    for (size_t i = 0; i < groupNames_.size(); ++i)
        groups.emplace_back(std::to_string(i), groupEntryValue(groupNames_[i], groupItems_[i]));
    Entries madeFolders, madeStores;
    for (const std::string& folder : madeFolders_.items())
        madeFolders.emplace_back(folder, "");
    for (const std::string& store : madeStores_.items())
        madeStores.emplace_back(store, "");
    const std::string language = Language();
    const std::uint8_t bdeType = installedBDEType_;
    Entries drives;
    for (const char letter : services_.drives.letters()) {
        const auto uses = [letter](const std::string& recorded) {
            return lumora::platform::driveLetterOf(recorded) == letter;
        };
        const auto anyUses = [&](const Entries& entries, bool inValue) {
            return std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
                return uses(inValue ? entry.second : entry.first);
            });
        };
        if (anyUses(directories, true) || anyUses(created, false) || anyUses(files, false) ||
            anyUses(madeFolders, false) || anyUses(madeStores, false))
            drives.emplace_back(std::string{letter, ':'}, services_.drives.root(letter)->string());
    }

    ProfileFile(*HostPath(path)).update([&](ProfileDocument& log) {
        for (std::string_view section :
             {DirectoriesSection, CreatedDirsSection, FilesSection, GroupsSection, BDESection,
              MadeFoldersSection, MadeStoresSection, DrivesSection})
            log.eraseSection(section);
        log.writeSection(DirectoriesSection, directories);
        log.writeSection(CreatedDirsSection, created);
        log.writeSection(FilesSection, files);
        log.writeSection(GroupsSection, groups);
        if (bdeType != 0)
            log.writeSection(BDESection, {{"BDE Type", std::to_string(bdeType & 0x7F)}});
        log.writeString(LanguageSection, "Language", language);
        if (!madeFolders.empty())
            log.writeSection(MadeFoldersSection, madeFolders);
        if (!madeStores.empty())
            log.writeSection(MadeStoresSection, madeStores);
        log.writeSection(DrivesSection, drives);
    });
}

} // namespace setupkit
