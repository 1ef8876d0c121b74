#include "engine_test_support.h"
#include "qt_wizard_scope.h"

#include "setup/engine/setup_error.h"
#include "setup/form/form_text_parser.h"
#include "setup/pages/setup_choice_pages.h"
#include "setup/pages/setup_form.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/script/setup_choice.h"
#include "setup/script/setup_data.h"
#include "setup/script/setup_dir.h"
#include "setup/script/setup_file.h"
#include "setup/script/setup_file_group.h"
#include "setup/script/setup_file_list.h"
#include "shipped_form.h"
#include "temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>

#include <gtest/gtest.h>

namespace setupkit::testing {
namespace {

constexpr auto Next = WizardButton::Next;
constexpr auto Prev = WizardButton::Prev;

// A left click as the mouse gives it: press and release in the middle of `widget`.
void clickWidget(QWidget* widget) {
    const QPointF at(widget->rect().center());
    const QPointF global(widget->mapToGlobal(at.toPoint()));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

std::vector<std::string> installedPairs(TSetupInfo& info) {
    std::vector<std::string> pairs;
    const TSetupFileGroup& set = info.InstallSet();
    for (size_t k = 0; k < set.Dirs().size(); ++k)
        for (const TSetupFile* file : set.FileLists()[k]->Files())
            pairs.push_back(set.Dirs()[k]->Name() + ":" + file->Name());
    return pairs;
}

// A choice page on the real wizard dialog, followed by a plain page "after".
class ChoicePage : public ::testing::Test {
protected:
    ChoicePage() { info = world.makeController(form); }

    template <class Page> Page* addChoicePage(const std::string& name, int items, bool common) {
        auto* page = form.Create<Page>();
        page->SetName(name);
        TSetupData& script = info->SetupData();
        TSetupDir* install = script.FindDir("Install");
        TSetupChoiceData* entry = script.FindChoiceData(name);
        auto addItem = [&](const std::string& itemName, const std::string& title) {
            TSetupChoiceItem* item = script.AddChoiceItem(name + ":" + itemName);
            item->SetTitle(title);
            item->SetDescription({"Installs " + itemName + ".", "A second line."});
            item->Add()->AddFile(script.AddFile(itemName + ".txt"), install, true);
            return item;
        };
        if (common)
            entry->SetCommon(addItem("common", ""));
        for (int i = 1; i <= items; ++i)
            entry->AddItem(addItem("choice" + std::to_string(i), "Choice " + std::to_string(i)));
        after = form.Create<TSetupPage>();
        after->SetName("after");
        page->SetNextPage(after);
        return page;
    }
    // Runs `check` when `page` waits for a button, each time, then presses `button`.
    void onPage(const std::function<void(const std::string& page)>& check) {
        world.pump.beforePress = [this, check](WizardButton) {
            TSetupPagesForm* dialog = TSetupPagesForm::instance();
            ASSERT_NE(dialog, nullptr);
            shown.push_back(dialog->CurrentPage->Name());
            check(dialog->CurrentPage->Name());
        };
    }
    void press(std::initializer_list<WizardButton> buttons) {
        for (WizardButton button : buttons)
            world.pump.press(button);
    }

    SetupWorld world;
    QtWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = nullptr;
    TSetupPage* after = nullptr;
    std::vector<std::string> shown;
};

TEST_F(ChoicePage, FirstShowingPicksChoiceOneOnARadioPageAndNothingOnACheckBoxPage) {
    auto* radio = addChoicePage<TSetupRadioChoice>("suInstallType", 3, false);
    auto* options = addChoicePage<TSetupCheckBoxChoice>("suOptions", 3, false);
    options->SetNextPage(nullptr);
    radio->SetNextPage(options);
    onPage([&](const std::string& name) {
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        EXPECT_EQ(dialog->notebookPage(), npChoices);
        EXPECT_EQ(dialog->caption(), "Setup Choice");
        if (name == "suInstallType") {
            const auto buttons = radio->RadioButtons();
            ASSERT_EQ(buttons.size(), 3u);
            EXPECT_EQ(std::vector<bool>({buttons[0]->isChecked(), buttons[1]->isChecked(),
                                         buttons[2]->isChecked()}),
                      (std::vector<bool>{true, false, false}));
            EXPECT_TRUE(radio->GetSelected(1));
            EXPECT_FALSE(radio->GetSelected(2));
        } else {
            const auto boxes = options->CheckBoxes();
            ASSERT_EQ(boxes.size(), 3u);
            for (int n = 1; n <= 3; ++n) {
                EXPECT_FALSE(boxes[static_cast<size_t>(n - 1)]->isChecked()) << n;
                EXPECT_FALSE(options->GetSelected(n)) << n;
            }
        }
    });
    press({Next, Next});
    EXPECT_EQ(radio->Execute(), psDone);
    EXPECT_EQ(shown, (std::vector<std::string>{"suInstallType", "suOptions"}));
    EXPECT_TRUE(radio->RadioButtons().empty()) << "controls live only while shown";
    EXPECT_TRUE(options->CheckBoxes().empty());
}

TEST_F(ChoicePage, ControlsFillTheNotebookRowByRow) {
    auto* page = addChoicePage<TSetupCheckBoxChoice>("suOptions", 3, false);
    info->SetupData().FindChoiceItem("suOptions:choice2")->SetTitle("");
    onPage([&](const std::string& name) {
        if (name != "suOptions")
            return;
        TSetupPagesForm* dialog = TSetupPagesForm::instance();
        const int rowHeight = dialog->nbPage->height() / 3;
        const auto labels = page->Labels();
        const auto memos = page->Memos();
        const auto boxes = page->CheckBoxes();
        ASSERT_EQ(labels.size(), 3u);
        ASSERT_EQ(memos.size(), 3u);
        ASSERT_EQ(boxes.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            QLabel* label = labels[static_cast<size_t>(i)];
            QPlainTextEdit* memo = memos[static_cast<size_t>(i)];
            const int labelHeight = i == 1 ? 0 : label->height();
            EXPECT_EQ(label->parentWidget(), dialog->nbPage->widget(npChoices));
            EXPECT_EQ(label->geometry().topLeft(), QPoint(20, i * rowHeight));
            EXPECT_EQ(label->width(), dialog->nbPage->width() - 20);
            EXPECT_TRUE(label->font().bold());
            EXPECT_EQ(memo->geometry(),
                      QRect(20, i * rowHeight + labelHeight, dialog->nbPage->width() - 20,
                            rowHeight - labelHeight + 2));
            EXPECT_TRUE(memo->isReadOnly());
            EXPECT_EQ(memo->toPlainText().toStdString(),
                      "Installs choice" + std::to_string(i + 1) + ".\nA second line.");
            EXPECT_EQ(boxes[static_cast<size_t>(i)]->geometry().topLeft(),
                      QPoint(0, i * rowHeight));
            EXPECT_EQ(boxes[static_cast<size_t>(i)]->width(), 15);
        }
        EXPECT_TRUE(labels[1]->isHidden()) << "an empty title takes no room";
        EXPECT_EQ(labels[1]->height(), 0);
        EXPECT_EQ(labels[0]->text(), "Choice 1");
    });
    press({Next, Next});
    EXPECT_EQ(page->Execute(), psDone);
}

TEST_F(ChoicePage, ClickingATitleOrDescriptionTogglesTheBox) {
    auto* options = addChoicePage<TSetupCheckBoxChoice>("suOptions", 3, false);
    onPage([&](const std::string& name) {
        if (name != "suOptions")
            return;
        QCheckBox* box = options->CheckBoxes()[1];
        clickWidget(options->Labels()[1]);
        EXPECT_TRUE(box->isChecked());
        EXPECT_TRUE(options->GetSelected(2));
        EXPECT_EQ(TSetupPagesForm::instance()->focusWidget(), box);
        clickWidget(options->Memos()[1]->viewport());
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(options->GetSelected(2));
        clickWidget(options->Memos()[2]->viewport());
        options->CheckBoxes()[0]->click();
        EXPECT_EQ(std::vector<bool>(
                      {options->GetSelected(1), options->GetSelected(2), options->GetSelected(3)}),
                  (std::vector<bool>{true, false, true}));
    });
    press({Next, Next});
    EXPECT_EQ(options->Execute(), psDone);
}

TEST_F(ChoicePage, ClickingADescriptionOnARadioPagePicksThatChoiceAlone) {
    auto* radio = addChoicePage<TSetupRadioChoice>("suInstallType", 3, false);
    onPage([&](const std::string& name) {
        if (name != "suInstallType")
            return;
        clickWidget(radio->Memos()[2]->viewport());
        EXPECT_TRUE(radio->RadioButtons()[2]->isChecked());
        EXPECT_FALSE(radio->RadioButtons()[0]->isChecked());
        EXPECT_EQ(std::vector<bool>(
                      {radio->GetSelected(1), radio->GetSelected(2), radio->GetSelected(3)}),
                  (std::vector<bool>{false, false, true}));
        // Clicking the picked choice's title again keeps it picked.
        clickWidget(radio->Labels()[2]);
        EXPECT_TRUE(radio->GetSelected(3));
    });
    press({Next, Next});
    EXPECT_EQ(radio->Execute(), psDone);
    EXPECT_TRUE(info->IsFileSelected(info->SetupData().FindFile("choice3.txt"),
                                     info->SetupData().FindDir("Install")));
}

TEST_F(ChoicePage, ClearingARadioChoicePicksTheFirst) {
    auto* radio = addChoicePage<TSetupRadioChoice>("suInstallType", 3, false);
    radio->SetSelected(3, true);
    EXPECT_TRUE(radio->GetSelected(3));
    radio->SetSelected(2, false);
    EXPECT_EQ(
        std::vector<bool>({radio->GetSelected(1), radio->GetSelected(2), radio->GetSelected(3)}),
        (std::vector<bool>{true, false, false}));
    radio->SetSelected(3, true);
    EXPECT_THROW(radio->SetSelected(4, true), ESetupError);
    EXPECT_TRUE(radio->GetSelected(3)) << "a refused number leaves the pick alone";

    // On screen the buttons follow.
    onPage([&](const std::string& name) {
        if (name != "suInstallType")
            return;
        EXPECT_TRUE(radio->RadioButtons()[2]->isChecked()) << "the pick survives the showing";
        radio->SetSelected(2, false);
        EXPECT_TRUE(radio->RadioButtons()[0]->isChecked());
        EXPECT_FALSE(radio->RadioButtons()[2]->isChecked());
    });
    press({Next, Next});
    EXPECT_EQ(radio->Execute(), psDone);
}

TEST_F(ChoicePage, ChoiceNumbersOutsideTheListAreRefused) {
    auto* options = addChoicePage<TSetupCheckBoxChoice>("suOptions", 2, false);
    for (int n : {0, 3}) {
        try {
            options->GetSelected(n);
            ADD_FAILURE() << n;
        } catch (const ESetupError& error) {
            EXPECT_STREQ(error.what(), "Selection index out of bounds.");
        }
        EXPECT_THROW(options->SetSelected(n, true), ESetupError);
        EXPECT_FALSE(options->IsChosen(n));
    }
    options->SetSelected(2, true);
    EXPECT_TRUE(options->IsChosen(2));
}

TEST_F(ChoicePage, AnEmptyPagePassesItselfOverAndAppliesTheCommonItem) {
    auto* options = addChoicePage<TSetupCheckBoxChoice>("suOptions", 0, true);
    onPage([](const std::string&) {});
    press({Next});
    EXPECT_EQ(options->Execute(), psDone);
    EXPECT_EQ(shown, (std::vector<std::string>{"after"}));
    EXPECT_EQ(installedPairs(*info), (std::vector<std::string>{"Install:common.txt"}));
}

TEST_F(ChoicePage, NextAppliesCommonThenChoicesInOrderAndPreviousRestoresTheSet) {
    TSetupData& script = info->SetupData();
    info->SelectFile(script.Files()[0], script.FindDir("Install"));
    auto* options = addChoicePage<TSetupCheckBoxChoice>("suOptions", 3, true);
    TSetupPage* first = form.Create<TSetupPage>();
    first->SetName("first");
    first->SetNextPage(options);
    const std::vector<std::string> before = installedPairs(*info);
    std::vector<std::string> chosen = before;
    for (const char* file : {"common.txt", "choice1.txt", "choice3.txt"})
        chosen.push_back(std::string("Install:") + file);
    std::vector<std::string> addedAtAfter;
    int showings = 0;
    onPage([&](const std::string& name) {
        if (name == "first") {
            EXPECT_EQ(installedPairs(*info), before);
        } else if (name == "after") {
            EXPECT_EQ(installedPairs(*info), chosen);
            addedAtAfter.clear();
            for (const TSetupFile* file : options->AddedLog().files)
                addedAtAfter.push_back(file->Name());
        } else if (++showings == 1) {
            options->CheckBoxes()[0]->click();
            options->CheckBoxes()[2]->click();
        } else {
            EXPECT_TRUE(options->CheckBoxes()[0]->isChecked()) << "the picks are kept";
            EXPECT_TRUE(options->CheckBoxes()[2]->isChecked());
        }
    });
    // first: Next; choices: Next; after: Previous; choices again (the changes stay):
    // Previous, which undoes them; first: Next; choices: Next; after: Next.
    press({Next, Next, Prev, Prev, Next, Next, Next});
    EXPECT_EQ(first->Execute(), psDone);
    EXPECT_EQ(shown, (std::vector<std::string>{"first", "suOptions", "after", "suOptions", "first",
                                               "suOptions", "after"}));
    EXPECT_EQ(addedAtAfter, (std::vector<std::string>{"common.txt", "choice1.txt", "choice3.txt"}));
    EXPECT_EQ(installedPairs(*info), chosen);
}

TEST_F(ChoicePage, PicksChangedAfterComingBackReplaceTheEarlierOnes) {
    auto* radio = addChoicePage<TSetupRadioChoice>("suInstallType", 3, false);
    int showings = 0;
    onPage([&](const std::string& name) {
        if (name == "suInstallType" && ++showings == 2)
            radio->RadioButtons()[1]->click();
    });
    // Next (choice 1), Previous on the page after, Next (choice 2), Next to finish.
    press({Next, Prev, Next, Next});
    EXPECT_EQ(radio->Execute(), psDone);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"suInstallType", "after", "suInstallType", "after"}));
    EXPECT_EQ(installedPairs(*info), (std::vector<std::string>{"Install:choice2.txt"}));
}

