#include "word_breaks.h"

#include "text/ascii_case.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumora::keywords {

namespace {

bool matchesFolded(std::string_view text, std::string_view lowerPattern) {
    if (text.size() < lowerPattern.size())
        return false;
    for (size_t k = 0; k < lowerPattern.size(); ++k)
        if (text::asciiLower(text[k]) != lowerPattern[k])
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

// A block's last '<' is followed by the next block's first byte: kept as a candidate.
constexpr uint64_t kLastBit = uint64_t{1} << 63;

} // namespace

bool opensSkippedLine(std::string_view afterOpen) {
    if (afterOpen.empty())
        return false;
    // Most tags are none of the three: their first letter tells.
    switch (text::asciiLower(afterOpen[0])) {
    case 't':
        return matchesFolded(afterOpen, "title>");
    case '!':
        return matchesFolded(afterOpen, "!--");
    case 'm':
        return matchesFolded(afterOpen, "meta name=");
    default:
        return false;
    }
}

bool lineYieldsNoWords(std::string_view line) {
    const char* data = line.data();
    const char* end = data + line.size();
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '<', end - p))); ++p)
        if (opensSkippedLine(line.substr(static_cast<size_t>(p - data) + 1)))
            return true;
    return false;
}

void markBlocks(unsigned char* bytes, size_t blocks, BlockMarks& marks) {
    marks.breakers.resize(blocks);
    marks.unusual.resize(blocks);
    marks.opens.resize(blocks);
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(0x20);
    const __m128i tilde = _mm_set1_epi8(0x7E);
    const __m128i span = _mm_set1_epi8(0x3E - 0x20);
    const __m128i star = _mm_set1_epi8(0x2A);
    const __m128i plus = _mm_set1_epi8(0x2B);
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i open = _mm_set1_epi8('<');
    const __m128i letterT = _mm_set1_epi8('t');
    const __m128i letterM = _mm_set1_epi8('m');
    const __m128i bang = _mm_set1_epi8('!');
    for (size_t block = 0; block < blocks; ++block) {
        uint64_t ends = 0;
        uint64_t odd = 0;
        uint64_t tags = 0;
        uint64_t leads = 0;
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
            tags |= static_cast<uint64_t>(
                        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, open))))
                    << (16 * part);
            const __m128i upper =
                _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
            const __m128i folded = _mm_or_si128(v, _mm_and_si128(upper, blank));
            _mm_storeu_si128(at, folded);
            const __m128i lead = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(folded, letterT), _mm_cmpeq_epi8(folded, letterM)),
                _mm_cmpeq_epi8(folded, bang));
            leads |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lead)))
                     << (16 * part);
        }
        marks.breakers[block] = ends;
        marks.unusual[block] = odd;
        marks.opens[block] = tags & ((leads >> 1) | kLastBit);
    }
#else
    for (size_t block = 0; block < blocks; ++block) {
        uint64_t ends = 0;
        uint64_t odd = 0;
        uint64_t tags = 0;
        uint64_t leads = 0;
        for (unsigned i = 0; i < 64; ++i) {
            unsigned char& c = bytes[64 * block + i];
            ends |= uint64_t{kBreakers[c]} << i;
            odd |= uint64_t{c < 32 || c >= 128} << i;
            tags |= uint64_t{c == '<'} << i;
            c = static_cast<unsigned char>(text::asciiLower(static_cast<char>(c)));
            leads |= uint64_t{c == 't' || c == 'm' || c == '!'} << i;
        }
        marks.breakers[block] = ends;
        marks.unusual[block] = odd;
        marks.opens[block] = tags & ((leads >> 1) | kLastBit);
    }
#endif
}

} // namespace lumora::keywords
