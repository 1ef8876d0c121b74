#include "qt_interaction.h"

#include "editor/font_conversion.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace lumora::editor {

namespace {

// Messages break lines with a lone carriage return; Qt wants a line feed.
QString displayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

// "Name (*.x)|*.x|..." to Qt's "Name (*.x);;..." (a "*.*" pattern means any file).
QString qtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        QString pattern = parts[i + 1];
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
            name.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
        }
        entries << (name.contains(QLatin1Char('(')) ? name : name + " (" + pattern + ")");
    }
    return entries.join(QLatin1String(";;"));
}

} // namespace

void QtInteraction::showMessage(const std::string& text) {
    QMessageBox::information(parent_, QApplication::applicationDisplayName(), displayText(text));
}

void QtInteraction::showError(const std::string& text) {
    QMessageBox::critical(parent_, QApplication::applicationDisplayName(), displayText(text));
}

Answer QtInteraction::ask(const std::string& text, QuestionButtons buttons) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), displayText(text),
                    QMessageBox::NoButton, parent_);
    box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QAbstractButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QAbstractButton* cancel = nullptr;
    if (buttons == QuestionButtons::YesNoCancel)
        cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (!clicked || clicked == cancel)
        return buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
    return clicked == no ? Answer::No : Answer::Yes;
}

std::optional<std::string> QtInteraction::chooseOpenFile(const FileDialogRequest& request) {
    const QString path = QFileDialog::getOpenFileName(
        parent_, QString(), QString::fromStdString(request.proposedName), qtFilter(request.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtInteraction::chooseSaveFile(const FileDialogRequest& request) {
    QFileDialog::Options options;
    if (!request.confirmOverwrite)
        options |= QFileDialog::DontConfirmOverwrite;
    const QString path = QFileDialog::getSaveFileName(parent_, QString(),
                                                      QString::fromStdString(request.proposedName),
                                                      qtFilter(request.filter), nullptr, options);
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::optional<FontDescription> QtInteraction::chooseFont(const FontDialogRequest& request) {
    // The widget dialog, so that an Apply button can join its buttons.
    QFontDialog dialog(toQFont(request.initial), parent_);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (request.apply) {
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
            QPushButton* apply = buttons->addButton(QDialogButtonBox::Apply);
            QObject::connect(apply, &QPushButton::clicked, &dialog, [&dialog, &request] {
                request.apply(toFontDescription(dialog.currentFont()));
            });
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return toFontDescription(dialog.selectedFont());
}

void QtInteraction::showModal(ModalDialog& dialog) {
    dialog.runModal();
}

} // namespace lumora::editor
