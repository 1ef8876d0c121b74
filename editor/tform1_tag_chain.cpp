// The tag chain after the scan: title finder, description finder, tag builder.

#include "tform1.h"

#include "editor/page_editor.h"
#include "tags/meta_tag_builder.h"
#include "tags/proposal_finder.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QToolButton>

namespace lumora::editor {

namespace {

std::vector<std::string> itemsOf(const QListWidget* list) {
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(list->count()));
    for (int row = 0; row < list->count(); ++row)
        items.push_back(list->item(row)->text().toStdString());
    return items;
}

void setItems(QListWidget* list, const std::vector<std::string>& items) {
    list->clear();
    for (const auto& item : items)
        list->addItem(QString::fromStdString(item));
}

tags::Answer toTagAnswer(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return tags::Answer::Yes;
    case Answer::No:
        return tags::Answer::No;
    case Answer::Ok:
    case Answer::Cancel:
        break;
    }
    return tags::Answer::Cancel;
}

} // namespace

void TForm1::SpeedButton1Click() {
    runFinder(true);
}

void TForm1::SpeedButton2Click() {
    runFinder(false);
}

void TForm1::runFinder(bool title) {
    std::string& storage = title ? Edit1TileStorage : Edit1DescrptStorage;
    tags::ProposalFinder finder(title ? tags::FinderKind::Title : tags::FinderKind::Description,
                                {RadioB_Automatic->isChecked(), CheckBxDOtitle->isChecked(),
                                 CheckBxDOdisription->isChecked(), itemsOf(ListBox3),
                                 itemsOf(ListBox4), storage});
    tags::FinderStep step = finder.start(finderLines());
    for (;;) {
        for (const auto& message : step.messages)
            interaction_.showMessage(message);
        // The list reaches the widget once per proposal, never once per line walked.
        if (step.chosenKeywords)
            setItems(ListBox4, *step.chosenKeywords);
        storage = step.storage;
        Panel1->setVisible(step.titleDisplayVisible);
        Label3TileKW->setVisible(step.titleDisplayVisible);
        if (step.titleDisplayCaption)
            Label3TileKW->setText(QString::fromStdString(*step.titleDisplayCaption));
        if (!step.question)
            break;
        step = finder.answer(
            toTagAnswer(interaction_.ask(*step.question, QuestionButtons::YesNoCancel)));
    }
    if (step.next == tags::ChainNext::RunDescriptionFinder)
        SpeedButton2Click();
    else if (step.next == tags::ChainNext::RunBuilder)
        Button6Click();
}

void TForm1::Button6Click() {
    tags::MetaTagControls controls;
    controls.automaticMode = RadioB_Automatic->isChecked();
    controls.scanKeywords = Memo6;
    controls.foundKeywords = itemsOf(ListBox3);
    controls.chosenKeywords = itemsOf(ListBox4);
    controls.titleStorage = Edit1TileStorage;
    controls.descriptionStorage = Edit1DescrptStorage;
    controls.includeTitle = CheckBxDOtitle->isChecked();
    controls.includeDescription = CheckBxDOdisription->isChecked();
    controls.includeKeywords = CheckBxDOkeywrds->isChecked();
    controls.keywordBooster = CheckBxKwBoost->isChecked();
    controls.addHiddenWords = CheckBxDOhidenTags->isChecked();

    text::Lines page = RichEdit->lines();
    const tags::MetaTagCheck check = tags::checkMetaTagBuild(page, controls);
    if (check.stopMessage) {
        interaction_.showMessage(*check.stopMessage);
        return;
    }
    const Answer answer = interaction_.ask(check.question, QuestionButtons::YesNoCancel);
    tags::MetaTagOutcome outcome =
        tags::buildMetaTags(std::move(page), controls, toTagAnswer(answer));
    for (const auto& message : outcome.messages)
        interaction_.showMessage(message);
    if (!outcome.completed)
        return;

    RichEdit->replaceAllLines(std::move(outcome.page));
    Edit1DescrptStorage = outcome.descriptionStorage;
    if (outcome.clearScanKeywords)
        Memo6.clear();
    if (outcome.clearTagsPassed)
        TagsPassed = false;
    if (controls.automaticMode) {
        Button5->setEnabled(false);
        SpeedButton1->setEnabled(false);
        Button6->setEnabled(false);
        BitBtn1FullAuto->setEnabled(true);
        GroupBox2->setTitle(QStringLiteral("Automatic Set Up"));
    } else {
        Panel1->hide();
        Label3TileKW->hide();
        Label3TileKW->setText(QStringLiteral(" "));
    }
    if (outcome.caretToStart) {
        QTextCursor cursor = RichEdit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        RichEdit->setTextCursor(cursor);
    }
}

} // namespace lumora::editor
