#include "word_counts.h"

#include "keywords/keyword_order.h"
#include "text/ascii_case.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumora::keywords {

namespace {

constexpr size_t kPadding = 64;
constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Blanks and separators end a word; control characters stay inside a word and are
// only trimmed from its ends.
constexpr std::array<bool, 256> makeBreakers() {
    std::array<bool, 256> breakers{};
    breakers[' '] = true;
    for (char c : kSeparators)
        breakers[static_cast<unsigned char>(c)] = true;
    return breakers;
}
constexpr auto kBreakers = makeBreakers();

constexpr std::array<char, 256> makeLower() {
    std::array<char, 256> lower{};
    for (int c = 0; c < 256; ++c)
        lower[c] = text::asciiLower(static_cast<char>(c));
    return lower;
}
constexpr auto kLower = makeLower();

bool matchesFoldedAt(std::string_view line, size_t at, std::string_view lowerPattern) {
    if (line.size() - at < lowerPattern.size())
        return false;
    for (size_t k = 0; k < lowerPattern.size(); ++k)
        if (kLower[static_cast<unsigned char>(line[at + k])] != lowerPattern[k])
            return false;
    return true;
}

// A-Z to a-z in eight bytes at once; every other byte is unchanged.
inline uint64_t foldChunk(uint64_t x) {
    const uint64_t low = x & ~kHighBits;
    const uint64_t atLeastA = (low + kOnes * (0x80 - 'A')) & kHighBits;
    const uint64_t aboveZ = (low + kOnes * (0x80 - 'Z' - 1)) & kHighBits;
    const uint64_t upper = atLeastA & ~aboveZ & ~x;
    return x | (upper >> 2);
}

// Bytes that continue a UTF-8 sequence (10xxxxxx), one high bit each.
inline uint64_t continuationBytes(uint64_t x) {
    return x & ~(x << 1) & kHighBits;
}

// Number of set high bits (one per byte at most), without a popcount instruction.
inline size_t countHighBits(uint64_t highBits) {
    return static_cast<size_t>(((highBits >> 7) * kOnes) >> 56);
}

inline bool sameChunks(const uint64_t* a, const uint64_t* b, size_t count) {
    for (size_t k = 0; k < count; ++k)
        if (a[k] != b[k])
            return false;
    return true;
}

inline uint64_t mix(uint64_t h, uint64_t chunk) {
    h = (h ^ chunk) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 31);
}

// One bit per byte of `bytes` (padded), set where the byte ends a word.
void markBreakers(const unsigned char* bytes, size_t length, std::vector<uint64_t>& bits) {
    bits.assign((length + 63) / 64 + 1, 0);
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(0x20);
    const __m128i tilde = _mm_set1_epi8(0x7E);
    const __m128i span = _mm_set1_epi8(0x3E - 0x20);
    const __m128i star = _mm_set1_epi8(0x2A);
    const __m128i plus = _mm_set1_epi8(0x2B);
    for (size_t i = 0; i < length; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        // 0x20..0x3E except '*' and '+', and '~': blank, punctuation and digits.
        const __m128i offset = _mm_sub_epi8(v, blank);
        const __m128i inSpan = _mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset);
        const __m128i starOrPlus = _mm_or_si128(_mm_cmpeq_epi8(v, star), _mm_cmpeq_epi8(v, plus));
        const __m128i breaker =
            _mm_or_si128(_mm_andnot_si128(starOrPlus, inSpan), _mm_cmpeq_epi8(v, tilde));
        const auto mask = static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(breaker)));
        bits[i / 64] |= mask << (i % 64);
    }
#else
    for (size_t i = 0; i < length; ++i)
        if (kBreakers[bytes[i]])
            bits[i / 64] |= uint64_t{1} << (i % 64);
#endif
    // Past the end every byte ends a word.
    if (length % 64)
        bits[length / 64] |= ~uint64_t{0} << (length % 64);
    else
        bits[length / 64] = ~uint64_t{0};
}

// First position at or after `i` whose bit equals `wanted`.
size_t nextWithBit(const std::vector<uint64_t>& bits, size_t i, bool wanted) {
    size_t word = i / 64;
    uint64_t current = wanted ? bits[word] : ~bits[word];
    current &= ~uint64_t{0} << (i % 64);
    while (current == 0) {
        ++word;
        if (word >= bits.size())
            return bits.size() * 64;
        current = wanted ? bits[word] : ~bits[word];
    }
    return word * 64 + static_cast<size_t>(std::countr_zero(current));
}

} // namespace

bool lineYieldsNoWords(std::string_view line) {
    const char* data = line.data();
    const char* end = data + line.size();
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '<', end - p))); ++p) {
        const size_t at = static_cast<size_t>(p - data) + 1;
        if (matchesFoldedAt(line, at, "title>") || matchesFoldedAt(line, at, "!--") ||
            matchesFoldedAt(line, at, "meta name="))
            return true;
    }
    return false;
}

WordCounts::WordCounts(NoiseFilter filter) : filter_(std::move(filter)), table_(4096, 0) {}

namespace {
constexpr uint64_t slotValue(uint64_t hash, uint32_t id) {
    return (hash & ~0xFFFFFFFFull) | (id + 1ull);
}
constexpr uint32_t idOf(uint64_t slot) {
    return static_cast<uint32_t>(slot) - 1;
}
} // namespace

