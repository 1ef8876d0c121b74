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

// Prepares bytes[0, 64 * blocks) for cutting, one 64-byte block at a time: folds
// A-Z to a-z in place, sets bit i of breakers[k] where byte 64 * k + i ends a word
// (a blank or a separator), and bit i of unusual[k] where it is a control character
// or part of a multi-byte character, which words seldom hold.
void markBlocks(unsigned char* bytes, size_t blocks, uint64_t* breakers, uint64_t* unusual);

} // namespace lumora::keywords
