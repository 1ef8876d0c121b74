#include "engine_test_support.h"
#include "qt_wizard_scope.h"
#include "step_pump.h"

#include "setup/pages/setup_dir_choice.h"
#include "setup/pages/setup_file_copy.h"
#include "setup/pages/setup_form.h"
#include "setup/pages/setup_pages_form.h"
#include "shipped_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

constexpr auto Next = WizardButton::Next;
constexpr auto Prev = WizardButton::Prev;

// welcome -> directory page -> last page, on the real wizard dialog.
class DirChoicePage : public ::testing::Test {
protected:
    DirChoicePage() {
        world.services.pump = &pump;
        info = world.makeController(form);
        install = info->SetupData().FindDir("Install");
        help = info->SetupData().AddDir("Help", "Help\\", install);
        welcome = addPage<TSetupPage>("suWelcome", btNext | btCancel);
        page = addPage<TSetupDirChoice>("suDir", btPrev | btNext | btCancel);
        page->SetInstallDir("Install");
        last = addPage<TSetupPage>("suLast", btPrev | btNext | btCancel);
    }
    template <class Page> Page* addPage(const std::string& name, TSetupButtons buttons) {
        Page* added = form.Create<Page>();
        added->SetName(name);
        added->SetButtons(buttons);
        if (!pages.empty())
            pages.back()->SetNextPage(added);
        pages.push_back(added);
        return added;
    }
    int run() { return welcome->Execute(); }
    static TSetupPagesForm& dialog() { return *TSetupPagesForm::instance(); }
    // Clicks Browse; the steps after it run inside the Browse view's wait.
    void browse() {
        pump.step([] { dialog().btnCDLBrowse->click(); });
    }
    void typePathAndPress(const std::string& path, WizardButton button) {
        pump.step([path, button] {
            dialog().edtSDPath->setText(QString::fromStdString(path));
            dialog().press(button);
        });
    }
    void check(std::function<void()> expectation) { pump.step(std::move(expectation)); }

    SetupWorld world;
    QtWizardScope wizard;
    StepPump pump;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupDir* install = nullptr;
    TSetupDir* help = nullptr;
    std::vector<TSetupPage*> pages;
    TSetupPage* welcome = nullptr;
    TSetupDirChoice* page = nullptr;
    TSetupPage* last = nullptr;
};

TEST_F(DirChoicePage, ShowsTheTargetAndOffersBrowseOnlyWhenAllowed) {
    const std::string browseSentence =
        "You may change this directory by clicking the Browse button.  ";
    for (bool allow : {true, false}) {
        SCOPED_TRACE(allow);
        page->SetAllowDirChange(allow);
        pump.press(Next);
        check([&] {
            EXPECT_EQ(dialog().CurrentPage, page);
            EXPECT_EQ(dialog().caption(), "Choose Destination Directory");
            EXPECT_EQ(dialog().notebookPage(), npDirChoice);
            EXPECT_EQ(dialog().meCDLIntent->toPlainText().toStdString(),
                      "Setup will install Lumora into the following directory.\n\n" +
                          (allow ? browseSentence : std::string()) +
                          "To accept the directory, just click the Next button.\n\n"
                          "You may halt the installation at any time by clicking on Cancel.");
            EXPECT_EQ(dialog().btnCDLBrowse->isEnabled(), allow);
            EXPECT_EQ(dialog().btnCDLBrowse->text(), "&Browse");
            EXPECT_EQ(dialog().gbCDLDestination->title(), "Destination Directory");
            EXPECT_EQ(dialog().laCDLDirectory->text(), "C:\\Lumora\\");
        });
        browse();
        check([allow] {
            EXPECT_EQ(dialog().notebookPage(), allow ? npSelectDirectory : npDirChoice);
        });
        if (allow)
            pump.press(Prev);
        pump.press(Next);
        pump.press(Next);
        EXPECT_EQ(run(), psDone);
        EXPECT_TRUE(pump.steps.empty());
        FreeSetupPagesForm();
    }
}

