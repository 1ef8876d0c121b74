#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "platform/desktop_menu_shell.h"
#include "platform/recording_progman_shell.h"
#include "platform/registry.h"
#include "setup/engine/setup_error.h"
#include "setup/pages/program_groups.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/pages/setup_uninstall.h"
#include "setup/pages/uninstall_removal.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::platform::ProfileFile;
using lumora::platform::RecordingProgmanShell;
using lumora::platform::Registry;
using lumora::testing::writeFile;
using Strings = std::vector<std::string>;

// The temporary copy of an uninstall: the note names the log, the copy runs from the
// temporary directory.
class UnInstallRun : public ::testing::Test {
protected:
    UnInstallRun() : registry(world.host("registry")) {
        world.services.shell = &shell;
        world.services.registry = &registry;
        writeFile(world.host("tmp/setup"), "the copy");
        world.services.programFile = world.host("tmp/setup");
    }
    // Writes the log, then starts the copy, which reads and deletes it.
    void start(const Strings& createdDirs, const Strings& files, const Strings& groups) {
        ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
        log.update([&](lumora::platform::ProfileDocument& document) {
            document.writeSection("Directories", {{"Install", "C:\\Lumora\\"}});
            std::vector<std::pair<std::string, std::string>> entries;
            for (const std::string& dir : createdDirs)
                entries.emplace_back(dir, "");
            document.writeSection("Created Dirs", entries);
            entries.clear();
            for (const std::string& file : files)
                entries.emplace_back(file, "");
            document.writeSection("Files", entries);
            entries.clear();
            for (size_t i = 0; i < groups.size(); ++i)
                entries.emplace_back(std::to_string(i), groups[i]);
            document.writeSection("Program Groups", entries);
        });
        world.writeUnInstallNote("C:\\Lumora\\INSTALL.LOG");
        info = world.makeController(form);
        page = form.Create<TSetupUnInstall>();
        page->SetName("suUnInstall");
        page->SetButtons(btNext | btCancel);
        page->OnCleanup = [this](TSetupComponent* sender) {
            EXPECT_EQ(sender, page);
            cleanups.push_back(shell.executed().size());
            page->UnregisterUnInstall("Lumora");
        };
        info->Loaded();
        ASSERT_TRUE(page->AttemptUnInstall());
    }

    SetupWorld world;
    QtWizardScope wizard;
    RecordingProgmanShell shell;
    Registry registry;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupUnInstall* page = nullptr;
    std::vector<size_t> cleanups;
};

TEST_F(UnInstallRun, OnlyItemEntriesLeaveTheGroup) {
    shell.addExistingGroup("Tools", {"Lumora", "Other"});
    start({}, {}, {"Tools:~:Lumora"});
    world.pump.beforePress = [&](WizardButton) {
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        EXPECT_EQ(dialog->caption(), "UnInstall Lumora");
        EXPECT_EQ(dialog->notebookPage(), npUnInstall);
        EXPECT_TRUE(dialog->meUNIIntent->toPlainText().startsWith(
            "This UnInstall will attempt to delete all files for Lumora.  Are you sure"));
    };
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(shell.executed(), (Strings{"[ShowGroup(Tools, 7)]\r\n", "[DeleteItem(Lumora)]\r\n"}));
    ASSERT_NE(shell.findGroup("Tools"), nullptr);
    EXPECT_EQ(shell.findGroup("Tools")->items, (Strings{"Other"}));
    EXPECT_TRUE(info->UnInstallDone());
    EXPECT_EQ(cleanups, (std::vector<size_t>{0})) << "the cleanup runs before any removal";
}

TEST_F(UnInstallRun, ShowCommandOnlyWhenTheGroupChanges) {
    const struct {
        Strings groups;
        Strings commands;
    } cases[] = {
        {{"A:~:", "A:~:x", "A:~:y"},
         {"[ShowGroup(A, 7)]", "[DeleteItem(x)]", "[DeleteItem(y)]", "[DeleteGroup(A)]"}},
        {{"A:~:x", "B:~:y", "A:~:z"},
         {"[ShowGroup(A, 7)]", "[DeleteItem(x)]", "[ShowGroup(B, 7)]", "[DeleteItem(y)]",
          "[ShowGroup(A, 7)]", "[DeleteItem(z)]"}},
    };
    for (const auto& example : cases) {
        RecordingProgmanShell recording;
        Strings groupNames, groupItems;
        for (std::string value : example.groups) {
            const size_t separator = value.find(":~:");
            groupNames.push_back(value.substr(0, separator));
            groupItems.push_back(value.substr(separator + 3));
        }
        deleteRecordedItems(&recording, groupNames, groupItems);
        deleteRecordedGroups(&recording, groupNames, groupItems);
        Strings sent;
        for (const std::string& text : recording.executed())
            sent.push_back(text.substr(0, text.size() - 2));
        EXPECT_EQ(sent, example.commands);
    }
}

