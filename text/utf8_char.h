#pragma once
// Reading one character of UTF-8 text: the page codec, the keyword order and the
// batch's JSON output all read UTF-8 through this one decoder.

#include <cstddef>
#include <string>
#include <string_view>

namespace lumora::text {

struct Utf8Char {
    char32_t codePoint;
    std::size_t length; // bytes read, at least 1
    bool valid;
};

// The character that starts at `at` (which must be inside `text`). A byte that starts
// no valid sequence (a stray continuation byte, a sequence cut short, overlong or
// naming a surrogate or a code point past U+10FFFF) is read alone, as the code point
// of its byte value, and marked invalid, so a reader can go on after it.
constexpr Utf8Char decodeUtf8At(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const Utf8Char invalid{lead, 1, false};
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
    } else {
        return invalid;
    }
    if (length > text.size() - at)
        return invalid;
    char32_t codePoint = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return invalid;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return invalid;
    return {codePoint, length, true};
}

// Appends `codePoint` (at most U+10FFFF) as UTF-8.
inline void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace lumora::text
