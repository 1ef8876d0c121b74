#pragma once
// A title or description as a search result shows it: blanks run together, and a
// text longer than the result has room for cut at a word boundary, with "...".

#include <cstddef>
#include <string>
#include <string_view>

namespace lumora::audit {

// About how much of each a search result shows, in characters.
inline constexpr size_t kResultTitleRoom = 60;
inline constexpr size_t kResultDescriptionRoom = 160;

struct SearchSnippet {
    std::string shown; // UTF-8; ends with "..." when cut
    bool cut = false;
};

// The words of `utf8` that fit in `room` characters, "..." after them when some had to
// go. A first word longer than the room is cut inside, at a character boundary.
SearchSnippet searchSnippet(std::string_view utf8, size_t room);

} // namespace lumora::audit
