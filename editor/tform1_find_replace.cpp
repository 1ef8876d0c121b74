// Find and replace: the Find and Replace dialogs of the Utilities menu, the keyword
// list's "Find In Doc" and "Replace", and the published search step `find`.

#include "tform1.h"

#include "editor/editor_positions.h"
#include "editor/find_replace_dialogs.h"
#include "editor/logic/find_in_doc.h"
#include "editor/logic/replace_all.h"
#include "editor/page_editor.h"

#include <QListWidget>

namespace lumora::editor {

namespace {

std::vector<std::string> listItems(const QListWidget* list) {
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i)
        items.push_back(list->item(i)->text().toStdString());
    return items;
}

} // namespace

void TForm1::find(const std::string& replacement) {
    const SearchOptions options =
        combineSearchOptions(FindDialog3->options(), ReplaceDialog3->options());
    const FindOutcome outcome = findInPage(RichEdit->lines(), pageSelection(*RichEdit), Fedit,
                                           replacement, options, continue_);
    if (outcome.kind == FindOutcome::Kind::NotFound)
        interaction_.showMessage(outcome.message);
    if (outcome.edit)
        applyPageEdit(*RichEdit, *outcome.edit);
    selectPageRange(*RichEdit, outcome.selection);
    showCaret(*RichEdit);
}

void TForm1::Find1Click() {
    FindDialog3->show();
    Fedit = FindDialog3->findText();
}

void TForm1::FindDialog3Find() {
    Fedit = FindDialog3->findText();
    if (!Fedit.empty())
        find("");
}

void TForm1::Replace2Click() {
    ReplaceDialog3->show();
}

void TForm1::Replace1Click() {
    const auto keyword = currentKeyword(listItems(ListBox3), ListBox3->currentRow());
    if (!keyword) {
        interaction_.showError(std::string(kListIndexOutOfBounds));
        return;
    }
    FindDialog3->setFindText(*keyword);
    ReplaceDialog3->setFindText(*keyword);
    ReplaceDialog3->show();
}

void TForm1::ReplaceDialog3Find() {
    if (ReplaceDialog3->findText().empty() && Fedit.empty())
        return;
    Fedit = ReplaceDialog3->findText();
    find("");
}

void TForm1::ReplaceDialog3Replace() {
    if (ReplaceDialog3->findText().empty() && Fedit.empty())
        return;
    Fedit = ReplaceDialog3->findText();
    Redit = ReplaceDialog3->replaceText();
    if (!ReplaceDialog3->replaceAll()) {
        find(Redit);
        return;
    }
    // The whole walk is worked out on the lines in one pass and reaches the editor as
    // one change, which a single Undo takes back.
    const SearchOptions options =
        combineSearchOptions(FindDialog3->options(), ReplaceDialog3->options());
    ReplaceAllOutcome outcome =
        replaceAll(RichEdit->lines(), pageSelection(*RichEdit), Fedit, Redit, options, continue_);
    for (const auto& message : outcome.messages)
        interaction_.showMessage(message);
    if (outcome.changed)
        RichEdit->replaceAllLines(outcome.page);
    selectPageRange(*RichEdit, outcome.selection);
    showCaret(*RichEdit);
}

void TForm1::ListBxFind1Click() {
    const auto keyword = currentKeyword(listItems(ListBox3), ListBox3->currentRow());
    if (!keyword) {
        interaction_.showError(std::string(kListIndexOutOfBounds));
        return;
    }
    const FindInDocOutcome outcome =
        findInDoc(RichEdit->lines(), pageSelection(*RichEdit), *keyword);
    if (!outcome.found)
        interaction_.showMessage(outcome.message);
    selectPageRange(*RichEdit, outcome.selection);
    showCaret(*RichEdit);
}

} // namespace lumora::editor
