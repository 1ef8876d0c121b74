#include "word_counts.h"

#include "keywords/keyword_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <type_traits>

namespace lumora::keywords {

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;
// Lines are gathered until about this many bytes (or the next progress report), so
// that the per-line work is only copying.
constexpr size_t kBatchBytes = 16 * 1024;
constexpr size_t kProgressEvery = 256;
constexpr size_t kInitialSlots = 4096;
constexpr uint64_t kFirstFactor = 0x9E3779B97F4A7C15ull;
constexpr uint64_t kSecondFactor = 0xC2B2AE3D27D4EB4Full;
// The second chunk in the slot of a word longer than sixteen bytes: all bytes 0xFF,
// which no plain ASCII word has. So a plain word of up to sixteen bytes is matched by
// its two chunks alone (they also fix its length: its last byte is never zero).
constexpr uint64_t kLongWord = ~uint64_t{0};

// Bytes that continue a UTF-8 sequence (10xxxxxx), one high bit each.
inline uint64_t continuationBytes(uint64_t x) {
    return x & ~(x << 1) & kHighBits;
}

// Number of set high bits (one per byte at most), without a popcount instruction.
inline size_t countHighBits(uint64_t highBits) {
    return static_cast<size_t>(((highBits >> 7) * kOnes) >> 56);
}

// The bytes of a word of `length` bytes in its first two chunks, by length up to 16.
struct ChunkMasks {
    uint64_t first;
    uint64_t second;
};
constexpr auto makeChunkMasks() {
    std::array<ChunkMasks, 17> masks{};
    for (size_t length = 0; length <= 16; ++length) {
        const auto bytes = [](size_t n) {
            return n >= 8 ? ~uint64_t{0} : (uint64_t{1} << 8 * n) - 1;
        };
        masks[length] = {bytes(length), bytes(length > 8 ? length - 8 : 0)};
    }
    return masks;
}
constexpr auto kChunkMasks = makeChunkMasks();

// Words of up to sixteen bytes hash from their two chunks alone (the zero padding
// and a last byte that is never zero make the length follow from them); longer ones
// mix in the rest. The slot is taken from the upper bits.
inline uint64_t hashShort(uint64_t first, uint64_t second) {
    return (first * kFirstFactor) ^ (second * kSecondFactor);
}
inline uint64_t hashWord(const uint64_t* chunks, size_t length) {
    uint64_t hash = hashShort(chunks[0], length > 8 ? chunks[1] : 0);
    for (size_t k = 2; k < (length + 7) / 8; ++k)
        hash = ((hash ^ chunks[k]) * kFirstFactor) ^ (hash >> 29);
    return hash;
}

inline bool sameChunks(const uint64_t* a, const uint64_t* b, size_t count) {
    for (size_t k = 0; k < count; ++k)
        if (a[k] != b[k])
            return false;
    return true;
}

// First position at or after `i` whose bit is set (the breaker bits always end in a
// set bit).
size_t nextBreaker(const std::vector<uint64_t>& bits, size_t i) {
    size_t word = i / 64;
    uint64_t current = bits[word] & (~uint64_t{0} << (i % 64));
    while (current == 0)
        current = bits[++word];
    return word * 64 + static_cast<size_t>(std::countr_zero(current));
}

// The position of the lowest set bit (64 for none), as an unsigned size.
inline size_t lowestBit(uint64_t bits) {
    return static_cast<unsigned>(std::countr_zero(bits));
}

// The 64 bits of `bits` from bit `i` on.
inline uint64_t bitsFrom(const uint64_t* bits, size_t i) {
    const size_t word = i / 64;
    const unsigned shift = i % 64;
    // The second term brings in the next block's bits; shifted twice so that a
    // shift by 64 never happens.
    return (bits[word] >> shift) | ((bits[word + 1] << 1) << (63 - shift));
}

} // namespace

