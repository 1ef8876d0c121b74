#include "setup/pages/copy_plan.h"

#include "common/ascii_case.h"
#include "setup/pages/catalogue_format.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace setupkit {

using lumora::asciiUpper;
using lumora::asciiUppered;

bool lessAsText(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(asciiUpper(a[i]));
        const auto y = static_cast<unsigned char>(asciiUpper(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

std::vector<TargetDirectory> targetDirectories(const TSetupFileGroup& installSet,
                                               std::span<TSetupDir* const> selectedDirs,
                                               bool createEmptyDirs) {
    const std::unordered_set<const TSetupDir*> selected(selectedDirs.begin(), selectedDirs.end());
    std::vector<TargetDirectory> targets;
    std::unordered_map<std::string, std::size_t> byPath; // upper-cased path -> position
    for (TSetupDir* dir : installSet.Dirs()) {
        if (!selected.contains(dir))
            continue;
        const TSetupFileList* files = installSet.FileListFor(dir);
        if (!createEmptyDirs && (!files || files->Files().empty()))
            continue;
        std::string path = withTrailingBackslash(dir->FullPath());
        if (path.empty())
            continue;
        // Two script directories may lead to one path; the files of both are installed.
        const auto [found, added] = byPath.emplace(asciiUppered(path), targets.size());
        if (added)
            targets.push_back({std::move(path), {dir}});
        else
            targets[found->second].dirs.push_back(dir);
    }
    std::stable_sort(targets.begin(), targets.end(),
                     [](const auto& a, const auto& b) { return lessAsText(a.path, b.path); });
    return targets;
}

std::string CopyEntry::text() const {
    return std::to_string(disk) + "::" + fileName + "::" + targetDir;
}

std::vector<CopyEntry> buildCopyList(const std::vector<TargetDirectory>& targets,
                                     const TSetupFileGroup& installSet, const TSetupData& script) {
    // The disks of each file, in disk order, looked up once instead of per file and disk.
    std::unordered_map<const TSetupFile*, std::vector<int>> disksOf;
    int number = 0;
    for (const TSetupDisk* disk : script.Disks()) {
        ++number;
        for (const TSetupFile* file : disk->Files())
            disksOf[file].push_back(number);
    }

    std::vector<std::pair<std::string, CopyEntry>> keyed;
    for (const TargetDirectory& target : targets) {
        for (const TSetupDir* dir : target.dirs) {
            const TSetupFileList* files = installSet.FileListFor(dir);
            if (!files)
                continue;
            for (TSetupFile* file : files->Files()) {
                const auto disks = disksOf.find(file);
                static const std::vector<int> noDisk{NoDisk};
                for (int disk : disks == disksOf.end() ? noDisk : disks->second) {
                    CopyEntry entry{disk, file->Name(), target.path, file};
                    keyed.emplace_back(entry.text(), std::move(entry));
                }
            }
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return lessAsText(a.first, b.first); });
    std::vector<CopyEntry> entries;
    entries.reserve(keyed.size());
    for (auto& [key, entry] : keyed)
        entries.push_back(std::move(entry));
    return entries;
}

std::int64_t totalCopySize(const std::vector<CopyEntry>& entries) {
    std::int64_t total = 0;
    for (const CopyEntry& entry : entries)
        total += entry.file ? entry.file->Size() : 0;
    return total;
}

bool needsDiskPrompt(int entryDisk, int currentDisk, std::string_view sourceDir, bool testMode) {
    if (entryDisk == currentDisk)
        return false;
    const char drive = sourceDir.empty() ? '\0' : asciiUpper(sourceDir.front());
    return !(testMode && drive != 'A' && drive != 'B');
}

std::string diskPromptText(const MessageCatalogue& texts, int disk, std::string_view description) {
    return formatCatalogueText(texts.GetText(47), {decimal(disk), description});
}

std::string fileCopyErrorText(const MessageCatalogue& texts, std::string_view file, int disk) {
    return formatCatalogueText(texts.GetText(50), {file, decimal(disk)});
}

} // namespace setupkit
