#include "page_work.h"

#include "editor/logic/page_file.h"
#include "platform/atomic_file.h"
#include "tags/compressor.h"

#include <filesystem>
#include <system_error>

namespace lumora::batch {

namespace fs = std::filesystem;

std::string readPageBytes(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        throw PageRefused("cannot open: " +
                          (error ? error.message() : std::string("No such file or directory")));
    if (fs::is_directory(status))
        throw PageRefused("is a directory");
    if (!fs::is_regular_file(status))
        throw PageRefused("not a regular file");
    std::string bytes;
    try {
        bytes = platform::readWholeFile(path);
    } catch (const platform::FileError& failure) {
        const std::string what = failure.what();
        const std::string prefix = path + ": ";
        throw PageRefused("cannot read: " +
                          (what.starts_with(prefix) ? what.substr(prefix.size()) : what));
    }
    if (text::looksBinary(bytes))
        throw PageRefused(std::string(text::kBinaryFileReason));
    return bytes;
}

std::string writePage(const PageRequest& request, const text::Lines& lines,
                      text::PageEncoding encoding) {
    const std::string target = request.output.empty() ? request.path : request.output;
    if (!request.output.empty()) {
        const fs::path directory = fs::path(target).parent_path();
        std::error_code error;
        if (!directory.empty())
            fs::create_directories(directory, error);
        if (error)
            throw PageRefused("cannot create directory " + directory.string() + ": " +
                              error.message());
    }
    try {
        // A page written into the output folder mostly replaces nothing; such pages
        // reach the disk together when the run ends (syncOutputFolder).
        editor::savePageFile(target, lines, encoding,
                             request.output.empty() ? platform::NewFileSync::Each
                                                    : platform::NewFileSync::Later);
    } catch (const platform::FileError& failure) {
        throw PageRefused(std::string("cannot write ") + failure.what());
    }
    return target;
}

PageResult compressPageFile(const PageRequest& request, const Options& options) {
    PageResult result;
    result.path = request.path;
    try {
        text::DecodedPage page = text::decodePage(readPageBytes(request.path));
        result.changed = tags::compressPage(page.lines);
        if (!options.dryRun && (result.changed || !request.output.empty()))
            result.output = writePage(request, page.lines, page.encoding);
    } catch (const PageRefused& refused) {
        return errorResult(request.path, refused.what());
    }
    return result;
}

} // namespace lumora::batch
