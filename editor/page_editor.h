#pragma once
// The document buffer `RichEdit`: a plain-text editor whose text the logic sees
// as UTF-8 lines. The lines are cached: an edit converts again only the lines it
// touched, so a scan after typing into a large page does not convert the page whole.

#include "text/page_lines.h"

#include <QPlainTextEdit>

#include <cstdint>

namespace lumora::editor {

class PageEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PageEditor(QWidget* parent = nullptr);

    // The page: the text split at line breaks; a final break adds no empty line
    // and an empty text is a page of no lines.
    const text::Lines& lines() const;
    // Replaces the whole text (as a load does: the undo history starts afresh).
    void setLines(const text::Lines& lines);
    // Replaces the whole text as one undoable edit.
    void replaceAllLines(const text::Lines& lines);

    // Counts every change of the text; equal numbers mean an unchanged page.
    uint64_t revision() const { return revision_; }

    void setTextLimit(int characters) { textLimit_ = characters; }
    int textLimit() const { return textLimit_; }

private:
    static QString joined(const text::Lines& lines);
    // Brings the cache up to date after a change of the text; a change too large to
    // be worth it, or one the cache cannot follow, drops the cache instead.
    void followChange(int position, int charsRemoved, int charsAdded);

    // One string per block of the document while valid, except that a last empty
    // block is left out once lines() has been asked for (`trailingDropped_`).
    mutable text::Lines cache_;
    mutable bool cacheValid_ = true;
    mutable bool trailingDropped_ = false;
    uint64_t revision_ = 0;
    int textLimit_ = 0;
};

} // namespace lumora::editor
