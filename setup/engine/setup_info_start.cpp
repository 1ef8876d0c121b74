// The controller's start sequence, the two relaunches from a temporary copy, and
// the shutdown that cleans up after them.

#include "common/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/current_directory.h"
#include "platform/instance_lock.h"
#include "platform/profile_file.h"
#include "platform/system_directories.h"
#include "setup/engine/exit_status.h"
#include "setup/engine/program_launcher.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/setup_message_pump.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/wizard_dialog.h"

#include <system_error>

namespace setupkit {

namespace fs = std::filesystem;
using lumora::asciiUppered;
using lumora::equalsIgnoringCase;
using lumora::platform::ProfileFile;

namespace {

constexpr std::string_view MultiDiskSection = "MultiDisk Install";
constexpr std::string_view UnInstallSection = "UnInstall";
// Temporary copies live in directories of this prefix inside the temporary directory.
constexpr std::string_view PrivatePrefix = "lumora-setup-";

} // namespace

void TSetupInfo::quit(int exitCode) {
    quitRequested_ = true;
    quitExitCode_ = exitCode;
    if (services_.quit)
        services_.quit(exitCode);
}

void TSetupInfo::Loaded() {
    TSetupComponent::Loaded();
    if (!checkSingleInstance())
        return;
    // A setup killed while it wrote its notes left the temporary of that write.
    if (!services_.notesFile.empty())
        lumora::platform::removeAtomicWriteLeftovers(services_.notesFile.parent_path(),
                                                     services_.notesFile.filename().string());
    catalogue_->LoadLanguage(Language());
    readMultiDiskNote();
    if (!programPath_.empty() &&
        std::string_view("AaBb").find(programPath_[0]) != std::string::npos &&
        script_->Disks().size() > 1) {
        multiDiskRelaunch();
        return;
    }
    readUnInstallNote();
    if (!services_.arguments.empty() && asciiUppered(services_.arguments.front()) == "UNINSTALL") {
        unInstallRelaunch();
        return;
    }
    setSystemDirectories();
    // A setup that was killed left its journal beside the log: the log gets its
    // records now, before this run adds its own.
    if (const TSetupDir* logDir = script_->LogFileDir())
        if (const std::string directory = ResolveDir(this, logDir->Name()); !directory.empty())
            FoldInstallJournal(directory + script_->LogFileName());
    for (TSetupDir* dir : script_->Dirs()) {
        SelectDir(dir, true);
        if (services_.pump)
            services_.pump->processMessages();
    }
    RegisterPages();
    started_ = true;
}

bool TSetupInfo::checkSingleInstance() {
    using lumora::platform::InstanceLock;
    instanceLock_ =
        services_.instanceLockFile.empty()
            ? std::make_unique<InstanceLock>(services_.programFile)
            : std::make_unique<InstanceLock>(InstanceLock::File{services_.instanceLockFile});
    if (!instanceLock_->anotherInstanceRuns())
        return true;
    instanceLock_.reset();
    if (OnMultiInstance)
        OnMultiInstance(this);
    if (multiException_)
        throw ESetupError("Only one instance of the setup program allowed.");
    quit(kExitFailed);
    return false;
}

void TSetupInfo::readMultiDiskNote() {
    ProfileFile notes(services_.notesFile);
    const std::string source = AddBackslash(notes.readString(MultiDiskSection, "Source Dir"));
    if (!source.empty()) {
        sourceDir_ = source;
        multiDisk_ = true;
    }
    if (notes.hasSection(MultiDiskSection)) {
        notes.eraseSection(MultiDiskSection);
        notes.removeIfEmpty();
    }
    try {
        if (!source.empty())
            lumora::platform::setCurrentDirectory(services_.drives, FixDriveRoot(source));
        lumora::platform::setCurrentDirectory(services_.drives, FixDriveRoot(ProgramDirectory()));
    } catch (const lumora::platform::FileError& error) {
        throw EInOutError(error.what());
    }
}

void TSetupInfo::readUnInstallNote() {
    ProfileFile notes(services_.notesFile);
    if (!notes.hasSection(UnInstallSection))
        return;
    // The note is for the working copy its uninstall started, and for no other run: a
    // note left because that copy never started or never got this far must not turn a
    // later install into an uninstall.
    if (!equalsIgnoringCase(notes.readString(UnInstallSection, "Program"), programPath_)) {
        notes.eraseSection(UnInstallSection);
        notes.removeIfEmpty();
        return;
    }
    const std::string logFile = notes.readString(UnInstallSection, "Log File");
    if (logFile.empty()) {
        notes.eraseSection(UnInstallSection);
        notes.removeIfEmpty();
        return;
    }
    std::vector<std::string>& files = script_->UnInstallFiles();
    files.clear();
    for (int key = 0;; ++key) {
        const std::string value = notes.readString(UnInstallSection, std::to_string(key));
        if (value.empty())
            break;
        files.push_back(asciiUppered(value));
    }
    notes.eraseSection(UnInstallSection);
    notes.removeIfEmpty();
    attemptUnInstall_ = true;
    logFile_ = logFile;
    FoldInstallJournal(logFile_);
    // The log stays until the removal is complete: an uninstall stopped half way is
    // finished by the next one.
    ReadInstallLog(logFile_, true);
}

void TSetupInfo::setSystemDirectories() {
    const std::string windows = services_.windowsDirectory;
    if (TSetupDir* dir = script_->FindDir("Windows"))
        dir->SetDir(AddBackslash(windows));
    std::string system = services_.systemDirectory;
    TSetupDir* systemDir = script_->FindDir("Windows System");
    if (!windows.empty() && system.rfind(windows, 0) == 0) {
        system.erase(0, windows.size());
        // What stays relative to "Windows" must not start at a root.
        if (!system.empty() && system.front() == '\\')
            system.erase(0, 1);
    } else if (systemDir) {
        systemDir->SetParentDir(nullptr);
    }
    if (systemDir)
        systemDir->SetDir(AddBackslash(system));
}

// --- Relaunches ---------------------------------------------------------------------

fs::path TSetupInfo::makeTemporaryDirectory() {
    return lumora::platform::createPrivateDirectory(services_.temporaryDirectory, PrivatePrefix);
}

void TSetupInfo::showRelaunchDialog() {
    WizardDialog& dialog = CreateSetupPagesForm();
    if (!picture_.empty())
        dialog.setPicture(picture_);
    dialog.setCaption(GetText(65));
    dialog.setMultiDiskIntent(GetText(70));
    dialog.showNotebookPage(npMultiDisk);
    dialog.setButtonEnabled(WizardButton::Prev, false);
    dialog.setButtonEnabled(WizardButton::Next, false);
    dialog.setButtonEnabled(WizardButton::Cancel, false);
    dialog.showModeless();
    if (services_.pump)
        services_.pump->processMessages();
}

void TSetupInfo::freeRelaunchDialog() {
    FreeSetupPagesForm();
}

// Copies a file of the program's directory into the temporary directory, keeping its
// date and permissions (the program must stay executable). Throws on failure.
void TSetupInfo::copyToTemporary(const std::string& fileName, const fs::path& target) {
    auto source = HostPath(ProgramDirectory() + fileName);
    if (!source || !fs::is_regular_file(*source))
        throw EInOutError("Source file doesn't exist.");
    // The host spelling of the name is kept; the copy finds it without regard to case.
    const fs::path copy = target / source->filename();
    fs::copy_file(*source, copy, fs::copy_options::overwrite_existing);
    fs::last_write_time(copy, fs::last_write_time(*source));
}

void TSetupInfo::multiDiskRelaunch() {
    const fs::path temporary = makeTemporaryDirectory();
    const std::string temporaryName =
        AddBackslash(services_.drives.toWindowsPath(temporary).value_or(temporary.string()));
    const std::string programName = ExtractFileName(programPath_);
    ProfileFile notes(services_.notesFile);
    auto giveUp = [&] {
        freeRelaunchDialog();
        std::error_code ignored;
        fs::remove_all(temporary, ignored);
    };
    showRelaunchDialog();
    try {
        copyToTemporary(programName, temporary);
        for (const std::string& name : multiDiskFiles_)
            copyToTemporary(name, temporary);
    } catch (const std::exception&) {
        MessageDlg(GetText(66) + "\r\n" + GetText(67), mtError, mbOK);
        giveUp();
        throw EInOutError(GetText(66));
    }
    notes.writeString(MultiDiskSection, "Source Dir", ProgramDirectory());
    instanceLock_.reset();
    if (!services_.launcher || !services_.launcher->start(temporaryName + programName)) {
        MessageDlg(GetText(71) + "\r\n" + GetText(67), mtError, mbOK);
        // Nothing will read the note or the copy now.
        notes.eraseSection(MultiDiskSection);
        notes.removeIfEmpty();
        giveUp();
        throw EInOutError(GetText(67));
    }
    freeRelaunchDialog();
    relaunched_ = true;
    quit(0);
}

void TSetupInfo::unInstallRelaunch() {
    const fs::path temporary = makeTemporaryDirectory();
    const std::string temporaryName =
        AddBackslash(services_.drives.toWindowsPath(temporary).value_or(temporary.string()));
    const std::string programName = ExtractFileName(programPath_);
    logFile_ = ProgramDirectory() + script_->LogFileName();
    relaunched_ = true;
    FoldInstallJournal(logFile_);
    auto giveUp = [&] {
        freeRelaunchDialog();
        std::error_code ignored;
        fs::remove_all(temporary, ignored);
        quit(kExitFailed);
    };
    showRelaunchDialog();
    // The program itself is copied first; an entry naming it again is not copied twice.
    std::vector<std::string> copied;
    try {
        copyToTemporary(programName, temporary);
        for (const std::string& name : script_->UnInstallFiles()) {
            if (equalsIgnoringCase(name, programName))
                continue;
            copyToTemporary(name, temporary);
            copied.push_back(name);
        }
    } catch (const std::exception&) {
        MessageDlg(GetText(91) + "  " + GetText(89), mtWarning, mbOK);
        giveUp();
        return;
    }
    ProfileFile notes(services_.notesFile);
    const std::string copyPath = temporaryName + programName;
    notes.update([&](lumora::platform::ProfileDocument& document) {
        document.writeString(UnInstallSection, "Program", copyPath);
        if (!logFile_.empty() && script_->LogFileDir())
            document.writeString(UnInstallSection, "Log File", logFile_);
        // Numbered without gaps: the reading side stops at the first missing number.
        for (size_t key = 0; key < copied.size(); ++key)
            document.writeString(UnInstallSection, std::to_string(key), copied[key]);
    });
    // The copy is the one setup running from now on.
    instanceLock_.reset();
    const std::optional<int> status = startCopy(copyPath);
    if (!status) {
        MessageDlg(GetText(93) + " " + GetText(89), mtWarning, mbOK);
        notes.eraseSection(UnInstallSection);
        notes.removeIfEmpty();
        giveUp();
        return;
    }
    freeRelaunchDialog();
    quit(*status);
}

std::optional<int> TSetupInfo::startCopy(const std::string& copyPath) {
    if (!services_.launcher)
        return std::nullopt;
    if (!services_.waitForRelaunch)
        return services_.launcher->start(copyPath) ? std::optional<int>(kExitSuccess)
                                                   : std::nullopt;
    // Unattended: the copy does the work, so its status is this run's.
    LaunchRequest request;
    request.commandLine = "\"" + copyPath + "\"";
    for (const std::string& argument : services_.relaunchArguments)
        request.commandLine += " \"" + argument + "\"";
    request.wait = true;
    const LaunchResult result = services_.launcher->launch(request);
    if (!result.started)
        return std::nullopt;
    return result.errorCode != 0 ? kExitFailed : result.exitCode;
}

// --- Shutdown -----------------------------------------------------------------------

TSetupInfo::~TSetupInfo() {
    try {
        Shutdown();
    } catch (const std::exception& error) {
        try {
            services_.interaction->showStandardMessage(error.what(), mtError, mbOK);
        } catch (...) {
        }
    }
}

void TSetupInfo::Shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    instanceLock_.reset();
    targetLocks_.clear();
    std::exception_ptr logError;
    // A run that only relaunched itself leaves the log to its copy, which reads and
    // deletes it.
    if (started_ && !unInstallDone_ && !relaunched_) {
        try {
            WriteInstallLog();
        } catch (...) {
            logError = std::current_exception();
        }
    }
    // The working copy of an uninstall goes however the uninstall ended: a cancelled
    // one is started afresh from the installed setup.
    if (attemptUnInstall_ || multiDisk_)
        removeTemporaryCopies();
    if (logError)
        std::rethrow_exception(logError);
}

void TSetupInfo::removeTemporaryCopies() {
    std::error_code ignored;
    if (attemptUnInstall_) {
        for (const std::string& name : script_->UnInstallFiles()) {
            if (name == programPath_)
                continue;
            if (auto host = HostPath(name))
                fs::remove(*host, ignored);
        }
    }
    if (multiDisk_) {
        for (const std::string& name : multiDiskFiles_)
            if (auto host = HostPath(ProgramDirectory() + name))
                fs::remove(*host, ignored);
    }
    fs::remove(services_.programFile, ignored);
    // The private directory the first run made for this copy goes too, when it is
    // one of ours and nothing else is left in it.
    const fs::path directory = services_.programFile.parent_path();
    if (directory.filename().string().rfind(PrivatePrefix, 0) == 0)
        fs::remove(directory, ignored);
}

} // namespace setupkit
