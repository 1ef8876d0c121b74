#pragma once
// Word-at-a-time versions of the two byte loops that Replace All runs over the whole
// page: counting the characters of UTF-8 text and lower-casing A to Z. Same results
// as the byte-by-byte loops, several bytes per step.

#include <cstddef>
#include <string_view>

namespace lumora::editor {

// Characters of UTF-8 text: every byte that does not continue a sequence.
size_t countUtf8Chars(std::string_view utf8);

// Lower-cases the letters A to Z in place; every other byte stays.
void lowerAtoZInPlace(char* bytes, size_t size);
// The same from `in` to `out` (which may be `in`), `size` bytes.
void lowerAtoZCopy(char* out, const char* in, size_t size);

} // namespace lumora::editor
