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

// Lowers `size` bytes from `in` into `out` (which may be `in`). Eight bytes at a time,
// since whole pages are lowered: for each byte below 0x80, adding to its low seven
// bits carries into bit 7 when it is at least 'A', and again when it is above 'Z';
// where only the first carried, bit 5 is set.
inline void asciiLowerInto(char* out, const char* in, size_t size) {
    constexpr uint64_t kEach = 0x0101010101010101ULL;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t x;
        std::memcpy(&x, in + i, 8);
        const uint64_t low = x & kEach * 0x7f;
        const uint64_t atLeastA = low + kEach * (0x80 - 'A');
        const uint64_t aboveZ = low + kEach * (0x7f - 'Z');
        x |= ((atLeastA ^ aboveZ) & ~x & kEach * 0x80) >> 2;
        std::memcpy(out + i, &x, 8);
    }
    for (; i < size; ++i)
        out[i] = asciiLower(in[i]);
}

inline std::string asciiLowered(std::string_view text) {
    std::string out(text.size(), '\0');
    asciiLowerInto(out.data(), text.data(), text.size());
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
