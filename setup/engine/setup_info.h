#pragma once
// TSetupInfo, the installer's controller: owns the install script, decides at start
// whether this run installs, uninstalls or relaunches itself from a temporary copy,
// keeps the selection of directories and files, records what setup creates and
// writes it to the install log at shutdown.

#include "setup/engine/caseless_sorted_list.h"
#include "setup/engine/message_catalogue.h"
#include "setup/engine/setup_component.h"
#include "setup/engine/setup_services.h"
#include "setup/script/setup_script.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace lumora::platform {
class DirectoryLock;
class InstanceLock;
} // namespace lumora::platform

namespace setupkit {

class TSetupPage;

class TSetupInfo : public TSetupComponent {
public:
    // Raises ESetupError "Only allowed one TSetupInfo per application." when the form
    // already owns a controller.
    TSetupInfo(ComponentOwner* owner, SetupServices& services);
    // Runs Shutdown when it has not run; its errors are shown, not thrown.
    ~TSetupInfo() override;

    // Shutdown, once: writes the install log (unless an uninstall finished, or this
    // run only relaunched itself), releases the language and removes the temporary
    // copies and their private directory. Throws what writing the log throws, after
    // the other steps have run.
    void Shutdown();

    std::string_view ClassName() const override { return "TSetupInfo"; }
    bool InheritsFrom(std::string_view className) const override;

    // Published properties.
    const std::string& Language() const { return catalogue_->Language(); }
    void SetLanguage(const std::string& name);
    bool MultiDisk() const { return multiDisk_; }
    const std::vector<std::string>& MultiDiskFiles() const { return multiDiskFiles_; }
    // Keeps each entry that names a script file, once; warns about the others.
    void SetMultiDiskFiles(const std::vector<std::string>& names);
    bool MultiException() const { return multiException_; }
    void SetMultiException(bool value) { multiException_ = value; }
    NotifyEvent OnMultiInstance;
    // The encoded graphic shown in the wizard dialog; empty for none.
    const std::string& Picture() const { return picture_; }
    void SetPicture(std::string picture) { picture_ = std::move(picture); }
    const std::string& SourceDir() const { return sourceDir_; }
    bool Test() const { return test_; }
    void SetTest(bool value) { test_ = value; }
    TSetupData& SetupData() { return *script_; }
    const TSetupData& SetupData() const { return *script_; }

    // Run-time state.
    bool AttemptUnInstall() const { return attemptUnInstall_; }
    bool UnInstallDone() const { return unInstallDone_; }
    void SetUnInstallDone(bool done) { unInstallDone_ = done; }
    const std::string& LogFile() const { return logFile_; }
    std::vector<TSetupPage*>& PageStack() { return pageStack_; }
    const std::vector<TSetupDir*>& SelectedDirs() const { return selectedDirs_; }
    TSetupFileGroup& InstallSet() { return *installSet_; }
    const std::vector<std::string>& CreatedDirs() const { return createdDirs_.items(); }
    const std::vector<std::string>& InstalledFiles() const { return installedFiles_.items(); }
    const std::vector<std::string>& GroupNames() const { return groupNames_; }
    const std::vector<std::string>& GroupItems() const { return groupItems_; }
    std::uint8_t InstalledBDEType() const { return installedBDEType_; }
    // What setup made among the user's settings (Windows paths, folders with a
    // trailing backslash): taken away by the uninstall once nothing is left in them.
    const std::vector<std::string>& MadeFolders() const { return madeFolders_.items(); }
    const std::vector<std::string>& MadeStores() const { return madeStores_.items(); }
    // Journalled like the records below.
    void SetInstalledBDEType(std::uint8_t type);

    // Whether the start sequence ended the program (a relaunch, a second instance);
    // the program then ends with QuitExitCode without running its pages.
    bool QuitRequested() const { return quitRequested_; }
    int QuitExitCode() const { return quitExitCode_; }

    // The user confirmed a cancel; a run that then ends unfinished was cancelled, not
    // failed.
    void NoteCancelledByUser() { cancelledByUser_ = true; }
    bool CancelledByUser() const { return cancelledByUser_; }
    // The exit status of a run whose pages ended with `pageResult` (psDone or
    // psCancelled, see SetupExitStatus).
    int ExitStatusFor(int pageResult) const;

    // The message catalogue and message box of the current language.
    const MessageCatalogue& Catalogue() const { return *catalogue_; }
    std::string GetText(int index) const { return catalogue_->GetText(index); }
    // SetupMessageDlg in the controller's language.
    int MessageDlg(std::string_view text, int kind, unsigned buttons) const;
    SetupServices& Services() const { return services_; }

    // The program's own path and directory as Windows paths (the directory with a
    // trailing backslash).
    const std::string& ProgramPath() const { return programPath_; }
    std::string ProgramDirectory() const;

    // Selection.
    void SelectDir(TSetupDir* dir, bool withFiles);
    void DeselectDir(TSetupDir* dir);
    // Whether the selection changed.
    bool SelectFile(TSetupFile* file, TSetupDir* dir);
    bool UnselectFile(TSetupFile* file, TSetupDir* dir);
    bool IsFileSelected(const TSetupFile* file, const TSetupDir* dir) const;
    bool IsDirSelected(const TSetupDir* dir) const;

