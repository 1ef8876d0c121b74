#pragma once
// What the installer asks about a drive: its type, its free space and its volume
// information, answered from the host directory the drive letter is mapped to.

#include "drive_map.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumora::platform {

// The drive types of the Windows drive-type query, with the same numbers.
enum class DriveType {
    Unknown = 0,
    NoRootDirectory = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// A: and B: are floppies (removable) whatever they are mapped to; a letter that is
// not mapped, or whose directory does not exist, has no root directory; others
// are told by the host file system (network, optical, memory file systems).
// `drive` is a letter or any Windows path on that drive ("C", "C:", "C:\").
DriveType driveType(const DriveMap& drives, std::string_view drive);

struct DiskSpace {
    std::uint64_t freeBytes = 0; // available to this user
    std::uint64_t totalBytes = 0;
    // The same figures in the cluster terms of the Windows free-space query.
    std::uint32_t bytesPerSector = 0;
    std::uint32_t sectorsPerCluster = 0;
    std::uint64_t freeClusters = 0;
    std::uint64_t totalClusters = 0;
};

// Free and total space of the file system under the drive's root; nothing when the
// drive is not mapped or cannot be asked (the installer's "-1").
std::optional<DiskSpace> diskSpace(const DriveMap& drives, std::string_view drive);

struct VolumeInformation {
    std::string volumeName; // first line of ".volume-label" in the drive root, else empty
    std::uint32_t serialNumber = 0;
    std::uint32_t maximumComponentLength = 0;
    bool readOnly = false;
    bool caseSensitive = true;
    std::string fileSystemName; // as the host names it ("ext4", "tmpfs", ...)
};

std::optional<VolumeInformation> volumeInformation(const DriveMap& drives, std::string_view drive);

// One row of a drive combo box.
struct DriveEntry {
    char letter = 0; // upper case
    DriveType type = DriveType::Unknown;
    std::string volumeName;
    // "c: [LABEL]" for a fixed drive with a label, "c:" without; network drives show
    // their host directory in brackets, as drive combo boxes do.
    std::string displayText;
};

// Every mapped drive, in letter order. Removable drives are not asked for a volume
// name, so an empty floppy drive never stalls the list.
std::vector<DriveEntry> listDrives(const DriveMap& drives);

} // namespace lumora::platform
