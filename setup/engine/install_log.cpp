// The install log: what setup created, read back for the uninstall and merged when a
// second install goes into the same place.

#include "platform/profile_file.h"
#include "setup/engine/install_journal.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_paths.h"

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
    Replaying replaying(replaying_);
    if (withDirectories) {
        createdDirs_.clear();
        installedFiles_.clear();
        groupNames_.clear();
        groupItems_.clear();
        groupKeys_.clear();
        for (const std::string& name : log.keys(DirectoriesSection)) {
            const std::string value = log.readString(DirectoriesSection, name);
            if (value.empty())
                continue;
            if (TSetupDir* dir = script_->FindDir(name))
                dir->SetDir(value);
        }
    }
    for (const std::string& dir : log.keys(CreatedDirsSection))
        AddCreatedDir(dir);
    for (const std::string& file : log.keys(FilesSection))
        AddInstalledFile(file);
    for (const std::string& key : log.keys(GroupsSection)) {
        std::string value = log.readString(GroupsSection, key);
        if (value.empty())
            continue;
        const std::string group = SplitAt(value, GroupSeparator);
        if (!group.empty())
            AddGroupEntry(value, group);
    }
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
            installedBDEType_ == 0) {
            dropPendingJournalIfVoid();
            return;
        }
        throw ESetupError("NO LOG DIR");
    }
    // Records still waiting for the log directory join the journal first.
    writeJournal();
    const std::string path = directory + script_->LogFileName();
    const fs::path hostPath = *HostPath(path);
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
    const std::string language = Language();
    const std::uint8_t bdeType = installedBDEType_;

    ProfileFile(*HostPath(path)).update([&](ProfileDocument& log) {
        for (std::string_view section :
             {DirectoriesSection, CreatedDirsSection, FilesSection, GroupsSection, BDESection})
            log.eraseSection(section);
        log.writeSection(DirectoriesSection, directories);
        log.writeSection(CreatedDirsSection, created);
        log.writeSection(FilesSection, files);
        log.writeSection(GroupsSection, groups);
        if (bdeType != 0)
            log.writeSection(BDESection, {{"BDE Type", std::to_string(bdeType & 0x7F)}});
        log.writeString(LanguageSection, "Language", language);
    });
}

} // namespace setupkit
