#pragma once
// "Check Key Word Tags": finds the page's keywords meta tag so the window can select it,
// or says that the page has none so the window can offer the keyword scan.

#include "text/page_lines.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace lumora::tags {

inline constexpr std::string_view kKeywordTagFoundMessage = "This is your Key Word Meta Tag.";
inline constexpr std::string_view kAddMetaTagsQuestion =
    "You should add Meta Tags to this web page! \r\rRun the Key Word finder in auto mode to "
    "see how its done.";
inline constexpr std::string_view kKeywordTagNotAddedMessage = "Key Word Meta Tag not added";

// Where a keyword-tag form was found. Offsets and columns count characters, each line
// break of the page text counting two.
struct KeywordTagHit {
    size_t offset = 0; // in the page text
    size_t length = 0; // of the form
    size_t line = 0;
    size_t column = 0;
    bool operator==(const KeywordTagHit&) const = default;
};

// The first of the keyword-tag forms, in their list order, that occurs anywhere in the
// lower-cased page (the first character included), at its first occurrence; nothing
// when the page has no keywords tag.
std::optional<KeywordTagHit> findKeywordTag(const text::Lines& page);

} // namespace lumora::tags
