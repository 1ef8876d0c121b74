#include "help_text.h"

namespace lumora::batch {

std::string_view helpText() {
    return R"(NAME
    lumora-batch - Lumora's automatic chain for many pages at once, without a window

SYNOPSIS
    lumora-batch COMMAND [OPTION]... PAGE...

DESCRIPTION
    Runs one of Lumora's commands on every PAGE, exactly as the window does it: a
    fresh window (never shown) opens the page with File, Open, so the sensitivity is
    preset from the page's length, and runs the command. A PAGE that is a directory
    stands for every *.htm* file below it (the name compared without regard to case),
    in sorted order. Pages are read and written with the window's encoding rules
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

OPTIONS
    --no-title, --no-description, --no-keywords, --no-booster, --no-hidden
        Clear the matching box of the window's "Automatic Set Up" group ("Include
        Title", "Include Description", "Include Key Words", "Key Word Booster",
        "Add Hidden Words"). All five are checked by default.

    --no-filter
        Switch "Filter Noise Words" off.

    --filter FILE
        Use FILE as the noise-word list instead of the html_filter.txt that lies
        beside lumora-batch.

    --visible-text
        Check "Read Visible Text": keywords, title and description come from the
        text a visitor sees, the forms of a word counted as one.

    --lang L
        The language of that reading (en, de, fr, es, it, nl, pt, ...) for its
        noise words and word forms, instead of the page's own lang, or English.

    --sensitivity N
        Start the scan at sensitivity N (0 to 25) instead of the length preset.

    -o DIR, --output DIR
        Write results below DIR instead of over the pages, mirroring each page's
        path relative to the current directory (a page outside it keeps its whole
        path below DIR). Directories are created as needed. Only pages that were
        worked on successfully are written. For auto and compress.

    --dry-run
        Do everything but write.

    --json
        Print one JSON object per page and line: path, status ("ok",
        "unchanged", "failed" or "error"), reason, messages (every text the window
        showed, in order), keywords and sensitivity (keywords, auto), title and
        description (auto), changed and output (auto, compress).

    -j N, --jobs N
        Work on N pages at a time, each in a worker process of its own. Default:
        the number of processor cores. Results are printed in the order of the
        pages all the same.

    -h, --help
        Show this text.

OUTPUT
    One report per page on standard output, in page order. Pages that cannot be
    worked on (missing, unreadable, a binary file, a directory without pages) are
    reported on standard error, and the run goes on with the next page. While
    standard error is a terminal, it also shows how many pages are done.

EXIT STATUS
    0   every page succeeded
    1   a page failed, was left unchanged or could not be worked on
    2   bad usage (unknown option, missing command or pages, unreadable
        noise-word list)

EXAMPLES
    lumora-batch auto site
        Build the tags of every page of the site in place.

    lumora-batch auto --no-hidden -o out site
        Write the results to out/site/... and leave the site as it is.

    lumora-batch test --json index.htm
)";
}

} // namespace lumora::batch
