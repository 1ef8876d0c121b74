#include "setup/engine/qt_setup_interaction.h"

#include "setup/engine/setup_message_dialog.h"
#include "setup/engine/text_viewer_dialog.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace setupkit {
namespace {

struct StandardButton {
    unsigned member;
    QMessageBox::StandardButton button;
};

constexpr StandardButton StandardButtons[] = {
    {mbYes, QMessageBox::Yes},       {mbNo, QMessageBox::No},         {mbOK, QMessageBox::Ok},
    {mbCancel, QMessageBox::Cancel}, {mbAbort, QMessageBox::Abort},   {mbRetry, QMessageBox::Retry},
    {mbAll, QMessageBox::YesToAll},  {mbIgnore, QMessageBox::Ignore}, {mbHelp, QMessageBox::Help},
};

} // namespace

int QtSetupInteraction::showSetupMessage(const SetupMessageBox& box) {
    SetupMessageDialog dialog(box, parent_);
    return dialog.exec();
}

int QtSetupInteraction::showStandardMessage(std::string_view text, int kind, unsigned buttons) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    switch (kind) {
    case mtWarning:
        icon = QMessageBox::Warning;
        title = QStringLiteral("Warning");
        break;
    case mtError:
        icon = QMessageBox::Critical;
        title = QStringLiteral("Error");
        break;
    case mtInformation:
        icon = QMessageBox::Information;
        title = QStringLiteral("Information");
        break;
    case mtConfirmation:
        icon = QMessageBox::Question;
        title = QStringLiteral("Confirm");
        break;
    default:
        break;
    }
    QMessageBox::StandardButtons shown;
    for (const unsigned member : orderedButtonMembers(buttons))
        for (const StandardButton& candidate : StandardButtons)
            if (candidate.member == member)
                shown |= candidate.button;
    QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon, title, message, shown, parent_);
    if (QAbstractButton* all = box.button(QMessageBox::YesToAll))
        all->setText(QStringLiteral("All"));
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const StandardButton& candidate : StandardButtons)
        if (candidate.button == pressed)
            return resultOfButton(candidate.member);
    return mrNone;
}

void QtSetupInteraction::showTextViewer(std::string_view title, std::string_view text) {
    TextViewerDialog viewer(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                            QByteArray(text.data(), static_cast<qsizetype>(text.size())), parent_);
    viewer.exec();
}

} // namespace setupkit
