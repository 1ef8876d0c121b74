#include "help_text.h"

#include "audit/site_audit.h"
#include "batch/option_table.h"

#include <string>

namespace lumora::batch {

namespace {

constexpr std::string_view kBeforeOptions = R"(NAME
    lumora-batch - Lumora's automatic chain for many pages at once, without a window

SYNOPSIS
    lumora-batch COMMAND [OPTION]... PAGE...

DESCRIPTION
    Runs one of Lumora's commands on every PAGE, exactly as the window does it: the
    window (never shown), as it stands after start-up, opens the page with File,
    Open, so the sensitivity is preset from the page's length, and runs the command.
    Each worker keeps one window and brings it back to that state before each page. A PAGE that is a directory
    stands for every *.htm* file below it (the name compared without regard to case),
    in sorted order, but for compressed copies such as page.html.gz. Pages are read and written with the window's encoding rules
    (UTF-8 when valid, otherwise Windows-1252; CR LF after each line), and every
    write is atomic: a page is never left half-written.

COMMANDS
    keywords
        The keyword list that FULL AUTO GO's scan settles on and the sensitivity it
        ends at. Nothing is written.

    test
        The tag test's messages and its verdict. Nothing is written.

    auto
        FULL AUTO GO with automatic mode, answering OK to every message, accepting
        the first title proposal and the first description proposal and answering
        Yes to the tag builder's question; then the page is saved. A page that fails
        the tag test, or for which no title or description was accepted, is left
        unchanged and reported.

    compress
        Compress HTML: removes empty lines and blanks at line ends. A page that
        needs nothing is not rewritten in place.

    audit
        What every page says to a search engine, and what is missing or repeats
        across the pages: see AUDIT. Reads the pages without a window and writes
        nothing.

OPTIONS
)";

constexpr std::string_view kAuditIntro = R"(
AUDIT
    For each page the audit reads its title, description and keywords as they
    stand (entities decoded, blanks run together), their lengths in characters,
    the tag test's verdict and first message, the character set the page declares
    (meta charset or the http-equiv content type) and the one its bytes are in
    (ascii, utf-8, windows-1252 or utf-16), the lang of its html element and its
    size in bytes. Standard output gets how many pages have each finding, then the
    groups of pages that share a title or a description, the largest first. With
    --json, one object per page and line (path, size, title, description,
    keywords, their lengths, tag_test, tag_message, charset, bytes, lang and
    findings), then one object for the site (pages, counts per finding, limits,
    duplicate_titles and duplicate_descriptions). With --html REPORT, also one
    self-contained HTML file: the summary, a table per finding that links each
    page by its path from the report's folder, and charts of the title and
    description lengths with the limits marked.

    The findings, as --fail-on and --json name them:

)";

constexpr std::string_view kAfterOptions = R"(
OUTPUT
    One report per page on standard output, in page order. Pages that cannot be
    worked on (missing, unreadable, a binary file, a directory without pages) are
    reported on standard error, and the run goes on with the next page. While
    standard error is a terminal, it also shows how many pages are done. Control
    characters in page names are shown escaped, as in JSON (\n, \u001b), and
    bytes that are not UTF-8 as \xNN, so a name cannot break or recolour a line.

EXIT STATUS
    0   every page succeeded
    1   a page failed, was left unchanged or could not be worked on; for audit, a
        page could not be read or a finding named by --fail-on occurred
    2   bad usage (unknown option, missing command or pages, unreadable
        noise-word list)

EXAMPLES
    lumora-batch auto site
        Build the tags of every page of the site in place.

    lumora-batch auto --no-hidden -o out site
        Write the results to out/site/... and leave the site as it is.

    lumora-batch test --json index.htm

    lumora-batch audit --fail-on missing-title,duplicate-title site
        Show what the site's pages say to a search engine; fail when a page has
        no title or shares its title with another.
)";

std::string makeHelp() {
    std::string help(kBeforeOptions);
    help += optionsHelp();
    help += kAuditIntro;
    for (const auto& info : audit::allFindings())
        help += "    " + std::string(info.id) +
                std::string(info.id.size() < 22 ? 24 - info.id.size() : 2, ' ') +
                std::string(info.label) + "\n";
    help += kAfterOptions;
    return help;
}

} // namespace

std::string_view helpText() {
    static const std::string help = makeHelp();
    return help;
}

} // namespace lumora::batch
