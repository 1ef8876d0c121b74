#pragma once
// ASCII-only case folding for Windows names (paths, ini sections and keys, registry
// keys): Windows compares these without regard to case, and only A-Z fold here so
// that every other byte passes through unchanged.

#include <string>
#include <string_view>

namespace lumora::platform {

constexpr char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

inline std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = upperAscii(c);
    return out;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i]))
            return false;
    return true;
}

} // namespace lumora::platform
