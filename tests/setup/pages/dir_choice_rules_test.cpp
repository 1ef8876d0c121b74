#include "platform/drive_map.h"
#include "setup/pages/dir_choice_rules.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using lumora::testing::TempDir;
using namespace setupkit;

TEST(DirChoiceRules, TypedPathsThatAreTakenAndThoseThatLeaveTheTargetUnchanged) {
    struct Case {
        const char* typed;
        std::optional<std::string> taken;
    };
    const Case cases[] = {
        {"C:\\Lumora", "C:\\Lumora\\"},
        {"d:\\Apps\\Lumora\\", "d:\\Apps\\Lumora\\"},
        {"C:", "C:\\"},
        {"C:/Lumora", std::nullopt},
        {"C:\\Apps/Lumora", std::nullopt},
        {"\\\\server\\share\\Lumora", std::nullopt},
        {"C:\\Apps\\\\Lumora", std::nullopt},
        {"1:\\Lumora", std::nullopt},
        {"Lumora", std::nullopt},
        {"C", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(acceptedTargetDir(c.typed), c.taken) << c.typed;
}

TEST(DirChoiceRules, FloppyDrivesAreRefused) {
    EXPECT_TRUE(isFloppyTarget("B:\\Lumora"));
    EXPECT_TRUE(isFloppyTarget("a:\\"));
    EXPECT_FALSE(isFloppyTarget("C:\\Lumora"));
    EXPECT_FALSE(isFloppyTarget(""));
}

TEST(DirChoiceRules, PickingADirectoryKeepsTheTrailingNamesOfTheTarget) {
    struct Case {
        const char* picked;
        const char* target;
        int preserve;
        const char* shown;
    };
    const Case cases[] = {
        {"D:\\Apps", "C:\\Lumora\\", 1, "D:\\Apps\\Lumora\\"},
        {"D:\\Apps", "C:\\Lumora\\", 0, "D:\\Apps\\"},
        {"D:\\", "C:\\Lumora\\", 1, "D:\\Lumora\\"},
        {"D:\\X", "C:\\Vendor\\Lumora\\", 2, "D:\\X\\Vendor\\Lumora\\"},
        {"D:\\X", "C:\\Lumora\\", 3, "D:\\X\\Lumora\\"}, // stops at the drive root
    };
    for (const auto& c : cases)
        EXPECT_EQ(browsedPath(c.picked, c.target, c.preserve), c.shown)
            << c.picked << " " << c.target << " " << c.preserve;
}

TEST(DirChoiceRules, BrowseStartsAtTheNearestDirectoryThatCanBeShown) {
    TempDir c;
    TempDir e;
    std::filesystem::create_directories(c / "Apps");
    lumora::platform::DriveMap drives;
    drives.map('C', c.path());
    drives.map('E', e.path());
    drives.map('D', e / "gone"); // mapped, but its directory is missing

    EXPECT_EQ(browseStartDirectory(drives, "C:\\Apps\\"), "C:\\Apps");
    EXPECT_EQ(browseStartDirectory(drives, "C:\\Apps\\Lumora\\Data\\"), "C:\\Apps");
    EXPECT_EQ(browseStartDirectory(drives, "C:\\Lumora\\"), "C:\\");
    EXPECT_EQ(browseStartDirectory(drives, "D:\\Lumora\\"), "C:\\");
    EXPECT_EQ(browseStartDirectory(drives, "Q:\\Lumora\\"), "C:\\");
    EXPECT_TRUE(windowsDirectoryExists(drives, "c:\\APPS"));
    EXPECT_FALSE(windowsDirectoryExists(drives, "D:\\"));
}
