#include "find_replace_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora::editor {

namespace {

std::string utf8(const QLineEdit* edit) {
    return edit->text().toStdString();
}

QPushButton* button(QVBoxLayout* column, const QString& caption, QDialog* dialog) {
    auto* pressed = new QPushButton(caption, dialog);
    column->addWidget(pressed);
    return pressed;
}

// A field's caption: its marked letter with Alt moves to the field.
QLabel* buddyLabel(const QString& caption, QLineEdit* field) {
    auto* label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    return label;
}

} // namespace

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    auto* layout = new QHBoxLayout(this);
    auto* fields = new QGridLayout;
    layout->addLayout(fields);
    FindText = new QLineEdit(this);
    fields->addWidget(buddyLabel(QStringLiteral("Fi&nd what:"), FindText), 0, 0);
    fields->addWidget(FindText, 0, 1, 1, 2);
    WholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    MatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    fields->addWidget(WholeWord, 1, 0, 1, 2);
    fields->addWidget(MatchCase, 2, 0, 1, 2);
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    DirectionUp = new QRadioButton(QStringLiteral("&Up"), direction);
    DirectionDown = new QRadioButton(QStringLiteral("&Down"), direction);
    DirectionDown->setChecked(true);
    directionLayout->addWidget(DirectionUp);
    directionLayout->addWidget(DirectionDown);
    fields->addWidget(direction, 1, 2, 2, 1);

    auto* buttons = new QVBoxLayout;
    layout->addLayout(buttons);
    FindNext = button(buttons, QStringLiteral("&Find Next"), this);
    FindNext->setDefault(true);
    QPushButton* cancel = button(buttons, QStringLiteral("Cancel"), this);
    buttons->addStretch();
    connect(FindNext, &QPushButton::clicked, this, &FindDialog::findNextPressed);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

std::string FindDialog::findText() const {
    return utf8(FindText);
}

void FindDialog::setFindText(const std::string& text) {
    FindText->setText(QString::fromStdString(text));
}

FindDialogOptions FindDialog::options() const {
    return {MatchCase->isChecked(), WholeWord->isChecked(), DirectionUp->isChecked()};
}

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Replace"));
    setModal(false);
    auto* layout = new QHBoxLayout(this);
    auto* fields = new QGridLayout;
    layout->addLayout(fields);
    FindText = new QLineEdit(this);
    fields->addWidget(buddyLabel(QStringLiteral("Fi&nd what:"), FindText), 0, 0);
    fields->addWidget(FindText, 0, 1);
    ReplaceText = new QLineEdit(this);
    fields->addWidget(buddyLabel(QStringLiteral("Re&place with:"), ReplaceText), 1, 0);
    fields->addWidget(ReplaceText, 1, 1);
    WholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    MatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    fields->addWidget(WholeWord, 2, 0, 1, 2);
    fields->addWidget(MatchCase, 3, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    layout->addLayout(buttons);
    FindNext = button(buttons, QStringLiteral("&Find Next"), this);
    FindNext->setDefault(true);
    Replace = button(buttons, QStringLiteral("&Replace"), this);
    ReplaceAll = button(buttons, QStringLiteral("Replace &All"), this);
    QPushButton* cancel = button(buttons, QStringLiteral("Cancel"), this);
    buttons->addStretch();
    connect(FindNext, &QPushButton::clicked, this, &ReplaceDialog::findNextPressed);
    connect(Replace, &QPushButton::clicked, this, [this] {
        replaceAll_ = false;
        emit replacePressed();
    });
    connect(ReplaceAll, &QPushButton::clicked, this, [this] {
        replaceAll_ = true;
        emit replacePressed();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

std::string ReplaceDialog::findText() const {
    return utf8(FindText);
}

void ReplaceDialog::setFindText(const std::string& text) {
    FindText->setText(QString::fromStdString(text));
}

std::string ReplaceDialog::replaceText() const {
    return utf8(ReplaceText);
}

ReplaceDialogOptions ReplaceDialog::options() const {
    return {MatchCase->isChecked(), WholeWord->isChecked()};
}

} // namespace lumora::editor