    // Records for the log; an entry equal to a recorded one, ignoring case, is not
    // added again. Whether it was added. Each new record also goes to the journal
    // beside the log at once (kept in memory until the log directory exists), so a
    // page records a directory or file right after making it, or before.
    bool AddCreatedDir(const std::string& path);
    bool AddInstalledFile(const std::string& path);
    bool AddGroupEntry(const std::string& item, const std::string& group);
    // Announces a directory or file about to be made (journal only): a kill before its
    // record is written still leaves it recorded, once it is found to exist.
    void IntendToCreateDir(const std::string& path);
    void IntendToInstallFile(const std::string& path);

    // `path` is a Windows path; nothing happens when the file does not exist.
    void ReadInstallLog(const std::string& path, bool withDirectories);
    // Raises ESetupError "NO LOG DIR" when the log directory is missing after
    // something was installed into it (a run that ends before that ends quietly).
    // The journal beside the log is merged first and removed once the log is written.
    void WriteInstallLog();
    // Folds a journal left beside the log at `logPath` (a Windows path) by a setup
    // that did not end into that log. Nothing without a journal; failures are quiet
    // (the journal stays for the next attempt).
    void FoldInstallJournal(const std::string& logPath);

    void RegisterPages();

    void Notification(TSetupComponent* component, Operation operation) override;
    // The start sequence.
    void Loaded() override;
    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

    // Locks the folders the install set's files go to (each folder, or the nearest one
    // above it that exists) for the rest of the run. The first folder another setup
    // holds, or nothing when every one is this run's.
    std::optional<std::string> LockTargetFolders();

    // A Windows path as the host sees it; nothing when no drive reaches it.
    std::optional<std::filesystem::path> HostPath(const std::string& windowsPath) const;

private:
    bool checkSingleInstance();
    void readMultiDiskNote();
    void readUnInstallNote();
    void setSystemDirectories();
    void multiDiskRelaunch();
    void unInstallRelaunch();
    // Starts the relaunched copy; nothing when it could not be started, else this run's
    // exit status (the copy's own when the run waits for it).
    std::optional<int> startCopy(const std::string& copyPath);
    void showRelaunchDialog();
    void freeRelaunchDialog();
    void quit(int exitCode);
    std::filesystem::path makeTemporaryDirectory();
    void copyToTemporary(const std::string& fileName, const std::filesystem::path& target);
    void removeTemporaryCopies();
    void writeInstallLogTo(const std::string& path);
    std::vector<std::pair<std::string, std::string>> directoryEntries() const;
    void journal(char kind, const std::string& text);
    void writeJournal();
    void mergeJournal(const std::filesystem::path& journal);
    bool journalTargetExists(const std::string& path) const;
    std::filesystem::path pendingJournalPath() const;
    void takePendingJournal();
    void savePendingJournal(const std::string& logPath);
    void clearPendingJournal();
    void dropPendingJournalIfVoid();
    void takeMadePaths();

    SetupServices& services_;
    std::unique_ptr<TSetupData> script_;
    std::unique_ptr<MessageCatalogue> catalogue_;
    std::unique_ptr<lumora::platform::InstanceLock> instanceLock_;
    std::vector<std::unique_ptr<lumora::platform::DirectoryLock>> targetLocks_;
    std::unordered_set<std::string> lockedTargets_; // host folders targetLocks_ hold
    std::unique_ptr<TSetupFileGroup> installSet_;

    std::string programPath_;
    std::string sourceDir_;
    bool multiDisk_ = false;
    std::vector<std::string> multiDiskFiles_;
    bool multiException_ = true;
    std::string picture_;
    bool test_ = false;

    bool attemptUnInstall_ = false;
    bool unInstallDone_ = false;
    bool relaunched_ = false;
    bool started_ = false;
    bool shutDown_ = false;
    bool quitRequested_ = false;
    int quitExitCode_ = 0;
    bool cancelledByUser_ = false;
    std::string logFile_;
    std::vector<TSetupPage*> pageStack_;
    std::vector<TSetupDir*> selectedDirs_;
    CaselessSortedList createdDirs_;
    CaselessSortedList installedFiles_;
    std::vector<std::string> groupNames_;
    std::vector<std::string> groupItems_;
    std::unordered_set<std::string> groupKeys_;
    std::uint8_t installedBDEType_ = 0;
    CaselessSortedList madeFolders_;
    CaselessSortedList madeStores_;
    size_t madeTaken_ = 0; // paths of the platform's list already taken
    // Set while records are read back (a log, a journal): they are not journalled.
    bool replaying_ = false;
    std::vector<std::string> journalLines_; // every line this run journalled
    size_t journalWritten_ = 0;             // how many of them the file holds
    std::filesystem::path journalFile_;     // host path of the journal in use
    bool journalMade_ = false;              // this run created that file
    bool pendingTaken_ = false;             // records left by a killed run were taken
    std::string pendingLog_;                // the log the pending journal names, if any
    size_t pendingWritten_ = 0;             // lines of journalLines_ it holds
};

// The directory of a script directory name, with a trailing backslash: "(none)" or no
// controller gives "", "Source Dir" the source directory, "Windows" and "Windows
// System" the system's directories, any other name its script directory's full path
// ("" when there is none).
std::string ResolveDir(const TSetupInfo* info, const std::string& name);

} // namespace setupkit