TEST_F(ChoicePage, RenamingTakesTheScriptEntryAlong) {
    TSetupData& script = info->SetupData();
    auto* options = addChoicePage<TSetupCheckBoxChoice>("suOptions", 2, false);
    TSetupChoiceData* entry = script.FindChoiceData("suOptions");
    options->SetName("suExtras");
    EXPECT_EQ(script.FindChoiceData("suExtras"), entry);
    EXPECT_EQ(script.FindChoiceData("suOptions"), nullptr);
    EXPECT_EQ(options->ChoiceCount(), 2);

    TSetupChoiceData* taken = script.AddChoiceData("suTaken");
    const size_t entries = script.ChoiceData().size();
    options->SetName("suTaken");
    EXPECT_EQ(script.ChoiceData().size(), entries - 1) << "the old entry is removed";
    EXPECT_EQ(script.FindChoiceData("suTaken"), taken);
    EXPECT_EQ(options->ChoiceCount(), 0);
}

// Form code presets the picks; a dialog without the toolkit's controls (an unattended
// run) applies them as they are.
TEST(ChoicePageWithoutControls, PresetPicksAreApplied) {
    SetupWorld world;
    FakeWizardScope wizard;
    ComponentOwner form;
    TSetupInfo* info = world.makeController(form);
    TSetupData& script = info->SetupData();
    auto* options = form.Create<TSetupCheckBoxChoice>();
    options->SetName("suOptions");
    TSetupChoiceData* entry = script.FindChoiceData("suOptions");
    for (const char* name : {"a", "b"}) {
        TSetupChoiceItem* item = script.AddChoiceItem(name);
        item->Add()->AddFile(script.AddFile(std::string(name) + ".txt"), script.FindDir("Install"),
                             true);
        entry->AddItem(item);
    }
    options->SetSelected(2, true);
    world.pump.press(Next);
    EXPECT_EQ(options->Execute(), psDone);
    EXPECT_EQ(wizard.dialog()->notebookPage(), npChoices);
    EXPECT_EQ(installedPairs(*info), (std::vector<std::string>{"Install:b.txt"}));
}

