// Undo, the context menu, fonts, the preview switch, help and the about box on the
// real window.

#include "window_fixture.h"

#include "editor/about_box.h"
#include "editor/font_conversion.h"
#include "editor/help_window.h"
#include "preview/html_lite.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolButton>

using namespace lumora;
using editor::FontDescription;
using Kind = editor::ScriptedInteraction::Kind;

class EditViewHelp : public lumora::testing::WindowTest {
protected:
    void type(const QString& text) {
        QTextCursor cursor(form->RichEdit->document());
        cursor.movePosition(QTextCursor::Start);
        cursor.insertText(text);
    }
    // The enabling state of every control the preview switch governs.
    std::vector<bool> documentCommands() const {
        return {form->BitBtn1FullAuto->isEnabled(),
                form->Button5->isEnabled(),
                form->SpeedButton1->isEnabled(),
                form->Button6->isEnabled(),
                form->RecentFiles1->menuAction()->isEnabled(),
                form->New2->isEnabled(),
                form->Open2->isEnabled(),
                form->Save2->isEnabled(),
                form->SaveAs2->isEnabled(),
                form->Undo1->menuAction()->isEnabled(),
                form->Utiltes1->menuAction()->isEnabled()};
    }
};

TEST_F(EditViewHelp, StartsWithTheSamplePageInThePreview) {
    startWindow();
    EXPECT_FALSE(form->htmlLite1->isHidden());
    EXPECT_TRUE(form->RichEdit->isHidden());
    EXPECT_EQ(form->htmlLite1->geometry(), form->RichEdit->geometry());
    EXPECT_TRUE(form->htmlLite1->toPlainText().contains(QStringLiteral("Lumora V 01.01")));
    EXPECT_FALSE(form->htmlLite1->toPlainText().contains(QStringLiteral("<h1>")));
    EXPECT_FALSE(form->PreviwOn1->isEnabled());
    EXPECT_TRUE(form->PreviewOff1->isEnabled());
    EXPECT_EQ(documentCommands(), std::vector<bool>(11, false));
    EXPECT_FALSE(form->Modified);
}

TEST_F(EditViewHelp, PreviewOffKeepsTheManualStepsAwayInAutomaticMode) {
    startWindow();
    form->PreviewOff1Click();
    EXPECT_TRUE(form->htmlLite1->isHidden());
    EXPECT_FALSE(form->RichEdit->isHidden());
    EXPECT_TRUE(form->htmlLite1->toPlainText().isEmpty());
    EXPECT_TRUE(form->PreviwOn1->isEnabled());
    EXPECT_FALSE(form->PreviewOff1->isEnabled());
    EXPECT_EQ(documentCommands(), (std::vector<bool>{true, false, false, false, true, true, true,
                                                     true, true, true, true}));

    form->RadioB_NOauto->setChecked(true);
    form->RadioB_NOautoClick();
    setPage({"<p>Fresh <b>words</b></p>"});
    form->PreviwOn1Click();
    EXPECT_EQ(form->htmlLite1->toPlainText().toStdString(), "Fresh words");
    EXPECT_EQ(documentCommands(), std::vector<bool>(11, false));
    form->PreviewOff1Click();
    EXPECT_EQ(documentCommands(), std::vector<bool>(11, true));
}

TEST_F(EditViewHelp, UndoTwiceRestoresAndRedoAfterUndoPutsTheChangeBack) {
    startWindow();
    form->PreviewOff1Click();
    setPage({"abc"});
    type(QStringLiteral("X"));
    form->Undo2Click();
    EXPECT_EQ(page(), (text::Lines{"abc"}));
    form->Undo2Click();
    EXPECT_EQ(page(), (text::Lines{"Xabc"}));
    form->Undo3Click();
    EXPECT_EQ(page(), (text::Lines{"abc"}));
    form->Redo1Click();
    EXPECT_EQ(page(), (text::Lines{"Xabc"}));
    // A new change is what the next Undo takes back.
    type(QStringLiteral("Y"));
    form->Redo1Click();
    EXPECT_EQ(page(), (text::Lines{"Xabc"}));
}

TEST_F(EditViewHelp, ContextMenuFollowsSelectionAndClipboard) {
    startWindow();
    form->PreviewOff1Click();
    setPage({"one two"});
    QApplication::clipboard()->clear();
    form->PopupMenu2Popup();
    EXPECT_TRUE(form->Undo3->isEnabled());
    EXPECT_FALSE(form->Cut1->isEnabled());
    EXPECT_FALSE(form->Copy1->isEnabled());
    EXPECT_FALSE(form->Paste1->isEnabled());
    EXPECT_TRUE(form->SelectAll1->isEnabled());

    form->SelectAll1Click();
    form->PopupMenu2Popup();
    EXPECT_TRUE(form->Cut1->isEnabled());
    EXPECT_TRUE(form->Copy1->isEnabled());
    form->Copy1Click();
    // The editor's text ends in the break after the last line.
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "one two\n");

    form->Modified = false;
    form->Cut1Click();
    EXPECT_EQ(page(), text::Lines{});
    EXPECT_TRUE(form->Modified);
    form->PopupMenu2Popup();
    EXPECT_FALSE(form->Copy1->isEnabled());
    EXPECT_TRUE(form->Paste1->isEnabled());
    form->Paste1Click();
    form->Paste1Click();
    EXPECT_EQ(page(), (text::Lines{"one two", "one two"}));
}

