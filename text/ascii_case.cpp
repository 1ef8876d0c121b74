#include "ascii_case.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumora::text {

namespace {

bool matchesFoldedAt(std::string_view line, std::string_view lowerPattern, size_t at) {
    for (size_t k = 0; k < lowerPattern.size(); ++k)
        if (asciiLower(line[at + k]) != lowerPattern[k])
            return false;
    return true;
}

#if defined(__SSE2__)
// Sixteen positions at once: a match needs its first, middle and last bytes to agree
// once bit 5 is set on both sides, which folds A-Z onto a-z and keeps every byte that
// can match; the few positions that pass are compared in full. The last sixteen
// positions are looked at as one block, overlapping the one before it, so no position
// is compared one at a time. Needs at least sixteen positions.
size_t findFoldedInBlocks(std::string_view line, std::string_view lowerPattern, size_t from) {
    const size_t last = line.size() - lowerPattern.size();
    const size_t middle = lowerPattern.size() / 2;
    const size_t end = lowerPattern.size() - 1;
    const __m128i caseBit = _mm_set1_epi8(0x20);
    auto splat = [](char c) { return _mm_set1_epi8(static_cast<char>(c | 0x20)); };
    const __m128i first = splat(lowerPattern.front());
    const __m128i centre = splat(lowerPattern[middle]);
    const __m128i final = splat(lowerPattern.back());
    auto agreeing = [&](const char* at, size_t offset, __m128i wanted) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + offset));
        return _mm_cmpeq_epi8(_mm_or_si128(bytes, caseBit), wanted);
    };
    for (size_t i = from;;) {
        size_t block = i;
        unsigned ignored = 0; // positions before `from` in an overlapping last block
        if (block + 16 > last + 1) {
            block = last + 1 - 16;
            ignored = (1u << (i - block)) - 1;
        }
        const char* at = line.data() + block;
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_and_si128(agreeing(at, 0, first), agreeing(at, middle, centre)),
                          agreeing(at, end, final))));
        candidates &= ~ignored;
        while (candidates != 0) {
            const size_t position = block + static_cast<size_t>(std::countr_zero(candidates));
            if (matchesFoldedAt(line, lowerPattern, position))
                return position;
            candidates &= candidates - 1;
        }
        if (block + 16 > last)
            return std::string_view::npos;
        i = block + 16;
    }
}
#endif

} // namespace

size_t findFolded(std::string_view line, std::string_view lowerPattern, size_t from) {
    if (lowerPattern.empty())
        return from <= line.size() ? from : std::string_view::npos;
    if (line.size() < lowerPattern.size() || from > line.size() - lowerPattern.size())
        return std::string_view::npos;
    const size_t last = line.size() - lowerPattern.size();
#if defined(__SSE2__)
    if (last + 1 >= 16)
        return findFoldedInBlocks(line, lowerPattern, from);
#endif
    const char first = lowerPattern.front();
    const char firstUpper = asciiUpper(first);
    for (size_t i = from; i <= last; ++i)
        if ((line[i] == first || line[i] == firstUpper) && matchesFoldedAt(line, lowerPattern, i))
            return i;
    return std::string_view::npos;
}

bool containsFolded(std::string_view line, std::string_view lowerPattern) {
    return findFolded(line, lowerPattern) != std::string_view::npos;
}

std::string_view trimControls(std::string_view s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= 32)
        --end;
    return s.substr(begin, end - begin);
}

} // namespace lumora::text
