// The installer's screens drawn offscreen and checked for texts that do not fit: the
// wizard's pages as the shipped chain shows them, its message box in every kind and
// button set, and the background (the suite runs this at scale 1 and at scale 2).
#include "engine_test_support.h"
#include "layout_check.h"
#include "qt_wizard_scope.h"
#include "shipped_form.h"
#include "step_pump.h"

#include "setup/engine/decompression_library.h"
#include "setup/engine/language_library.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/message_catalogue.h"
#include "setup/engine/setup_message_dialog.h"
#include "setup/engine/setup_message_dlg.h"
#include "setup/engine/setup_page.h"
#include "setup/pages/setup_background.h"
#include "setup/pages/setup_form.h"
#include "setup/pages/setup_language.h"
#include "setup/pages/setup_pages_form.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace setupkit::testing {
namespace {

namespace fs = std::filesystem;
using lumora::testing::checkShownLayout;
using lumora::testing::ClippedText;
using lumora::testing::describe;

const std::string CreateQuestion = "The directory C:\\Lumora\\ does not exist. Create it?";

std::string pageName(TSetupPagesForm* dialog) {
    return dialog->nbPage->currentWidget()->objectName().toStdString();
}

TEST(ScreensLayout, TheShippedChainShowsEveryPageWhole) {
    SetupWorld world;
    fs::create_directories(world.host("c/SETUP"));
    world.services.programFile = world.host("c/SETUP/setup");
    lumora::testing::writeFile(world.services.programFile, "the program");
    fs::remove_all(world.host("c/Lumora"));
    StepPump pump;
    world.services.pump = &pump;
    QtWizardScope wizard;
    TSetupForm form(world.services, shippedSetupForm());
    TSetupInfo* info = form.SetupInfo();
    const DecompressionLibrary library = DecompressionLibrary::besideProgram();
    for (const TSetupFile* file : info->SetupData().Files()) {
        const fs::path source = world.host("c/SETUP/" + file->Name());
        lumora::testing::writeFile(file->Compressed() ? world.host("plain") : source,
                                   "bytes of " + file->Name());
        if (file->Compressed()) {
            ASSERT_GE(library.TSCompress(world.host("plain"), source), 0) << file->Name();
        }
    }
    static_cast<TSetupPage*>(form.Components().FindComponent("suCopy"))->SetNextPage(nullptr);
    world.interaction.answer(CreateQuestion, mrYes);

    std::vector<std::string> pages;
    std::vector<ClippedText> clipped;
    auto check = [&] {
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        pages.push_back(pageName(dialog));
        for (const ClippedText& text : checkShownLayout(dialog))
            clipped.push_back(text);
    };
    auto checkAndPress = [&](WizardButton button) {
        pump.step([&check, button] {
            check();
            SetupPagesForm()->press(button);
        });
    };
    checkAndPress(WizardButton::Next);
    // The directory page, its Browse view (left with Previous), the page again.
    pump.step([&] {
        check();
        TSetupPagesForm::instance()->btnCDLBrowse->click();
    });
    checkAndPress(WizardButton::Prev);
    checkAndPress(WizardButton::Next);
    checkAndPress(WizardButton::Next);
    // The copy page is checked while it copies, once its texts are filled in.
    pump.onProcess = [&] {
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        if (pageName(dialog) == "FileCopy" && !dialog->laFCSource->text().isEmpty()) {
            pump.onProcess = nullptr;
            check();
        }
    };
    auto* welcome = static_cast<TSetupPage*>(form.Components().FindComponent("suWelcome"));
    EXPECT_EQ(welcome->Execute(), psDone);
    EXPECT_EQ(pages, (std::vector<std::string>{"Message", "DirChoice", "SelectDirectory",
                                               "DirChoice", "Message", "FileCopy"}));
    EXPECT_TRUE(pump.steps.empty());
    EXPECT_TRUE(clipped.empty()) << describe(clipped);
}

// The pages the shipped chain reaches only on other paths, each shown on its own.
TEST(ScreensLayout, TheChoiceAndGroupPagesShowTheirTextsWhole) {
    SetupWorld world;
    StepPump pump;
    world.services.pump = &pump;
    QtWizardScope wizard;
    TSetupForm form(world.services, shippedSetupForm());
    std::vector<std::string> pages;
    std::vector<ClippedText> clipped;
    for (const char* name : {"suInstallType", "suOptions", "suGroups"}) {
        auto* page = static_cast<TSetupPage*>(form.Components().FindComponent(name));
        ASSERT_NE(page, nullptr) << name;
        page->SetNextPage(nullptr);
        pump.step([&] {
            TSetupPagesForm* dialog = TSetupPagesForm::instance();
            pages.push_back(pageName(dialog));
            for (const ClippedText& text : checkShownLayout(dialog))
                clipped.push_back(text);
            SetupPagesForm()->press(WizardButton::Next);
        });
        EXPECT_EQ(page->Execute(), psDone) << name;
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"Choices", "Choices", "Groups"}));
    EXPECT_TRUE(clipped.empty()) << describe(clipped);
}

