#include "ascii_case.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumora::text {

namespace {

bool matchesFoldedAt(std::string_view line, std::string_view lowerPattern, size_t at) {
    const char first = lowerPattern.front();
    if (line[at] != first && line[at] != asciiUpper(first))
        return false;
    for (size_t k = 1; k < lowerPattern.size(); ++k)
        if (asciiLower(line[at + k]) != lowerPattern[k])
            return false;
    return true;
}

} // namespace

size_t findFolded(std::string_view line, std::string_view lowerPattern, size_t from) {
    if (lowerPattern.empty())
        return from <= line.size() ? from : std::string_view::npos;
    if (line.size() < lowerPattern.size())
        return std::string_view::npos;
    const size_t last = line.size() - lowerPattern.size();
    size_t i = from;
#if defined(__SSE2__)
    // Sixteen positions at a time: a match needs its first and its last byte to agree
    // once bit 5 is set on both sides (which folds A-Z onto a-z and keeps every byte
    // that can match); the few positions that pass are compared in full.
    const size_t lastOffset = lowerPattern.size() - 1;
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i first = _mm_set1_epi8(static_cast<char>(lowerPattern.front() | 0x20));
    const __m128i final = _mm_set1_epi8(static_cast<char>(lowerPattern.back() | 0x20));
    for (; i + 16 <= last + 1; i += 16) {
        const auto* at = reinterpret_cast<const __m128i*>(line.data() + i);
        const __m128i heads = _mm_or_si128(_mm_loadu_si128(at), caseBit);
        const __m128i tails = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + i + lastOffset)),
            caseBit);
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, final))));
        while (candidates != 0) {
            const size_t position = i + static_cast<size_t>(std::countr_zero(candidates));
            if (matchesFoldedAt(line, lowerPattern, position))
                return position;
            candidates &= candidates - 1;
        }
    }
#endif
    for (; i <= last; ++i)
        if (matchesFoldedAt(line, lowerPattern, i))
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
