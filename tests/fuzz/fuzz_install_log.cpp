// The install log and its journal: an existing log (before the NUL) and a journal left
// by a setup that did not end (after it) fold into one log; folding the same journal
// into that log again changes nothing.

#include "fuzz_check.h"
#include "fuzz_scratch.h"
#include "platform/profile_document.h"
#include "setup/engine/install_journal.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>

using lumora::fuzz::require;
using lumora::fuzz::scratchFile;

namespace {

std::string contentsOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The journal without the records a log line cannot hold as a key: a name with '=' in
// it, or one read as a section or comment, or with blanks around it.
std::string keepable(std::string_view journal) {
    std::string kept;
    while (!journal.empty()) {
        const auto end = journal.find('\n');
        const std::string_view line = journal.substr(0, end);
        journal = end == std::string_view::npos ? std::string_view() : journal.substr(end + 1);
        const std::string_view value = line.size() > 2 ? line.substr(2) : std::string_view();
        const bool blanks = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                               value.back() == ' ' || value.back() == '\t');
        if (value.find('=') != std::string_view::npos || value.starts_with('[') ||
            value.starts_with(';') || blanks)
            continue;
        kept.append(line);
        if (end != std::string_view::npos)
            kept += '\n';
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view log = lumora::fuzz::asText(data, size);
    std::string_view journal;
    if (const auto nul = log.find('\0'); nul != std::string_view::npos) {
        journal = log.substr(nul + 1);
        log = log.substr(0, nul);
    }
    const auto exists = [](const std::string& path) { return path.size() % 2 == 1; };
    const auto logFile = scratchFile("INSTALL.LOG", log);
    const std::string kept = keepable(journal);
    const auto journalFile = scratchFile("INSTALL.LOG.journal", kept);
    setupkit::foldInstallJournal(journalFile, logFile, exists);
    require(!std::filesystem::exists(journalFile), "a folded journal stays");
    const std::string folded = contentsOf(logFile);

    scratchFile("INSTALL.LOG.journal", kept);
    setupkit::foldInstallJournal(journalFile, logFile, exists);
    require(contentsOf(logFile) == folded, "folding a journal twice changes the log");
    const auto document = lumora::platform::ProfileDocument::parse(folded);
    require(document.serialize() == folded, "a folded log is not in the log's own form");
    return 0;
}