// The language page, and a page after it in each language it offers: translated
// captions must fit the same controls.
TEST(ScreensLayout, EveryLanguageShowsItsTextsWhole) {
    SetupWorld world;
    world.services.languageLoader = languageLibraryIn(lumora::testing::binDir());
    StepPump pump;
    world.services.pump = &pump;
    QtWizardScope wizard;
    ComponentOwner form;
    world.makeController(form);
    auto* page = form.Create<TSetupLanguage>();
    page->SetName("suLanguage");
    TLanguageTypes all = 0;
    for (int type = 0; type < LanguageTypeCount; ++type)
        all |= languageBit(static_cast<TLanguageType>(type));
    page->SetShowLanguages(all);
    auto* after = form.Create<TSetupPage>();
    after->SetName("after");
    after->SetButtons(btPrev | btNext | btCancel);
    page->SetNextPage(after);

    std::vector<ClippedText> clipped;
    auto check = [&] {
        for (const ClippedText& text : checkShownLayout(TSetupPagesForm::instance()))
            clipped.push_back(text);
    };
    int languages = 0;
    std::vector<std::string> nextCaptions;
    for (int chosen = 0; chosen == 0 || chosen < languages; ++chosen) {
        pump.step([&] {
            check();
            const auto items =
                TSetupPagesForm::instance()->rdgLSLanguage->findChildren<QRadioButton*>(
                    Qt::FindDirectChildrenOnly);
            languages = static_cast<int>(items.size());
            items.at(chosen)->click();
            SetupPagesForm()->press(WizardButton::Next);
        });
        pump.step([&] {
            check();
            nextCaptions.push_back(TSetupPagesForm::instance()->btnNext->text().toStdString());
            SetupPagesForm()->press(WizardButton::Next);
        });
        EXPECT_EQ(page->Execute(), psDone);
    }
    EXPECT_GE(languages, 8);
    EXPECT_EQ(nextCaptions.size(), static_cast<size_t>(languages));
    EXPECT_NE(std::find(nextCaptions.begin(), nextCaptions.end(), "&Suivant"), nextCaptions.end())
        << "the pages were not shown in French";
    EXPECT_TRUE(clipped.empty()) << describe(clipped);
}

TEST(ScreensLayout, TheBackgroundShowsTheProgramNameWhole) {
    SetupWorld world;
    QtWizardScope wizard;
    TSetupForm form(world.services, shippedSetupForm());
    TSetupBackground* background = form.Background();
    // Only the drawing is checked here: the wizard must not start.
    background->SetAutoSetup(nullptr);
    background->SetAutoUnInstall(nullptr);
    QWidget* window = background->window();
    window->resize(640, 480);
    ASSERT_EQ(background->appNameLabel()->text(), "Lumora");
    const auto clipped = checkShownLayout(window);
    EXPECT_TRUE(clipped.empty()) << describe(clipped);
}

class MessageBoxLayout : public ::testing::Test {
protected:
    ScriptedSetupInteraction unused;
    MessageCatalogue catalogue{unused, noLanguageLibrary()};
};

TEST_F(MessageBoxLayout, EveryKindAndButtonSetShowsItsTextWhole) {
    const int kinds[] = {mtWarning, mtError, mtInformation, mtConfirmation, 9};
    const unsigned buttonSets[] = {mbOK,
                                   mbOK | mbCancel,
                                   mbYes | mbNo,
                                   mbYes | mbNo | mbCancel,
                                   mbAbort | mbRetry | mbIgnore,
                                   mbYes | mbNo | mbAll | mbCancel,
                                   mbOK | mbHelp};
    const std::string texts[] = {"Done.", CreateQuestion,
                                 catalogue.GetText(66) + "\r\n" + catalogue.GetText(67)};
    for (const int kind : kinds)
        for (const unsigned buttons : buttonSets)
            for (const std::string& text : texts) {
                SetupMessageDialog dialog(makeSetupMessageBox(catalogue, text, kind, buttons));
                const auto clipped = checkShownLayout(&dialog);
                EXPECT_TRUE(clipped.empty())
                    << "kind " << kind << ", buttons " << buttons << ", text " << text << ":\n"
                    << describe(clipped);
            }
}

// The question whose last words were only to be read by scrolling.
TEST_F(MessageBoxLayout, AOneLineQuestionFitsWithoutScrollBars) {
    SetupMessageDialog dialog(
        makeSetupMessageBox(catalogue, CreateQuestion, mtConfirmation, mbYes | mbNo | mbCancel));
    dialog.show();
    auto* memo = dialog.findChild<QPlainTextEdit*>(QStringLiteral("Memo"));
    ASSERT_NE(memo, nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(memo->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(memo->verticalScrollBar()->isVisible());
    const QFontMetrics metrics(memo->font());
    const int margins = 2 * static_cast<int>(memo->document()->documentMargin());
    EXPECT_GE(memo->viewport()->width(),
              metrics.horizontalAdvance(QString::fromStdString(CreateQuestion)) + margins);
    EXPECT_GE(memo->viewport()->height(), 3 * metrics.lineSpacing() + margins);
}

class LayoutCount : public ::testing::Environment {
public:
    void TearDown() override {
        std::printf("Clipped texts on the installer's screens: %d\n",
                    lumora::testing::clippedTextCount());
    }
};
[[maybe_unused]] const auto* const count = ::testing::AddGlobalTestEnvironment(new LayoutCount);

} // namespace
} // namespace setupkit::testing