TEST_F(EditViewHelp, FontCommandsStartFromTheEditorsFont) {
    startWindow();
    const FontDescription editorFont = editor::toFontDescription(form->RichEdit->font());
    const FontDescription chosen{"Courier New", 12, true, false, false, false};
    const FontDescription applied{"Arial", 9, false, true, false, false};

    ui.queueFont(std::nullopt, applied);
    form->EditFont1Click();
    EXPECT_EQ(form->RichEdit->font().family().toStdString(), "Arial");
    EXPECT_TRUE(form->RichEdit->font().italic());

    const FontDescription afterApply = editor::toFontDescription(form->RichEdit->font());
    ui.queueFont(chosen);
    form->ResultWindowFont1Click();
    EXPECT_EQ(form->Label3_KeyWords->font().family().toStdString(), "Courier New");
    EXPECT_EQ(form->Label3_KeyWords->font().pointSize(), 12);
    EXPECT_EQ(form->RichEdit->font().family().toStdString(), "Arial");

    ASSERT_EQ(ui.fontRequests().size(), 2u);
    EXPECT_EQ(ui.fontRequests()[0], editorFont);
    EXPECT_EQ(ui.fontRequests()[1], afterApply);
}

TEST_F(EditViewHelp, KeyWordEditFontKeepsTheListColours) {
    startWindow();
    const QFont before3 = form->ListBox3->font();
    const QFont before4 = form->ListBox4->font();
    ui.queueFont(std::nullopt);
    form->Mauel1Click();
    EXPECT_EQ(form->ListBox3->font(), before3);
    EXPECT_EQ(form->ListBox4->font(), before4);

    ui.queueFont(FontDescription{"Courier New", 14, false, false, false, false});
    form->Mauel1Click();
    EXPECT_EQ(form->ListBox3->font().pointSize(), 14);
    EXPECT_EQ(form->ListBox4->font().family().toStdString(), "Courier New");
    EXPECT_EQ(form->ListBox3->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(form->ListBox4->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(form->RichEdit->font().pointSize(), 10);

    // The third font dialog has no Apply button.
    ui.queueFont(std::nullopt, FontDescription{"Arial", 9});
    EXPECT_THROW(form->Mauel1Click(), editor::UnscriptedInteraction);
}

TEST_F(EditViewHelp, HelpOpensTheStartupDirectorysFileAndQuitsAtTheEnd) {
    startWindow();
    const std::string file = (dir / "Lumora.hlp").string();
    form->WhatItDoes1Click();
    form->Contents1Click();
    form.reset();
    using Request = lumora::testing::RecordingHelpEngine::Request;
    EXPECT_EQ(help.requests, (std::vector<Request>{{file, 2}, {file, 3}, {file, 0}}));
}

TEST_F(EditViewHelp, AboutBoxIsShownModally) {
    startWindow();
    form->About1Click();
    EXPECT_EQ(ui.records(),
              (std::vector<editor::ScriptedInteraction::Record>{{Kind::Dialog, "About Lumora"}}));
    EXPECT_EQ(form->AboutBox->ProductName->text().toStdString(), "Lumora");
    EXPECT_EQ(form->AboutBox->Version->text().toStdString(), "Version 1.01.01");
    EXPECT_EQ(form->AboutBox->OKButton->text().toStdString(), "OK");
}

TEST(HelpWindow, ShowsTheShippedTopicsAndClosesOnQuit) {
    const std::string file = (lumora::testing::sourceDir() / "data" / "Lumora.hlp").string();
    editor::WindowHelpEngine engine;
    engine.showContext(file, 2);
    ASSERT_NE(engine.window(), nullptr);
    EXPECT_TRUE(engine.window()->isVisible());
    EXPECT_TRUE(engine.window()->view()->toPlainText().startsWith(QStringLiteral("What It Does")));
    engine.showContext(file, 3);
    EXPECT_TRUE(
        engine.window()->view()->toPlainText().startsWith(QStringLiteral("Getting Started")));
    engine.quit("/elsewhere/Lumora.hlp");
    EXPECT_TRUE(engine.window()->isVisible());
    engine.quit(file);
    EXPECT_FALSE(engine.window()->isVisible());
}

TEST(HelpWindow, ReportsAMissingFileOrTopicInItsOwnWindow) {
    lumora::testing::TempDir dir;
    editor::WindowHelpEngine engine;
    engine.showContext((dir / "Lumora.hlp").string(), 2);
    EXPECT_TRUE(engine.window()->view()->toPlainText().contains(QStringLiteral("Cannot open")));
    const std::string file = (lumora::testing::sourceDir() / "data" / "Lumora.hlp").string();
    engine.showContext(file, 7);
    EXPECT_TRUE(engine.window()->view()->toPlainText().contains(QStringLiteral("no topic 7")));
}