WordCounts::WordCounts(NoiseFilter filter)
    : filter_(std::move(filter)), table_(kInitialSlots),
      tableShift_(64 - static_cast<unsigned>(std::countr_zero(kInitialSlots))) {
    // Id 0 stands for tokens that hold no word at all (only control characters).
    words_.emplace_back();
    counts_.push_back(0);
}

void WordCounts::grow() {
    std::vector<Slot> bigger(table_.size() * 2);
    --tableShift_;
    const size_t mask = bigger.size() - 1;
    for (const Slot& value : table_) {
        if (value.length == 0)
            continue;
        const WordInfo& w = words_[value.entry / 2];
        size_t slot = hashWord(chunks_.data() + w.chunk, w.length) >> tableShift_;
        while (bigger[slot].length != 0)
            slot = (slot + 1) & mask;
        bigger[slot] = value;
    }
    table_.swap(bigger);
}

uint32_t WordCounts::insertWord(size_t slot, const uint64_t* folded, size_t length,
                                size_t characters) {
    if ((words_.size() + 1) * 2 > table_.size()) {
        grow();
        const size_t mask = table_.size() - 1;
        slot = hashWord(folded, length) >> tableShift_;
        while (table_[slot].length != 0)
            slot = (slot + 1) & mask;
    }
    const auto id = static_cast<uint32_t>(words_.size());
    WordInfo w;
    w.chunk = static_cast<uint32_t>(chunks_.size());
    w.length = static_cast<uint32_t>(length);
    chunks_.insert(chunks_.end(), folded, folded + (length + 7) / 8);
    words_.push_back(w);
    words_.back().accepted = characters >= 3 && !filter_.contains(word(id));
    counts_.push_back(0);
    const uint32_t entry = id * 2 + (words_.back().accepted ? 1 : 0);
    table_[slot] = Slot{folded[0],
                        length > 16  ? kLongWord
                        : length > 8 ? folded[1]
                                     : 0,
                        static_cast<uint32_t>(length), entry};
    return entry;
}

uint32_t WordCounts::shortEntry(uint64_t first, uint64_t second, size_t length, size_t characters) {
    const size_t mask = table_.size() - 1;
    for (size_t slot = hashShort(first, second) >> tableShift_;; slot = (slot + 1) & mask) {
        const Slot& value = table_[slot];
        if (((value.first ^ first) | (value.second ^ second) | (value.length ^ length)) == 0)
            return value.entry;
        if (value.length == 0) {
            const uint64_t folded[2] = {first, second};
            return insertWord(slot, folded, length, characters);
        }
    }
}

uint32_t WordCounts::longEntry(const uint64_t* folded, size_t length, size_t characters) {
    const size_t mask = table_.size() - 1;
    const size_t chunkCount = (length + 7) / 8;
    for (size_t slot = hashWord(folded, length) >> tableShift_;; slot = (slot + 1) & mask) {
        const Slot& value = table_[slot];
        if (value.length == length && value.first == folded[0] &&
            sameChunks(folded + 1, chunks_.data() + words_[value.entry / 2].chunk + 1,
                       chunkCount - 1))
            return value.entry;
        if (value.length == 0)
            return insertWord(slot, folded, length, characters);
    }
}

// A token the fast path leaves alone: longer than sixteen bytes, with bytes above
// 127, or with control characters at an end (trimmed here).
uint32_t WordCounts::rareEntry(size_t start) {
    const unsigned char* bytes = batch_.data() + start;
    size_t length = nextBreaker(marks_.breakers, start) - start;
    while (length > 0 && bytes[0] < 32) {
        ++bytes;
        --length;
    }
    while (length > 0 && bytes[length - 1] < 32)
        --length;
    if (length == 0)
        return 0;
    // Two chunks at least, so that a short word's second chunk is there (zero).
    const size_t chunkCount = (length + 7) / 8;
    wordChunks_.assign(std::max<size_t>(chunkCount, 2), 0);
    size_t continuation = 0;
    for (size_t k = 0; k < chunkCount; ++k) {
        uint64_t chunk;
        std::memcpy(&chunk, bytes + 8 * k, 8);
        if (k + 1 == chunkCount && length % 8)
            chunk &= ~uint64_t{0} >> (64 - 8 * (length % 8));
        continuation += countHighBits(continuationBytes(chunk));
        wordChunks_[k] = chunk;
    }
    const size_t characters = length - continuation;
    if (length <= 16)
        return shortEntry(wordChunks_[0], wordChunks_[1], length, characters);
    return longEntry(wordChunks_.data(), length, characters);
}

