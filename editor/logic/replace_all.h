#pragma once
// Replace All of the Replace dialog: one ordinary press of Replace, then a walk from the
// top of the page that replaces every further occurrence in turn (or, with an empty
// replacement, merely passes over each), ending with the "cannot be found" message. The
// walk is one pass over the page, however many occurrences it meets.

#include "editor/logic/find_engine.h"

#include <string>
#include <vector>

namespace lumora::editor {

struct ReplaceAllOutcome {
    // True when `page` differs from the page passed in; the window then replaces its
    // text by `page` as one undoable edit.
    bool changed = false;
    Lines page;
    // The caret (empty) or selection to set afterwards; the window then focuses the
    // editor and scrolls the caret into view.
    Selection selection;
    // Message boxes to show, in order: the failure of the first press (if it failed)
    // and the failure that ends the walk.
    std::vector<std::string> messages;
    // Occurrences replaced, the first press included.
    size_t replacements = 0;
};

// The result is the one of pressing Replace once and then, with the caret at the top
// of the page and `continueFlag` set, calling findInPage until the flag is cleared.
// `continueFlag` ends cleared.
ReplaceAllOutcome replaceAll(Lines page, Selection selection, std::string_view term,
                             std::string_view replacement, const SearchOptions& options,
                             bool& continueFlag);

} // namespace lumora::editor
