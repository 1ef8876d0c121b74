#pragma once
// Between offsets of the page text (characters, each line break counting two, as the
// logic counts them) and positions in the editor's document (UTF-16 units, each line
// break counting one). Pages with characters beyond the basic plane map exactly too.

#include "editor/logic/page_offsets.h"

namespace lumora::editor {

class PageEditor;

// The editor's selection (or caret, when empty) in page offsets.
Selection pageSelection(const PageEditor& editor);

// Selects the stretch with the caret at its end; an empty one places the caret.
void selectPageRange(PageEditor& editor, Selection selection);

// Replaces a stretch of the page as one undoable change.
void applyPageEdit(PageEditor& editor, const PageEdit& edit);

// Focuses the editor and scrolls its caret into view.
void showCaret(PageEditor& editor);

} // namespace lumora::editor
