#include "setup/pages/overwrite_rule.h"

#include "platform/file_access.h"
#include "setup/engine/message_box_types.h"
#include "setup/pages/catalogue_format.h"

#include <ctime>

namespace setupkit {

namespace {

std::optional<std::filesystem::path> hostPath(const lumora::platform::DriveMap& drives,
                                              const std::string& path) {
    return drives.toHostPath(path);
}

FileFacts statFacts(const std::optional<std::filesystem::path>& host) {
    std::error_code error;
    const auto status = host ? lumora::platform::pathStatus(*host, error) : std::nullopt;
    if (!status || !status->regular)
        return {};
    return {static_cast<std::int64_t>(status->size), status->seconds};
}

bool sourceIsNewer(const FileFacts& source, const FileFacts& target) {
    if (!source.date)
        return false;
    return !target.date || *source.date > *target.date;
}

} // namespace

FileInspector hostFileInspector(const lumora::platform::DriveMap& drives,
                                const DecompressionLibrary* library) {
    FileInspector inspect;
    inspect.exists = [&drives](const std::string& path) {
        const auto host = hostPath(drives, path);
        std::error_code error;
        return host && lumora::platform::pathStatus(*host, error);
    };
    inspect.fileFacts = [&drives](const std::string& path) {
        return statFacts(hostPath(drives, path));
    };
    inspect.sourceFacts = [&drives, library](const std::string& path) {
        const auto host = hostPath(drives, path);
        if (host && library && library->present()) {
            const std::int64_t size = library->TSIsCompressed(*host);
            if (size != -1) {
                const std::int64_t stamp = library->TSCompressedFileTimeStamp(*host);
                return FileFacts{size, stamp == -1 ? std::nullopt : std::optional(stamp)};
            }
        }
        return statFacts(host);
    };
    return inspect;
}

std::string localDateTimeText(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!::localtime_r(&time, &local))
        return {};
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, length);
}

OverwriteDecision decideOverwrite(TSetupOverWriteOptions& overWrite, const OverwriteFile& file,
                                  const FileInspector& inspect, const MessageCatalogue& texts,
                                  const AskUser& ask, bool& abort, const DateTimeText& dateText) {
    OverwriteDecision decision;
    decision.targetExisted = inspect.exists(file.target);
    if (overWrite == swAlways || !decision.targetExisted) {
        decision.copy = true;
        return decision;
    }
    if (overWrite == swNever)
        return decision;
    if (overWrite == swOlder) {
        decision.copy =
            sourceIsNewer(inspect.fileFacts(file.source), inspect.fileFacts(file.target));
        return decision;
    }

    for (;;) {
        const FileFacts source = inspect.sourceFacts(file.source);
        const FileFacts target = inspect.fileFacts(file.target);
        if (source.size == -1 || target.size == -1) {
            const bool sourceUnreadable = source.size == -1;
            const std::string text =
                formatCatalogueText(texts.GetText(50),
                                    {sourceUnreadable ? file.source : file.target,
                                     decimal(sourceUnreadable ? file.disk : 0)}) +
                "\r\n" + texts.GetText(46);
            const int answer = ask(text, mtWarning, mbYes | mbAbort | mbRetry);
            if (answer == mrRetry)
                continue;
            if (answer == mrAbort)
                abort = true;
            return decision;
        }

        const std::string pattern = texts.GetText(51) + "\r\n" + "%s " + texts.GetText(52) +
                                    "\r\n" + texts.GetText(53) + "\r\n" + "%s " + texts.GetText(52);
        const std::string text = formatCatalogueText(
            pattern, {file.target, target.date ? dateText(*target.date) : std::string(),
                      decimal(target.size), file.target,
                      source.date ? dateText(*source.date) : std::string(), decimal(source.size)});
        switch (ask(text, mtConfirmation, mbYes | mbNo | mbAbort | mbAll)) {
        case mrYes:
            decision.copy = true;
            break;
        case mrAll:
            overWrite = swAlways;
            decision.copy = true;
            break;
        case mrAbort:
            if (ask(texts.GetText(45), mtConfirmation, mbYes | mbNo) == mrYes)
                abort = true;
            else
                decision.copy = true;
            break;
        default:
            break;
        }
        return decision;
    }
}

} // namespace setupkit
