#pragma once
// Positions in the page text and where they lie in the page's lines. The page text is
// the lines joined by CR LF with no break after the last line; offsets count its
// characters (not UTF-8 bytes), each line break counting two. The editor window uses
// this to place its caret and selection where the logic says.

#include "text/page_lines.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::editor {

using text::Lines;

// A stretch of the page text: the selection, or a found occurrence. An empty one is
// the caret.
struct Selection {
    size_t start = 0;
    size_t length = 0;
    size_t end() const { return start + length; }
    bool operator==(const Selection&) const = default;
};

// Replaces `length` characters at `start` with `text` (which may hold line breaks).
struct PageEdit {
    size_t start = 0;
    size_t length = 0;
    std::string text;
    bool operator==(const PageEdit&) const = default;
};

// A line of the page and a column in characters within it.
struct LinePosition {
    size_t line = 0;
    size_t column = 0;
    bool operator==(const LinePosition&) const = default;
};

// Length of the page text in characters.
size_t pageTextLength(const Lines& lines);

// The page text itself (UTF-8, lines joined by CR LF).
std::string joinPageText(const Lines& lines);

// Byte index in UTF-8 text of the character at `charOffset` (clamped to the end).
size_t byteIndexOfChar(std::string_view utf8, size_t charOffset);

// Maps offsets of the page text to line positions and back. Built once per page state
// in time linear in the page.
class PageOffsets {
public:
    explicit PageOffsets(const Lines& lines);

    size_t length() const { return length_; }
    size_t lineCount() const { return lineChars_.size(); }

    // An offset past the end maps to the end of the last line; one between the CR and
    // the LF of a line break maps to the end of the line before it.
    LinePosition toLinePosition(size_t offset) const;
    // A column past the end of its line counts as the line's end; a line past the last
    // one as the end of the page.
    size_t toOffset(LinePosition position) const;

private:
    std::vector<size_t> lineStarts_;
    std::vector<size_t> lineChars_;
    size_t length_ = 0;
};

// Applies an edit to the lines, touching only the lines it covers. An empty page
// counts as one empty line.
void applyEdit(Lines& lines, const PageEdit& edit);

// Splits text at CR LF, LF or lone CR, keeping a final empty piece: n breaks give
// n + 1 pieces.
Lines splitKeepingLastLine(std::string_view text);

} // namespace lumora::editor
