#pragma once
// The copy page's space check: the bytes each target drive must take, the drives that
// lack the room, and the four-line warning that tells the user.

#include "platform/drive_map.h"
#include "setup/engine/message_catalogue.h"
#include "setup/script/setup_dir.h"
#include "setup/script/setup_file.h"
#include "setup/script/setup_file_group.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace setupkit {

struct DriveNeed {
    char drive = 0; // upper case
    std::int64_t needed = 0;
};

// Per drive, in the order the install set's directories first name it: the sum of the
// sizes of the files the install set holds for the selected directories on that drive.
std::vector<DriveNeed> spaceNeededPerDrive(const TSetupFileGroup& installSet,
                                           std::span<TSetupDir* const> selectedDirs);

// Free bytes on a drive as the copy page counts them (sectors per cluster times bytes
// per sector times free clusters of its root), -1 when the system cannot tell.
std::int64_t driveFreeSpace(const lumora::platform::DriveMap& drives, char drive);

struct DriveShortfall {
    char drive = 0;
    std::int64_t needed = 0;
    std::int64_t available = -1;
};

// The drives that have less free space than they need, in the order of `needs`. A
// drive that is to take nothing is never short, even when its space cannot be told.
std::vector<DriveShortfall> drivesTooSmall(const std::vector<DriveNeed>& needs,
                                           const std::function<std::int64_t(char)>& freeSpace);

// Texts 54 to 57, one line each, every line ended by "\r\n". A drive whose space
// cannot be told is not short of space: its warning names the folder the drive stands
// for (`folder`, a host path) as one that does not exist or cannot be read.
std::string driveTooSmallWarning(const MessageCatalogue& texts, const DriveShortfall& shortfall,
                                 const std::string& folder = {});

} // namespace setupkit
