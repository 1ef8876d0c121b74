#pragma once
// Finding a search term in text, optionally as a whole word. A whole word is a term
// framed by one of fourteen pairs of neighbours (the character before it, the
// character after it), taken from the real text around it: the edges of the text
// count as the characters passed in for them (a space at the page's start and end).

#include <cstddef>
#include <string_view>

namespace lumora::editor {

inline constexpr size_t kNotFound = std::string_view::npos;

// Whether a term with these neighbours is a whole word.
bool isWordFrame(char before, char after);

// The text to search and what stands before its first and after its last character.
struct SearchText {
    std::string_view text;
    char beforeStart = ' ';
    char afterEnd = ' ';
};

// First occurrence of `term` that starts at or after byte `from`; kNotFound when none
// (an empty term never occurs).
size_t findTermForward(const SearchText& where, std::string_view term, size_t from, bool wholeWord);

// Last occurrence of `term` that ends at or before byte `endLimit`.
size_t findTermBackward(const SearchText& where, std::string_view term, size_t endLimit,
                        bool wholeWord);

} // namespace lumora::editor
