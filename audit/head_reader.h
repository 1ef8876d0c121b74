#pragma once
// Reads the tags a search engine looks at from a page's text in one pass: the first
// <title>, the description and keywords meta tags, the declared character set and the
// lang of <html>. Comments, scripts and styles are skipped; values come back raw.

#include <optional>
#include <string>
#include <string_view>

namespace lumora::audit {

struct HeadTags {
    std::optional<std::string> title;       // the text between <title> and </title>
    std::optional<std::string> description; // the content attributes, raw
    std::optional<std::string> keywords;
    std::string charset; // <meta charset> or http-equiv content type's charset, raw
    std::optional<std::string> lang;
};

// `text` is the decoded page (UTF-8).
HeadTags readHeadTags(std::string_view text);

// Entities decoded (the five of markup, &nbsp; and numeric ones; others stay as
// written), blanks and line breaks run together into one blank, ends trimmed.
std::string cleanTagText(std::string_view raw);

} // namespace lumora::audit
