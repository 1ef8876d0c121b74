#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "platform/desktop_menu_shell.h"
#include "platform/recording_progman_shell.h"
#include "setup/pages/program_groups.h"
#include "setup/pages/setup_groups.h"
#include "setup/pages/setup_pages_form.h"

#include <QComboBox>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::platform::RecordingProgmanShell;
using lumora::testing::writeFile;
using Strings = std::vector<std::string>;

class GroupsPage : public ::testing::Test {
protected:
    GroupsPage() {
        world.services.shell = &shell;
        info = world.makeController(form);
        page = form.Create<TSetupGroups>();
        page->SetName("suGroups");
        info->Loaded();
        TSetupData& script = info->SetupData();
        TSetupWinGroups* entry = page->WinGroup();
        entry->SetTitle("Lumora");
        install = script.FindDir("Install");
        for (const auto& [name, file, commandLine] :
             {std::tuple{"Lumora", "Lumora.exe", ""}, std::tuple{"Read me", "ReadMe.txt", "/v"}}) {
            TSetupWinItem* item = script.AddWinItem(name);
            item->SetDir(install);
            item->SetItemFile(script.FindFile(file));
            item->SetCommandLine(commandLine);
            entry->AddItem(item);
        }
    }
    void installFiles() {
        writeFile(world.host("c/Lumora/Lumora.exe"), "program");
        writeFile(world.host("c/Lumora/ReadMe.txt"), "text");
    }
    TSetupPagesForm* dialog() const { return TSetupPagesForm::instance(); }

    SetupWorld world;
    QtWizardScope wizard;
    RecordingProgmanShell shell;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupGroups* page = nullptr;
    TSetupDir* install = nullptr;
};

TEST_F(GroupsPage, ItemsWhoseFilesAreAllMissingPassWithoutContactingTheShell) {
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_TRUE(shell.log().empty());
    EXPECT_TRUE(info->GroupNames().empty());
}

TEST_F(GroupsPage, NewGroupIsRecordedThenEveryItemBeforeItsCommand) {
    installFiles();
    world.pump.beforePress = [&](WizardButton) {
        EXPECT_EQ(dialog()->caption(), "Create Program Groups");
        EXPECT_EQ(dialog()->notebookPage(), npGroups);
        EXPECT_EQ(dialog()->cbCWGGroups->currentText(), "Lumora");
        EXPECT_TRUE(dialog()->meCWGActions->toPlainText().startsWith(
            "Please choose a program groups to place the icons in.\n\n"));
    };
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(info->GroupNames(), (Strings{"Lumora", "Lumora", "Lumora"}));
    EXPECT_EQ(info->GroupItems(), (Strings{"", "Lumora", "Read me"}));
    EXPECT_EQ(shell.executed(), (Strings{"[CreateGroup(Lumora)]\r\n",
                                         "[AddItem(\"C:\\Lumora\\Lumora.exe\" ,Lumora)]\r\n",
                                         "[AddItem(\"C:\\Lumora\\ReadMe.txt\" /v,Read me)]\r\n",
                                         "[ShowGroup(Lumora, 7)]\r\n"}));
    // Each group of commands in a connection of its own.
    EXPECT_EQ(std::count(shell.log().begin(), shell.log().end(), "connect"), 4);
    ASSERT_NE(shell.findGroup("Lumora"), nullptr);
    EXPECT_EQ(shell.findGroup("Lumora")->items, (Strings{"Lumora", "Read me"}));
}

TEST_F(GroupsPage, ExistingGroupInAnotherCaseRecordsOnlyTheItems) {
    installFiles();
    shell.addExistingGroup("LUMORA", {"Old item"});
    world.pump.beforePress = [&](WizardButton) {
        EXPECT_GE(dialog()->cbCWGGroups->findText("LUMORA",
                                                  Qt::MatchFixedString | Qt::MatchCaseSensitive),
                  0);
    };
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(info->GroupItems(), (Strings{"Lumora", "Read me"}));
    EXPECT_EQ(page->ExistingGroups(), (Strings{"LUMORA"}));
}

TEST_F(GroupsPage, DeselectedFileGetsNoEntry) {
    installFiles();
    info->UnselectFile(info->SetupData().FindFile("ReadMe.txt"), install);
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(info->GroupItems(), (Strings{"", "Lumora"}));
    EXPECT_EQ(shell.findGroup("Lumora")->items, (Strings{"Lumora"}));
}

