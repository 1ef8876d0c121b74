#include "setup/pages/file_copy_run.h"

#include "setup/engine/decompression_library.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_pump.h"
#include "setup/engine/setup_page.h"
#include "setup/pages/directory_creation.h"
#include "setup/pages/file_install.h"
#include "setup/pages/space_check.h"

#include <iostream>

namespace setupkit {

namespace {

constexpr auto TimeSlice = std::chrono::milliseconds(20);

// Releases the library however the run ends.
struct LibraryRelease {
    DecompressionLibrary& library;
    ~LibraryRelease() { library.release(); }
};

} // namespace

void postToWizardDialog(void* window, std::uint32_t message, std::uintptr_t /*wParam*/,
                        std::intptr_t lParam) {
    if (window && message == DecompressionProgressMessage)
        static_cast<WizardDialog*>(window)->postCopyProgress(static_cast<int>(lParam));
}

FileCopyRun::FileCopyRun(TSetupPage& page, TSetupInfo& info, FileCopyDisplay& display,
                         FileCopySettings settings, bool& abort)
    : page_(page), info_(info), display_(display), settings_(std::move(settings)), abort_(abort) {}

int FileCopyRun::ask(const std::string& text, int kind, unsigned buttons) {
    return info_.MessageDlg(text, kind, buttons);
}

void FileCopyRun::processMessages() {
    if (SetupMessagePump* pump = info_.Services().pump)
        pump->processMessages();
    lastSlice_ = std::chrono::steady_clock::now();
}

void FileCopyRun::flushProgress() {
    if (pendingProgress_ != 0)
        display_.addProgress(pendingProgress_);
    pendingProgress_ = 0;
}

void FileCopyRun::addProgress(std::int64_t bytes) {
    pendingProgress_ += bytes;
    if (std::chrono::steady_clock::now() - lastSlice_ < TimeSlice)
        return;
    flushProgress();
    processMessages();
}

bool FileCopyRun::keepsGoing() const {
    return !abort_ && page_.PageState() != psCancelled;
}

FileCopyOutcome FileCopyRun::run() {
    sourceDir_ = info_.MultiDisk() ? info_.SourceDir() : info_.ProgramDirectory();
    abort_ = false;
    lastSlice_ = std::chrono::steady_clock::now();

    if (!spaceSuffices())
        return FileCopyOutcome::NotEnoughSpace;

    DecompressionLibrary library = DecompressionLibrary::besideProgram();
    const LibraryRelease release{library};

    std::vector<TargetDirectory> targets = makeDirectories();
    if (abort_)
        return FileCopyOutcome::Cancelled;

    const TSetupData& script = info_.SetupData();
    const std::vector<CopyEntry> list = buildCopyList(targets, info_.InstallSet(), script);
    processMessages();
    display_.startTotal(totalCopySize(list));

    const FileInspector inspect = hostFileInspector(info_.Services().drives, &library);
    loadChecksums();
    int currentDisk = 1;
    for (std::size_t next = 0; next < list.size() && keepsGoing(); ++next) {
        const CopyEntry& entry = list[next];
        display_.showFilesLeft(list.size() - next);
        // A file on no disk has no disk to ask for; its copy reports the fault.
        if (entry.disk != NoDisk &&
            needsDiskPrompt(entry.disk, currentDisk, sourceDir_, info_.Test())) {
            askForDisk(entry.disk);
            if (abort_)
                break;
            loadChecksums();
        }
        if (entry.disk != NoDisk)
            currentDisk = entry.disk;
        const std::string source =
            (info_.Test() ? entry.file->Source() : sourceDir_) + entry.fileName;
        installFile(entry, source, entry.targetDir + entry.fileName, library, inspect);
    }
    flushProgress();
    return keepsGoing() ? FileCopyOutcome::Finished : FileCopyOutcome::Cancelled;
}

bool FileCopyRun::spaceSuffices() {
    const auto& drives = info_.Services().drives;
    const auto shortfalls =
        drivesTooSmall(spaceNeededPerDrive(info_.InstallSet(), info_.SelectedDirs()),
                       [&drives](char drive) { return driveFreeSpace(drives, drive); });
    for (const DriveShortfall& shortfall : shortfalls) {
        if (settings_.onDriveTooSmall)
            settings_.onDriveTooSmall(&page_, shortfall.drive, shortfall.needed,
                                      shortfall.available);
        else
            info_.Services().interaction->showStandardMessage(
                driveTooSmallWarning(info_.Catalogue(), shortfall,
                                     drives.toHostPath(std::string(1, shortfall.drive) + ":\\")
                                         .value_or("")
                                         .string()),
                mtWarning, mbOK);
    }
    return shortfalls.empty();
}

std::vector<TargetDirectory> FileCopyRun::makeDirectories() {
    auto creation = createTargetDirectories(
        info_.Services().drives,
        targetDirectories(info_.InstallSet(), info_.SelectedDirs(), settings_.createEmptyDirs),
        [this](const std::string& path) {
            if (ask(directoryFailureText(info_.Catalogue(), path), mtWarning, mbYes | mbNo) ==
                mrYes)
                abort_ = true;
        },
        [this](const std::string& path) { info_.IntendToCreateDir(path); });
    for (const std::string& created : creation.created)
        info_.AddCreatedDir(created);
    return std::move(creation.targets);
}

void FileCopyRun::loadChecksums() {
    // Each disk (the distribution folder) may carry the checksums of its files; test
    // mode copies from the files' own folders, which carry none.
    checksums_.reset();
    if (!info_.Test())
        if (const auto folder = info_.Services().drives.toHostPath(sourceDir_))
            checksums_ = lumora::platform::readChecksumList(*folder);
}

void FileCopyRun::askForDisk(int disk) {
    const TSetupDisk* described = info_.SetupData().GetDisk(disk);
    const std::string text = diskPromptText(info_.Catalogue(), disk,
                                            described ? described->Description() : std::string());
    if (ask(text, mtInformation, mbOK | mbCancel) == mrCancel)
        abort_ = true;
}

void FileCopyRun::installFile(const CopyEntry& entry, const std::string& source,
                              const std::string& target, const DecompressionLibrary& library,
                              const FileInspector& inspect) {
    const std::int64_t size = entry.file->Size();
    display_.showSource(source);
    display_.showTarget(target);
    processMessages();

    if (source == target) {
        ask(info_.GetText(48) + ":" + source, mtInformation, mbOK);
        display_.addProgress(size);
        return;
    }
    TSetupOverWriteOptions& overWrite = *settings_.overWrite;
    const AskUser askUser = [this](const std::string& text, int kind, unsigned buttons) {
        return ask(text, kind, buttons);
    };
    const OverwriteDecision decision = decideOverwrite(overWrite, {source, target, entry.disk},
                                                       inspect, info_.Catalogue(), askUser, abort_);
    if (!decision.copy) {
        display_.addProgress(size);
        return;
    }

    const bool expands = entry.file->Compressed() && !info_.Test();
    // A size of 0 is a record never filled in from the file (the form as written
    // before the build), which gives nothing to hold the file to.
    const std::int64_t shippedSize = expands ? entry.file->CompressedSize() : size;
    FileExpectation expected{size > 0 ? size : -1, shippedSize > 0 ? shippedSize : -1,
                             std::nullopt};
    // The distribution's list describes the file as it ships, checksum and all.
    if (checksums_)
        if (const auto recorded = checksums_->find(entry.fileName); recorded != checksums_->end()) {
            expected.shippedSize = static_cast<std::int64_t>(recorded->second.size);
            expected.shippedCrc = recorded->second.crc;
        }
    // Only an expansion reports to the dialog; a plain copy needs none.
    ProgressTarget posted;
    if (expands)
        posted = {postToWizardDialog, &page_.Dialog(), DecompressionProgressMessage};
    // Announced before the copy, so that a kill during it cannot leave the file (or
    // its part) unrecorded.
    if (!decision.targetExisted)
        info_.IntendToInstallFile(target);
    for (;;) {
        display_.startFile(expands ? entry.file->CompressedSize() : size);
        std::string cause;
        try {
            if (entry.disk == NoDisk)
                throw EInOutError("Error opening source file.",
                                  "the install script puts it on no install disk");
            copyOrExpandFile(
                info_.Services().drives, source, target, entry.file->Compressed(), info_.Test(),
                &library, info_.Catalogue(), [this](int bytes) { addProgress(bytes); }, posted,
                expected);
            flushProgress();
            if (!decision.targetExisted)
                info_.AddInstalledFile(target);
            processMessages();
            return;
        } catch (const EInOutError& error) {
            flushProgress();
            cause = error.cause();
            std::cerr << "setup: copying " << source << " to " << target
                      << " failed: " << error.what() << (cause.empty() ? "" : " (" + cause + ")")
                      << "\n";
        }
        switch (askAboutFileError(info_.Catalogue(), askUser, entry.fileName, entry.disk, abort_,
                                  cause)) {
        case FileErrorOutcome::Retry:
            continue;
        case FileErrorOutcome::Ignore:
            display_.addProgress(size);
            return;
        case FileErrorOutcome::Leave:
            return;
        }
    }
}

} // namespace setupkit
