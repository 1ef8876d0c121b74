#include "setup/pages/file_install.h"

#include "platform/file_checksum.h"
#include "setup/engine/message_box_types.h"
#include "setup/pages/copy_plan.h"

namespace setupkit {

namespace {

// The longest cause the copy error box shows; the log on standard error has it whole.
constexpr std::size_t CauseRoom = 160;

void checkSource(const std::filesystem::path& source, const FileExpectation& expected) {
    if (expected.shippedSize < 0)
        return;
    if (const auto mismatch = lumora::platform::fileMismatch(
            source, static_cast<std::uint64_t>(expected.shippedSize), expected.shippedCrc))
        throw EInOutError("Error opening source file.", *mismatch);
}

void checkTarget(const std::filesystem::path& target, std::int64_t size) {
    if (size < 0)
        return;
    if (const auto mismatch =
            lumora::platform::fileMismatch(target, static_cast<std::uint64_t>(size), std::nullopt))
        throw EInOutError("Error during file copy.", "the installed file: " + *mismatch);
}

} // namespace

void copyOrExpandFile(const lumora::platform::DriveMap& drives, std::string_view source,
                      std::string_view target, bool compressed, bool testMode,
                      const DecompressionLibrary* library, const MessageCatalogue& texts,
                      const CopyProgress& callback, const ProgressTarget& progress,
                      const FileExpectation& expected) {
    const auto hostSource = drives.toHostPath(source);
    const auto hostTarget = drives.toHostPath(target);
    if (testMode) {
        // Test mode copies the files as they lie in their source folders, unpacked and
        // perhaps rebuilt since the script was written: nothing to hold them to.
        CopyFileWithProgress(drives, source, target, callback);
        return;
    }
    if (!compressed) {
        if (hostSource)
            checkSource(*hostSource, expected);
        CopyFileWithProgress(drives, source, target, callback, expected.size);
        if (hostTarget)
            checkTarget(*hostTarget, expected.size);
        return;
    }
    if (!hostSource)
        throw EInOutError(texts.GetText(49), "its drive is not mapped");
    if (!hostTarget)
        throw EInOutError(texts.GetText(49), "the target's drive is not mapped");
    checkSource(*hostSource, expected);
    if (!library || !library->present())
        throw EInOutError(texts.GetText(49),
                          library && !library->error().empty()
                              ? library->error()
                              : std::string(DecompressionLibraryName) + ": no such library");
    if (!library->canDeCompress())
        throw EInOutError(texts.GetText(49),
                          std::string(DecompressionLibraryName) + " offers no TSDeCompress");
    if (const std::int64_t result = library->TSDeCompress(*hostSource, *hostTarget, progress);
        result < 0)
        throw EInOutError(texts.GetText(49), std::string(DecompressionLibraryName) +
                                                 " could not expand it (error " +
                                                 std::to_string(result) + ")");
    checkTarget(*hostTarget, expected.size);
}

std::string fileErrorText(const MessageCatalogue& texts, std::string_view sourceFileName, int disk,
                          std::string_view cause) {
    std::string text = fileCopyErrorText(texts, sourceFileName, disk);
    if (!cause.empty()) {
        text += "\r\n";
        text += cause.size() > CauseRoom ? std::string(cause.substr(0, CauseRoom)) + "..."
                                         : std::string(cause);
    }
    return text;
}

FileErrorOutcome askAboutFileError(const MessageCatalogue& texts, const AskUser& ask,
                                   std::string_view sourceFileName, int disk, bool& abort,
                                   std::string_view cause) {
    switch (ask(fileErrorText(texts, sourceFileName, disk, cause), mtWarning,
                mbAbort | mbRetry | mbIgnore)) {
    case mrRetry:
        return FileErrorOutcome::Retry;
    case mrIgnore:
        return FileErrorOutcome::Ignore;
    case mrAbort:
        if (ask(texts.GetText(45), mtConfirmation, mbYes | mbNo) == mrYes)
            abort = true;
        return FileErrorOutcome::Leave;
    default:
        return FileErrorOutcome::Leave;
    }
}

} // namespace setupkit
