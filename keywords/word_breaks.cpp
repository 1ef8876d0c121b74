#include "word_breaks.h"

#include "common/ascii_case.h"
#include "keywords/block_lanes.h"

#include <array>
#include <atomic>
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
        if (asciiLower(text[k]) != lowerPattern[k])
            return false;
    return true;
}

constexpr std::array<bool, 256> makeBreakers() {
    std::array<bool, 256> breakers{};
    breakers[' '] = true;
    for (char c : kSeparators)
        breakers[static_cast<unsigned char>(c)] = true;
    return breakers;
}
constexpr auto kBreakers = makeBreakers();

} // namespace

bool opensSkippedLine(std::string_view afterOpen) {
    if (afterOpen.empty())
        return false;
    // Most tags are none of the three: their first letter tells.
    switch (asciiLower(afterOpen[0])) {
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

void markBytewise(unsigned char* bytes, size_t blocks, BlockMarks& marks) {
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
            c = static_cast<unsigned char>(asciiLower(static_cast<char>(c)));
            leads |= uint64_t{c == 't' || c == 'm' || c == '!'} << i;
        }
        marks.breakers[block] = ends;
        marks.unusual[block] = odd;
        marks.opens[block] = tags & ((leads >> 1) | lanes::kLastBit);
    }
}

BlockPass widestBlockPass() {
#if defined(LUMORA_SCAN_AVX2)
    if (__builtin_cpu_supports("avx2"))
        return BlockPass::Lanes32;
#endif
#if defined(__SSE2__)
    return BlockPass::Lanes16;
#else
    return BlockPass::Bytewise;
#endif
}

// Chosen once; only tests and benchmarks change it.
std::atomic<BlockPass>& chosenBlockPass() {
    static std::atomic<BlockPass> chosen{widestBlockPass()};
    return chosen;
}

} // namespace

bool blockPassAvailable(BlockPass pass) {
    switch (pass) {
    case BlockPass::Bytewise:
        return true;
    case BlockPass::Lanes16:
#if defined(__SSE2__)
        return true;
#else
        return false;
#endif
    case BlockPass::Lanes32:
        return widestBlockPass() == BlockPass::Lanes32;
    }
    return false;
}

BlockPass activeBlockPass() {
    return chosenBlockPass().load(std::memory_order_relaxed);
}

bool forceBlockPass(std::optional<BlockPass> pass) {
    const BlockPass wanted = pass.value_or(widestBlockPass());
    if (!blockPassAvailable(wanted))
        return false;
    chosenBlockPass().store(wanted, std::memory_order_relaxed);
    return true;
}

void markBlocks(unsigned char* bytes, size_t blocks, BlockMarks& marks) {
    marks.breakers.resize(blocks);
    marks.unusual.resize(blocks);
    marks.opens.resize(blocks);
    switch (activeBlockPass()) {
    case BlockPass::Lanes32:
#if defined(LUMORA_SCAN_AVX2)
        markBlocksAvx2(bytes, blocks, marks.breakers.data(), marks.unusual.data(),
                       marks.opens.data());
        return;
#else
        [[fallthrough]];
#endif
    case BlockPass::Lanes16:
#if defined(__SSE2__)
        lanes::markLanes<Sse2>(bytes, blocks, marks.breakers.data(), marks.unusual.data(),
                               marks.opens.data());
        return;
#else
        [[fallthrough]];
#endif
    case BlockPass::Bytewise:
        break;
    }
    markBytewise(bytes, blocks, marks);
}

} // namespace lumora::keywords
