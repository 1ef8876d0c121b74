#include "drives.h"

#include "common/ascii_case.h"

#include <fstream>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <system_error>

namespace lumora::platform {

namespace fs = std::filesystem;

namespace {

// Magic numbers of statfs(2) for the file systems whose drive type is not "fixed".
constexpr long kNfs = 0x6969;
constexpr long kSmb = 0x517B;
constexpr long kSmb2 = static_cast<long>(0xFE534D42);
constexpr long kCifs = static_cast<long>(0xFF534D42);
constexpr long kCoda = 0x73757245;
constexpr long kAfs = 0x5346414F;
constexpr long kCeph = 0x00C36400;
constexpr long kFuse = 0x65735546; // sshfs and the like are mostly remote
constexpr long kIso9660 = 0x9660;
constexpr long kUdf = 0x15013346;
constexpr long kTmpfs = 0x01021994;
constexpr long kRamfs = static_cast<long>(0x858458F6);

std::optional<fs::path> driveRoot(const DriveMap& drives, std::string_view drive) {
    if (drive.empty())
        return std::nullopt;
    if (drive.size() >= 2 && drive[1] != ':')
        return std::nullopt;
    return drives.root(drive[0]);
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// The mount entry (file system type) whose mount point holds `path`, from
// /proc/self/mountinfo: the longest mount point that is a prefix wins.
std::string fileSystemTypeOf(const fs::path& path) {
    std::error_code error;
    const std::string target = fs::weakly_canonical(path, error).string();
    std::ifstream mounts("/proc/self/mountinfo");
    std::string line;
    std::string bestType;
    size_t bestLength = 0;
    while (std::getline(mounts, line)) {
        // id parent major:minor root mountpoint options [optional...] - type source superoptions
        std::vector<std::string> fields;
        size_t position = 0;
        while (position < line.size()) {
            const auto end = line.find(' ', position);
            fields.push_back(line.substr(position, end - position));
            if (end == std::string::npos)
                break;
            position = end + 1;
        }
        if (fields.size() < 5)
            continue;
        std::string mountPoint;
        // Blanks and backslashes in mount points are written as octal escapes.
        const std::string& field = fields[4];
        auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
        for (size_t i = 0; i < field.size(); ++i) {
            if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) &&
                isOctal(field[i + 2]) && isOctal(field[i + 3])) {
                mountPoint += static_cast<char>((field[i + 1] - '0') * 64 +
                                                (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
                i += 3;
            } else {
                mountPoint += field[i];
            }
        }
        std::string type;
        for (size_t i = 5; i + 1 < fields.size(); ++i)
            if (fields[i] == "-") {
                type = fields[i + 1];
                break;
            }
        const bool contains = mountPoint == "/" || target == mountPoint ||
                              (target.size() > mountPoint.size() &&
                               target.compare(0, mountPoint.size(), mountPoint) == 0 &&
                               target[mountPoint.size()] == '/');
        // Later entries with the same mount point are mounted over the earlier ones.
        if (contains && mountPoint.size() >= bestLength) {
            bestLength = mountPoint.size();
            bestType = type;
        }
    }
    return bestType;
}

std::string readVolumeLabel(const fs::path& root) {
    std::ifstream label(root / ".volume-label");
    std::string line;
    std::getline(label, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

} // namespace

DriveType driveType(const DriveMap& drives, std::string_view drive) {
    const auto root = driveRoot(drives, drive);
    if (!root || !isDirectory(*root))
        return DriveType::NoRootDirectory;
    const char letter = asciiUpper(drive[0]);
    if (letter == 'A' || letter == 'B')
        return DriveType::Removable;
    struct statfs info {};
    if (::statfs(root->c_str(), &info) != 0)
        return DriveType::Unknown;
    switch (static_cast<long>(info.f_type)) {
    case kNfs:
    case kSmb:
    case kSmb2:
    case kCifs:
    case kCoda:
    case kAfs:
    case kCeph:
    case kFuse:
        return DriveType::Remote;
    case kIso9660:
    case kUdf:
        return DriveType::CdRom;
    case kTmpfs:
    case kRamfs:
        return DriveType::RamDisk;
    default:
        return DriveType::Fixed;
    }
}

std::optional<DiskSpace> diskSpace(const DriveMap& drives, std::string_view drive) {
    const auto root = driveRoot(drives, drive);
    if (!root)
        return std::nullopt;
    struct statvfs info {};
    if (::statvfs(root->c_str(), &info) != 0)
        return std::nullopt;
    DiskSpace space;
    const std::uint64_t unit = info.f_frsize ? info.f_frsize : info.f_bsize;
    space.freeBytes = static_cast<std::uint64_t>(info.f_bavail) * unit;
    space.totalBytes = static_cast<std::uint64_t>(info.f_blocks) * unit;
    space.bytesPerSector = 512;
    if (unit % 512 != 0 || unit < 512) {
        space.bytesPerSector = static_cast<std::uint32_t>(unit);
        space.sectorsPerCluster = 1;
    } else {
        space.sectorsPerCluster = static_cast<std::uint32_t>(unit / 512);
    }
    space.freeClusters = info.f_bavail;
    space.totalClusters = info.f_blocks;
    return space;
}

std::optional<VolumeInformation> volumeInformation(const DriveMap& drives, std::string_view drive) {
    const auto root = driveRoot(drives, drive);
    if (!root || !isDirectory(*root))
        return std::nullopt;
    struct statvfs info {};
    if (::statvfs(root->c_str(), &info) != 0)
        return std::nullopt;
    VolumeInformation volume;
    volume.volumeName = readVolumeLabel(*root);
    const auto fsid = static_cast<std::uint64_t>(info.f_fsid);
    volume.serialNumber = static_cast<std::uint32_t>(fsid ^ (fsid >> 32));
    volume.maximumComponentLength = static_cast<std::uint32_t>(info.f_namemax);
    volume.readOnly = (info.f_flag & ST_RDONLY) != 0;
    volume.fileSystemName = fileSystemTypeOf(*root);
    const std::string& type = volume.fileSystemName;
    volume.caseSensitive =
        !(type == "vfat" || type == "msdos" || type == "exfat" || type == "ntfs" ||
          type == "ntfs3" || type == "iso9660" || type == "udf");
    return volume;
}

std::vector<DriveEntry> listDrives(const DriveMap& drives) {
    std::vector<DriveEntry> entries;
    for (const char letter : drives.letters()) {
        const std::string_view name(&letter, 1);
        DriveEntry entry;
        entry.letter = letter;
        entry.type = driveType(drives, name);
        entry.displayText = std::string(1, asciiLower(letter)) + ":";
        if (entry.type == DriveType::Remote) {
            entry.displayText += " [" + drives.root(letter)->string() + "]";
        } else if (entry.type != DriveType::Removable && entry.type != DriveType::NoRootDirectory) {
            if (auto volume = volumeInformation(drives, name)) {
                entry.volumeName = volume->volumeName;
                if (!entry.volumeName.empty())
                    entry.displayText += " [" + entry.volumeName + "]";
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace lumora::platform
