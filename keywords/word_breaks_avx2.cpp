// The block pass with 32-byte lanes. This file alone is compiled for processors with
// AVX2 and is only called after a check at run time; it uses no library code, so
// that nothing it compiles can stand in for the ordinary version elsewhere.

#if defined(LUMORA_SCAN_AVX2)

#include "keywords/block_lanes.h"

#include <immintrin.h>

namespace lumora::keywords {

namespace {

struct Avx2 {
    using Type = __m256i;
    static constexpr unsigned kWidth = 32;
    static Type splat(char c) { return _mm256_set1_epi8(c); }
    static Type load(const unsigned char* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    static void store(unsigned char* p, Type v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
    }
    static Type sub(Type a, Type b) { return _mm256_sub_epi8(a, b); }
    static Type min(Type a, Type b) { return _mm256_min_epu8(a, b); }
    static Type equal(Type a, Type b) { return _mm256_cmpeq_epi8(a, b); }
    static Type greater(Type a, Type b) { return _mm256_cmpgt_epi8(a, b); }
    static Type bitAnd(Type a, Type b) { return _mm256_and_si256(a, b); }
    static Type bitOr(Type a, Type b) { return _mm256_or_si256(a, b); }
    static Type andNot(Type a, Type b) { return _mm256_andnot_si256(a, b); }
    static uint64_t mask(Type v) { return static_cast<unsigned>(_mm256_movemask_epi8(v)); }
};

} // namespace

void markBlocksAvx2(unsigned char* bytes, size_t blocks, uint64_t* breakers, uint64_t* unusual,
                    uint64_t* opens) {
    lanes::markLanes<Avx2>(bytes, blocks, breakers, unusual, opens);
}

} // namespace lumora::keywords

#endif
