// The window as the user meets it: shown, and worked only through its controls -
// menu commands reached through the menu bar, buttons clicked with the mouse where
// they stand, keys pressed - so a control that is hidden, covered, disabled or not
// wired fails here even when its handler is right.

#include "window_fixture.h"

#include "audit/search_snippet.h"
#include "common/ascii_case.h"
#include "editor/editor_positions.h"
#include "editor/find_replace_dialogs.h"
#include "editor/logic/sample_page.h"
#include "editor/search_result_preview.h"
#include "keywords/quick_info_texts.h"
#include "preview/html_lite.h"
#include "text/page_lines.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace lumora;
using editor::Answer;
using editor::FontDescription;
using Kind = editor::ScriptedInteraction::Kind;
using lumora::testing::readFile;
using lumora::testing::writeFile;

namespace {

const std::string kPassed =
    "YOU DOCUMENT PASSED!\rYour Title Tag, Description and Key Meta Tags appear OK.\rYou should "
    "not have any problems inserting Title and Meta Tags.";
const std::vector<std::string> kNoise{"the", "and", "your", "for", "our"};

std::vector<std::string> items(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        out.push_back(list->item(i)->text().toStdString());
    return out;
}

// Whether the user can reach the action: it and every menu on the way to the menu
// bar are visible and enabled.
bool reachable(const QAction* action, const QMenuBar* bar) {
    if (!action->isVisible() || !action->isEnabled())
        return false;
    if (bar->actions().contains(const_cast<QAction*>(action)))
        return true;
    for (QObject* holder : action->associatedObjects())
        if (const auto* menu = qobject_cast<const QMenu*>(holder))
            if (menu->menuAction() != action && reachable(menu->menuAction(), bar))
                return true;
    return false;
}

} // namespace

