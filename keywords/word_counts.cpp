#include "word_counts.h"

#include "keywords/keyword_order.h"
#include "text/ascii_case.h"

#include <array>
#include <cstring>

namespace lumora::keywords {

namespace {

enum CharClass : uint8_t { WordChar, Breaker, Control };

// Blanks and separators end a word; other control characters stay inside a word
// and are only trimmed from its ends.
constexpr std::array<uint8_t, 256> makeClasses() {
    std::array<uint8_t, 256> classes{};
    for (int c = 0; c < 32; ++c)
        classes[c] = Control;
    classes[' '] = Breaker;
    for (char c : kSeparators)
        classes[static_cast<unsigned char>(c)] = Breaker;
    return classes;
}
constexpr auto kClasses = makeClasses();

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

uint64_t hashBytes(std::string_view s) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (char c : s) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h ^ (h >> 29);
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

WordCounts::WordCounts(NoiseFilter filter) : filter_(std::move(filter)), table_(1024) {}

void WordCounts::grow() {
    std::vector<Entry> bigger(table_.size() * 2);
    const size_t mask = bigger.size() - 1;
    for (const Entry& e : table_) {
        if (e.id == UINT32_MAX)
            continue;
        size_t slot = e.hash & mask;
        while (bigger[slot].id != UINT32_MAX)
            slot = (slot + 1) & mask;
        bigger[slot] = e;
        slotOfId_[e.id] = static_cast<uint32_t>(slot);
    }
    table_.swap(bigger);
}

void WordCounts::addWord(std::string_view folded, size_t characters) {
    if (characters < 3)
        return;
    const uint64_t hash = hashBytes(folded);
    size_t mask = table_.size() - 1;
    size_t slot = hash & mask;
    for (;;) {
        Entry& e = table_[slot];
        if (e.id == UINT32_MAX)
            break;
        if (e.hash == hash && e.length == folded.size() &&
            std::memcmp(arena_.data() + e.offset, folded.data(), folded.size()) == 0) {
            if (!e.noise) {
                ++e.count;
                occurrences_.push_back(e.id);
            }
            return;
        }
        slot = (slot + 1) & mask;
    }
    if ((distinct_ + 1) * 2 > table_.size()) {
        grow();
        mask = table_.size() - 1;
        slot = hash & mask;
        while (table_[slot].id != UINT32_MAX)
            slot = (slot + 1) & mask;
    }
    Entry& e = table_[slot];
    e.hash = hash;
    e.offset = static_cast<uint32_t>(arena_.size());
    e.length = static_cast<uint32_t>(folded.size());
    e.id = static_cast<uint32_t>(distinct_++);
    e.noise = filter_.contains(folded);
    e.count = e.noise ? 0 : 1;
    arena_.append(folded);
    slotOfId_.push_back(static_cast<uint32_t>(slot));
    if (!e.noise)
        occurrences_.push_back(e.id);
}

void WordCounts::addLine(std::string_view line) {
    if (lineYieldsNoWords(line))
        return;
    const auto* s = reinterpret_cast<const unsigned char*>(line.data());
    const size_t n = line.size();
    size_t i = 0;
    while (i < n) {
        while (i < n && kClasses[s[i]] != WordChar)
            ++i;
        if (i == n)
            break;
        const size_t start = i;
        while (i < n && kClasses[s[i]] != Breaker)
            ++i;
        size_t end = i;
        while (kClasses[s[end - 1]] == Control)
            --end;
        scratch_.resize(end - start);
        size_t characters = 0;
        for (size_t k = start; k < end; ++k) {
            scratch_[k - start] = kLower[s[k]];
            characters += (s[k] & 0xC0) != 0x80;
        }
        addWord(scratch_, characters);
    }
}

void WordCounts::addLines(const std::vector<std::string>& lines,
                          const std::function<void(size_t)>& progress) {
    constexpr size_t kProgressEvery = 256;
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
    for (uint32_t id = 0; id < distinct_; ++id) {
        const Entry& e = table_[slotOfId_[id]];
        if (!e.noise && e.count >= threshold)
            result.add(word(id));
    }
    return result.sorted();
}

} // namespace lumora::keywords
