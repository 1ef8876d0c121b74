// The install journal: the records read from a journal, written as journal lines again,
// read back the same.

#include "fuzz_check.h"
#include "setup/engine/install_journal.h"

#include <cstddef>
#include <cstdint>
#include <tuple>

using lumora::fuzz::require;
using namespace setupkit;

namespace {

bool sameContents(const JournalContents& a, const JournalContents& b) {
    return std::tie(a.directories, a.createdDirs, a.files, a.intendedDirs, a.intendedFiles,
                    a.groups, a.bdeType) == std::tie(b.directories, b.createdDirs, b.files,
                                                     b.intendedDirs, b.intendedFiles, b.groups,
                                                     b.bdeType);
}

// The journal's lines for these contents; false when a record cannot be kept.
bool written(const JournalContents& contents, std::string& out) {
    bool whole = true;
    auto add = [&](JournalRecord kind, const std::string& text) {
        const std::string line = journalLine(kind, text);
        whole = whole && !line.empty();
        out += line;
    };
    for (const auto& [name, dir] : contents.directories)
        add(JournalRecord::Directory, name + "\t" + dir);
    for (const auto& dir : contents.createdDirs)
        add(JournalRecord::CreatedDir, dir);
    for (const auto& file : contents.files)
        add(JournalRecord::File, file);
    for (const auto& dir : contents.intendedDirs)
        add(JournalRecord::DirIntent, dir);
    for (const auto& file : contents.intendedFiles)
        add(JournalRecord::FileIntent, file);
    for (const auto& [group, item] : contents.groups)
        add(JournalRecord::Group, group == item ? group : group + ":~:" + item);
    add(JournalRecord::BDEType, std::to_string(contents.bdeType));
    return whole;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const JournalContents contents = parseInstallJournal(lumora::fuzz::asText(data, size));
    std::string text;
    if (written(contents, text))
        require(sameContents(parseInstallJournal(text), contents),
                "a journal written from its records reads back other records");

    // Announcements whose targets exist (here: odd-length paths) become records.
    JournalContents settled = contents;
    settleIntents(settled, [](const std::string& path) { return path.size() % 2 == 1; });
    require(settled.intendedDirs.empty() && settled.intendedFiles.empty(),
            "announcements are left after settling");
    require(settled.createdDirs.size() >= contents.createdDirs.size() &&
                settled.files.size() >= contents.files.size(),
            "settling lost a record");
    return 0;
}
