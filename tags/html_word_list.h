#pragma once
// The HTML words a title or description proposal never keeps: tag and attribute names,
// colour codes, font names and the like that a sentence of markup drags along.

#include <array>
#include <string_view>

namespace lumora::tags {

// All 100 entries in their fixed order (some repeat, some can never match a word).
extern const std::array<std::string_view, 100> kHtmlWordList;

// Whether `word` equals one of the entries (exact comparison).
bool isHtmlWord(std::string_view word);

} // namespace lumora::tags
