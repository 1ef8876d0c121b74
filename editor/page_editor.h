#pragma once
// The document buffer `RichEdit`: a plain-text editor whose text the logic sees
// as UTF-8 lines. The lines are cached until the text changes, so repeated
// analyses of an unchanged page do not convert it again.

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

    mutable text::Lines cache_;
    mutable bool cacheValid_ = true;
    uint64_t revision_ = 0;
    int textLimit_ = 0;
};

} // namespace lumora::editor
