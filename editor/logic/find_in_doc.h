#pragma once
// "Find In Doc" of the keyword list: jumps to the next occurrence of the current keyword
// in the page, and after the last one starts again at the top.

#include "editor/logic/page_offsets.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::editor {

// The text shown when the keyword list is empty and a keyword command is chosen.
inline constexpr std::string_view kListIndexOutOfBounds = "List index out of bounds";

// The keyword the list's keyword commands work on: the item holding the list's focus
// (the first when none was clicked, i.e. `focusedIndex` < 0). Nothing when the list is
// empty; the window then shows kListIndexOutOfBounds and changes nothing.
std::optional<std::string> currentKeyword(const std::vector<std::string>& items, int focusedIndex);

struct FindInDocOutcome {
    bool found = false;
    // The occurrence to select, or the caret at the top of the page when not found; the
    // window focuses the editor and scrolls the caret into view either way.
    Selection selection;
    // When not found: the text to show in a plain message box, before moving the caret.
    std::string message;
};

// Searches the lower-cased page for `keyword`, taken as it is (so capital letters in it
// never match), from one character past the caret so that repeating the command moves
// on. With the caret at the top of the page and nothing selected, as after the
// not-found message, the search starts at the first character.
FindInDocOutcome findInDoc(const Lines& page, Selection selection, std::string_view keyword);

} // namespace lumora::editor