void WordCounts::countBatch() {
    const size_t length = batchLength_;
    if (length == 0)
        return;
    // Blanks to whole blocks plus one: every word ends inside the batch, and a
    // word's first sixteen bytes can be read without a bounds check.
    const size_t blocks = length / 64 + 2;
    std::memset(batch_.data() + length, ' ', blocks * 64 - length);
    markBlocks(batch_.data(), blocks, marks_);
    blankSkippedLines();
    // A word takes two bytes at least, with its breaker: at most that many new
    // occurrences and new words.
    const size_t mostTokens = length / 2 + 1;
    occurrences_.reserve(mostTokens, words_.size() + mostTokens);
    if (occurrences_.wide())
        occurrences_.setEnd(countTokens(occurrences_.end<uint32_t>()));
    else
        occurrences_.setEnd(countTokens(occurrences_.end<uint16_t>()));
    batchLength_ = 0;
    lineStarts_.clear();
}

// The lines that yield no words become blanks. Found from the '<' marks of the whole
// batch: most of them fail at the letter after it, without a look for their line.
void WordCounts::blankSkippedLines() {
    const size_t length = batchLength_;
    for (size_t block = 0; block * 64 < length; ++block) {
        for (uint64_t opens = marks_.opens[block]; opens != 0; opens &= opens - 1) {
            const size_t at = block * 64 + lowestBit(opens);
            const unsigned char next = batch_[at + 1];
            if (next != 't' && next != '!' && next != 'm')
                continue;
            const size_t line =
                static_cast<size_t>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), at) -
                                    lineStarts_.begin() - 1);
            const size_t lineStart = lineStarts_[line];
            // Each line is followed by its blank.
            const size_t lineEnd =
                (line + 1 < lineStarts_.size() ? lineStarts_[line + 1] : length) - 1;
            const auto* text = reinterpret_cast<const char*>(batch_.data());
            if (!opensSkippedLine({text + at + 1, lineEnd - at - 1}))
                continue;
            std::memset(batch_.data() + lineStart, ' ', lineEnd - lineStart);
            for (size_t i = lineStart; i < lineEnd; ++i) {
                const uint64_t bit = uint64_t{1} << (i % 64);
                marks_.breakers[i / 64] |= bit;
                marks_.unusual[i / 64] &= ~bit;
            }
        }
    }
}

