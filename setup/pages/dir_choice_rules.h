#pragma once
// The directory page's rules that need no window: which typed paths are taken as the
// install directory, the floppy refusal, the path shown when another directory is
// picked in the Browse view, and where the Browse view starts.

#include "platform/drive_map.h"

#include <optional>
#include <string>
#include <string_view>

namespace setupkit {

// The value TargetDir takes for a typed path (with a trailing backslash), or nothing
// when it is not a local absolute path: it must be longer than two characters, begin
// with a letter A to Z (either case), a colon and a backslash, and hold neither "/"
// nor two backslashes in a row.
std::optional<std::string> acceptedTargetDir(std::string_view value);

// Whether the shown target lies on a floppy drive (A: or B:), where the page refuses
// to install.
bool isFloppyTarget(std::string_view shownTarget);

// The path the Browse view offers when `listDirectory` is picked: that directory with a
// trailing backslash, followed by the last `preserveTrailing` directory names of the
// current target, each with a trailing backslash (C:\Lumora\ kept by one name under
// D:\Apps gives D:\Apps\Lumora\). Names stop once the rest of the target is a root.
std::string browsedPath(std::string_view listDirectory, std::string_view targetDir,
                        int preserveTrailing);

// Where the Browse view's directory list starts: the target when it exists, else its
// nearest existing parent; when not even the drive root can be shown, the root of the
// first drive that can be. Windows path without a trailing backslash except at a root;
// empty when no drive can be shown at all.
std::string browseStartDirectory(const lumora::platform::DriveMap& drives,
                                 std::string_view targetDir);

// Whether a Windows path names an existing directory.
bool windowsDirectoryExists(const lumora::platform::DriveMap& drives, std::string_view path);

} // namespace setupkit
