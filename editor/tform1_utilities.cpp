// Utilities on the whole page: the keyword-tag check, the compressor and the
// character count.

#include "tform1.h"

#include "editor/editor_positions.h"
#include "editor/page_editor.h"
#include "tags/char_count.h"
#include "tags/compressor.h"
#include "tags/keyword_tag_check.h"

namespace lumora::editor {

void TForm1::CheckTitle1Click() {
    selectPageRange(*RichEdit, {0, 0});
    const auto hit = tags::findKeywordTag(RichEdit->lines());
    if (hit) {
        interaction_.showMessage(std::string(tags::kKeywordTagFoundMessage));
        selectPageRange(*RichEdit, {hit->offset, hit->length});
        showCaret(*RichEdit);
        return;
    }
    const Answer answer =
        interaction_.ask(std::string(tags::kAddMetaTagsQuestion), QuestionButtons::YesNoCancel);
    if (answer == Answer::Yes)
        Button5Click();
    else if (answer == Answer::Cancel)
        interaction_.showMessage(std::string(tags::kKeywordTagNotAddedMessage));
}

void TForm1::CompressHTML1Click() {
    RichEdit->setFocus();
    text::Lines page = RichEdit->lines();
    // One change of the editor, so that one Undo brings the page back.
    if (tags::compressPage(page))
        RichEdit->replaceAllLines(page);
    RichEdit->viewport()->update();
}

void TForm1::Charcount1Click() {
    interaction_.showMessage(tags::charCountMessage(tags::pageCharacterCount(RichEdit->lines())));
}

} // namespace lumora::editor
