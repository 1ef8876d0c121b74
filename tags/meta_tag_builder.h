#pragma once
// The meta tag builder ("Build MetaTags"): replaces or adds the page's title, description and
// keywords tags and the hidden-words comment after the "<head>" line, and adds the footer.
//
// The window's handler reads its controls into MetaTagControls and calls checkMetaTagBuild.
// A stop message is shown and ends the command; otherwise the question is asked (Yes / No /
// Cancel) and buildMetaTags gives the whole new page and what to write back.

#include "tags/meta_tag_controls.h"
#include "tags/user_answer.h"
#include "text/page_lines.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora::tags {

struct MetaTagCheck {
    std::optional<std::string> stopMessage; // show it and stop, the page unchanged
    std::string question;                   // otherwise ask it with Yes, No and Cancel
};

MetaTagCheck checkMetaTagBuild(const text::Lines& page, const MetaTagControls& controls);

struct MetaTagOutcome {
    // False when the command stopped (Cancel, or a failed check): nothing but the messages
    // applies. True: put `page` into the editor as one edit, then write the rest back.
    bool completed = false;
    text::Lines page;
    std::vector<std::string> messages; // one OK box each, in order (shown before the new page)
    std::string descriptionStorage;    // Edit1DescrptStorage from now on
    // Also on completion: Memo6 emptied, TagsPassed cleared, the caret at the very start, and
    // in automatic mode Button5, SpeedButton1 and Button6 disabled, BitBtn1FullAuto enabled and
    // GroupBox2 titled "Automatic Set Up"; in manual mode Panel1 and Label3TileKW hidden and the
    // label's caption a single space.
    bool clearScanKeywords = false; // Memo6
    bool clearTagsPassed = false;   // TagsPassed
    bool caretToStart = false;
};

// Runs the command after the question was answered. Yes replaces the tags; No leaves them and
// only tidies the page, adds the footer and the closing line; Cancel changes nothing.
MetaTagOutcome buildMetaTags(text::Lines page, const MetaTagControls& controls, Answer answer);

} // namespace lumora::tags