TEST_F(DirChoicePage, FloppyIsRefusedAndABrowsedDriveCIsAccepted) {
    page->SetTargetDir("b:\\Lumora");
    ASSERT_EQ(page->TargetDir(), "b:\\Lumora\\");
    world.interaction.answer("Not allowed to install to a floppy drive.", mrOk);
    pump.press(Next);
    pump.press(Next);
    browse();
    check([] {
        EXPECT_EQ(dialog().caption(), "Select Directory");
        EXPECT_EQ(dialog().notebookPage(), npSelectDirectory);
        EXPECT_EQ(dialog().lblSDPathLabel->text(), "Path");
        EXPECT_EQ(dialog().memSDIntent->toPlainText(),
                  "Please select a directory for Lumora to be installed to.");
        EXPECT_EQ(dialog().edtSDPath->text(), "b:\\Lumora\\");
        // B: is not mapped here: the view shows the first drive it can, without a word.
        EXPECT_EQ(dialog().dcbSDDrive->currentText().left(2), "C:");
        ASSERT_GT(dialog().lsbSDDirs->count(), 0);
        EXPECT_EQ(dialog().lsbSDDirs->item(0)->text(), "C:\\");
    });
    typePathAndPress("C:\\Lumora", Next);
    check([this] {
        EXPECT_EQ(dialog().CurrentPage, last);
        EXPECT_EQ(dialog().laCDLDirectory->text(), "C:\\Lumora\\");
        EXPECT_TRUE(info->IsDirSelected(install));
        EXPECT_TRUE(info->IsDirSelected(help));
    });
    pump.press(Next);
    EXPECT_EQ(run(), psDone);
    EXPECT_EQ(world.interaction.messages().size(), 1u) << "only the floppy warning was shown";
    EXPECT_EQ(world.interaction.messages()[0].kind, mtWarning);
}

TEST_F(DirChoicePage, PathsTypedInBrowseThatAreNotLocalLeaveTheTarget) {
    for (const char* typed :
         {"C:/Apps/Lumora", "\\\\server\\share\\Lumora", "C:\\Apps\\\\Lumora", "Apps\\Lumora"}) {
        SCOPED_TRACE(typed);
        pump.press(Next);
        browse();
        typePathAndPress(typed, Next);
        check([this] { EXPECT_EQ(dialog().CurrentPage, last); });
        pump.press(Next);
        EXPECT_EQ(run(), psDone);
        EXPECT_EQ(page->TargetDir(), "C:\\Lumora\\");
        EXPECT_TRUE(world.interaction.messages().empty()) << "the old target exists";
        FreeSetupPagesForm();
    }
}

TEST_F(DirChoicePage, PreviousInBrowseKeepsTheTargetAndTheButtons) {
    pump.press(Next);
    browse();
    typePathAndPress("C:\\Elsewhere", Prev);
    check([this] {
        EXPECT_EQ(dialog().notebookPage(), npDirChoice);
        EXPECT_EQ(dialog().caption(), "Choose Destination Directory");
        EXPECT_EQ(dialog().CurrentPage, page);
        EXPECT_TRUE(dialog().buttonEnabled(Prev));
        EXPECT_EQ(page->TargetDir(), "C:\\Lumora\\");
    });
    pump.press(Next);
    pump.press(Next);
    EXPECT_EQ(run(), psDone);
}

TEST_F(DirChoicePage, CancelInBrowseCancelsTheChain) {
    pump.press(Next);
    browse();
    pump.press(WizardButton::Cancel);
    world.interaction.answer("Cancel Setup?", mrYes);
    EXPECT_EQ(run(), psCancelled);
    EXPECT_EQ(welcome->PageState(), psCancelled);
    EXPECT_EQ(dialog().notebookPage(), npDirChoice);
    EXPECT_FALSE(info->IsDirSelected(install));
}

