#include "setup/pages/file_install.h"

#include "setup/engine/message_box_types.h"
#include "setup/pages/copy_plan.h"

namespace setupkit {

void copyOrExpandFile(const lumora::platform::DriveMap& drives, std::string_view source,
                      std::string_view target, bool compressed, bool testMode,
                      const DecompressionLibrary* library, const MessageCatalogue& texts,
                      const CopyProgress& callback, const ProgressTarget& progress) {
    if (!compressed || testMode) {
        CopyFileWithProgress(drives, source, target, callback);
        return;
    }
    const auto hostSource = drives.toHostPath(source);
    const auto hostTarget = drives.toHostPath(target);
    if (!library || !library->canDeCompress() || !hostSource || !hostTarget ||
        library->TSDeCompress(*hostSource, *hostTarget, progress) < 0)
        throw EInOutError(texts.GetText(49));
}

FileErrorOutcome askAboutFileError(const MessageCatalogue& texts, const AskUser& ask,
                                   std::string_view sourceFileName, int disk, bool& abort) {
    switch (ask(fileCopyErrorText(texts, sourceFileName, disk), mtWarning,
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
