// The find and replace commands on the real window: dialog fields in, selection and
// page out, every message through the interaction door.

#include "window_fixture.h"

#include "editor/editor_positions.h"
#include "editor/find_replace_dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTextCursor>

using namespace lumora;
using editor::Selection;

class FindReplaceWindow : public lumora::testing::WindowTest {
protected:
    void SetUp() override {
        startWindow();
        form->PreviewOff1Click();
    }
    Selection selection() const { return editor::pageSelection(*form->RichEdit); }
    void caretAt(size_t offset) { editor::selectPageRange(*form->RichEdit, {offset, 0}); }
    void replaceDialog(const std::string& find, const std::string& replace, bool all) {
        form->ReplaceDialog3->FindText->setText(QString::fromStdString(find));
        form->ReplaceDialog3->ReplaceText->setText(QString::fromStdString(replace));
        form->ReplaceDialog3->setReplaceAll(all);
    }
    std::string selectedText() const {
        return form->RichEdit->textCursor().selectedText().toStdString();
    }
};

TEST_F(FindReplaceWindow, ReplacePressedThreeTimesSelectsReplacesAndFindsTheNext) {
    setPage({"foo bar", "foo end"});
    caretAt(0);
    replaceDialog("foo", "baz", false);
    form->ReplaceDialog3Replace();
    EXPECT_EQ(selection(), (Selection{0, 3}));
    EXPECT_EQ(page(), (text::Lines{"foo bar", "foo end"}));
    form->ReplaceDialog3Replace();
    EXPECT_EQ(page(), (text::Lines{"baz bar", "foo end"}));
    EXPECT_EQ(selection(), (Selection{3, 0}));
    form->ReplaceDialog3Replace();
    EXPECT_EQ(selection(), (Selection{9, 3}));
    EXPECT_EQ(selectedText(), "foo");
    EXPECT_EQ(form->Fedit, "foo");
    EXPECT_EQ(form->Redit, "baz");
    EXPECT_TRUE(ui.records().empty());
}

TEST_F(FindReplaceWindow, ReplaceAllIsOneUndoableChangeAndEndsWithTheMessage) {
    const text::Lines original = {"Foo one", "two FOO foo", "three"};
    setPage(original);
    form->Modified = false;
    caretAt(0);
    replaceDialog("foo", "Bar", true);
    form->ReplaceDialog3Replace();
    EXPECT_EQ(page(), (text::Lines{"bar one", "two bar bar", "three"}));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"\"foo\" cannot be found"});
    EXPECT_FALSE(form->continueFlag());
    EXPECT_TRUE(form->Modified);
    form->Undo2Click();
    EXPECT_EQ(page(), original);
    form->Undo2Click();
    EXPECT_EQ(page(), (text::Lines{"bar one", "two bar bar", "three"}));
}

TEST_F(FindReplaceWindow, ReplaceAllWithMatchCaseInsertsTheReplacementAsTyped) {
    setPage({"Foo foo Foo"});
    caretAt(0);
    replaceDialog("Foo", "Bar", true);
    form->ReplaceDialog3->MatchCase->setChecked(true);
    form->ReplaceDialog3Replace();
    EXPECT_EQ(page(), (text::Lines{"Bar foo Bar"}));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"\"Foo\" cannot be found"});
}

TEST_F(FindReplaceWindow, ReplaceAllUpwardFromTheTopChangesNothing) {
    setPage({"foo foo"});
    form->Modified = false;
    caretAt(0);
    form->FindDialog3->DirectionUp->setChecked(true);
    replaceDialog("foo", "bar", true);
    form->ReplaceDialog3Replace();
    EXPECT_EQ(page(), (text::Lines{"foo foo"}));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"\"foo\" cannot be found", "\"foo\" cannot be found"}));
    EXPECT_FALSE(form->Modified);
}

TEST_F(FindReplaceWindow, FindNextFollowsTheFindDialogsSettings) {
    setPage({"webs and a web.", "web"});
    caretAt(0);
    form->FindDialog3->FindText->setText(QStringLiteral("WEB"));
    form->FindDialog3->WholeWord->setChecked(true);
    form->FindDialog3Find();
    EXPECT_EQ(selection(), (Selection{11, 3}));
    form->FindDialog3Find();
    EXPECT_EQ(selection(), (Selection{17, 3}));
    form->FindDialog3Find();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"\"web\" cannot be found"});
    EXPECT_EQ(selection(), (Selection{20, 0}));

    ui.clearRecords();
    form->FindDialog3->DirectionUp->setChecked(true);
    form->FindDialog3Find();
    EXPECT_EQ(selection(), (Selection{17, 3}));
    form->FindDialog3Find();
    EXPECT_EQ(selection(), (Selection{11, 3}));
    EXPECT_TRUE(ui.records().empty());
}

