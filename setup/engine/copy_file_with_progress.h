#pragma once
// The installer's file copy: copies one file with a progress report after every
// 2048-byte block. The new file is written beside the target and takes the target's
// name only when it is complete, so a copy that fails leaves the old target as it was.

#include "setup/engine/in_out_error.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace lumora::platform {
class DriveMap;
}

namespace setupkit {

// Called with the byte count of each 2048-byte block copied; the last call reports the
// final short block (0 bytes when the size is a multiple of 2048).
using CopyProgress = std::function<void(int blockBytes)>;

inline constexpr int CopyProgressBlock = 2048;

// Copies `source` to `target` (host paths). The target gets the source's permission
// bits and modification time; a target that is a symbolic link is replaced, not
// followed. With `expectedSize` (not -1) a source of any other size is refused before
// the target is touched. Throws EInOutError with the user's message and the cause:
//   "Source file doesn't exist."   the source is missing
//   "Error opening source file."   it cannot be opened, is no regular file or has
//                                  another size than expected
//   "Error opening target file."   the new file cannot be made or put in place
//   "Error during file copy."      reading or writing failed, or the source changed size
// An exception thrown by the callback ends the copy the same way and passes through.
void CopyFileWithProgress(const std::filesystem::path& source, const std::filesystem::path& target,
                          const CopyProgress& callback = {}, std::int64_t expectedSize = -1);

// The same for Windows paths named through the drive map. A source on no mapped drive
// does not exist; a target on none cannot be opened.
void CopyFileWithProgress(const lumora::platform::DriveMap& drives, std::string_view source,
                          std::string_view target, const CopyProgress& callback = {},
                          std::int64_t expectedSize = -1);

} // namespace setupkit