class RealControls : public lumora::testing::WindowTest {
protected:
    // The window on the screen, left out of its start-up preview through the menu.
    void showWindow(std::vector<std::string> filter = {}) {
        form.reset();
        startWindow(std::move(filter));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        choose(form->PreviewOff1);
        form->Modified = false;
    }
    void choose(QAction* action) {
        ASSERT_TRUE(reachable(action, form->menuBar())) << action->text().toStdString();
        action->trigger();
    }
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    static void clickItem(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    static void doubleClickItem(QListWidget* list, int row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // Manual mode with the keywords of the sample page listed.
    void scanInManualMode() {
        showWindow(kNoise);
        click(form->RadioB_NOauto);
        form->TagsPassed = true;
        click(form->Button5);
        ASSERT_GT(form->ListBox3->count(), 2);
    }
};

struct MenuCase {
    const char* name;
    QAction* editor::TForm1::*action;
    std::function<void()> arrange;
    std::function<void()> check;
};

TEST_F(RealControls, EveryMenuCommandWorksThroughItsMenu) {
    using editor::TForm1;
    const std::vector<MenuCase> cases = {
        {"New", &TForm1::New2, [this] { setPage({"x"}); },
         [this] {
             EXPECT_TRUE(page().empty());
             EXPECT_TRUE(ui.texts().empty());
         }},
        {"Open", &TForm1::Open2,
         [this] {
             writeFile(dir / "a.htm", "one\r\ntwo\r\n");
             ui.queueFile((dir / "a.htm").string());
         },
         [this] {
             EXPECT_EQ(page(), (text::Lines{"one", "two"}));
             EXPECT_EQ(form->DocFileName, (dir / "a.htm").string());
         }},
        {"Save", &TForm1::Save2,
         [this] {
             setPage({"saved"});
             ui.queueFile((dir / "s.htm").string());
         },
         [this] { EXPECT_EQ(readFile(dir / "s.htm"), "saved\r\n"); }},
        {"Save As", &TForm1::SaveAs2,
         [this] {
             setPage({"other"});
             ui.queueFile((dir / "t.htm").string());
         },
         [this] {
             EXPECT_EQ(readFile(dir / "t.htm"), "other\r\n");
             EXPECT_TRUE(ui.fileRequests().back().confirmOverwrite);
         }},
        {"Exit", &TForm1::Exit2, [this] { ui.queueAnswer(Answer::Yes); },
         [this] {
             EXPECT_EQ(ui.texts(), std::vector<std::string>{"Are you sure you want to exit?"});
             EXPECT_FALSE(form->isVisible());
         }},
        {"Undo", &TForm1::Undo2, [this] { form->RichEdit->replaceAllLines({"changed"}); },
         [this] { EXPECT_EQ(page(), editor::samplePage()); }},
        {"Redo", &TForm1::Redo1,
         [this] {
             form->RichEdit->replaceAllLines({"changed"});
             choose(form->Undo2);
         },
         [this] { EXPECT_EQ(page(), (text::Lines{"changed"})); }},
        {"Find", &TForm1::Find1, {}, [this] { EXPECT_TRUE(form->FindDialog3->isVisible()); }},
        {"Replace",
         &TForm1::Replace2,
         {},
         [this] { EXPECT_TRUE(form->ReplaceDialog3->isVisible()); }},
        {"Test Meta Tags",
         &TForm1::TestMetaTags1,
         {},
         [this] {
             EXPECT_EQ(ui.texts(), std::vector<std::string>{kPassed});
             EXPECT_TRUE(form->TagsPassed);
         }},
        {"Check Key Word Tags", &TForm1::CheckTitle1,
         [this] { setPage({"<META name = Keywords content=\"a\">"}); },
         [this] {
             EXPECT_EQ(ui.texts(), std::vector<std::string>{"This is your Key Word Meta Tag."});
         }},
        {"Compress HTML", &TForm1::CompressHTML1,
         [this] {
             setPage({"a", "", "b  "});
         },
         [this] {
             EXPECT_EQ(page(), (text::Lines{"a", "b"}));
         }},
        {"Char Count", &TForm1::Charcount1,
         [this] {
             setPage({"ab", "c"});
         },
         [this] { EXPECT_EQ(ui.texts(), std::vector<std::string>{"The text has 5 characters"}); }},
        {"Edit Window Font", &TForm1::EditFont1,
         [this] {
             ui.queueFont(FontDescription{"Courier New", 12});
         },
         [this] { EXPECT_EQ(form->RichEdit->font().pointSize(), 12); }},
        {"Result Window Font", &TForm1::ResultWindowFont1,
         [this] {
             ui.queueFont(FontDescription{"Courier New", 13});
         },
         [this] { EXPECT_EQ(form->Label3_KeyWords->font().pointSize(), 13); }},
        {"Key Word Edit Font", &TForm1::Mauel1,
         [this] {
             ui.queueFont(FontDescription{"Courier New", 14});
         },
         [this] { EXPECT_EQ(form->ListBox3->font().pointSize(), 14); }},
        {"Preview On",
         &TForm1::PreviwOn1,
         {},
         [this] {
             EXPECT_TRUE(form->htmlLite1->isVisible());
             EXPECT_FALSE(form->RichEdit->isVisible());
         }},
        {"Preview Off", &TForm1::PreviewOff1, [this] { choose(form->PreviwOn1); },
         [this] {
             EXPECT_FALSE(form->htmlLite1->isVisible());
             EXPECT_TRUE(form->RichEdit->isVisible());
         }},
        {"What It Does",
         &TForm1::WhatItDoes1,
         {},
         [this] {
             EXPECT_EQ(help.requests.back().context, 2);
             EXPECT_EQ(help.requests.back().helpFile, (dir / "Lumora.hlp").string());
         }},
        {"Getting Started",
         &TForm1::Contents1,
         {},
         [this] { EXPECT_EQ(help.requests.back().context, 3); }},
        {"About",
         &TForm1::About1,
         {},
         [this] {
             EXPECT_EQ(ui.records(), (std::vector<editor::ScriptedInteraction::Record>{
                                         {Kind::Dialog, "About Lumora"}}));
         }},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        showWindow();
        if (c.arrange)
            c.arrange();
        ui.clearRecords();
        choose((*form).*c.action);
        c.check();
        EXPECT_TRUE(ui.allAnswersUsed());
    }
}

TEST_F(RealControls, RecentFileEntryReopensThroughTheMenu) {
    showWindow();
    writeFile(dir / "r.htm", "recent\r\n");
    ui.queueFile((dir / "r.htm").string());
    choose(form->Open2);
    choose(form->New2);
    ui.queueAnswer(Answer::No);                                 // the new page is not saved
    form->RecentFiles1->popup(form->mapToGlobal(QPoint(0, 0))); // fills the menu
    ASSERT_FALSE(form->RecentFiles1->actions().isEmpty());
    choose(form->RecentFiles1->actions().front());
    form->RecentFiles1->hide();
    EXPECT_EQ(page(), (text::Lines{"recent"}));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{
                              "The document  has changed.\r\rDo you want to save the changes?"});
}

// Each button, radio button and check box clicked where it stands on the window.
TEST_F(RealControls, ManualModeButtonsWorkWhenClicked) {
    scanInManualMode();
    EXPECT_TRUE(ui.texts().empty());
    const std::vector<std::string> found = items(form->ListBox3);

    // A double click puts a found keyword at the top of the chosen list.
    for (int row = 0; row < 3; ++row)
        doubleClickItem(form->ListBox3, row);
    ASSERT_EQ(items(form->ListBox4), (std::vector<std::string>{found[2], found[1], found[0]}));

    // "Title - Description" runs the title finder on the chosen keywords.
    ui.queueAnswer(Answer::Yes);
    ui.queueAnswer(Answer::Cancel); // the description that follows
    click(form->SpeedButton1);
    EXPECT_FALSE(form->Edit1TileStorage.empty());

    // "Build MetaTags" asks before it writes.
    ui.clearRecords();
    ui.queueAnswer(Answer::Cancel);
    click(form->Button6);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"You already have Meta Tags on this web page. "
                                                    "\r\rDo you want to replace them now?",
                                                    "Meta Tags not added."}));
    EXPECT_EQ(page(), editor::samplePage());

    // "X" deletes from the list clicked last.
    clickItem(form->ListBox4, 0);
    click(form->SpeedButt_delete);
    EXPECT_EQ(items(form->ListBox4), (std::vector<std::string>{found[1], found[0]}));

    // "To Top" moves the current keyword up.
    form->ListBox3->clearSelection();
    clickItem(form->ListBox3, 2);
    click(form->Button4);
    EXPECT_EQ(items(form->ListBox3).front(), found[2]);

    // "Combine" wants the top keyword among the selected ones.
    ui.clearRecords();
    form->ListBox3->clearSelection();
    clickItem(form->ListBox3, 1);
    click(form->Button3);
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{std::string(keywords::kCombineNeedsTopSelected)});
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_F(RealControls, FullAutoGoStartsTheChainWhenClicked) {
    showWindow(kNoise);
    ui.queueAnswer(Answer::Cancel); // the first title proposal
    click(form->BitBtn1FullAuto);
    EXPECT_TRUE(ui.allAnswersUsed());
    const std::vector<std::string> texts = ui.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], kPassed);
    EXPECT_EQ(texts[1], "Now we will pick a TITLE for your web page");
    EXPECT_EQ(page(), editor::samplePage());
}