TEST_F(UnInstallRun, RemovesFilesAndCreatedDirectoriesButNotWhatWasThereBefore) {
    fs::create_directories(world.host("c/Lumora/Data/Deep"));
    writeFile(world.host("c/Lumora/Lumora.exe"), "program");
    writeFile(world.host("c/Lumora/Data/Deep/a.txt"), "a");
    start({"C:\\Lumora\\Data\\", "C:\\Lumora\\Data\\Deep\\"},
          {"C:\\Lumora\\Lumora.exe", "C:\\Lumora\\Data\\Deep\\a.txt",
           "C:\\Lumora\\deleted by hand.txt"},
          {"Lumora:~:", "Lumora:~:Lumora"});
    page->RegisterUnInstall("Lumora");
    ASSERT_TRUE(registry.keyExists(std::string(UnInstallKey) + "\\Lumora"));
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_TRUE(world.interaction.messages().empty()) << "a missing file is skipped silently";
    EXPECT_FALSE(fs::exists(world.host("c/Lumora/Data")));
    EXPECT_FALSE(fs::exists(world.host("c/Lumora/Lumora.exe")));
    EXPECT_FALSE(fs::exists(world.host("c/Lumora/INSTALL.LOG")));
    // C:\Lumora existed before the install (setup was started from it).
    EXPECT_TRUE(fs::is_directory(world.host("c/Lumora")));
    EXPECT_FALSE(registry.keyExists(std::string(UnInstallKey) + "\\Lumora"));
    EXPECT_TRUE(registry.subkeys("HKEY_LOCAL_MACHINE").empty()) << "no empty keys left behind";
    EXPECT_EQ(shell.executed().back(), "[DeleteGroup(Lumora)]\r\n");
}

TEST_F(UnInstallRun, CancelDeletesNothingAndKeepsTheLogForLater) {
    writeFile(world.host("c/Lumora/Lumora.exe"), "program");
    start({}, {"C:\\Lumora\\Lumora.exe"}, {"Lumora:~:Lumora"});
    page->RegisterUnInstall("Lumora");
    world.pump.press(WizardButton::Cancel);
    world.interaction.answer("Cancel Setup?", mrYes);
    EXPECT_EQ(page->Execute(), psCancelled);
    EXPECT_TRUE(cleanups.empty());
    EXPECT_TRUE(shell.executed().empty());
    EXPECT_TRUE(fs::exists(world.host("c/Lumora/Lumora.exe")));
    info->Shutdown();
    ProfileFile log(world.host("c/Lumora/INSTALL.LOG"));
    EXPECT_EQ(log.keys("Files"), (Strings{"C:\\Lumora\\Lumora.exe"}));
    EXPECT_EQ(log.readString("Program Groups", "0"), "Lumora:~:Lumora");
    EXPECT_TRUE(registry.keyExists(std::string(UnInstallKey) + "\\Lumora"));
    EXPECT_FALSE(fs::exists(world.host("tmp/setup"))) << "the working copy goes however it ends";
}

TEST_F(UnInstallRun, DirectoryHoldingUserFilesIsReportedAndTheRestGoesOn) {
    fs::create_directories(world.host("c/Lumora/Data"));
    writeFile(world.host("c/Lumora/Data/mine.txt"), "the user's");
    start({"C:\\Lumora\\Data\\"}, {}, {"Lumora:~:"});
    world.pump.press(WizardButton::Next);
    world.interaction.answer("Unable to delete directory C:\\Lumora\\Data.", mrOk);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(world.interaction.messages()[0].kind, mtWarning);
    EXPECT_EQ(world.interaction.messages()[0].buttons, mbOK);
    EXPECT_TRUE(fs::exists(world.host("c/Lumora/Data/mine.txt")));
    EXPECT_EQ(shell.executed().back(), "[DeleteGroup(Lumora)]\r\n");
    EXPECT_TRUE(info->UnInstallDone());
}

TEST_F(UnInstallRun, RegisterNeedsANameAndALogDirectory) {
    start({}, {}, {});
    page->RegisterUnInstall("");
    EXPECT_TRUE(registry.subkeys(UnInstallKey).empty());
    page->RegisterUnInstall("Lumora");
    const std::string key = std::string(UnInstallKey) + "\\Lumora";
    EXPECT_EQ(registry.readString(key, "DisplayName"), "Lumora");
    // The log directory, where the installer copied itself, and the running program's name.
    EXPECT_EQ(registry.readString(key, "UnInstallString"), "C:\\Lumora\\setup UNINSTALL");
    page->SetLogDir("(none)");
    EXPECT_EQ(page->LogDir(), "(none)");
    page->RegisterUnInstall("Other");
    EXPECT_FALSE(registry.keyExists(std::string(UnInstallKey) + "\\Other"));
    writeUnInstallEntry(registry, "Another program", "X:\\remove");
    page->UnregisterUnInstall("Lumora");
    EXPECT_FALSE(registry.keyExists(key));
    EXPECT_EQ(registry.subkeys(UnInstallKey), (Strings{"Another program"}));
    EXPECT_THROW(form.Create<TSetupUnInstall>(), ESetupError);

    world.interaction.answer("Unable to locate file NotThere.dll in the installed files.", mrOk);
    page->SetUnInstallFiles({"ReadMe.txt", "", "NotThere.dll", "ReadMe.txt"});
    EXPECT_EQ(page->UnInstallFiles(), (Strings{"ReadMe.txt"}));
    EXPECT_EQ(info->SetupData().UnInstallFiles(), (Strings{"ReadMe.txt"}));
}

