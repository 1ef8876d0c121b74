#pragma once
// What the file copy page installs, worked out from the install set: the target
// directories, the copy list in its order (disk, file name, directory; sorted as text)
// and when a disk must be asked for.

#include "setup/engine/message_catalogue.h"
#include "setup/script/setup_data.h"
#include "setup/script/setup_dir.h"
#include "setup/script/setup_file.h"
#include "setup/script/setup_file_group.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit {

// One target directory path and the script directories that lead to it (usually one).
struct TargetDirectory {
    std::string path; // full Windows path with a trailing backslash
    std::vector<TSetupDir*> dirs;
};

// Compares as the installer sorts its lists: as text, without regard to ASCII case.
bool lessAsText(std::string_view a, std::string_view b);

// Every directory of the install set that is selected and receives a file (or any
// selected one with createEmptyDirs), one entry per path, sorted as text so that a
// parent comes before its subdirectories. Directories without a path are left out.
std::vector<TargetDirectory> targetDirectories(const TSetupFileGroup& installSet,
                                               std::span<TSetupDir* const> selectedDirs,
                                               bool createEmptyDirs);

// The disk of a copy entry whose file the script puts on no disk: it is listed all
// the same, so that the copy reports it instead of leaving it out unseen.
inline constexpr int NoDisk = 0;

struct CopyEntry {
    int disk = 1;
    std::string fileName;
    std::string targetDir; // with a trailing backslash
    TSetupFile* file = nullptr;

    // disk + "::" + file name + "::" + target directory, the text the list is sorted by.
    std::string text() const;
};

// One entry for each file the install set holds for a target directory and each disk
// that carries the file (one with NoDisk when none does), sorted as text (so disk 10
// comes before disk 2).
std::vector<CopyEntry> buildCopyList(const std::vector<TargetDirectory>& targets,
                                     const TSetupFileGroup& installSet, const TSetupData& script);

// The total bar's maximum: the sum of the entries' file sizes.
std::int64_t totalCopySize(const std::vector<CopyEntry>& entries);

// Whether the run must ask for the entry's disk: only when it differs from the current
// disk, and never in test mode with a source that is not on a floppy drive.
bool needsDiskPrompt(int entryDisk, int currentDisk, std::string_view sourceDir, bool testMode);

// "Please insert disk %d labeled %s."
std::string diskPromptText(const MessageCatalogue& texts, int disk, std::string_view description);

// "FILE COPY ERROR: %s located on disk %d."
std::string fileCopyErrorText(const MessageCatalogue& texts, std::string_view file, int disk);

} // namespace setupkit
