#pragma once
// Searching page text without regard to ASCII case (the fold itself is
// common/ascii_case.h), and trimming a line's control characters.

#include "common/ascii_case.h"

#include <string>
#include <string_view>

namespace lumora::text {

// Whether the lower-cased text of `line` contains `lowerPattern` (already lower case).
bool containsFolded(std::string_view line, std::string_view lowerPattern);

// Position of `lowerPattern` in the lower-cased text of `line`, or npos.
size_t findFolded(std::string_view line, std::string_view lowerPattern, size_t from = 0);

// Removes characters with codes 0 to 32 from both ends.
std::string_view trimControls(std::string_view s);

} // namespace lumora::text