TEST_F(UnInstallRun, UnregisteringAgainTakesTheEmptyKeysAStoppedRunLeft) {
    start({}, {}, {});
    page->RegisterUnInstall("Lumora");
    // Stopped after the entry and the key holding it were deleted.
    registry.deleteKey(UnInstallKey);
    page->UnregisterUnInstall("Lumora");
    EXPECT_FALSE(registry.keyExists("HKEY_LOCAL_MACHINE\\Software"));
}

// The desktop's menus: what the groups page makes, the uninstall's commands take away.
TEST(DesktopMenus, GroupsMadeByTheRunAreTakenAwayAgain) {
    SetupWorld world;
    FakeWizardScope wizard;
    lumora::platform::DesktopMenuLocations menus{world.host("menus/applications"),
                                                 world.host("menus/directories"),
                                                 world.host("menus/merged")};
    lumora::platform::DesktopMenuShell shell(world.services.drives, menus);
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    info->Loaded();
    TSetupData& script = info->SetupData();
    TSetupWinGroups* entry = script.AddWinGroup("suGroups");
    TSetupWinItem* item = script.AddWinItem("Lumora");
    item->SetDir(script.FindDir("Install"));
    item->SetItemFile(script.FindFile("Lumora.exe"));
    entry->AddItem(item);
    writeFile(world.host("c/Lumora/Lumora.exe"), "#!/bin/sh\n");
    fs::permissions(world.host("c/Lumora/Lumora.exe"), fs::perms::owner_all);

    EXPECT_TRUE(createProgramGroup(*info, &shell, *entry, "Lumora", fetchGroupList(&shell)));
    EXPECT_EQ(fetchGroupList(&shell), (Strings{"Lumora"}));
    EXPECT_EQ(shell.itemFiles("Lumora").size(), 1u);
    deleteRecordedItems(&shell, info->GroupNames(), info->GroupItems());
    deleteRecordedGroups(&shell, info->GroupNames(), info->GroupItems());
    EXPECT_TRUE(fetchGroupList(&shell).empty());
    for (const fs::path& folder : {menus.applications, menus.desktopDirectories, menus.mergedMenus})
        EXPECT_TRUE(!fs::exists(folder) || fs::is_empty(folder)) << folder;
}

// A recorded path whose place is now a link is never followed.
TEST(UninstallRemoval, LinksAreRemovedAsLinksAndNeverFollowed) {
    lumora::testing::TempDir temp;
    lumora::platform::DriveMap drives;
    drives.map('C', temp.path() / "c");
    fs::create_directories(temp.path() / "c/Lumora");
    fs::create_directories(temp.path() / "outside/dir");
    writeFile(temp.path() / "outside/keep.txt", "keep");
    writeFile(temp.path() / "outside/dir/keep.txt", "keep");
    fs::create_symlink(temp.path() / "outside/keep.txt", temp.path() / "c/Lumora/file.txt");
    fs::create_directory_symlink(temp.path() / "outside/dir", temp.path() / "c/Lumora/Sub");

    EXPECT_EQ(removeRecordedFile(drives, "C:\\Lumora\\Sub\\keep.txt"), Removal::Refused);
    EXPECT_EQ(removeRecordedFile(drives, "C:\\Lumora\\file.txt"), Removal::Removed);
    EXPECT_EQ(removeRecordedDirectory(drives, "C:\\Lumora\\Sub\\"), Removal::Removed);
    EXPECT_TRUE(fs::exists(temp.path() / "outside/keep.txt"));
    EXPECT_TRUE(fs::exists(temp.path() / "outside/dir/keep.txt"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(temp.path() / "c/Lumora/Sub")));

    EXPECT_EQ(removeRecordedDirectory(drives, "C:\\Lumora"), Removal::Removed);
    EXPECT_EQ(removeRecordedDirectory(drives, "C:\\Lumora"), Removal::Missing);
    EXPECT_EQ(removeRecordedDirectory(drives, "C:\\"), Removal::Refused);
}

} // namespace
} // namespace setupkit::testing