// Looks up every token of the prepared batch and writes the occurrences to `out`;
// returns the end of them.
template <typename Id> Id* WordCounts::countTokens(Id* out) {
    const size_t length = batchLength_;
    const uint64_t* breakers = marks_.breakers.data();
    const uint64_t* unusual = marks_.unusual.data();
    const unsigned char* text = batch_.data();
    // The table as seen by the hit path, taken again after any call that may add a
    // word (and so grow the table or the counts).
    const Slot* table = nullptr;
    unsigned shift = 0;
    uint32_t* counts = nullptr;
    const auto reload = [&] {
        table = table_.data();
        shift = tableShift_;
        counts = counts_.data();
    };
    reload();
    bool afterBreaker = true; // the byte before the block
    for (size_t block = 0; block * 64 < length; ++block) {
        const uint64_t breaks = breakers[block];
        const uint64_t follows = (breaks << 1) | uint64_t{afterBreaker};
        // A word starts at a non-breaker after a breaker and ends before a breaker
        // after a non-breaker. Starts and ends pair up in order, once the end of a
        // word from the block before is dropped; the block's last word may end in
        // the next block (a word past that is long, so taken aside anyway).
        uint64_t starts = ~breaks & follows;
        uint64_t ends = breaks & ~follows;
        if (!afterBreaker)
            ends &= ends - 1;
        afterBreaker = breaks >> 63;
        const size_t endInNext = 64 + lowestBit(breakers[block + 1]);
        // A word of this block that the fast path takes ends in the next block at
        // the latest: with no unusual byte in either (nearly always), no word needs
        // the check.
        const bool plain = (unusual[block] | unusual[block + 1]) == 0;
        for (; starts != 0; starts &= starts - 1, ends &= ends - 1) {
            const size_t offset = lowestBit(starts);
            const size_t end = ends != 0 ? lowestBit(ends) : endInNext;
            const size_t run = end - offset;
            const size_t start = block * 64 + offset;
            // Nearly every word is plain ASCII of sixteen bytes at most: one branch
            // sends the others aside.
            const bool rare =
                run > 16 ||
                (!plain && (bitsFrom(unusual, start) & ((uint64_t{1} << run) - 1)) != 0);
            uint32_t entry;
            if (rare) {
                entry = rareEntry(start);
                reload();
            } else {
                uint64_t first;
                uint64_t second;
                std::memcpy(&first, text + start, 8);
                std::memcpy(&second, text + start + 8, 8);
                first &= kChunkMasks[run].first;
                second &= kChunkMasks[run].second;
                // Nearly always found in its first slot, told by the two chunks alone
                // (see kLongWord); otherwise the full search.
                const Slot& home = table[hashShort(first, second) >> shift];
                if (((home.first ^ first) | (home.second ^ second)) == 0) {
                    entry = home.entry;
                } else {
                    entry = shortEntry(first, second, run, run);
                    reload();
                }
            }
            // Every token is counted; only accepted words advance the occurrences.
            ++counts[entry / 2];
            *out = static_cast<Id>(entry / 2);
            out += entry & 1;
        }
    }
    return out;
}

void WordCounts::appendLine(std::string_view line) {
    // Lines that yield no words are found later, for the whole batch at once.
    lineStarts_.push_back(batchLength_);
    // Room for the line, its blank and the padding of whole blocks after it.
    const size_t needed = batchLength_ + line.size() + 1 + 128;
    if (batch_.size() < needed)
        batch_.resize(std::max(needed, 2 * batch_.size()));
    std::memcpy(batch_.data() + batchLength_, line.data(), line.size());
    batchLength_ += line.size();
    batch_[batchLength_++] = ' ';
}

void WordCounts::addLine(std::string_view line) {
    appendLine(line);
    countBatch();
}

void WordCounts::addLines(const std::vector<std::string>& lines,
                          const std::function<void(size_t)>& progress) {
    size_t bytes = 0;
    for (const auto& line : lines)
        bytes += line.size();
    if (bytes >= splitFrom_ && lines.size() >= 2 && std::thread::hardware_concurrency() >= 2) {
        addLinesInTwo(lines, bytes, progress);
        return;
    }
    // About one occurrence in every twelve bytes of an ordinary page: reserved at
    // once rather than grown by copying.
    occurrences_.reserve(bytes / 12 + kBatchBytes, words_.size());
    addLineRange(
        0, lines.size(), [&](size_t i) { return std::string_view(lines[i]); }, progress,
        lines.size());
    if (progress)
        progress(lines.size());
}

// Lines [from, to) in batches, `lineAt(i)` giving line i; progress is told the share
// of `reportedTotal` lines that the lines done stand for.
template <typename LineAt>
void WordCounts::addLineRange(size_t from, size_t to, const LineAt& lineAt,
                              const std::function<void(size_t)>& progress, size_t reportedTotal) {
    for (size_t i = from; i < to; ++i) {
        if (progress && (i - from) % kProgressEvery == 0) {
            countBatch();
            progress((i - from) * reportedTotal / std::max<size_t>(to - from, 1));
        }
        appendLine(lineAt(i));
        if (batchLength_ >= kBatchBytes)
            countBatch();
    }
    countBatch();
}

