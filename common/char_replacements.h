#pragma once
// Writing text with some characters replaced by a table (a quote by \", an ampersand by
// &amp;, ...): the one loop behind the quoting of the registry store, the menu files,
// JSON and HTML.

#include <span>
#include <string>
#include <string_view>

namespace lumora {

struct CharReplacement {
    char character;
    std::string_view replacement;
};

// What `table` writes for `c`, or null when `c` stays as it is.
constexpr const std::string_view* replacementOf(char c, std::span<const CharReplacement> table) {
    for (const CharReplacement& entry : table)
        if (entry.character == c)
            return &entry.replacement;
    return nullptr;
}

// `text` with every character that `table` names replaced.
inline std::string withReplacements(std::string_view text, std::span<const CharReplacement> table) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (const std::string_view* replacement = replacementOf(c, table))
            out += *replacement;
        else
            out += c;
    }
    return out;
}

} // namespace lumora
