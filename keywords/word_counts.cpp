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

WordCounts::WordCounts(NoiseFilter filter) : filter_(std::move(filter)), table_(4096) {}

namespace {
// A slot's key: the upper 24 bits of the hash, the length (255 for any longer word)
// and the word id + 1.
constexpr uint64_t kTagMask = 0xFFFFFF0000000000ull;
constexpr uint64_t keyOf(uint64_t hash, size_t length) {
    return (hash & kTagMask) | (uint64_t{length < 255 ? length : 255} << 32);
}
// A noise word's slot says so, so that its repeats cost nothing more.
constexpr uint64_t kNoiseBit = uint64_t{1} << 31;
constexpr uint32_t idOf(uint64_t key) {
    return (static_cast<uint32_t>(key) & ~static_cast<uint32_t>(kNoiseBit)) - 1;
}
inline uint64_t hashOf(const uint64_t* chunks, size_t length) {
    uint64_t hash = length;
    for (size_t k = 0; k < (length + 7) / 8; ++k)
        hash = mix(hash, chunks[k]);
    return hash;
}
} // namespace

void WordCounts::grow() {
    std::vector<Slot> bigger(table_.size() * 2);
    const size_t mask = bigger.size() - 1;
    for (const Slot& value : table_) {
        if (value.key == 0)
            continue;
        // The slot keeps only part of the hash: rehash the word itself.
        const WordInfo& w = words_[idOf(value.key)];
        size_t slot = hashOf(chunks_.data() + w.chunk, w.length) & mask;
        while (bigger[slot].key != 0)
            slot = (slot + 1) & mask;
        bigger[slot] = value;
    }
    table_.swap(bigger);
}

inline void WordCounts::countHit(uint64_t key) {
    if (key & kNoiseBit)
        return;
    const uint32_t id = idOf(key);
    ++words_[id].count;
    occurrences_.push_back(id);
}

void WordCounts::insertWord(size_t slot, uint64_t key, const uint64_t* folded, size_t length) {
    if ((words_.size() + 1) * 2 > table_.size()) {
        grow();
        const size_t mask = table_.size() - 1;
        slot = hashOf(folded, length) & mask;
        while (table_[slot].key != 0)
            slot = (slot + 1) & mask;
    }
    const auto id = static_cast<uint32_t>(words_.size());
    WordInfo w;
    w.chunk = static_cast<uint32_t>(chunks_.size());
    w.length = static_cast<uint32_t>(length);
    chunks_.insert(chunks_.end(), folded, folded + (length + 7) / 8);
    w.noise = filter_.contains(
        std::string_view(reinterpret_cast<const char*>(chunks_.data() + w.chunk), length));
    table_[slot] =
        Slot{key | (id + 1ull) | (w.noise ? kNoiseBit : 0), folded[0], length > 8 ? folded[1] : 0};
    w.count = w.noise ? 0 : 1;
    words_.push_back(w);
    if (!w.noise)
        occurrences_.push_back(id);
}

void WordCounts::addShortWord(const uint64_t (&folded)[2], size_t length) {
    const uint64_t first = mix(length, folded[0]);
    const uint64_t hash = length > 8 ? mix(first, folded[1]) : first;
    const uint64_t key = keyOf(hash, length);
    const size_t mask = table_.size() - 1;
    size_t slot = hash & mask;
    for (;;) {
        const Slot& value = table_[slot];
        if (value.key == 0)
            break;
        // Length and all sixteen bytes match: the same word.
        if ((value.key & ~0xFFFFFFFFull) == key && value.first == folded[0] &&
            value.second == folded[1]) {
            countHit(value.key);
            return;
        }
        slot = (slot + 1) & mask;
    }
    insertWord(slot, key, folded, length);
}

void WordCounts::addWord(const uint64_t* folded, size_t length, size_t characters) {
    if (characters < 3)
        return;
    const uint64_t hash = hashOf(folded, length);
    const uint64_t key = keyOf(hash, length);
    const size_t chunkCount = (length + 7) / 8;
    const size_t mask = table_.size() - 1;
    size_t slot = hash & mask;
    for (;;) {
        const Slot& value = table_[slot];
        if (value.key == 0)
            break;
        if ((value.key & ~0xFFFFFFFFull) == key && value.first == folded[0] &&
            (length <= 8 || value.second == folded[1])) {
            const uint32_t id = idOf(value.key);
            const WordInfo& w = words_[id];
            if (w.length == length && sameChunks(folded, chunks_.data() + w.chunk, chunkCount)) {
                countHit(value.key);
                return;
            }
        }
        slot = (slot + 1) & mask;
    }
    insertWord(slot, key, folded, length);
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
        const size_t length = end - start;
        const unsigned char* token = padded_.data() + start;
        i = end;
        // Nearly all words are short and plain ASCII: two chunks at most, no
        // trimming, no sequences to count.
        if (length <= 16 && token[0] >= 32 && token[length - 1] >= 32) {
            uint64_t chunks[2];
            std::memcpy(chunks, token, 16);
            // The bytes past the word are cleared (length 8 clears the whole second).
            const unsigned shift = static_cast<unsigned>(128 - 8 * length);
            if (length <= 8) {
                chunks[0] &= ~uint64_t{0} >> (shift - 64);
                chunks[1] = 0;
            } else {
                chunks[1] &= ~uint64_t{0} >> shift;
            }
            chunks[0] = foldChunk(chunks[0]);
            chunks[1] = foldChunk(chunks[1]);
            if (!((chunks[0] | chunks[1]) & kHighBits)) {
                if (length >= 3)
                    addShortWord(chunks, length);
                continue;
            }
        }
        addToken(token, length);
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
