// Modes, sensitivity, the noise filter switch and the two keyword lists.

#include "tform1.h"

#include "editor/clickable_label.h"
#include "editor/logic/data_files.h"
#include "editor/logic/page_file.h"
#include "editor/track_bar.h"
#include "keywords/keyword_lists.h"
#include "keywords/keyword_modes.h"
#include "keywords/quick_info_texts.h"
#include "platform/regular_file_read.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <filesystem>

namespace lumora::editor {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

keywords::KeywordListState stateOf(const QListWidget* list) {
    keywords::KeywordListState state;
    state.items.reserve(static_cast<size_t>(list->count()));
    for (int row = 0; row < list->count(); ++row) {
        state.items.push_back(list->item(row)->text().toStdString());
        if (list->item(row)->isSelected())
            state.selected.insert(static_cast<size_t>(row));
    }
    if (list->currentRow() >= 0)
        state.current = static_cast<size_t>(list->currentRow());
    return state;
}

void showList(QListWidget* list, const keywords::KeywordListState& state) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const auto& item : state.items)
        list->addItem(QString::fromStdString(item));
    for (size_t row : state.selected)
        if (row < state.items.size())
            list->item(static_cast<int>(row))->setSelected(true);
    if (state.current && *state.current < state.items.size())
        list->setCurrentRow(static_cast<int>(*state.current), QItemSelectionModel::NoUpdate);
    else
        list->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

} // namespace

void TForm1::applyMode(bool automatic) {
    const keywords::ModeControls controls = keywords::modeControls(
        automatic ? keywords::KeywordMode::Automatic : keywords::KeywordMode::Manual);
    if (controls.hidesPanel1)
        Panel1->hide();
    Button5->setEnabled(controls.manualStepsEnabled);
    SpeedButton1->setEnabled(controls.manualStepsEnabled);
    Button6->setEnabled(controls.manualStepsEnabled);
    BitBtn1FullAuto->setEnabled(controls.fullAutoEnabled);
    GroupBox2->setTitle(qt(controls.groupCaption));
    ListBox3->clear();
    ListBox4->clear();
    Label3_InfoBox->setText(qt(controls.info));
    GroupBox2->show();
}

void TForm1::RadioB_AutomaticClick() {
    applyMode(true);
}

void TForm1::RadioB_NOautoClick() {
    applyMode(false);
}

void TForm1::Label2Click() {
    Label3_InfoBox->setText(qt(keywords::kSensitivityInfo));
}

void TForm1::CheckBxDOkeywrdsClick() {
    CheckBxKwBoost->setChecked(CheckBxDOkeywrds->isChecked());
}

void TForm1::CheckB_USEfilterClick() {
    if (CheckB_USEfilter->isChecked()) {
        Label3_InfoBox->setText(qt(keywords::kFilterOnInfo));
        ListBox1.clear();
        const std::string path =
            withInstalledFallback(Edit2Drv + "/" + std::string(keywords::kFilterFileName));
        try {
            ListBox1 = text::splitLines(platform::readWholeFile(path));
        } catch (const platform::NotRegularFile&) {
            interaction_.showError(notRegularFileText(path));
        } catch (const platform::FileError&) {
            interaction_.showError("Cannot open file " + path);
        }
    } else {
        Label3_InfoBox->setText(qt(keywords::kFilterOffInfo));
        ListBox1.clear();
    }
}

void TForm1::ListBox3DblClick() {
    keywords::KeywordListState chosen = stateOf(ListBox4);
    if (auto report = keywords::copyFoundToChosen(stateOf(ListBox3), chosen)) {
        showList(ListBox4, chosen);
        setReport(*report);
    }
}

void TForm1::ListBox4DblClick() {
    keywords::KeywordListState chosen = stateOf(ListBox4);
    if (auto report = keywords::raiseInChosen(chosen)) {
        showList(ListBox4, chosen);
        setReport(*report);
    }
}

void TForm1::Button4Click() {
    keywords::KeywordListState found = stateOf(ListBox3);
    if (keywords::moveCurrentToTop(found))
        showList(ListBox3, found);
}

void TForm1::Button3Click() {
    keywords::KeywordListState found = stateOf(ListBox3);
    switch (keywords::combineSelected(found)) {
    case keywords::CombineOutcome::TopNotSelected:
        interaction_.showMessage(std::string(keywords::kCombineNeedsTopSelected));
        break;
    case keywords::CombineOutcome::Combined:
        showList(ListBox3, found);
        break;
    case keywords::CombineOutcome::EmptyList:
    case keywords::CombineOutcome::NothingToJoin:
        break;
    }
}

void TForm1::SpeedButt_deleteClick() {
    // A click on "X" leaves the focus where it was, so the focused list is the one
    // clicked last; reached with Tab, "X" acts on the list the user tabbed from.
    const QWidget* list = ListBox3->hasFocus()           ? ListBox3
                          : ListBox4->hasFocus()         ? ListBox4
                          : SpeedButt_delete->hasFocus() ? lastKeywordList_
                                                         : nullptr;
    const keywords::ListFocus focus = list == nullptr    ? keywords::ListFocus::Neither
                                      : list == ListBox3 ? keywords::ListFocus::Found
                                                         : keywords::ListFocus::Chosen;
    keywords::KeywordListState found = stateOf(ListBox3);
    keywords::KeywordListState chosen = stateOf(ListBox4);
    const std::string report = keywords::deleteFromFocusedList(focus, found, chosen);
    if (focus == keywords::ListFocus::Found)
        showList(ListBox3, found);
    if (focus == keywords::ListFocus::Chosen)
        showList(ListBox4, chosen);
    setReport(report);
}

} // namespace lumora::editor
