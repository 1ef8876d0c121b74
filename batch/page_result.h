#pragma once
// What a run found out about one page, and how it is shown: a line (or a few) of text
// per page, or one JSON object per line with --json.

#include "batch/batch_options.h"

#include <string>
#include <vector>

namespace lumora::batch {

enum class PageStatus {
    Ok,        // the command did its work
    Unchanged, // auto: the chain ended before the tags were built; the page stays
    Failed,    // the page failed the tag test
    Error,     // the page could not be read or written
};

const char* statusName(PageStatus status);

struct PageResult {
    std::string path;
    PageStatus status = PageStatus::Ok;
    std::string reason;                // why the status is not Ok
    std::vector<std::string> messages; // every text the window showed, in order
    std::vector<std::string> keywords; // the scan's settled list (keywords, auto)
    int sensitivity = -1;              // where the scan ended; -1 when it did not run
    std::string title;                 // auto: the accepted proposals
    std::string description;
    bool changed = false; // auto, compress: the page's text changed
    std::string output;   // the file written; empty when nothing was written

    bool operator==(const PageResult&) const = default;
};

// An error result for a page that never reached its command.
PageResult errorResult(std::string path, std::string reason);

// The human-readable report for standard output (may span lines, ends in a line
// break). Errors are reported on standard error instead: see errorLine.
std::string formatText(const PageResult& result, const Options& options);
std::string errorLine(const PageResult& result);

// One JSON object on one line (with the line break).
std::string formatJson(const PageResult& result, const Options& options);

// A JSON string literal. Invalid UTF-8 bytes (a file name can hold any byte) become
// U+FFFD so the output stays valid JSON.
std::string jsonString(std::string_view text);

// A page name as the text report shows it: control characters (C0, DEL, C1) escaped
// as in JSON, so a name cannot break or recolour the report's lines, and bytes that
// are not UTF-8 as \xNN. Everything else, backslashes too, as it is.
std::string displayName(std::string_view name);

} // namespace lumora::batch
