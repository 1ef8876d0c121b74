#pragma once
// The document buffer `RichEdit`: a plain-text editor whose text the logic sees
// as UTF-8 lines. The lines are cached: an edit converts again only the lines it
// touched, so a scan after typing into a large page does not convert the page whole.
//
// The text control ends a paragraph not only at a line break but also at U+2029,
// U+FDD0 and U+FDD1, and keeps no trace of which character it was. The editor notes
// where the page held those characters, so that a line holding them stays one line
// (several paragraphs of the control) and gets them back.
//
// A window no one sees or edits (the batch's) can keep its page as lines only: loading
// and replacing the page then copy lines instead of building and laying out a text
// document, which is most of what a page's work costs.

#include "text/page_lines.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <utility>
#include <vector>

namespace lumora::editor {

class PageEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PageEditor(QWidget* parent = nullptr);

    // The page: the text split at line breaks; a final break adds no empty line
    // and an empty text is a page of no lines.
    const text::Lines& lines() const;
    // Replaces the whole text (as a load does: the undo history starts afresh).
    void setLines(text::Lines lines);
    // Replaces the whole text as one undoable edit.
    void replaceAllLines(text::Lines lines);

    // The document position where line `line` starts; past the last line, the start of
    // the control's last paragraph.
    int lineStart(size_t line) const;
    // The line holding document position `position`, and the position where it starts.
    std::pair<size_t, int> lineAt(int position) const;

    // Counts every change of the text; equal numbers mean an unchanged page.
    uint64_t revision() const { return revision_; }

    // Whether an undo or a redo step is at hand.
    bool hasUndoHistory() const;

    // From now on the page lives in lines() alone and the text control stays empty:
    // setLines and replaceAllLines change the lines, the revision and signal
    // pageChanged as before, but there is no caret to place, nothing to undo and
    // nothing drawn. For a window that is never shown; cannot be taken back.
    void keepPageAsLinesOnly();
    bool keepsPageAsLinesOnly() const { return linesOnly_; }

    void setTextLimit(int characters) { textLimit_ = characters; }
    int textLimit() const { return textLimit_; }

signals:
    // After every change of the page, typed or set, before the next command reads it.
    void pageChanged();

private:
    // A paragraph end of the control that stands for a character of the page.
    struct InlineBreak {
        int position; // of the paragraph end in the document
        char16_t character;
    };

    static QString joined(const text::Lines& lines);
    void setLinesOnly(text::Lines lines);
    void noteInlineBreaks(const QString& text);
    void moveInlineBreaks(int position, int charsRemoved, int charsAdded);
    // After a change: an undo or redo step brings back the breaks of the state it
    // returns to; any other change is remembered as the newest state.
    void followUndoHistory();
    void rememberInlineBreaks();
    // Brings the cache up to date after a change of the text; a change too large to
    // be worth it, or one the cache cannot follow, drops the cache instead.
    void followChange(int position, int charsRemoved, int charsAdded);

    // One string per block of the document while valid, except that a last empty
    // block is left out once lines() has been asked for (`trailingDropped_`).
    mutable text::Lines cache_;
    mutable bool cacheValid_ = true;
    mutable bool trailingDropped_ = false;
    // Sorted by position; empty for nearly every page, which keeps lines and paragraphs
    // one to one.
    std::vector<InlineBreak> inlineBreaks_;
    // The inline breaks of each state of the control's undo history, by the number of
    // undo steps that state has behind it.
    std::vector<std::vector<InlineBreak>> breakHistory_;
    int undoSteps_ = 0;
    int redoSteps_ = 0;
    // While there are inline breaks: the first paragraph of each line, the dropped last
    // empty line included.
    mutable std::vector<int> lineBlocks_;
    uint64_t revision_ = 0;
    int textLimit_ = 0;
    bool linesOnly_ = false;
};

} // namespace lumora::editor
