#pragma once
// Puts each tag the meta tag builder is about to replace on a line of its own, so that
// replacing whole lines removes only the old tags and never the markup sharing their line.

#include "text/page_lines.h"

namespace lumora::tags {

// Which of the page's generated tags a run replaces (one per "Include"/"Add" check box).
struct ReplacedTags {
    bool title = true;       // the title element
    bool description = true; // the description meta tag
    bool keywords = true;    // the keywords meta tag
    bool hiddenWords = true; // the hidden-words comment
};

// A line holding such a tag next to other non-blank text is replaced by its pieces in order
// (text before, the tag, text after, ...), dropping pieces that are empty or blank. A tag alone
// on its line, blanks around it allowed, stays as it is. Tags are found ignoring case; the
// pieces keep their letters.
text::Lines splitReplacedTags(text::Lines page, const ReplacedTags& tags);

} // namespace lumora::tags
