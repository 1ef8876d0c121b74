#pragma once
// A page as lines: splitting at CR LF, LF or a lone CR, writing with CR LF, and
// counting characters (not UTF-8 bytes) the way the page's lengths are counted.

#include <string>
#include <string_view>
#include <vector>

namespace lumora::text {

using Lines = std::vector<std::string>;

// A final line break adds no empty line; an empty text is a page of no lines.
Lines splitLines(std::string_view text);

// Each line followed by CR LF.
std::string joinWithCrLf(const Lines& lines);

// Characters of UTF-8 text: every byte that does not continue a sequence.
size_t charCount(std::string_view utf8);

// The page's length: every character, each line break counting two.
size_t pageLength(const Lines& lines);

} // namespace lumora::text
