#include "platform/drives.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora::platform;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

TEST(Drives, FloppiesUnmappedAndMissingRootsHaveTheirTypes) {
    TempDir dir;
    DriveMap drives;
    drives.map('A', dir.path());
    drives.map('B', dir / "no-disk");
    drives.map('C', dir.path());
    drives.map('D', dir / "missing");
    EXPECT_EQ(driveType(drives, "A"), DriveType::Removable);
    EXPECT_EQ(driveType(drives, "a:\\"), DriveType::Removable);
    // An empty floppy drive: the letter is there but nothing can be read.
    EXPECT_EQ(driveType(drives, "B:"), DriveType::NoRootDirectory);
    EXPECT_EQ(driveType(drives, "D:\\"), DriveType::NoRootDirectory);
    EXPECT_EQ(driveType(drives, "Q:\\"), DriveType::NoRootDirectory);
    EXPECT_EQ(driveType(drives, "C\\"), DriveType::NoRootDirectory) << "not a drive name";
    const DriveType local = driveType(drives, "C:\\");
    EXPECT_TRUE(local == DriveType::Fixed || local == DriveType::RamDisk ||
                local == DriveType::Remote)
        << static_cast<int>(local);
}

TEST(Drives, MemoryFileSystemsCountAsRamDisks) {
    std::error_code error;
    if (!fs::is_directory("/dev/shm", error))
        GTEST_SKIP() << "no /dev/shm on this machine";
    DriveMap drives;
    drives.map('R', "/dev/shm");
    auto volume = volumeInformation(drives, "R:");
    ASSERT_TRUE(volume);
    if (volume->fileSystemName != "tmpfs")
        GTEST_SKIP() << "/dev/shm is " << volume->fileSystemName;
    EXPECT_EQ(driveType(drives, "R:"), DriveType::RamDisk);
}

TEST(Drives, FreeSpaceIsTheProductOfItsClusterFigures) {
    TempDir dir;
    DriveMap drives;
    drives.map('C', dir.path());
    auto space = diskSpace(drives, "C:\\");
    ASSERT_TRUE(space);
    EXPECT_GT(space->totalBytes, 0u);
    EXPECT_LE(space->freeBytes, space->totalBytes);
    EXPECT_EQ(space->freeBytes, std::uint64_t{space->sectorsPerCluster} * space->bytesPerSector *
                                    space->freeClusters);
    EXPECT_EQ(space->totalBytes, std::uint64_t{space->sectorsPerCluster} * space->bytesPerSector *
                                     space->totalClusters);
    EXPECT_FALSE(diskSpace(drives, "E:\\"));
}

TEST(Drives, VolumeInformationComesFromTheHostAndTheLabelFile) {
    TempDir dir;
    DriveMap drives;
    drives.map('C', dir.path());
    auto unlabelled = volumeInformation(drives, "C:");
    ASSERT_TRUE(unlabelled);
    EXPECT_EQ(unlabelled->volumeName, "");
    EXPECT_FALSE(unlabelled->fileSystemName.empty());
    EXPECT_GT(unlabelled->maximumComponentLength, 0u);
    lumora::testing::writeFile(dir / ".volume-label", "LUMORA_1\r\n");
    auto labelled = volumeInformation(drives, "C:\\");
    ASSERT_TRUE(labelled);
    EXPECT_EQ(labelled->volumeName, "LUMORA_1");
    EXPECT_EQ(labelled->serialNumber, unlabelled->serialNumber);
    EXPECT_FALSE(volumeInformation(drives, "D:"));
}

TEST(Drives, DriveListShowsEveryMappedLetterInOrder) {
    TempDir dir;
    fs::create_directories(dir / "c");
    lumora::testing::writeFile(dir / "c" / ".volume-label", "HOME");
    lumora::testing::writeFile(dir / ".volume-label", "FLOPPY");
    DriveMap drives;
    drives.map('C', dir / "c");
    drives.map('A', dir.path());
    drives.map('M', dir / "gone");
    const auto list = listDrives(drives);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].letter, 'A');
    EXPECT_EQ(list[0].type, DriveType::Removable);
    EXPECT_EQ(list[0].displayText, "a:") << "a floppy is never asked for its label";
    EXPECT_EQ(list[1].letter, 'C');
    if (list[1].type != DriveType::Remote) {
        EXPECT_EQ(list[1].displayText, "c: [HOME]");
    }
    EXPECT_EQ(list[2].type, DriveType::NoRootDirectory);
    EXPECT_EQ(list[2].displayText, "m:");
}
