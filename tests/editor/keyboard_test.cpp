// The window worked from the keyboard alone: the standard command keys, the Alt
// letters of the find and replace fields, Tab through what can be seen, and Delete
// in the keyword lists.

#include "window_fixture.h"

#include "editor/editor_positions.h"
#include "editor/find_replace_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace lumora;
using editor::Answer;
using lumora::testing::readFile;

namespace {

std::vector<std::string> items(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        out.push_back(list->item(i)->text().toStdString());
    return out;
}

} // namespace

class Keyboard : public lumora::testing::WindowTest {
protected:
    void showWindow() {
        form.reset();
        startWindow(std::vector<std::string>{"the", "and", "your", "for", "our"});
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->PreviewOff1->trigger();
        form->Modified = false;
    }
    // Presses keys where the focus is, as the keyboard does.
    static void press(const char* keys) {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(keys)));
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // The controls Tab visits from `start` until it comes back or reaches the page.
    std::vector<QWidget*> tabWalk(QWidget* start) {
        start->setFocus();
        std::vector<QWidget*> visited{start};
        for (int i = 0; i < 40; ++i) {
            press(Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == start || now == form->RichEdit)
                break;
            visited.push_back(now);
        }
        return visited;
    }
    // Whether a control can be seen: shown and not under "Automatic Set Up".
    bool seen(const QWidget* control) const {
        const QGroupBox* cover = form->GroupBox2;
        return control->isVisible() &&
               (control->parentWidget() != cover->parentWidget() || control == cover ||
                !cover->isVisible() || !cover->geometry().intersects(control->geometry()));
    }
    // Makes a window the one the keys go to.
    static bool activate(QWidget* window) {
        window->activateWindow();
        for (int i = 0; i < 100 && !window->isActiveWindow(); ++i)
            QTest::qWait(10);
        return window->isActiveWindow();
    }
    std::string selectedText() const {
        return form->RichEdit->textCursor().selectedText().toStdString();
    }
};

struct KeyCase {
    const char* name;
    const char* keys; // the desktop's common keys for the command
    std::function<void()> arrange;
    std::function<void()> check;
};

TEST_F(Keyboard, StandardKeysRunTheirCommands) {
    const std::string exitQuestion = "Are you sure you want to exit?";
    size_t fileRequestsBefore = 0;
    const std::vector<KeyCase> cases = {
        {"Open", "Ctrl+O", [this] { ui.queueFile(std::nullopt); },
         [&] { EXPECT_EQ(ui.fileRequests().size(), fileRequestsBefore + 1); }},
        {"Save", "Ctrl+S",
         [this] {
             setPage({"saved"});
             ui.queueFile((dir / "k.htm").string());
         },
         [this] { EXPECT_EQ(readFile(dir / "k.htm"), "saved\r\n"); }},
        {"Save As", "Ctrl+Shift+S", [this] { ui.queueFile(std::nullopt); },
         [&] {
             ASSERT_EQ(ui.fileRequests().size(), fileRequestsBefore + 1);
             EXPECT_TRUE(ui.fileRequests().back().confirmOverwrite);
         }},
        {"Exit", "Ctrl+Q", [this] { ui.queueAnswer(Answer::No); },
         [&] {
             EXPECT_EQ(ui.texts(), std::vector<std::string>{exitQuestion});
             EXPECT_TRUE(form->isVisible());
         }},
        {"Find", "Ctrl+F", {}, [this] { EXPECT_TRUE(form->FindDialog3->isVisible()); }},
        {"Replace", "Ctrl+H", {}, [this] { EXPECT_TRUE(form->ReplaceDialog3->isVisible()); }},
        {"Find Next", "F3",
         [this] {
             setPage({"a page", "the next page"});
             form->FindDialog3->setFindText("page");
             editor::selectPageRange(*form->RichEdit, {0, 0});
         },
         [this] {
             EXPECT_EQ(editor::pageSelection(*form->RichEdit), (editor::Selection{2, 4}));
             press("F3");
             EXPECT_EQ(editor::pageSelection(*form->RichEdit), (editor::Selection{17, 4}));
         }},
        {"Select All, Cut, Paste", "Ctrl+A",
         [this] {
             setPage({"one", "two"});
         },
         [this] {
             EXPECT_EQ(selectedText(), "one\u2029two\u2029");
             press("Ctrl+C");
             EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "one\ntwo\n");
             press("Ctrl+X");
             EXPECT_TRUE(page().empty());
             press("Ctrl+V");
             EXPECT_EQ(page(), (text::Lines{"one", "two"}));
         }},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        showWindow();
        if (c.arrange)
            c.arrange();
        form->RichEdit->setFocus();
        ui.clearRecords();
        fileRequestsBefore = ui.fileRequests().size();
        press(c.keys);
        c.check();
        EXPECT_TRUE(ui.allAnswersUsed());
    }
}

