#include "find_in_doc.h"

#include "common/ascii_case.h"

namespace lumora::editor {

std::optional<std::string> currentKeyword(const std::vector<std::string>& items, int focusedIndex) {
    if (items.empty())
        return std::nullopt;
    if (focusedIndex < 0)
        return items.front();
    if (static_cast<size_t>(focusedIndex) >= items.size())
        return std::nullopt;
    return items[static_cast<size_t>(focusedIndex)];
}

FindInDocOutcome findInDoc(const Lines& page, Selection selection, std::string_view keyword) {
    std::string document = joinPageText(page);
    for (char& c : document)
        c = asciiLower(c);

    const bool atTop = selection.start == 0 && selection.length == 0;
    const size_t fromChar = atTop ? 0 : selection.start + 1;
    const size_t from = byteIndexOfChar(document, fromChar);
    const size_t at = keyword.empty() ? std::string::npos : document.find(keyword, from);

    FindInDocOutcome outcome;
    if (at == std::string::npos) {
        outcome.message =
            std::string(keyword) + " not found. Starting at top of doc. Click find again.";
        return outcome;
    }
    outcome.found = true;
    outcome.selection = {text::charCount(std::string_view(document).substr(0, at)),
                         text::charCount(keyword)};
    return outcome;
}

} // namespace lumora::editor
