#pragma once
// One run of the file copy page: checks the space on every target drive, makes the
// missing directories, asks for each disk, copies or expands every selected file with
// the overwrite rule and the error question, and records what it made for the install
// log. Toolkit-free: it shows its progress through FileCopyDisplay and lets the
// message loop run through the controller's pump.

#include "platform/file_checksum.h"
#include "setup/pages/copy_plan.h"
#include "setup/pages/overwrite_rule.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace setupkit {

class DecompressionLibrary;
class TSetupComponent;
class TSetupInfo;
class TSetupPage;
struct FileInspector;

// What the run shows while it works; the page draws it on the wizard dialog.
class FileCopyDisplay {
public:
    virtual ~FileCopyDisplay() = default;
    virtual void showFilesLeft(std::size_t count) = 0;
    // Full Windows paths; the display shortens them to fit.
    virtual void showSource(const std::string& path) = 0;
    virtual void showTarget(const std::string& path) = 0;
    // The total bar's maximum; its progress starts at 0.
    virtual void startTotal(std::int64_t maximum) = 0;
    // The file bar's maximum; its progress starts at 0.
    virtual void startFile(std::int64_t maximum) = 0;
    // Adds to both bars, each capped at its maximum.
    virtual void addProgress(std::int64_t bytes) = 0;
};

// Fired instead of the built-in warning when a drive lacks room: the drive letter,
// the bytes needed and the bytes available (-1 when the system cannot tell).
using DriveTooSmallEvent = std::function<void(TSetupComponent* sender, char drive,
                                              std::int64_t needed, std::int64_t available)>;

struct FileCopySettings {
    // The page's setting; an answer of All turns it into swAlways for good.
    TSetupOverWriteOptions* overWrite = nullptr;
    bool createEmptyDirs = false;
    DriveTooSmallEvent onDriveTooSmall;
};

enum class FileCopyOutcome {
    NotEnoughSpace, // nothing was done; the page waits for Cancel
    Cancelled,      // the abort flag was set or the user confirmed Cancel
    Finished,
};

class FileCopyRun {
public:
    // `page` is asked whether the user confirmed Cancel; `abort` is the page's abort
    // flag, cleared at the start.
    FileCopyRun(TSetupPage& page, TSetupInfo& info, FileCopyDisplay& display,
                FileCopySettings settings, bool& abort);

    FileCopyOutcome run();

private:
    bool spaceSuffices();
    std::vector<TargetDirectory> makeDirectories();
    bool keepsGoing() const;
    void askForDisk(int disk);
    void loadChecksums();
    void installFile(const CopyEntry& entry, const std::string& source, const std::string& target,
                     const DecompressionLibrary& library, const FileInspector& inspect);
    // Both bars take progress in time slices, so that a large file is not drawn
    // thousands of times; the message loop runs at the same pace.
    void addProgress(std::int64_t bytes);
    void flushProgress();
    void processMessages();
    int ask(const std::string& text, int kind, unsigned buttons);

    TSetupPage& page_;
    TSetupInfo& info_;
    FileCopyDisplay& display_;
    FileCopySettings settings_;
    bool& abort_;
    std::string sourceDir_;
    std::optional<lumora::platform::ChecksumList> checksums_;
    std::int64_t pendingProgress_ = 0;
    std::chrono::steady_clock::time_point lastSlice_;
};

// Turns the decompression library's progress messages into the wizard dialog's
// message 1027; `window` is the WizardDialog.
void postToWizardDialog(void* window, std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam);

} // namespace setupkit
