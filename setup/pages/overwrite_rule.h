#pragma once
// The copy page's overwrite rule: whether a file is copied over a target that exists,
// by the page's OverWrite setting, the file dates, or the user's answer.

#include "platform/drive_map.h"
#include "setup/engine/decompression_library.h"
#include "setup/engine/message_catalogue.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace setupkit {

enum TSetupOverWriteOptions { swNever, swAlways, swAsk, swOlder };

// A file's size and date as the rule sees them.
struct FileFacts {
    std::int64_t size = -1;           // -1: the file cannot be read
    std::optional<std::int64_t> date; // modification time, seconds since 1970 (UTC)
};

// How the rule learns about the files (Windows paths); asked afresh on every Retry.
struct FileInspector {
    std::function<bool(const std::string&)> exists;
    // The file as the system tells it.
    std::function<FileFacts(const std::string&)> fileFacts;
    // The source as the question shows it: the uncompressed size and the stored date
    // of a compressed file, else fileFacts.
    std::function<FileFacts(const std::string&)> sourceFacts;
};

// Files on the drive map; `library`, when given and present, tells about compressed
// sources. Both must outlive the inspector.
FileInspector hostFileInspector(const lumora::platform::DriveMap& drives,
                                const DecompressionLibrary* library = nullptr);

// Shows a setup message box (text, kind, buttons) and returns the result.
using AskUser = std::function<int(const std::string& text, int kind, unsigned buttons)>;
// A date and time as text in the system's short date and long time format.
using DateTimeText = std::function<std::string(std::int64_t seconds)>;

// The local date and time as the C library's locale writes them ("%x %X").
std::string localDateTimeText(std::int64_t seconds);

struct OverwriteFile {
    std::string source; // Windows paths
    std::string target;
    int disk = 1; // the disk the source lies on
};

struct OverwriteDecision {
    bool copy = false;
    bool targetExisted = false; // a file that replaced another is not recorded
};

// Decides for one file. swAsk asks the user; All turns `overWrite` into swAlways for
// the rest of the page's life, and the answers that abort set `abort`.
OverwriteDecision decideOverwrite(TSetupOverWriteOptions& overWrite, const OverwriteFile& file,
                                  const FileInspector& inspect, const MessageCatalogue& texts,
                                  const AskUser& ask, bool& abort,
                                  const DateTimeText& dateText = localDateTimeText);

} // namespace setupkit