TEST_F(RealControls, SettingsRespondToClicks) {
    showWindow({"the"});
    click(form->CheckB_USEfilter);
    EXPECT_TRUE(form->ListBox1.empty());
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kFilterOffInfo);

    click(form->CheckBxDOkeywrds);
    EXPECT_FALSE(form->CheckBxKwBoost->isChecked());

    click(form->Label2);
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kSensitivityInfo);

    form->TrackBar1->setFocus();
    QTest::keyClick(form->TrackBar1, Qt::Key_Right);
    EXPECT_EQ(form->Label2->text().toStdString(), "Sensitivity 6");
    EXPECT_TRUE(ui.texts().empty());
}

// A click on the mode already on changes nothing: the lists keep their keywords.
TEST_F(RealControls, ClickingTheModeAlreadyOnKeepsTheListsRegression) {
    scanInManualMode();
    doubleClickItem(form->ListBox3, 0);
    const std::vector<std::string> found = items(form->ListBox3);
    const std::vector<std::string> chosen = items(form->ListBox4);
    ASSERT_EQ(chosen.size(), 1u);

    click(form->RadioB_NOauto);
    EXPECT_EQ(items(form->ListBox3), found);
    EXPECT_EQ(items(form->ListBox4), chosen);

    // A change of mode still sets the window up afresh.
    click(form->RadioB_Automatic);
    EXPECT_EQ(form->ListBox3->count(), 0);
    EXPECT_EQ(form->Label3_InfoBox->text().toStdString(), keywords::kAutomaticModeInfo);
    click(form->RadioB_Automatic);
    EXPECT_TRUE(form->BitBtn1FullAuto->isEnabled());
    EXPECT_TRUE(ui.texts().empty());
}

