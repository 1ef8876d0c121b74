#pragma once
// The modeless Find and Replace dialogs of the Utilities menu. They only hold the
// user's settings and announce the button pressed; the window's handlers read them
// and run the search.

#include "editor/logic/find_engine.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumora::editor {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    std::string findText() const;
    void setFindText(const std::string& text);
    FindDialogOptions options() const;

    QLineEdit* FindText = nullptr;
    QCheckBox* MatchCase = nullptr;
    QCheckBox* WholeWord = nullptr;
    QRadioButton* DirectionUp = nullptr;
    QRadioButton* DirectionDown = nullptr;
    QPushButton* FindNext = nullptr;

signals:
    void findNextPressed();
};

class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* parent = nullptr);

    std::string findText() const;
    void setFindText(const std::string& text);
    std::string replaceText() const;
    ReplaceDialogOptions options() const;
    // Whether the last Replace press was Replace All.
    bool replaceAll() const { return replaceAll_; }
    void setReplaceAll(bool all) { replaceAll_ = all; }

    QLineEdit* FindText = nullptr;
    QLineEdit* ReplaceText = nullptr;
    QCheckBox* MatchCase = nullptr;
    QCheckBox* WholeWord = nullptr;
    QPushButton* FindNext = nullptr;
    QPushButton* Replace = nullptr;
    QPushButton* ReplaceAll = nullptr;

signals:
    void findNextPressed();
    // Replace or Replace All (see replaceAll()).
    void replacePressed();

private:
    bool replaceAll_ = false;
};

} // namespace lumora::editor