// The page in two halves at once: this object counts the first while a second one
// counts the rest. With progress reports the rest is copied first, so that the worker
// never reads the caller's lines: they may change while the window handles events at
// a report. Without reports nothing runs in between, and the copy is saved.
void WordCounts::addLinesInTwo(const std::vector<std::string>& lines, size_t bytes,
                               const std::function<void(size_t)>& progress) {
    size_t split = 0;
    for (size_t firstBytes = 0; split + 1 < lines.size() && firstBytes < bytes / 2; ++split)
        firstBytes += lines[split].size();
    // The copy is one block of text with the ends of its lines.
    std::string copied;
    std::vector<size_t> copiedEnds{0};
    if (progress) {
        copied.reserve(bytes);
        copiedEnds.reserve(lines.size() - split + 1);
        for (size_t i = split; i < lines.size(); ++i) {
            copied += lines[i];
            copiedEnds.push_back(copied.size());
        }
    }
    WordCounts later(filter_);
    const auto countLater = [&] {
        later.occurrences_.reserve(bytes / 24 + kBatchBytes, 0);
        if (progress)
            later.addLineRange(
                0, copiedEnds.size() - 1,
                [&](size_t i) {
                    return std::string_view(copied).substr(copiedEnds[i],
                                                           copiedEnds[i + 1] - copiedEnds[i]);
                },
                {}, 0);
        else
            later.addLineRange(
                split, lines.size(), [&](size_t i) { return std::string_view(lines[i]); }, {}, 0);
    };
    std::exception_ptr laterFailure;
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                countLater();
            } catch (...) {
                laterFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: the second half is counted after the first.
        countLater();
    }
    try {
        occurrences_.reserve(bytes / 24 + kBatchBytes, words_.size());
        addLineRange(
            0, split, [&](size_t i) { return std::string_view(lines[i]); }, progress, lines.size());
    } catch (...) {
        if (worker.joinable())
            worker.join();
        throw;
    }
    if (worker.joinable())
        worker.join();
    if (laterFailure)
        std::rethrow_exception(laterFailure);
    absorb(later);
    if (progress)
        progress(lines.size());
}

// Joins the counts of the text after this object's: its words are looked up here in
// the order it first saw them, so the ids come out as one pass over both would give.
void WordCounts::absorb(const WordCounts& later) {
    std::vector<uint32_t> idHere(later.words_.size(), 0);
    counts_[0] += later.counts_[0];
    for (size_t id = 1; id < later.words_.size(); ++id) {
        const WordInfo& w = later.words_[id];
        const uint64_t* chunks = later.chunks_.data() + w.chunk;
        size_t continuation = 0;
        for (size_t k = 0; k < (w.length + 7) / 8; ++k)
            continuation += countHighBits(continuationBytes(chunks[k]));
        const size_t characters = w.length - continuation;
        const uint32_t entry = w.length <= 16 ? shortEntry(chunks[0], w.length > 8 ? chunks[1] : 0,
                                                           w.length, characters)
                                              : longEntry(chunks, w.length, characters);
        idHere[id] = entry / 2;
        counts_[entry / 2] += later.counts_[id];
    }
    const size_t count = later.occurrences_.size();
    occurrences_.reserve(count, words_.size());
    const auto copy = [&](auto* out) {
        for (size_t i = 0; i < count; ++i)
            *out++ =
                static_cast<std::remove_reference_t<decltype(*out)>>(idHere[later.occurrences_[i]]);
        occurrences_.setEnd(out);
    };
    if (occurrences_.wide())
        copy(occurrences_.end<uint32_t>());
    else
        copy(occurrences_.end<uint16_t>());
}

std::vector<std::string> WordCounts::keywords(int sensitivity) const {
    const uint32_t threshold = static_cast<uint32_t>(sensitivity < 1 ? 1 : sensitivity);
    KeywordSet result;
    for (uint32_t id = 0; id < words_.size(); ++id)
        if (words_[id].accepted && counts_[id] >= threshold)
            result.add(word(id));
    return result.sorted();
}

} // namespace lumora::keywords
