#pragma once
// The copy page's directory creation: makes the missing target directories with all
// their missing parents, tells which of them to record for the uninstall (never the
// Windows or system directory themselves), and takes a half-made chain away again.

#include "platform/drive_map.h"
#include "setup/engine/message_catalogue.h"
#include "setup/pages/copy_plan.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit {

struct DirectoryCreation {
    // The target directories that remain usable (one that was made somewhere else than
    // asked is dropped together with the listed directories below it).
    std::vector<TargetDirectory> targets;
    // Directories this run made, each with a trailing backslash, for AddCreatedDir.
    std::vector<std::string> created;
};

// Makes every listed directory (Windows paths) that does not exist. `announce` (if set)
// is told each directory just before it is made, in the order of making, so that a
// record of it can exist first. `onFailure` is called with the full path of each
// directory that could not be made; the run goes on with the next one.
DirectoryCreation
createTargetDirectories(const lumora::platform::DriveMap& drives,
                        std::vector<TargetDirectory> targets,
                        const std::function<void(const std::string&)>& onFailure,
                        const std::function<void(const std::string&)>& announce = {});

// Removes the directory, then its parent, and so on while the path is longer than a
// drive root, stopping silently at the first that cannot be removed (one that is not
// empty) and never removing `keep` or anything above it.
void RemoveDirChain(const lumora::platform::DriveMap& drives, std::string_view path,
                    std::string_view keep = {});

// "Unable to create directory %s." + " " + "Abort file copy?"
std::string directoryFailureText(const MessageCatalogue& texts, std::string_view path);

// The Windows path without one trailing backslash, and its parent ("C:\A\B" -> "C:\A",
// "C:\A" -> "C:").
std::string StripBackslash(std::string_view path);
std::string parentDirectory(std::string_view path);

} // namespace setupkit