// A failing command ends in the error box and leaves the page as it was; the window
// goes on working.
TEST_F(RealControls, AFailingCommandBecomesAnErrorAndKeepsThePage) {
    scanInManualMode();
    doubleClickItem(form->ListBox3, 0);
    ui.clearRecords();
    // Nothing scripted: the builder's question fails as a real dialog could.
    click(form->Button6);
    const std::string question =
        "You already have Meta Tags on this web page. \r\rDo you want to replace them now?";
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{question, "unscripted question: " + question}));
    EXPECT_EQ(ui.records().back().kind, Kind::Error);
    EXPECT_EQ(page(), editor::samplePage());

    ui.clearRecords();
    ui.queueAnswer(Answer::Cancel);
    click(form->Button6);
    EXPECT_EQ(ui.texts().back(), "Meta Tags not added.");
}

// The page's and the keyword list's context menus.
TEST_F(RealControls, ContextMenusOfThePageAndTheKeywordList) {
    scanInManualMode();
    // The context menu request a right click makes, where the click is.
    const auto openMenu = [](QAbstractScrollArea* area, QPoint at, QMenu* menu) {
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, area->viewport()->mapToGlobal(at));
        QApplication::sendEvent(area->viewport(), &request);
        return menu->isVisible();
    };
    const auto chooseFrom = [](QMenu* menu, QAction* action) {
        ASSERT_TRUE(menu->actions().contains(action));
        ASSERT_TRUE(action->isVisible() && action->isEnabled()) << action->text().toStdString();
        action->trigger();
        menu->hide();
    };

    // The keyword list's: "Find In Doc" selects the keyword, "Replace" opens the dialog
    // with it, whose Find Next goes on to the next one.
    const std::string keyword = form->ListBox3->item(0)->text().toStdString();
    clickItem(form->ListBox3, 0);
    const QPoint onItem = form->ListBox3->visualItemRect(form->ListBox3->item(0)).center();
    ASSERT_TRUE(openMenu(form->ListBox3, onItem, form->PopupMenu1));
    chooseFrom(form->PopupMenu1, form->ListBxFind1);
    const editor::Selection first = editor::pageSelection(*form->RichEdit);
    EXPECT_EQ(lumora::asciiLowered(form->RichEdit->textCursor().selectedText().toStdString()),
              keyword);
    ASSERT_TRUE(openMenu(form->ListBox3, onItem, form->PopupMenu1));
    chooseFrom(form->PopupMenu1, form->Replace1);
    ASSERT_TRUE(form->ReplaceDialog3->isVisible());
    EXPECT_EQ(form->ReplaceDialog3->FindText->text().toStdString(), keyword);
    click(form->ReplaceDialog3->FindNext);
    EXPECT_GT(editor::pageSelection(*form->RichEdit).start, first.start);
    form->ReplaceDialog3->hide();

    // The page's: Select All, Cut, Paste, Undo, Copy.
    setPage({"one", "two"});
    const QPoint inPage(20, 10);
    ASSERT_TRUE(openMenu(form->RichEdit, inPage, form->PopupMenu2));
    chooseFrom(form->PopupMenu2, form->SelectAll1);
    ASSERT_TRUE(openMenu(form->RichEdit, inPage, form->PopupMenu2));
    chooseFrom(form->PopupMenu2, form->Cut1);
    EXPECT_TRUE(page().empty());
    ASSERT_TRUE(openMenu(form->RichEdit, inPage, form->PopupMenu2));
    chooseFrom(form->PopupMenu2, form->Paste1);
    EXPECT_EQ(page(), (text::Lines{"one", "two"}));
    ASSERT_TRUE(openMenu(form->RichEdit, inPage, form->PopupMenu2));
    chooseFrom(form->PopupMenu2, form->Undo3);
    EXPECT_TRUE(page().empty());
    setPage({"copied"});
    form->RichEdit->selectAll();
    ASSERT_TRUE(openMenu(form->RichEdit, inPage, form->PopupMenu2));
    chooseFrom(form->PopupMenu2, form->Copy1);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "copied\n");
    EXPECT_TRUE(ui.texts().empty());
}

