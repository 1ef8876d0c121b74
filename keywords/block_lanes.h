#pragma once
// The block pass of the word scan (see markBlocks) for any vector width: `Vector`
// supplies the byte operations on one lane of 16 or 32 bytes. Kept free of library
// types, as it is also compiled for wider vectors than the rest.

#include <cstddef>
#include <cstdint>

namespace lumora::keywords::lanes {

// A block's last '<' is followed by the next block's first byte: kept as a candidate.
constexpr uint64_t kLastBit = uint64_t{1} << 63;

// The three byte classes and the folding, in vector lanes of 16 or 32 bytes; `Vector`
// supplies the operations for one lane width.
template <typename Vector>
void markLanes(unsigned char* bytes, size_t blocks, uint64_t* breakers, uint64_t* unusual,
               uint64_t* opens) {
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
        breakers[block] = ends;
        unusual[block] = odd;
        opens[block] = tags & ((leads >> 1) | kLastBit);
    }
}

} // namespace lumora::keywords::lanes

namespace lumora::keywords {

#if defined(LUMORA_SCAN_AVX2)
// markLanes with 32-byte lanes, for processors that have them (word_breaks_avx2.cpp).
void markBlocksAvx2(unsigned char* bytes, size_t blocks, uint64_t* breakers, uint64_t* unusual,
                    uint64_t* opens);
#endif

} // namespace lumora::keywords
