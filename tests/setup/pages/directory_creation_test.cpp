#include "platform/drive_map.h"
#include "setup/engine/language_library.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/pages/directory_creation.h"
#include "setup/script/setup_script.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using lumora::testing::TempDir;
using lumora::testing::writeFile;
using namespace setupkit;

namespace {

struct Drives {
    TempDir c;
    lumora::platform::DriveMap map;
    Drives() { map.map('C', c.path()); }
};

} // namespace

TEST(DirectoryCreation, RecordsEveryMissingAncestorButNeverTheWindowsDirectories) {
    Drives drives;
    std::filesystem::create_directories(drives.c / "Existing");
    TSetupData script;
    TSetupDir* ab = script.AddDir("AB", "C:\\A\\B\\", nullptr);
    TSetupDir* existing = script.AddDir("Existing", "C:\\Existing\\", nullptr);
    TSetupDir* below = script.AddDir("Below", "C:\\Existing\\New\\", nullptr);
    TSetupDir* windows = script.FindDir("Windows");

    std::vector<std::string> failures;
    // Each directory is announced while it does not exist yet, in the order of making.
    std::vector<std::string> announced;
    const auto announce = [&](const std::string& path) {
        const auto host = drives.map.toHostPath(StripBackslash(path));
        EXPECT_FALSE(host && std::filesystem::exists(*host)) << path;
        announced.push_back(path);
    };
    const auto result = createTargetDirectories(
        drives.map,
        {{"C:\\A\\B\\", {ab}},
         {"C:\\Existing\\", {existing}},
         {"C:\\Existing\\New\\", {below}},
         {"C:\\Win\\Dows\\", {windows}}},
        [&](const std::string& path) { failures.push_back(path); }, announce);

    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(std::filesystem::is_directory(drives.c / "A" / "B"));
    EXPECT_TRUE(std::filesystem::is_directory(drives.c / "Win" / "Dows"));
    EXPECT_EQ(result.created, (std::vector<std::string>{"C:\\A\\", "C:\\A\\B\\",
                                                        "C:\\Existing\\New\\", "C:\\Win\\"}));
    EXPECT_EQ(result.targets.size(), 4u);
    EXPECT_EQ(announced, result.created);
}

TEST(DirectoryCreation, ADirectoryThatCannotBeMadeIsReportedAndTheRunGoesOn) {
    Drives drives;
    writeFile(drives.c / "blocker", "a file where a directory should go");
    TSetupData script;
    TSetupDir* blocked = script.AddDir("Blocked", "C:\\blocker\\sub\\", nullptr);
    TSetupDir* unmapped = script.AddDir("Unmapped", "Q:\\App\\", nullptr);
    TSetupDir* fine = script.AddDir("Fine", "C:\\Fine\\", nullptr);

    std::vector<std::string> failures;
    const auto result = createTargetDirectories(
        drives.map,
        {{"C:\\blocker\\sub\\", {blocked}}, {"C:\\Fine\\", {fine}}, {"Q:\\App\\", {unmapped}}},
        [&](const std::string& path) { failures.push_back(path); });
    EXPECT_EQ(failures, (std::vector<std::string>{"C:\\blocker\\sub\\", "Q:\\App\\"}));
    EXPECT_EQ(result.created, (std::vector<std::string>{"C:\\Fine\\"}));

    ScriptedSetupInteraction interaction;
    MessageCatalogue catalogue(interaction, noLanguageLibrary());
    EXPECT_EQ(directoryFailureText(catalogue, "Q:\\App\\"),
              "Unable to create directory Q:\\App\\. Abort file copy?");
}

TEST(DirectoryCreation, RemoveDirChainStopsAtTheFirstDirectoryInUseAndAtTheKeptOne) {
    Drives drives;
    std::filesystem::create_directories(drives.c / "Keep" / "Made" / "Deeper");
    std::filesystem::create_directories(drives.c / "Full" / "Empty");
    writeFile(drives.c / "Full" / "file", "x");

    RemoveDirChain(drives.map, "C:\\Keep\\Made\\Deeper\\", "C:\\Keep");
    EXPECT_FALSE(std::filesystem::exists(drives.c / "Keep" / "Made"));
    EXPECT_TRUE(std::filesystem::exists(drives.c / "Keep"));

    RemoveDirChain(drives.map, "C:\\Full\\Empty");
    EXPECT_FALSE(std::filesystem::exists(drives.c / "Full" / "Empty"));
    EXPECT_TRUE(std::filesystem::exists(drives.c / "Full" / "file"));
    EXPECT_TRUE(std::filesystem::exists(drives.c.path()));
}
