#include "setup/engine/install_journal.h"

#include "common/ascii_case.h"
#include "platform/file_access.h"
#include "platform/profile_file.h"
#include "setup/engine/caseless_sorted_list.h"
#include "setup/engine/setup_paths.h"

#include <fstream>
#include <unordered_set>

namespace setupkit {

namespace fs = std::filesystem;
using lumora::asciiUppered;
using lumora::platform::ProfileDocument;

std::string installJournalPath(std::string_view logPath) {
    return std::string(logPath) + ".journal";
}

std::string groupEntryValue(std::string_view group, std::string_view item) {
    std::string value = std::string(group) + ":~:" + std::string(item);
    if (item == group && value.find(":~:") != group.size())
        return std::string(group);
    return value;
}

std::string journalLine(JournalRecord kind, std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return {};
    std::string line(1, static_cast<char>(kind));
    line += '\t';
    line += text;
    line += '\n';
    return line;
}

bool appendToJournal(const fs::path& journal, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line;
    if (text.empty())
        return true;
    // One write for the batch: a kill lands before or after it, and a short write
    // only ever cuts the last line, which the reader leaves out.
    return lumora::platform::appendToFile(journal, text);
}

JournalContents readInstallJournal(const fs::path& journal) {
    std::ifstream in(journal, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseInstallJournal(text);
}

JournalContents parseInstallJournal(std::string_view text) {
    JournalContents contents;
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        // A carriage return inside a record comes only from damage: the log could not
        // keep it (it would split the record into other lines there).
        if (line.size() < 2 || line[1] != '\t' || line.find('\r') != std::string_view::npos)
            continue;
        const std::string value(line.substr(2));
        switch (static_cast<JournalRecord>(line[0])) {
        case JournalRecord::Directory: {
            const size_t tab = value.find('\t');
            if (tab != std::string::npos)
                contents.directories.emplace_back(value.substr(0, tab), value.substr(tab + 1));
            break;
        }
        case JournalRecord::CreatedDir:
            contents.createdDirs.push_back(value);
            break;
        case JournalRecord::File:
            contents.files.push_back(value);
            break;
        case JournalRecord::DirIntent:
            contents.intendedDirs.push_back(value);
            break;
        case JournalRecord::FileIntent:
            contents.intendedFiles.push_back(value);
            break;
        case JournalRecord::Group: {
            std::string item = value;
            const std::string group = SplitAt(item, ":~:");
            if (!group.empty())
                contents.groups.emplace_back(group, group == value ? value : item);
            break;
        }
        case JournalRecord::MadeFolder:
            contents.madeFolders.push_back(value);
            break;
        case JournalRecord::MadeStore:
            contents.madeStores.push_back(value);
            break;
        case JournalRecord::BDEType:
            contents.bdeType = static_cast<std::uint8_t>(std::atoi(value.c_str()));
            break;
        }
    }
    return contents;
}

void settleIntents(JournalContents& contents, const JournalTargetExists& exists) {
    for (const std::string& dir : contents.intendedDirs)
        if (exists(dir))
            contents.createdDirs.push_back(dir);
    for (const std::string& file : contents.intendedFiles)
        if (exists(file))
            contents.files.push_back(file);
    contents.intendedDirs.clear();
    contents.intendedFiles.clear();
}

void foldInstallJournal(const fs::path& journal, const fs::path& log,
                        const JournalTargetExists& exists) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    JournalContents contents = readInstallJournal(journal);
    settleIntents(contents, exists);
    lumora::platform::ProfileFile(log).update([&](ProfileDocument& document) {
        Entries directories;
        for (const auto& entry : document.entries("Directories"))
            directories.push_back(entry);
        if (directories.empty())
            directories = contents.directories;

        auto mergedKeys = [&](std::string_view section, const std::vector<std::string>& more) {
            CaselessSortedList merged;
            for (const std::string& key : document.bareKeys(section))
                merged.add(key);
            for (const std::string& key : more)
                merged.add(key);
            Entries entries;
            for (const std::string& key : merged.items())
                entries.emplace_back(key, "");
            return entries;
        };
        const Entries created = mergedKeys("Created Dirs", contents.createdDirs);
        const Entries files = mergedKeys("Files", contents.files);
        const Entries madeFolders = mergedKeys(MadeFoldersSection, contents.madeFolders);
        const Entries madeStores = mergedKeys(MadeStoresSection, contents.madeStores);

        std::vector<std::string> groupValues;
        std::unordered_set<std::string> seen;
        for (const auto& [key, value] : document.entries("Program Groups")) {
            std::string item = value;
            const std::string group = SplitAt(item, ":~:");
            if (value.empty() || group.empty())
                continue;
            const std::string itemName = group == value ? value : item;
            if (seen.insert(asciiUppered(group) + ":~:" + asciiUppered(itemName)).second)
                groupValues.push_back(value);
        }
        for (const auto& [group, item] : contents.groups)
            if (seen.insert(asciiUppered(group) + ":~:" + asciiUppered(item)).second)
                groupValues.push_back(groupEntryValue(group, item));
        Entries groups;
        for (size_t i = 0; i < groupValues.size(); ++i)
            groups.emplace_back(std::to_string(i), groupValues[i]);

        std::string bdeType = document.readString("BDE Files", "BDE Type");
        if (bdeType.empty() && contents.bdeType != 0)
            bdeType = std::to_string(contents.bdeType & 0x7F);
        const auto language = document.value("Language", "Language");

        for (std::string_view section :
             {std::string_view("Directories"), std::string_view("Created Dirs"),
              std::string_view("Files"), std::string_view("Program Groups"),
              std::string_view("BDE Files"), std::string_view("Language"), MadeFoldersSection,
              MadeStoresSection})
            document.eraseSection(section);
        document.writeSection("Directories", directories);
        document.writeSection("Created Dirs", created);
        document.writeSection("Files", files);
        document.writeSection("Program Groups", groups);
        if (!bdeType.empty())
            document.writeSection("BDE Files", {{"BDE Type", bdeType}});
        if (language)
            document.writeString("Language", "Language", *language);
        if (!madeFolders.empty())
            document.writeSection(MadeFoldersSection, madeFolders);
        if (!madeStores.empty())
            document.writeSection(MadeStoresSection, madeStores);
    });
    std::error_code ignored;
    fs::remove(journal, ignored);
}

} // namespace setupkit
