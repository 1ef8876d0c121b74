#pragma once
// The one ASCII case fold of both programs: only A-Z and a-z change, so every other
// byte, each byte of a multi-byte UTF-8 sequence included, passes through unchanged.
// Windows names (paths, ini sections and keys, registry keys, resource names) and the
// page's tags compare through it without regard to case.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace lumora {

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string asciiLowered(std::string_view text) {
    std::string out(text);
    // Eight bytes at a time, since whole pages are lowered: for each byte below 0x80,
    // adding to its low seven bits carries into bit 7 exactly when it is at least 'A',
    // and again when it is above 'Z'; where only the first carried, bit 5 is set.
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr uint64_t kLowBits = 0x7f7f7f7f7f7f7f7fULL;
    constexpr uint64_t kEach = 0x0101010101010101ULL;
    size_t i = 0;
    for (; i + 8 <= out.size(); i += 8) {
        uint64_t x;
        std::memcpy(&x, out.data() + i, 8);
        const uint64_t low = x & kLowBits;
        const uint64_t atLeastA = low + kEach * (0x80 - 'A');
        const uint64_t aboveZ = low + kEach * (0x7f - 'Z');
        const uint64_t upper = (atLeastA ^ aboveZ) & ~x & kHighBits;
        x |= upper >> 2;
        std::memcpy(out.data() + i, &x, 8);
    }
    for (; i < out.size(); ++i)
        out[i] = asciiLower(out[i]);
    return out;
}

inline std::string asciiUppered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    return true;
}

} // namespace lumora
