#include "setup/pages/space_check.h"

#include "common/ascii_case.h"
#include "platform/drives.h"
#include "setup/pages/catalogue_format.h"

#include <algorithm>
#include <unordered_set>

namespace setupkit {

std::vector<DriveNeed> spaceNeededPerDrive(const TSetupFileGroup& installSet,
                                           std::span<TSetupDir* const> selectedDirs) {
    const std::unordered_set<const TSetupDir*> selected(selectedDirs.begin(), selectedDirs.end());
    std::vector<DriveNeed> needs;
    for (const TSetupDir* dir : installSet.Dirs()) {
        const std::string path = dir->FullPath();
        if (path.empty())
            continue;
        const char drive = lumora::asciiUpper(path.front());
        auto need = std::find_if(needs.begin(), needs.end(),
                                 [drive](const DriveNeed& n) { return n.drive == drive; });
        if (need == needs.end())
            need = needs.insert(needs.end(), DriveNeed{drive, 0});
        if (!selected.contains(dir))
            continue;
        if (const TSetupFileList* files = installSet.FileListFor(dir))
            for (const TSetupFile* file : files->Files())
                need->needed += file->Size();
    }
    return needs;
}

std::int64_t driveFreeSpace(const lumora::platform::DriveMap& drives, char drive) {
    const auto space = lumora::platform::diskSpace(drives, std::string(1, drive) + ":\\");
    if (!space)
        return -1;
    return static_cast<std::int64_t>(space->sectorsPerCluster) *
           static_cast<std::int64_t>(space->bytesPerSector) *
           static_cast<std::int64_t>(space->freeClusters);
}

std::vector<DriveShortfall> drivesTooSmall(const std::vector<DriveNeed>& needs,
                                           const std::function<std::int64_t(char)>& freeSpace) {
    std::vector<DriveShortfall> shortfalls;
    for (const DriveNeed& need : needs) {
        if (need.needed <= 0)
            continue;
        const std::int64_t available = freeSpace(need.drive);
        if (available < need.needed)
            shortfalls.push_back({need.drive, need.needed, available});
    }
    return shortfalls;
}

std::string driveTooSmallWarning(const MessageCatalogue& texts, const DriveShortfall& shortfall,
                                 const std::string& folder) {
    const std::string drive(1, shortfall.drive);
    if (shortfall.available < 0)
        return "Drive " + drive + ": stands for the folder " +
               (folder.empty() ? std::string("(none)") : folder) +
               ", which does not exist or cannot be read.\r\n";
    return formatCatalogueText(texts.GetText(54), {drive}) + "\r\n" +
           formatCatalogueText(texts.GetText(55), {decimal(shortfall.available)}) + "\r\n" +
           formatCatalogueText(texts.GetText(56), {decimal(shortfall.needed)}) + "\r\n" +
           formatCatalogueText(texts.GetText(57),
                               {decimal(shortfall.needed - shortfall.available)}) +
           "\r\n";
}

} // namespace setupkit
