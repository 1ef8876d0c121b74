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

namespace {

// The three byte classes and the folding, in vector lanes of 16 or 32 bytes; `Vector`
// supplies the operations for one lane width.
template <typename Vector> void markLanes(unsigned char* bytes, size_t blocks, BlockMarks& marks) {
    using V = typename Vector::Type;
    constexpr unsigned kLanes = 64 / Vector::kWidth;
    const V blank = Vector::splat(0x20);
    const V tilde = Vector::splat(0x7E);
    const V span = Vector::splat(0x3E - 0x20);
    const V notLowBit = Vector::splat(static_cast<char>(0xFE));
    const V starOrPlus = Vector::splat(0x2A);
    const V beforeA = Vector::splat('A' - 1);
    const V afterZ = Vector::splat('Z' + 1);
    const V open = Vector::splat('<');
    const V letterT = Vector::splat('t');
    const V letterM = Vector::splat('m');
    const V bang = Vector::splat('!');
    for (size_t block = 0; block < blocks; ++block) {
        uint64_t ends = 0;
        uint64_t odd = 0;
        uint64_t tags = 0;
        uint64_t leads = 0;
        for (unsigned lane = 0; lane < kLanes; ++lane) {
            unsigned char* at = bytes + 64 * block + Vector::kWidth * lane;
            const unsigned shift = Vector::kWidth * lane;
            const V v = Vector::load(at);
            // 0x20..0x3E except '*' and '+', and '~': blank, punctuation and digits.
            const V offset = Vector::sub(v, blank);
            const V inSpan = Vector::equal(Vector::min(offset, span), offset);
            const V skipped = Vector::equal(Vector::bitAnd(v, notLowBit), starOrPlus);
            const V breaker =
                Vector::bitOr(Vector::andNot(skipped, inSpan), Vector::equal(v, tilde));
            ends |= Vector::mask(breaker) << shift;
            // Signed: bytes from 128 on count as negative, so below a blank.
            odd |= Vector::mask(Vector::greater(blank, v)) << shift;
            tags |= Vector::mask(Vector::equal(v, open)) << shift;
            const V upper = Vector::bitAnd(Vector::greater(v, beforeA), Vector::greater(afterZ, v));
            const V folded = Vector::bitOr(v, Vector::bitAnd(upper, blank));
            Vector::store(at, folded);
            const V lead = Vector::bitOr(
                Vector::bitOr(Vector::equal(folded, letterT), Vector::equal(folded, letterM)),
                Vector::equal(folded, bang));
            leads |= Vector::mask(lead) << shift;
        }
        marks.breakers[block] = ends;
        marks.unusual[block] = odd;
        marks.opens[block] = tags & ((leads >> 1) | kLastBit);
    }
}

#if defined(__SSE2__)
struct Sse2 {
    using Type = __m128i;
    static constexpr unsigned kWidth = 16;
    static Type splat(char c) { return _mm_set1_epi8(c); }
    static Type load(const unsigned char* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    static void store(unsigned char* p, Type v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    }
    static Type sub(Type a, Type b) { return _mm_sub_epi8(a, b); }
    static Type min(Type a, Type b) { return _mm_min_epu8(a, b); }
    static Type equal(Type a, Type b) { return _mm_cmpeq_epi8(a, b); }
    static Type greater(Type a, Type b) { return _mm_cmpgt_epi8(a, b); }
    static Type bitAnd(Type a, Type b) { return _mm_and_si128(a, b); }
    static Type bitOr(Type a, Type b) { return _mm_or_si128(a, b); }
    static Type andNot(Type a, Type b) { return _mm_andnot_si128(a, b); }
    static uint64_t mask(Type v) { return static_cast<unsigned>(_mm_movemask_epi8(v)); }
};

#endif

} // namespace

void markBlocks(unsigned char* bytes, size_t blocks, BlockMarks& marks) {
    marks.breakers.resize(blocks);
    marks.unusual.resize(blocks);
    marks.opens.resize(blocks);
#if defined(__SSE2__)
    markLanes<Sse2>(bytes, blocks, marks);
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
