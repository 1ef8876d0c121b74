#include "find_engine.h"

#include "common/ascii_case.h"
#include "editor/logic/term_search.h"

namespace lumora::editor {

SearchOptions combineSearchOptions(const FindDialogOptions& findDialog,
                                   const ReplaceDialogOptions& replaceDialog) {
    return {findDialog.matchCase || replaceDialog.matchCase,
            findDialog.wholeWord || replaceDialog.wholeWord, findDialog.upward};
}

std::string lowerCaseAtoZ(std::string_view text) {
    return asciiLowered(text);
}

std::string cannotBeFoundMessage(std::string_view usedTerm) {
    std::string message = "\"";
    message += usedTerm;
    message += "\" cannot be found";
    return message;
}

namespace {

size_t charOffsetOfByte(std::string_view utf8, size_t byteIndex) {
    return text::charCount(utf8.substr(0, byteIndex));
}

} // namespace

FindOutcome findInPage(const Lines& page, Selection selection, std::string_view term,
                       std::string_view replacement, const SearchOptions& options,
                       bool& continueFlag) {
    const std::string usedTerm = options.matchCase ? std::string(term) : lowerCaseAtoZ(term);
    const std::string usedReplacement =
        options.matchCase ? std::string(replacement) : lowerCaseAtoZ(replacement);
    std::string document = joinPageText(page);
    if (!options.matchCase)
        asciiLowerInto(document.data(), document.data(), document.size());

    const size_t selectionBegin = byteIndexOfChar(document, selection.start);
    const size_t selectionEnd =
        selectionBegin +
        byteIndexOfChar(std::string_view(document).substr(selectionBegin), selection.length);
    const bool selectionIsTerm =
        !usedTerm.empty() && equalsIgnoringCase(std::string_view(document).substr(
                                                    selectionBegin, selectionEnd - selectionBegin),
                                                usedTerm);

    FindOutcome outcome;
    if (selectionIsTerm && !usedReplacement.empty()) {
        outcome.kind = FindOutcome::Kind::Replaced;
        outcome.edit = PageEdit{selection.start, selection.length, usedReplacement};
        outcome.selection = {selection.start + text::charCount(usedReplacement), 0};
        return outcome;
    }

    const SearchText where{document};
    size_t found = kNotFound;
    if (options.upward) {
        found = findTermBackward(where, usedTerm, selectionBegin, options.wholeWord);
    } else {
        size_t from = selectionBegin;
        if (selectionIsTerm) {
            selection = {selection.end(), 0};
            from = selectionEnd;
        }
        found = findTermForward(where, usedTerm, from, options.wholeWord);
    }

    if (found == kNotFound) {
        outcome.kind = FindOutcome::Kind::NotFound;
        outcome.selection = selection;
        outcome.message = cannotBeFoundMessage(usedTerm);
        continueFlag = false;
        return outcome;
    }
    outcome.kind = FindOutcome::Kind::Selected;
    outcome.selection = {charOffsetOfByte(document, found), text::charCount(usedTerm)};
    return outcome;
}

} // namespace lumora::editor