TEST_F(DirChoicePage, PickingADirectoryKeepsTrailingNamesAndAMissingOneIsOffered) {
    std::filesystem::create_directories(world.host("d/Apps"));
    std::filesystem::create_directories(world.host("d/.cache"));
    world.services.drives.map('D', world.host("d"));
    page->SetPreserveTrailing(1);
    pump.press(Next);
    browse();
    pump.step([] {
        QComboBox* drives = dialog().dcbSDDrive;
        const int d = drives->findData(QChar('D'));
        ASSERT_GE(d, 0);
        drives->setCurrentIndex(d);
        emit drives->activated(d);
        QListWidget* list = dialog().lsbSDDirs;
        ASSERT_EQ(list->count(), 2) << "the root and its one visible subdirectory";
        list->setCurrentRow(1);
        EXPECT_EQ(dialog().edtSDPath->text(), "D:\\Apps\\Lumora\\");
        dialog().press(Next);
    });
    const std::string question = "The directory D:\\Apps\\Lumora\\ does not exist. Create it?";
    world.interaction.answer(question, mrNo);
    world.interaction.answer(question, mrYes);
    check([this] {
        EXPECT_EQ(dialog().CurrentPage, page) << "No keeps the user on the page";
        EXPECT_EQ(dialog().laCDLDirectory->text(), "D:\\Apps\\Lumora\\");
        EXPECT_FALSE(info->IsDirSelected(install));
        dialog().press(Next);
    });
    check([this] { EXPECT_TRUE(info->IsDirSelected(install)); });
    pump.press(Next);
    EXPECT_EQ(run(), psDone);
    EXPECT_EQ(install->Dir(), "D:\\Apps\\Lumora\\");
    EXPECT_FALSE(std::filesystem::exists(world.host("d/Apps/Lumora")))
        << "the copy page creates the directory, not this one";
}

TEST_F(DirChoicePage, PreviousDeselectsAndNextSelectsAgain) {
    std::vector<std::pair<std::string, bool>> seen;
    auto record = [&] {
        seen.emplace_back(dialog().CurrentPage->Name(),
                          info->IsDirSelected(install) && info->IsDirSelected(help));
    };
    for (WizardButton button : {Next, Next, Prev, Prev, Next, Next, Next})
        pump.step([&, button] {
            record();
            dialog().press(button);
        });
    EXPECT_EQ(run(), psDone);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"suWelcome", false}, {"suDir", false}, {"suLast", true}, {"suDir", true},
        {"suWelcome", false}, {"suDir", false}, {"suLast", true}};
    EXPECT_EQ(seen, expected);
}

TEST_F(DirChoicePage, InvisiblePageAcceptsItsDirectoryWithoutShowing) {
    page->SetDoInvisible(true);
    page->SetTargetDir("C:\\NotThereYet");
    pump.press(Next);
    check([this] {
        EXPECT_EQ(dialog().CurrentPage, last);
        EXPECT_NE(dialog().caption(), "Choose Destination Directory");
        EXPECT_TRUE(info->IsDirSelected(install));
        dialog().press(Prev);
    });
    check([this] { EXPECT_EQ(dialog().CurrentPage, welcome) << "Previous skips it too"; });
    pump.press(Next);
    pump.press(Next);
    EXPECT_EQ(run(), psDone);
    EXPECT_TRUE(world.interaction.messages().empty()) << "no create question";
}

TEST(DirChoicePageAlone, WithoutAScriptTheChainIsCancelled) {
    QtWizardScope wizard;
    ComponentOwner form;
    auto* page = form.Create<TSetupDirChoice>();
    page->SetInstallDir("Install");
    page->SetTargetDir("C:\\Lumora");
    EXPECT_EQ(page->TargetDir(), "");
    EXPECT_EQ(page->Execute(), psCancelled);
    EXPECT_EQ(page->PageState(), psCancelled);
}

TEST(SetupFormPages, TheShippedFormBuildsTheDirectoryAndCopyPages) {
    SetupWorld world;
    QtWizardScope wizard;
    TSetupForm form(world.services, shippedSetupForm());
    auto* dir = dynamic_cast<TSetupDirChoice*>(form.Components().FindComponent("suDir"));
    ASSERT_NE(dir, nullptr);
    EXPECT_EQ(dir->InstallDir(), "Install");
    EXPECT_EQ(dir->TargetDir(), "C:\\Lumora\\");
    EXPECT_EQ(dir->Text(), (std::vector<std::string>{"Select a folder for Lumora."}));
    auto* copy = dynamic_cast<TSetupFileCopy*>(form.Components().FindComponent("suCopy"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->OverWrite(), swAsk);
    EXPECT_FALSE(copy->CreateEmptyDirs());
    ASSERT_NE(copy->NextPage(), nullptr);
    EXPECT_EQ(copy->NextPage()->Name(), "suGroups");
}

} // namespace
} // namespace setupkit::testing
