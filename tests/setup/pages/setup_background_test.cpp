#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "setup/engine/setup_page.h"
#include "setup/pages/setup_background.h"
#include "setup/pages/setup_message.h"
#include "setup/pages/setup_pages_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

class BackgroundStart : public ::testing::Test {
protected:
    BackgroundStart() {
        world.services.quit = [this](int code) { quitCodes.push_back(code); };
    }
    // Builds the form's components in the order the shipped form has them.
    void build() {
        background = new TSetupBackground(&form, &window);
        form.InsertComponent(background);
        info = world.makeController(form);
        setupPage = form.Create<TSetupPage>();
        setupPage->SetName("suWelcome");
        setupPage->SetButtons(btNext | btCancel);
        unInstallPage = form.Create<TSetupPage>();
        unInstallPage->SetName("suUnInstall");
        unInstallPage->SetButtons(btNext | btCancel);
        background->SetAutoSetup(setupPage);
        background->SetAutoUnInstall(unInstallPage);
        for (TSetupPage* page : {setupPage, unInstallPage})
            page->OnExecute = [this](TSetupComponent* sender) { ran.push_back(sender->Name()); };
        background->SetMaximizeWindow(false);
        info->Loaded();
        background->Loaded();
        background->resize(300, 200);
        window.resize(300, 200);
    }
    // Shows the form and lets its events run until the application is told to end.
    void runUntilQuit() {
        window.show();
        QElapsedTimer clock;
        clock.start();
        while (quitCodes.empty() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    SetupWorld world;
    QtWizardScope wizardHolder;
    QWidget window;
    ComponentOwner form;
    TSetupBackground* background = nullptr;
    TSetupInfo* info = nullptr;
    TSetupPage* setupPage = nullptr;
    TSetupPage* unInstallPage = nullptr;
    std::vector<std::string> ran;
    std::vector<int> quitCodes;
};

TEST_F(BackgroundStart, InstallRunStartsAutoSetupOnceAfterThePaint) {
    build();
    EXPECT_EQ(background->appNameLabel()->text(), "Lumora");
    world.pump.press(WizardButton::Next);
    world.interaction.answer("Setup completed successfully.", mrOk);
    runUntilQuit();
    EXPECT_TRUE(background->painted());
    EXPECT_FALSE(background->startPending());
    EXPECT_EQ(ran, (std::vector<std::string>{"suWelcome"}));
    EXPECT_EQ(quitCodes, (std::vector<int>{0}));
    ASSERT_EQ(world.interaction.messages().size(), 1u);
    EXPECT_EQ(world.interaction.messages()[0].kind, mtInformation);
}

TEST_F(BackgroundStart, AttemptUnInstallStartsAutoUnInstall) {
    world.writeUnInstallNote("C:\\Lumora\\INSTALL.LOG");
    build();
    ASSERT_TRUE(info->AttemptUnInstall());
    world.pump.press(WizardButton::Cancel);
    world.interaction.answer("Cancel Setup?", mrYes);
    world.interaction.answer("UnInstall failed.", mrOk);
    runUntilQuit();
    EXPECT_EQ(ran, (std::vector<std::string>{"suUnInstall"}));
    EXPECT_EQ(quitCodes, (std::vector<int>{2}));
}

TEST_F(BackgroundStart, PaintsTheGradientAndRefusesZeroGradations) {
    build();
    background->SetGradations(4);
    world.interaction.answer("Gradations cannot be less than 1", mrOk);
    background->SetGradations(0);
    EXPECT_EQ(background->Gradations(), 4);
    background->SetShowAppName(false);
    const QImage image = background->grab().toImage();
    // Four bands of 50 rows: blue 191, 127 (-127.5 rounds away from zero), 64, black.
    EXPECT_EQ(image.pixelColor(150, 0), QColor(0, 0, 191));
    EXPECT_EQ(image.pixelColor(150, 60), QColor(0, 0, 127));
    EXPECT_EQ(image.pixelColor(150, 199), QColor(0, 0, 0));
    form.FreeComponent(setupPage);
    EXPECT_EQ(background->AutoSetup(), nullptr) << "a removed page is no longer referenced";
    form.FreeComponent(info);
    EXPECT_EQ(background->appNameLabel()->text(), "(none)");
}

TEST(SetupMessagePage, ScrollBarAndBorderOnlyWhenTheLinesDoNotFit) {
    SetupWorld world;
    QtWizardScope wizard;
    ComponentOwner form;
    world.makeController(form);
    auto* page = form.Create<TSetupMessage>();
    page->SetCaption("Welcome");
    page->SetLines({"one", "two"});
    page->SetButtons(btNext | btCancel);
    bool refused = false;
    page->OnNextPage = [&](TSetupComponent*) {
        if (refused)
            return;
        refused = true;
        page->SetLines(std::vector<std::string>(40, "line"));
        page->SetPageState(psBack);
    };
    std::vector<bool> scrolls;
    world.pump.beforePress = [&](WizardButton) {
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        EXPECT_EQ(dialog->caption(), "Welcome");
        EXPECT_EQ(dialog->notebookPage(), npMessage);
        const bool scroll = dialog->meMSGIntent->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
        EXPECT_EQ(dialog->meMSGIntent->frameShape(), scroll ? QFrame::Box : QFrame::NoFrame);
        scrolls.push_back(scroll);
    };
    world.pump.press(WizardButton::Next);
    world.pump.press(WizardButton::Next);
    EXPECT_EQ(page->Execute(), psDone);
    EXPECT_EQ(scrolls, (std::vector<bool>{false, true}));
}

} // namespace
} // namespace setupkit::testing
