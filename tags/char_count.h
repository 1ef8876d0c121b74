#pragma once
// "Char Count": the length of the page text and the message that tells it.

#include "text/page_lines.h"

#include <cstddef>
#include <string>

namespace lumora::tags {

// Characters of the page text: the lines joined by line breaks of two characters each
// (none after the last line), so the two lines "ab" and "c" count 5.
size_t pageCharacterCount(const text::Lines& page);

// "The text has %d characters" with the count filled in.
std::string charCountMessage(size_t count);

} // namespace lumora::tags