TEST(InstallTypePage, TheCustomInstallRunsTheOptionsPage) {
    const struct {
        int pick;
        std::vector<std::string> expected;
    } cases[] = {
        {1, {"suInstallType"}},
        {2, {"suInstallType"}},
        {3, {"suInstallType", "suOptions"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pick);
        SetupWorld world;
        QtWizardScope wizard;
        TSetupForm setupForm(world.services, shippedSetupForm());
        auto* installType =
            dynamic_cast<TSetupRadioChoice*>(setupForm.Components().FindComponent("suInstallType"));
        ASSERT_NE(installType, nullptr);
        ASSERT_NE(
            dynamic_cast<TSetupCheckBoxChoice*>(setupForm.Components().FindComponent("suOptions")),
            nullptr);
        // Each choice page has its one script entry, under its own name.
        std::vector<std::string> entries;
        for (const TSetupChoiceData* entry : setupForm.SetupInfo()->SetupData().ChoiceData())
            entries.push_back(entry->Name());
        EXPECT_EQ(entries, (std::vector<std::string>{"suInstallType", "suOptions"}));
        // Only the pages under test: the directory page follows in the shipped chain.
        installType->SetNextPage(nullptr);
        std::vector<std::string> shown;
        world.pump.beforePress = [&](WizardButton) {
            TSetupPage* current = TSetupPagesForm::instance()->CurrentPage;
            shown.push_back(current->Name());
            if (current == installType)
                installType->RadioButtons()[static_cast<size_t>(c.pick - 1)]->click();
        };
        for (size_t i = 0; i < c.expected.size(); ++i)
            world.pump.press(Next);
        EXPECT_EQ(installType->Execute(), psDone);
        EXPECT_EQ(shown, c.expected);
        EXPECT_TRUE(installType->IsChosen(c.pick));
    }
}

} // namespace
} // namespace setupkit::testing
