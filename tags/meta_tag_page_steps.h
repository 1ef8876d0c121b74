#pragma once
// The meta tag builder's passes over the page: marking the lines of the tags it replaces,
// removing marker lines and the blank lines the old tags leave, and adding the footer.

#include "tags/tag_line_split.h"
#include "text/page_lines.h"

namespace lumora::tags {

// Marks every line that holds a tag to be replaced with its marker line, after cutting each
// title element out of its line (the rest stays, lower-cased). Returns whether a title was cut.
bool markReplacedLines(text::Lines& page, const ReplacedTags& tags);

// Removes "-clear line-" lines, the empty line after a title, description, keywords or
// hidden-words line, and every marker line.
void removeMarkedLines(text::Lines& page);

// Removes the line after a title line when it has fewer than 2 characters.
void dropShortLinesAfterTitles(text::Lines& page);

// Puts the footer before the first "</body>" line, unless the page already holds its link line.
void addFooter(text::Lines& page);

} // namespace lumora::tags
