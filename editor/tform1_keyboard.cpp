// The window from the keyboard: the standard shortcuts of the menu commands, a tab
// order that meets only the controls the user can see, and Delete in a keyword list.

#include "tform1.h"

#include "editor/find_replace_dialogs.h"
#include "editor/page_editor.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace lumora::editor {

namespace {

// The platform's keys for a standard command; where a platform has none (Save As and
// Quit on some desktops), the common ones, so every listed command has a key.
void setStandardKeys(QAction* action, QKeySequence::StandardKey key, const char* common) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        keys = {QKeySequence(QString::fromLatin1(common))};
    action->setShortcuts(keys);
}

} // namespace

void TForm1::setUpKeyboard() {
    setStandardKeys(Open2, QKeySequence::Open, "Ctrl+O");
    setStandardKeys(Save2, QKeySequence::Save, "Ctrl+S");
    setStandardKeys(SaveAs2, QKeySequence::SaveAs, "Ctrl+Shift+S");
    setStandardKeys(Exit2, QKeySequence::Quit, "Ctrl+Q");
    setStandardKeys(Find1, QKeySequence::Find, "Ctrl+F");
    setStandardKeys(Replace2, QKeySequence::Replace, "Ctrl+H");
    setStandardKeys(Undo2, QKeySequence::Undo, "Ctrl+Z");
    setStandardKeys(Redo1, QKeySequence::Redo, "Ctrl+Y");
    // The editor's menu names the keys the editor itself answers.
    setStandardKeys(Undo3, QKeySequence::Undo, "Ctrl+Z");
    setStandardKeys(Cut1, QKeySequence::Cut, "Ctrl+X");
    setStandardKeys(Copy1, QKeySequence::Copy, "Ctrl+C");
    setStandardKeys(Paste1, QKeySequence::Paste, "Ctrl+V");
    setStandardKeys(SelectAll1, QKeySequence::SelectAll, "Ctrl+A");

    // Find Next works from the Find dialog as well as from the window.
    FindNext1 = new QAction(QStringLiteral("Find Next"), this);
    setStandardKeys(FindNext1, QKeySequence::FindNext, "F3");
    FindNext1->setShortcutContext(Qt::ApplicationShortcut);
    addAction(FindNext1);
    connect(FindNext1, &QAction::triggered, this, command([this] { FindNext1Click(); }));

    // "X" is reached with Tab but, as before, a click leaves the focus in the list.
    SpeedButt_delete->setFocusPolicy(Qt::TabFocus);
    // Cut in the destructor: the application's focus moves while the window is torn down.
    focusFollower_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now == ListBox3 || now == ListBox4)
                lastKeywordList_ = static_cast<QListWidget*>(now);
            else if (now && now != Button4 && now != Button3 && now != SpeedButt_delete)
                lastKeywordList_ = nullptr;
        });
    ListBox3->installEventFilter(this);
    ListBox4->installEventFilter(this);
    RichEdit->installEventFilter(this);
    GroupBox2->installEventFilter(this);
    coverManualControls(!GroupBox2->isHidden());
}

void TForm1::coverManualControls(bool covered) {
    for (QWidget* control : {static_cast<QWidget*>(ListBox4), static_cast<QWidget*>(ListBox3),
                             static_cast<QWidget*>(Button4), static_cast<QWidget*>(Button3)})
        control->setFocusPolicy(covered ? Qt::NoFocus : Qt::StrongFocus);
    SpeedButt_delete->setFocusPolicy(covered ? Qt::NoFocus : Qt::TabFocus);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GroupBox2 && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        coverManualControls(!GroupBox2->isHidden());
    if (event->type() == QEvent::KeyPress && (watched == ListBox3 || watched == ListBox4) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        runCommand([this] { SpeedButt_deleteClick(); });
        return true;
    }
    // Undo and Redo in the editor are the window's single-level undo, not the
    // editor's own history: the editor does not claim their keys.
    if (watched == RichEdit && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FindNext1Click() {
    if (FindDialog3->findText().empty())
        Find1Click();
    else
        FindDialog3Find();
}

} // namespace lumora::editor
