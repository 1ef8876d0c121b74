#pragma once
// One file of the copy page's run: the copy or expansion itself, and the question after
// a failure (Abort, Retry, Ignore).

#include "platform/drive_map.h"
#include "setup/engine/copy_file_with_progress.h"
#include "setup/engine/decompression_library.h"
#include "setup/engine/message_catalogue.h"
#include "setup/pages/overwrite_rule.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace setupkit {

// What a file must be for its copy to count: the sizes the install script records
// and the checksum the distribution's list records for the file as it ships.
struct FileExpectation {
    std::int64_t size = -1;        // installed size; -1: not checked
    std::int64_t shippedSize = -1; // the source's size (the compressed size when it expands)
    std::optional<std::uint32_t> shippedCrc;
};

// Copies the file (Windows paths), or expands it through the library when it is
// compressed and the run is not in test mode. A copy reports its blocks to `callback`;
// an expansion posts its progress to `progress`. The source is checked against
// `expected` before anything is written, the target after. Throws EInOutError with a
// cause: the copy's own messages, "Error opening source file." for a source that is
// not as recorded, text 49 "Compression error." when the library is absent (the cause
// names it), lacks TSDeCompress, or fails, and "Error during file copy." for a target
// of another size than recorded.
void copyOrExpandFile(const lumora::platform::DriveMap& drives, std::string_view source,
                      std::string_view target, bool compressed, bool testMode,
                      const DecompressionLibrary* library, const MessageCatalogue& texts,
                      const CopyProgress& callback = {}, const ProgressTarget& progress = {},
                      const FileExpectation& expected = {});

enum class FileErrorOutcome {
    Retry,  // try the file again
    Ignore, // skip it; its size still counts on the bars
    Leave,  // leave the file (the abort flag may have been set)
};

// "FILE COPY ERROR: %s located on disk %d.", with the cause on a line of its own
// when there is one (cut to a length the box can show).
std::string fileErrorText(const MessageCatalogue& texts, std::string_view sourceFileName, int disk,
                          std::string_view cause);

// Asks the text above with Abort, Retry and Ignore; Abort asks "Abort file copy?" and
// Yes sets `abort`.
FileErrorOutcome askAboutFileError(const MessageCatalogue& texts, const AskUser& ask,
                                   std::string_view sourceFileName, int disk, bool& abort,
                                   std::string_view cause = {});

} // namespace setupkit
