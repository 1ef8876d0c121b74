#pragma once
// The page's only case folding: ASCII A-Z to a-z. Every other byte, including each
// byte of a multi-byte UTF-8 sequence, passes through unchanged.

#include <string>
#include <string_view>

namespace lumora::text {

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
constexpr char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

inline std::string asciiLowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

inline std::string asciiUppered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

// Whether the lower-cased text of `line` contains `lowerPattern` (already lower case).
bool containsFolded(std::string_view line, std::string_view lowerPattern);

// Position of `lowerPattern` in the lower-cased text of `line`, or npos.
size_t findFolded(std::string_view line, std::string_view lowerPattern, size_t from = 0);

// Compares ignoring ASCII case.
bool equalsFolded(std::string_view a, std::string_view b);

// Removes characters with codes 0 to 32 from both ends.
std::string_view trimControls(std::string_view s);

} // namespace lumora::text