TEST_F(FindReplaceWindow, EmptyFindTextsDoNothing) {
    setPage({"text"});
    form->FindDialog3Find();
    form->ReplaceDialog3Find();
    form->ReplaceDialog3Replace();
    EXPECT_TRUE(ui.records().empty());
    EXPECT_EQ(page(), (text::Lines{"text"}));
}

TEST_F(FindReplaceWindow, FindCommandShowsTheDialogAndTakesItsText) {
    form->FindDialog3->FindText->setText(QStringLiteral("term"));
    form->Find1Click();
    EXPECT_TRUE(form->FindDialog3->isVisible());
    EXPECT_EQ(form->Fedit, "term");
    form->Replace2Click();
    EXPECT_TRUE(form->ReplaceDialog3->isVisible());
}

// Offsets of the logic count characters with two per line break; the editor counts
// UTF-16 units and one per break. Accents and characters beyond the basic plane
// must not shift the selection.
TEST_F(FindReplaceWindow, SelectionsLandOnTheRightCharactersOfAUtf8Page) {
    setPage({"h\xC3\xA9llo \xF0\x9F\x98\x80 w\xC3\xB6rld",
             "\xF0\x9F\x98\x80\xF0\x9F\x98\x80 w\xC3\xB6rld"});
    caretAt(0);
    form->FindDialog3->FindText->setText(QString::fromUtf8("W\xC3\xB6RLD"));
    form->FindDialog3Find();
    EXPECT_EQ(selection(), (Selection{8, 5}));
    EXPECT_EQ(form->RichEdit->textCursor().selectionStart(), 9);
    EXPECT_EQ(selectedText(), "w\xC3\xB6rld");
    form->FindDialog3Find();
    EXPECT_EQ(selection(), (Selection{18, 5}));
    EXPECT_EQ(selectedText(), "w\xC3\xB6rld");

    replaceDialog("w\xC3\xB6rld", "\xE2\x82\xAC", false);
    form->ReplaceDialog3Replace();
    EXPECT_EQ(page()[1], "\xF0\x9F\x98\x80\xF0\x9F\x98\x80 \xE2\x82\xAC");
}

TEST_F(FindReplaceWindow, FindInDocWalksTheKeywordAndStartsAgainAtTheTop) {
    setPage({"web one", "the web"});
    caretAt(0);
    form->ListBox3->addItems({QStringLiteral("one"), QStringLiteral("web")});
    form->ListBox3->setCurrentRow(1);
    form->ListBxFind1Click();
    EXPECT_EQ(selection(), (Selection{0, 3}));
    form->ListBxFind1Click();
    EXPECT_EQ(selection(), (Selection{13, 3}));
    form->ListBxFind1Click();
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"web not found. Starting at top of doc. Click find again."});
    EXPECT_EQ(selection(), (Selection{0, 0}));
    form->ListBxFind1Click();
    EXPECT_EQ(selection(), (Selection{0, 3}));
}

TEST_F(FindReplaceWindow, KeywordCommandsOnAnEmptyListReportTheIndexError) {
    setPage({"web"});
    caretAt(1);
    form->ListBxFind1Click();
    form->Replace1Click();
    EXPECT_EQ(ui.records(),
              (std::vector<editor::ScriptedInteraction::Record>{
                  {editor::ScriptedInteraction::Kind::Error, "List index out of bounds"},
                  {editor::ScriptedInteraction::Kind::Error, "List index out of bounds"}}));
    EXPECT_EQ(selection(), (Selection{1, 0}));
    EXPECT_FALSE(form->ReplaceDialog3->isVisible());
}

TEST_F(FindReplaceWindow, KeywordReplaceFillsBothDialogs) {
    form->ListBox3->addItems({QStringLiteral("first"), QStringLiteral("second")});
    form->Replace1Click();
    EXPECT_EQ(form->FindDialog3->findText(), "first");
    EXPECT_EQ(form->ReplaceDialog3->findText(), "first");
    EXPECT_TRUE(form->ReplaceDialog3->isVisible());
}
