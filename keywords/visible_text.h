#pragma once
// What a visitor reads of a page: the text of its elements without markup, scripts,
// styles, templates and comments, character references decoded, one line per block.
// The title, the meta tags and image descriptions are not read: they are what the
// meta tag builder writes, and its output must not feed the next scan.

#include <string>
#include <vector>

namespace lumora::keywords {

struct VisibleText {
    std::vector<std::string> lines; // UTF-8, none empty
    std::string language;           // primary language of <html lang>, lower case; empty when none
};

// `pageLines` are the page's lines as the editor holds them (UTF-8).
VisibleText readVisibleText(const std::vector<std::string>& pageLines);

} // namespace lumora::keywords
