#pragma once
// The about box of the Help menu: program icon, product name and version, a word
// about the maker and its users, and an OK button.

#include "editor/logic/interaction.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace lumora::editor {

class TAboutBox : public QDialog, public ModalDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    std::string caption() const override;
    void runModal() override;

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace lumora::editor