void WordCounts::grow() {
    std::vector<uint64_t> bigger(table_.size() * 2, 0);
    const size_t mask = bigger.size() - 1;
    for (uint64_t value : table_) {
        if (value == 0)
            continue;
        const uint32_t id = idOf(value);
        // The slot keeps only the upper half of the hash: rehash the word itself.
        const WordInfo& w = words_[id];
        uint64_t hash = w.length;
        for (size_t k = 0; k < (w.length + 7) / 8; ++k)
            hash = mix(hash, chunks_[w.chunk + k]);
        size_t slot = hash & mask;
        while (bigger[slot] != 0)
            slot = (slot + 1) & mask;
        bigger[slot] = value;
    }
    table_.swap(bigger);
}

void WordCounts::addWord(const uint64_t* folded, size_t length, size_t characters) {
    if (characters < 3)
        return;
    const size_t chunkCount = (length + 7) / 8;
    uint64_t hash = length;
    for (size_t k = 0; k < chunkCount; ++k)
        hash = mix(hash, folded[k]);
    const uint64_t tag = hash & ~0xFFFFFFFFull;
    size_t mask = table_.size() - 1;
    size_t slot = hash & mask;
    for (;;) {
        const uint64_t value = table_[slot];
        if (value == 0)
            break;
        if ((value & ~0xFFFFFFFFull) == tag) {
            const uint32_t id = idOf(value);
            WordInfo& w = words_[id];
            if (w.length == length && sameChunks(folded, chunks_.data() + w.chunk, chunkCount)) {
                if (!w.noise) {
                    ++w.count;
                    occurrences_.push_back(id);
                }
                return;
            }
        }
        slot = (slot + 1) & mask;
    }
    if ((words_.size() + 1) * 2 > table_.size()) {
        grow();
        mask = table_.size() - 1;
        slot = hash & mask;
        while (table_[slot] != 0)
            slot = (slot + 1) & mask;
    }
    const auto id = static_cast<uint32_t>(words_.size());
    table_[slot] = slotValue(hash, id);
    WordInfo w;
    w.chunk = static_cast<uint32_t>(chunks_.size());
    w.length = static_cast<uint32_t>(length);
    chunks_.insert(chunks_.end(), folded, folded + chunkCount);
    w.noise = filter_.contains(
        std::string_view(reinterpret_cast<const char*>(chunks_.data() + w.chunk), length));
    w.count = w.noise ? 0 : 1;
    words_.push_back(w);
    if (!w.noise)
        occurrences_.push_back(id);
}

void WordCounts::addToken(const unsigned char* bytes, size_t length) {
    // Control characters are trimmed from the ends of a word (rare, so checked once).
    while (length > 0 && bytes[0] < 32) {
        ++bytes;
        --length;
    }
    while (length > 0 && bytes[length - 1] < 32)
        --length;
    if (length == 0)
        return;
    const size_t chunkCount = (length + 7) / 8;
    wordChunks_.resize(chunkCount);
    size_t continuation = 0;
    for (size_t k = 0; k < chunkCount; ++k) {
        uint64_t chunk;
        std::memcpy(&chunk, bytes + 8 * k, 8);
        if (k + 1 == chunkCount && length % 8)
            chunk &= ~uint64_t{0} >> (64 - 8 * (length % 8));
        chunk = foldChunk(chunk);
        // Most words are ASCII: count sequence bytes only where a high bit is set.
        if (chunk & kHighBits)
            continuation += countHighBits(continuationBytes(chunk));
        wordChunks_[k] = chunk;
    }
    addWord(wordChunks_.data(), length, length - continuation);
}

void WordCounts::addLine(std::string_view line) {
    if (lineYieldsNoWords(line))
        return;
    const size_t n = line.size();
    if (padded_.size() < n + kPadding)
        padded_.resize(n + kPadding);
    std::memcpy(padded_.data(), line.data(), n);
    std::memset(padded_.data() + n, 0, kPadding);
    markBreakers(padded_.data(), n, breakers_);
    size_t i = 0;
    while (true) {
        const size_t start = nextWithBit(breakers_, i, false);
        if (start >= n)
            break;
        const size_t end = nextWithBit(breakers_, start, true);
        addToken(padded_.data() + start, end - start);
        i = end;
    }
}

void WordCounts::addLines(const std::vector<std::string>& lines,
                          const std::function<void(size_t)>& progress) {
    constexpr size_t kProgressEvery = 256;
    size_t bytes = 0;
    for (const auto& line : lines)
        bytes += line.size();
    // About one word in every eight bytes of an ordinary page.
    occurrences_.reserve(occurrences_.size() + bytes / 8);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (progress && i % kProgressEvery == 0)
            progress(i);
        addLine(lines[i]);
    }
    if (progress)
        progress(lines.size());
}

std::vector<std::string> WordCounts::keywords(int sensitivity) const {
    const uint32_t threshold = static_cast<uint32_t>(sensitivity < 1 ? 1 : sensitivity);
    KeywordSet result;
    for (uint32_t id = 0; id < words_.size(); ++id) {
        const WordInfo& w = words_[id];
        if (!w.noise && w.count >= threshold)
            result.add(word(id));
    }
    return result.sorted();
}

} // namespace lumora::keywords
