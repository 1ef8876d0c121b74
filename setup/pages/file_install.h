#pragma once
// One file of the copy page's run: the copy or expansion itself, and the question after
// a failure (Abort, Retry, Ignore).

#include "platform/drive_map.h"
#include "setup/engine/copy_file_with_progress.h"
#include "setup/engine/decompression_library.h"
#include "setup/engine/message_catalogue.h"
#include "setup/pages/overwrite_rule.h"

#include <string>
#include <string_view>

namespace setupkit {

// Copies the file (Windows paths), or expands it through the library when it is
// compressed and the run is not in test mode. A copy reports its blocks to `callback`;
// an expansion posts its progress to `progress`. Throws EInOutError: the copy's own
// messages, or text 49 "Compression error." when the library is absent, lacks
// TSDeCompress, or fails.
void copyOrExpandFile(const lumora::platform::DriveMap& drives, std::string_view source,
                      std::string_view target, bool compressed, bool testMode,
                      const DecompressionLibrary* library, const MessageCatalogue& texts,
                      const CopyProgress& callback = {}, const ProgressTarget& progress = {});

enum class FileErrorOutcome {
    Retry,  // try the file again
    Ignore, // skip it; its size still counts on the bars
    Leave,  // leave the file (the abort flag may have been set)
};

// Asks "FILE COPY ERROR: %s located on disk %d." with Abort, Retry and Ignore; Abort
// asks "Abort file copy?" and Yes sets `abort`.
FileErrorOutcome askAboutFileError(const MessageCatalogue& texts, const AskUser& ask,
                                   std::string_view sourceFileName, int disk, bool& abort);

} // namespace setupkit
