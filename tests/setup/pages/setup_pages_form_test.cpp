#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "setup/engine/setup_page.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/pages/vel_progress_bar.h"

#include <QApplication>
#include <QPushButton>
#include <QStackedWidget>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

TEST(SetupPagesForm, HasTheNamedControlsOnItsTenNotebookPages) {
    TSetupPagesForm form;
    EXPECT_EQ(form.size(), QSize(510, 306));
    EXPECT_EQ(form.font().family(), "Liberation Sans");
    const char* pages[] = {"DirChoice",       "FileCopy",      "Groups",  "Choices",
                           "BDEInstall",      "UnInstall",     "Message", "MultiDisk",
                           "SelectDirectory", "SelectLanguage"};
    ASSERT_EQ(form.nbPage->count(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(form.nbPage->widget(i)->objectName(), pages[i]);
    const struct {
        const char* control;
        int page;
    } controls[] = {{"meCDLIntent", 0},     {"laCDLDirectory", 0}, {"btnCDLBrowse", 0},
                    {"pbrFCFile", 1},       {"pbrFCProgress", 1},  {"meFCActions", 1},
                    {"laFCFilesLeft", 1},   {"cbCWGGroups", 2},    {"meCWGActions", 2},
                    {"btnBDEReinstall", 4}, {"meUNIIntent", 5},    {"meMSGIntent", 6},
                    {"lblMDIIntent", 7},    {"lsbSDDirs", 8},      {"edtSDPath", 8},
                    {"dcbSDDrive", 8},      {"rdgLSLanguage", 9}};
    for (const auto& c : controls) {
        QWidget* widget = form.nbPage->widget(c.page)->findChild<QWidget*>(c.control);
        EXPECT_NE(widget, nullptr) << c.control;
    }
    for (const char* name : {"btnPrev", "btnNext", "btnCancel", "pnBitmap", "imSetup", "paObscure"})
        EXPECT_NE(form.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_FALSE(form.btnBDEReinstall->isEnabled());
}

TEST(SetupPagesForm, CopyProgressMessageAddsToBothBars) {
    TSetupPagesForm form;
    form.postCopyProgress(30);
    form.postCopyProgress(5);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.pbrFCFile->Progress(), 35);
    EXPECT_EQ(form.pbrFCProgress->Progress(), 35);
}

TEST(SetupPagesForm, RunsAChainWithItsRealButtons) {
    SetupWorld world;
    QtWizardScope wizard;
    ComponentOwner form;
    world.makeController(form);
    TSetupPage* one = form.Create<TSetupPage>();
    one->SetName("one");
    TSetupPage* two = form.Create<TSetupPage>();
    two->SetName("two");
    two->SetButtons(btPrev | btFinish | btCancel);
    one->SetNextPage(two);
    std::vector<std::string> seen;
    world.pump.beforePress = [&](WizardButton) {
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        seen.push_back(dialog->CurrentPage->Name() + ":" + dialog->btnNext->text().toStdString() +
                       ":" + (dialog->btnPrev->isEnabled() ? "prev" : "-"));
    };
    world.pump.press(WizardButton::Next);
    world.pump.press(WizardButton::Prev);
    world.pump.press(WizardButton::Next);
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(one->Execute(), psDone);
    EXPECT_EQ(seen, (std::vector<std::string>{"one:&Next:-", "two:&Finish:prev", "one:&Next:-",
                                              "two:&Finish:prev"}));
    EXPECT_FALSE(TSetupPagesForm::instance()->isVisible()) << "closed, not freed";
}

TEST(SetupPagesForm, EscapeAsksTheCancelQuestion) {
    SetupWorld world;
    QtWizardScope wizard;
    ComponentOwner form;
    world.makeController(form);
    TSetupPage* page = form.Create<TSetupPage>();
    world.interaction.answer("Cancel Setup?", mrYes);
    world.pump.beforePress = [](WizardButton) { TSetupPagesForm::instance()->reject(); };
    // Previous is disabled on a first page: only Escape acts.
    world.pump.press(WizardButton::Prev);
    EXPECT_EQ(page->Execute(), psCancelled);
    EXPECT_EQ(world.interaction.messages().size(), 1u);
}

} // namespace
} // namespace setupkit::testing
