#pragma once
// Byte-level steps of the word scan: which lines the scanner skips, and one bit per
// byte where a word ends, so that the counting loop can find its words without
// looking at every byte.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumora::keywords {

// The characters that become blanks before words are cut (the digits included).
inline constexpr std::string_view kSeparators = ".~<>=/-,;:()!\"#$%&'&0123456789";

// Whether the scanner skips the whole line: it holds a title tag, the start of a
// comment or a named meta tag (ignoring case).
bool lineYieldsNoWords(std::string_view line);

// Sets bits[k] to the word ends of bytes[64 * k, 64 * k + 64) for every k below
// `blocks`: bit i is set where the byte ends a word (a blank or a separator).
void markWordBreaks(const unsigned char* bytes, size_t blocks, uint64_t* bits);

} // namespace lumora::keywords