// The Search Result Preview, opened by clicking the Utilities menu and its item: the
// sample page's long title and short description as a result shows them, then the
// tags FULL AUTO GO ! writes while it stays open.
TEST_F(RealControls, SearchResultPreviewShowsTheTagsInTheEditor) {
    showWindow({"the", "and", "your", "for", "our", "you", "its", "with", "that", "from", "center",
                "nbsp"});
    QMenuBar* bar = form->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(form->Utiltes1->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Utiltes1));
    QTest::mouseClick(form->Utiltes1, Qt::LeftButton, {},
                      form->Utiltes1->actionGeometry(form->SearchResultPreview1).center());
    ASSERT_NE(form->SearchPreviewDialog, nullptr);
    const editor::SearchResultPreview& preview = *form->SearchPreviewDialog;
    ASSERT_TRUE(preview.isVisible());
    const auto shown = [](const QLabel* label) { return label->text().toStdString(); };
    EXPECT_EQ(shown(preview.ResultTitle),
              "Help Me Find A Good Title And Keywords To Help With My...");
    EXPECT_EQ(shown(preview.ResultDescription), "I am not sure what goes here. Please help me.");
    EXPECT_EQ(shown(preview.TitleLength), "Title: 76 characters (10 to 60 read well)");
    EXPECT_EQ(shown(preview.DescriptionLength), "Description: 45 characters (50 to 160 read well)");
    EXPECT_EQ(shown(preview.Findings), "The title is longer than 60 characters (title-too-long)\n"
                                       "The description is shorter than 50 characters "
                                       "(description-too-short)");

    for (int i = 0; i < 3; ++i) // the title, the description, the builder's confirmation
        ui.queueAnswer(Answer::Yes);
    click(form->BitBtn1FullAuto);
    ASSERT_TRUE(ui.allAnswersUsed());
    // The preview follows the page once typing rests.
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(preview.ResultTitle).starts_with("!!! "); }));
    EXPECT_TRUE(preview.isVisible());
    // The title the chain wrote, cut as a result cuts it, with its length.
    const std::string line = page()[2];
    ASSERT_TRUE(line.starts_with("<title>") && line.ends_with("</title>")) << line;
    const std::string title = line.substr(7, line.size() - 15);
    EXPECT_EQ(shown(preview.ResultTitle), audit::searchSnippet(title, 60).shown);
    EXPECT_EQ(shown(preview.TitleLength), "Title: " + std::to_string(text::charCount(title)) +
                                              " characters (10 to 60 read well)");

    click(preview.CloseButton);
    EXPECT_FALSE(preview.isVisible());
}
