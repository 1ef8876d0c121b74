#include "word_breaks.h"

#include "text/ascii_case.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumora::keywords {

namespace {

bool matchesFoldedAt(std::string_view line, size_t at, std::string_view lowerPattern) {
    if (line.size() - at < lowerPattern.size())
        return false;
    for (size_t k = 0; k < lowerPattern.size(); ++k)
        if (text::asciiLower(line[at + k]) != lowerPattern[k])
            return false;
    return true;
}

#if !defined(__SSE2__)
constexpr std::array<bool, 256> makeBreakers() {
    std::array<bool, 256> breakers{};
    breakers[' '] = true;
    for (char c : kSeparators)
        breakers[static_cast<unsigned char>(c)] = true;
    return breakers;
}
constexpr auto kBreakers = makeBreakers();
#endif

} // namespace

bool lineYieldsNoWords(std::string_view line) {
    const char* data = line.data();
    const char* end = data + line.size();
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '<', end - p))); ++p) {
        const size_t at = static_cast<size_t>(p - data) + 1;
        if (at == line.size())
            break;
        // Most tags are none of the three: their first letter tells.
        switch (text::asciiLower(line[at])) {
        case 't':
            if (matchesFoldedAt(line, at, "title>"))
                return true;
            break;
        case '!':
            if (matchesFoldedAt(line, at, "!--"))
                return true;
            break;
        case 'm':
            if (matchesFoldedAt(line, at, "meta name="))
                return true;
            break;
        default:
            break;
        }
    }
    return false;
}

void markBlocks(unsigned char* bytes, size_t blocks, uint64_t* breakers, uint64_t* unusual) {
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(0x20);
    const __m128i tilde = _mm_set1_epi8(0x7E);
    const __m128i span = _mm_set1_epi8(0x3E - 0x20);
    const __m128i star = _mm_set1_epi8(0x2A);
    const __m128i plus = _mm_set1_epi8(0x2B);
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    for (size_t block = 0; block < blocks; ++block) {
        uint64_t ends = 0;
        uint64_t odd = 0;
        for (unsigned part = 0; part < 4; ++part) {
            auto* at = reinterpret_cast<__m128i*>(bytes + 64 * block + 16 * part);
            const __m128i v = _mm_loadu_si128(at);
            // 0x20..0x3E except '*' and '+', and '~': blank, punctuation and digits.
            const __m128i offset = _mm_sub_epi8(v, blank);
            const __m128i inSpan = _mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset);
            const __m128i starOrPlus =
                _mm_or_si128(_mm_cmpeq_epi8(v, star), _mm_cmpeq_epi8(v, plus));
            const __m128i breaker =
                _mm_or_si128(_mm_andnot_si128(starOrPlus, inSpan), _mm_cmpeq_epi8(v, tilde));
            ends |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(breaker)))
                    << (16 * part);
            // Signed: bytes from 128 on count as negative, so below a blank.
            odd |= static_cast<uint64_t>(
                       static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(v, blank))))
                   << (16 * part);
            const __m128i upper =
                _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
            _mm_storeu_si128(at, _mm_or_si128(v, _mm_and_si128(upper, blank)));
        }
        breakers[block] = ends;
        unusual[block] = odd;
    }
#else
    for (size_t block = 0; block < blocks; ++block) {
        uint64_t ends = 0;
        uint64_t odd = 0;
        for (unsigned i = 0; i < 64; ++i) {
            unsigned char& c = bytes[64 * block + i];
            ends |= uint64_t{kBreakers[c]} << i;
            odd |= uint64_t{c < 32 || c >= 128} << i;
            c = static_cast<unsigned char>(text::asciiLower(static_cast<char>(c)));
        }
        breakers[block] = ends;
        unusual[block] = odd;
    }
#endif
}

} // namespace lumora::keywords