// Undo in the page is the window's single-level undo: pressed again, it puts back
// what it took, where the editor's own history would go further back.
TEST_F(Keyboard, UndoKeyInThePageIsTheWindowsUndo) {
    showWindow();
    setPage({"x"});
    form->RichEdit->setFocus();
    QTest::keyClicks(form->RichEdit, "ab");
    ASSERT_EQ(page(), (text::Lines{"abx"}));
    press("Ctrl+Z");
    EXPECT_EQ(page(), (text::Lines{"x"}));
    press("Ctrl+Z");
    EXPECT_EQ(page(), (text::Lines{"abx"}));
}

TEST_F(Keyboard, AltLettersOfTheDialogFieldsMoveTheFocus) {
    showWindow();
    press("Ctrl+H");
    editor::ReplaceDialog* replace = form->ReplaceDialog3;
    ASSERT_TRUE(replace->isVisible());
    ASSERT_TRUE(activate(replace));
    replace->MatchCase->setFocus();
    press(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), replace->ReplaceText);
    press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), replace->FindText);
    replace->hide();

    ASSERT_TRUE(activate(form.get()));
    press("Ctrl+F");
    editor::FindDialog* find = form->FindDialog3;
    ASSERT_TRUE(find->isVisible());
    ASSERT_TRUE(activate(find));
    find->MatchCase->setFocus();
    press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), find->FindText);
    // The captions show their marked letter, not an ampersand.
    for (const QLabel* label : find->findChildren<QLabel*>())
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
}

// Tab meets only controls the user can see: in automatic mode the keyword lists lie
// under "Automatic Set Up"; in manual mode they and "X" are in the walk.
TEST_F(Keyboard, TabVisitsOnlyTheControlsInSight) {
    showWindow();
    const std::vector<QWidget*> automatic = tabWalk(form->TrackBar1);
    for (const QWidget* control : automatic)
        EXPECT_TRUE(seen(control))
            << control->metaObject()->className() << " " << control->objectName().toStdString();
    EXPECT_NE(std::find(automatic.begin(), automatic.end(), form->BitBtn1FullAuto),
              automatic.end());

    QTest::mouseClick(form->RadioB_NOauto, Qt::LeftButton);
    form->GroupBox2->hide(); // as a scan with keywords leaves it in manual mode
    const std::vector<QWidget*> manual = tabWalk(form->TrackBar1);
    for (const QWidget* control : manual)
        EXPECT_TRUE(seen(control)) << control->objectName().toStdString();
    for (QWidget* control : std::initializer_list<QWidget*>{
             form->ListBox4, form->ListBox3, form->Button4, form->Button3, form->SpeedButt_delete})
        EXPECT_NE(std::find(manual.begin(), manual.end(), control), manual.end())
            << control->metaObject()->className();
}

// Delete in a keyword list, and "X" reached with Tab, delete as a click on "X" does.
TEST_F(Keyboard, DeleteKeyAndTheXButtonFromTheKeyboard) {
    showWindow();
    QTest::mouseClick(form->RadioB_NOauto, Qt::LeftButton);
    form->TagsPassed = true;
    QTest::mouseClick(form->Button5, Qt::LeftButton);
    ASSERT_GE(form->ListBox3->count(), 4);
    const std::vector<std::string> found = items(form->ListBox3);

    form->ListBox3->setFocus();
    form->ListBox3->setCurrentRow(0);
    press(Qt::Key_Delete);
    EXPECT_EQ(items(form->ListBox3), std::vector<std::string>(found.begin() + 1, found.end()));
    EXPECT_EQ(QApplication::focusWidget(), form->ListBox3);

    // Tab on to "X" (past "To Top" and "Combine") and press it with the space bar.
    form->ListBox3->setCurrentRow(0);
    while (QApplication::focusWidget() != form->SpeedButt_delete &&
           QApplication::focusWidget() != form->RichEdit)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form->SpeedButt_delete);
    press(Qt::Key_Space);
    EXPECT_EQ(items(form->ListBox3), std::vector<std::string>(found.begin() + 2, found.end()));
    EXPECT_TRUE(ui.texts().empty());
}