TEST_F(GroupsPage, BlankNameWarnsAndReshowingFetchesTheListAgain) {
    installFiles();
    int shown = 0;
    world.pump.beforePress = [&](WizardButton) {
        if (++shown == 1) {
            dialog()->cbCWGGroups->setEditText("");
            // A group made meanwhile appears on the next showing.
            shell.addExistingGroup("Games");
        } else {
            EXPECT_GE(dialog()->cbCWGGroups->findText("Games"), 0);
            dialog()->cbCWGGroups->setEditText("Tools");
        }
    };
    world.pump.press(WizardButton::Next);
    world.pump.press(WizardButton::Next);
    world.interaction.answer("Group name cannot be blank.", mrOk);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(std::count(shell.log().begin(), shell.log().end(), "request Groups"), 2);
    ASSERT_EQ(world.interaction.messages().size(), 1u);
    EXPECT_EQ(world.interaction.messages()[0].kind, mtWarning);
    EXPECT_EQ(info->GroupNames().front(), "Tools");
}

TEST_F(GroupsPage, FailedCommandsAreReportedAndStillRecorded) {
    installFiles();
    shell.failCommand("CreateGroup");
    shell.failCommand("AddItem");
    world.pump.press(WizardButton::Next);
    world.interaction.answer("Unable to create program group: Lumora.", mrOk);
    world.interaction.answer("Unable to create program group item: Lumora.", mrOk);
    world.interaction.answer("Unable to create program group item: Read me.", mrOk);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(world.interaction.messages()[0].kind, mtError);
    // What may have half happened is still on record for the uninstall.
    EXPECT_EQ(info->GroupItems(), (Strings{"", "Lumora", "Read me"}));
    EXPECT_EQ(shell.executed().back(), "[ShowGroup(Lumora, 7)]\r\n");
}

TEST_F(GroupsPage, NoProgramManagerLeavesTheDefaultNameAndReportsTheFailures) {
    installFiles();
    shell.setAvailable(false);
    world.pump.beforePress = [&](WizardButton) {
        EXPECT_EQ(dialog()->cbCWGGroups->count(), 1);
        EXPECT_EQ(dialog()->cbCWGGroups->currentText(), "Lumora");
    };
    world.pump.press(WizardButton::Next);
    world.interaction.answer("Unable to create program group: Lumora.", mrOk);
    world.interaction.answer("Unable to create program group item: Lumora.", mrOk);
    world.interaction.answer("Unable to create program group item: Read me.", mrOk);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_TRUE(shell.executed().empty());
}

TEST_F(GroupsPage, WithoutAShellTheUsersDesktopMenusAreUsed) {
    installFiles();
    world.services.shell = nullptr;
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    // The test's own private menus, never the developer's.
    lumora::platform::DesktopMenuShell menus(world.services.drives);
    EXPECT_EQ(fetchGroupList(&menus), (Strings{"Lumora"}));
    EXPECT_EQ(menus.itemFiles("Lumora").size(), 2u);
    deleteRecordedItems(&menus, info->GroupNames(), info->GroupItems());
    deleteRecordedGroups(&menus, info->GroupNames(), info->GroupItems());
    EXPECT_TRUE(fetchGroupList(&menus).empty());
}

TEST_F(GroupsPage, RenamingCarriesTheEntryOrDropsTheOldOne) {
    TSetupData& script = info->SetupData();
    TSetupWinGroups* entry = page->WinGroup();
    page->SetName("suMenu");
    EXPECT_EQ(page->WinGroup(), entry);
    EXPECT_EQ(script.FindWinGroup("suGroups"), nullptr);
    TSetupWinGroups* other = script.AddWinGroup("suOther");
    page->SetName("suOther");
    EXPECT_EQ(page->WinGroup(), other);
    EXPECT_EQ(script.FindWinGroup("suMenu"), nullptr) << "the entry of the old name goes";
    EXPECT_EQ(script.WinGroups().size(), 1u);
}

TEST(ProgramGroupCommands, TextsAsTheProgramManagerTakesThem) {
    EXPECT_EQ(AddItemCommand("C:\\A\\b.exe", "", "B"), "[AddItem(\"C:\\A\\b.exe\" ,B)]");
    EXPECT_EQ(CreateGroupCommand("G"), "[CreateGroup(G)]");
    EXPECT_EQ(ShowGroupCommand("G"), "[ShowGroup(G, 7)]");
    EXPECT_EQ(DeleteItemCommand("I"), "[DeleteItem(I)]");
    EXPECT_EQ(DeleteGroupCommand("G"), "[DeleteGroup(G)]");
    EXPECT_EQ(parseGroupList("Main\r\n\r\nGames\r\nTools"), (Strings{"Main", "Games", "Tools"}));
}

} // namespace
} // namespace setupkit::testing
