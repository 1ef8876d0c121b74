#pragma once
// The find-and-replace engine behind the Find and Replace dialogs: one call selects the
// next occurrence of the search term, or replaces the selected one, or reports that the
// term cannot be found. The window reads its dialogs into SearchOptions, passes the page
// and its selection, and applies what comes back.

#include "editor/logic/page_offsets.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumora::editor {

// What each dialog contributes to a search.
struct FindDialogOptions {
    bool matchCase = false;
    bool wholeWord = false;
    bool upward = false; // direction Up
};
struct ReplaceDialogOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
    bool upward = false;
    bool operator==(const SearchOptions&) const = default;
};

// A box ticked in either dialog counts; only the find dialog has a direction.
SearchOptions combineSearchOptions(const FindDialogOptions& findDialog,
                                   const ReplaceDialogOptions& replaceDialog);

// Only the letters A to Z change; accented letters and every other character stay.
std::string lowerCaseAtoZ(std::string_view text);

// The message of a failed search, with the term as it was searched for.
std::string cannotBeFoundMessage(std::string_view usedTerm);

struct FindOutcome {
    enum class Kind { Selected, Replaced, NotFound };
    Kind kind = Kind::NotFound;
    // Where the selection (or, when empty, the caret) goes; the window then focuses the
    // editor and scrolls the caret into view, whatever the kind.
    Selection selection;
    // Set when Kind::Replaced: the edit to apply before setting the selection.
    std::optional<PageEdit> edit;
    // Set when Kind::NotFound: the text to show in a plain message box.
    std::string message;
};

// One press of Find Next, Replace, or a step of Replace All. `term` is the find text
// (Fedit), `replacement` the replace text or empty for a plain find. Without Match case
// the term, the page and a non-empty replacement are searched and inserted in lower
// case. A selection equal to the term (ignoring case) is replaced when the replacement
// is not empty; otherwise the search starts after it (downward) or ends at its start
// (upward). A failed search clears `continueFlag`. An empty term never matches, and an
// empty selection is never taken for an occurrence.
FindOutcome findInPage(const Lines& page, Selection selection, std::string_view term,
                       std::string_view replacement, const SearchOptions& options,
                       bool& continueFlag);

} // namespace lumora::editor
