// The controller's side of the install journal: records go to the journal beside the
// log the moment they are made. Until the log directory exists they wait in a pending
// journal in the Windows directory, so that a setup killed while it makes its first directories
// still leaves a record of them for the next start.

#include "platform/atomic_file.h"
#include "platform/made_paths.h"
#include "platform/replacement_file.h"
#include "setup/engine/install_journal.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_paths.h"

#include <fstream>

namespace setupkit {

namespace fs = std::filesystem;

namespace {

// Beside the setup notes; its lines are journal lines, and the last line marked 'L'
// names the log they belong to.
constexpr const char* PendingJournalName = "TSETUP.JNL";
constexpr char PendingLogMark = 'L';

// A part file left by a copy that was killed; never a link or anything else.
void removeStalePart(const fs::path& target) {
    const fs::path part = lumora::platform::ReplacementFile::partPathFor(target);
    std::error_code error;
    if (fs::is_regular_file(fs::symlink_status(part, error)))
        fs::remove(part, error);
}

} // namespace

void TSetupInfo::IntendToCreateDir(const std::string& path) {
    if (!createdDirs_.contains(path))
        journal(static_cast<char>(JournalRecord::DirIntent), path);
}

void TSetupInfo::IntendToInstallFile(const std::string& path) {
    if (!installedFiles_.contains(path))
        journal(static_cast<char>(JournalRecord::FileIntent), path);
}

bool TSetupInfo::journalTargetExists(const std::string& path) const {
    const bool directory = !path.empty() && path.back() == '\\';
    const auto host = HostPath(directory ? path.substr(0, path.size() - 1) : path);
    if (!host)
        return false;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(*host, error);
    return directory ? fs::is_directory(status) : fs::is_regular_file(status);
}

void TSetupInfo::FoldInstallJournal(const std::string& logPath) {
    takePendingJournal();
    const auto journalHost = HostPath(installJournalPath(logPath));
    const auto logHost = HostPath(logPath);
    if (!journalHost || !logHost || !fs::is_regular_file(*journalHost))
        return;
    const auto exists = [this](const std::string& path) { return journalTargetExists(path); };
    // A file announced but never finished may have left its part behind.
    for (const std::string& file : readInstallJournal(*journalHost).intendedFiles)
        if (!exists(file))
            if (const auto host = HostPath(file))
                removeStalePart(*host);
    lumora::platform::removeAtomicWriteLeftovers(logHost->parent_path(),
                                                 logHost->filename().string());
    try {
        foldInstallJournal(*journalHost, *logHost, exists);
    } catch (const std::exception&) {
        // The journal stays; the shutdown of a run into the same place merges it.
    }
}

fs::path TSetupInfo::pendingJournalPath() const {
    return services_.notesFile.empty() ? fs::path()
                                       : services_.notesFile.parent_path() / PendingJournalName;
}

// Records left by a setup that was killed before its log directory was complete: they
// go to the journal beside that log when the directory is there, or else are carried
// on by this run, which may make it.
void TSetupInfo::takePendingJournal() {
    const fs::path pending = pendingJournalPath();
    if (pendingTaken_ || pending.empty())
        return;
    pendingTaken_ = true;
    std::error_code error;
    if (!fs::is_regular_file(pending, error))
        return;
    std::ifstream in(pending, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string logPath;
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string_view line = std::string_view(text).substr(start, end - start);
        if (line.size() > 2 && line[0] == PendingLogMark && line[1] == '\t')
            logPath = line.substr(2);
        else
            lines.emplace_back(text, start, end + 1 - start);
    }
    const auto journalHost = logPath.empty() ? std::nullopt : HostPath(installJournalPath(logPath));
    if (journalHost && !fs::is_directory(journalHost->parent_path(), error)) {
        journalLines_.insert(journalLines_.begin(), lines.begin(), lines.end());
        pendingLog_ = logPath;
        pendingWritten_ = lines.size();
        return;
    }
    if (journalHost && !appendToJournal(*journalHost, lines))
        return;
    fs::remove(pending, error);
}

// Appends what the pending journal does not hold yet; it names the log it belongs to
// whenever that changes.
void TSetupInfo::savePendingJournal(const std::string& logPath) {
    const fs::path pending = pendingJournalPath();
    if (pending.empty())
        return;
    std::vector<std::string> lines;
    size_t from = pendingWritten_;
    if (logPath != pendingLog_) {
        lines.push_back(std::string{PendingLogMark, '\t'} + logPath + "\n");
        from = 0;
    }
    lines.insert(lines.end(), journalLines_.begin() + static_cast<std::ptrdiff_t>(from),
                 journalLines_.end());
    if (!appendToJournal(pending, lines))
        return;
    pendingLog_ = logPath;
    pendingWritten_ = journalLines_.size();
}

void TSetupInfo::clearPendingJournal() {
    if (pendingLog_.empty())
        return;
    std::error_code error;
    fs::remove(pendingJournalPath(), error);
    pendingLog_.clear();
    pendingWritten_ = 0;
}

// A run that made nothing after all (every announced directory failed) leaves no note.
void TSetupInfo::dropPendingJournalIfVoid() {
    std::string text;
    for (const std::string& line : journalLines_)
        text += line;
    JournalContents waiting = parseInstallJournal(text);
    settleIntents(waiting, [this](const std::string& path) { return journalTargetExists(path); });
    if (waiting.createdDirs.empty() && waiting.files.empty() && waiting.groups.empty() &&
        waiting.bdeType == 0)
        clearPendingJournal();
}

// What the platform made for this run since the last look joins the records.
void TSetupInfo::takeMadePaths() {
    if (!services_.madePathsFrom || attemptUnInstall_)
        return;
    const size_t from = std::max(madeTaken_, *services_.madePathsFrom);
    const auto made = lumora::platform::madePathsSince(from);
    madeTaken_ = from + made.size();
    for (const auto& [path, directory] : made) {
        const auto name = services_.drives.toWindowsPath(path);
        if (!name)
            continue;
        const std::string recorded = directory ? AddBackslash(*name) : *name;
        if ((directory ? madeFolders_ : madeStores_).add(recorded)) {
            const auto kind = directory ? JournalRecord::MadeFolder : JournalRecord::MadeStore;
            journalLines_.push_back(journalLine(kind, recorded));
        }
    }
}

void TSetupInfo::journal(char kind, const std::string& text) {
    if (replaying_)
        return;
    takeMadePaths();
    std::string line = journalLine(static_cast<JournalRecord>(kind), text);
    if (line.empty())
        return;
    journalLines_.push_back(std::move(line));
    writeJournal();
}

// Writes what the journal file does not hold yet. Until the log directory exists the
// records wait in the pending journal; when the log directory changes, the journal starts again
// in the new place with everything recorded so far.
void TSetupInfo::writeJournal() {
    const TSetupDir* logDir = script_->LogFileDir();
    if (!logDir)
        return;
    const std::string directory = ResolveDir(this, logDir->Name());
    if (directory.empty())
        return;
    const std::string logPath = directory + script_->LogFileName();
    const auto hostDirectory = HostPath(directory);
    std::error_code error;
    if (!hostDirectory || !fs::is_directory(*hostDirectory, error)) {
        if (journalWritten_ < journalLines_.size())
            savePendingJournal(logPath);
        return;
    }
    const auto file = HostPath(installJournalPath(logPath));
    if (!file)
        return;
    if (*file != journalFile_) {
        std::vector<std::string> lines;
        for (const auto& [name, dir] : directoryEntries())
            lines.push_back(journalLine(JournalRecord::Directory, name + "\t" + dir));
        lines.insert(lines.end(), journalLines_.begin(), journalLines_.end());
        const bool existed = fs::exists(*file, error);
        if (!appendToJournal(*file, lines))
            return;
        if (journalMade_ && !journalFile_.empty())
            fs::remove(journalFile_, error);
        journalFile_ = *file;
        journalMade_ = !existed;
    } else {
        const std::vector<std::string> lines(journalLines_.begin() +
                                                 static_cast<std::ptrdiff_t>(journalWritten_),
                                             journalLines_.end());
        if (!appendToJournal(*file, lines))
            return;
    }
    journalWritten_ = journalLines_.size();
    clearPendingJournal();
}

} // namespace setupkit
