#pragma once
// The lines the meta tag builder writes: title, description, keywords and hidden-words lines
// made from the keyword list and the stored title and description, and the two footer lines.

#include "tags/meta_tag_controls.h"

#include <string>
#include <string_view>

namespace lumora::tags {

struct MetaTagTexts {
    std::string title;       // the title text
    std::string description; // the description: the stored one, or the generated one
    std::string keywords;    // the keywords, last first, joined by ","
    std::string booster;     // "," + second + " " + first scan keyword, or empty
};

// The keyword list the builder uses: Memo6 in automatic mode, ListBox4 in manual mode.
const std::vector<std::string>& builderKeywords(const MetaTagControls& controls);

MetaTagTexts makeMetaTagTexts(const MetaTagControls& controls);

std::string titleTagLine(const MetaTagTexts& texts);
std::string descriptionTagLine(const MetaTagTexts& texts);
std::string keywordsTagLine(const MetaTagTexts& texts);
// Ends in "Lumora V.01.01 --> ", which the next run recognises; the booster is left out.
std::string hiddenWordsLine(const MetaTagTexts& texts, std::string_view titleStorage);

// The footer put before "</body>": the note to the webmaster, then the link line, which also
// tells a later run that the page already has its footer.
extern const std::string_view kFooterCommentLine;
extern const std::string_view kFooterLinkLine;

} // namespace lumora::tags
