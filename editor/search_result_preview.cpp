#include "search_result_preview.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora::editor {

namespace {

// About the width a search engine gives one result, so the lines wrap as there.
constexpr int kResultWidth = 520;

QLabel* label(QWidget* parent, const char* name, bool wrap) {
    auto* shown = new QLabel(parent);
    shown->setObjectName(QLatin1String(name));
    shown->setWordWrap(wrap);
    shown->setTextFormat(Qt::PlainText);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return shown;
}

void colour(QLabel* shown, const QColor& color) {
    QPalette palette = shown->palette();
    palette.setColor(QPalette::WindowText, color);
    shown->setPalette(palette);
}

} // namespace

SearchResultPreview::SearchResultPreview(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Search Result Preview"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    auto* result = new QFrame(this);
    result->setFrameShape(QFrame::StyledPanel);
    result->setAutoFillBackground(true);
    QPalette paper = result->palette();
    paper.setColor(QPalette::Window, Qt::white);
    result->setPalette(paper);
    auto* resultLayout = new QVBoxLayout(result);
    ResultAddress = label(result, "ResultAddress", true);
    colour(ResultAddress, QColor(0, 102, 33));
    ResultTitle = label(result, "ResultTitle", true);
    QFont titleFont = ResultTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    ResultTitle->setFont(titleFont);
    colour(ResultTitle, QColor(26, 13, 171));
    ResultDescription = label(result, "ResultDescription", true);
    colour(ResultDescription, QColor(60, 60, 60));
    for (QLabel* line : {ResultAddress, ResultTitle, ResultDescription}) {
        line->setFixedWidth(kResultWidth);
        resultLayout->addWidget(line);
    }
    layout->addWidget(result);

    TitleLength = label(this, "TitleLength", true);
    DescriptionLength = label(this, "DescriptionLength", true);
    Findings = label(this, "Findings", true);
    for (QLabel* line : {TitleLength, DescriptionLength, Findings})
        layout->addWidget(line);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setDefault(true);
    buttons->addWidget(CloseButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::hide);
}

void SearchResultPreview::showView(const audit::SearchResultView& view) {
    ResultAddress->setText(QString::fromStdString(view.address));
    ResultTitle->setText(QString::fromStdString(view.title));
    ResultDescription->setText(QString::fromStdString(view.description));
    TitleLength->setText(QString::fromStdString(view.titleLength));
    DescriptionLength->setText(QString::fromStdString(view.descriptionLength));
    QStringList findings;
    for (const std::string& finding : view.findings)
        findings << QString::fromStdString(finding);
    Findings->setText(findings.join(QLatin1Char('\n')));
    // Grow or shrink with the texts now, not at the next turn of the event loop.
    layout()->activate();
}

} // namespace lumora::editor
