#include "about_box.h"

#include "editor/program_icon.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace lumora::editor {

namespace {

QLabel* boldBlue(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Lumora"));
    setModal(true);
    auto* layout = new QGridLayout(this);
    ProgramIcon = new QLabel(this);
    const QIcon icon = programIcon();
    ProgramIcon->setPixmap(
        (icon.isNull() ? style()->standardIcon(QStyle::SP_FileDialogDetailedView) : icon)
            .pixmap(32));
    setWindowIcon(icon);
    layout->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop);
    ProductName = boldBlue(QStringLiteral("Lumora"), this);
    Version = boldBlue(QStringLiteral("Version 1.01.01"), this);
    layout->addWidget(ProductName, 0, 1);
    layout->addWidget(Version, 1, 1);
    Copyright =
        new QLabel(QStringLiteral("Made by Brightfold, makers of web promotion tools."), this);
    Comments = new QLabel(QStringLiteral("For everyone who keeps web pages and wants them found: "
                                         "keywords, titles and meta tags in a few clicks."),
                          this);
    Comments->setWordWrap(true);
    layout->addWidget(Copyright, 2, 0, 1, 2);
    layout->addWidget(Comments, 3, 0, 1, 2);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    layout->addWidget(OKButton, 4, 0, 1, 2, Qt::AlignHCenter);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

std::string TAboutBox::caption() const {
    return windowTitle().toStdString();
}

void TAboutBox::runModal() {
    exec();
}

} // namespace lumora::editor
