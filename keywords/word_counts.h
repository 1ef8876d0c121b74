#pragma once
// The scanner's reading and counting passes in one linear sweep: every line is cut
// into lower-case words, short and noise words are dropped, and each accepted
// word's occurrences are counted in a hash table instead of by pairwise comparison.

#include "keywords/noise_filter.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::keywords {

// The characters that become blanks before words are cut (the digits included).
inline constexpr std::string_view kSeparators = ".~<>=/-,;:()!\"#$%&'&0123456789";

// Whether the scanner skips the whole line: it holds a title tag, the start of a
// comment or a named meta tag (ignoring case).
bool lineYieldsNoWords(std::string_view line);

class WordCounts {
public:
    explicit WordCounts(NoiseFilter filter);

    // Adds the accepted words of one line, in order.
    void addLine(std::string_view line);

    // Adds every line; `progress` (if set) is told how many lines are done every few
    // hundred lines, so a caller can keep its window alive without per-line cost.
    void addLines(const std::vector<std::string>& lines,
                  const std::function<void(size_t linesDone)>& progress = {});

    // Every accepted occurrence in document order, repeats included.
    size_t occurrenceCount() const { return occurrences_.size(); }
    std::string_view occurrence(size_t index) const { return word(occurrences_[index]); }

    // The keywords for sensitivity S: each distinct word occurring at least max(S, 1)
    // times, once each; words equal ignoring case keep the form seen first; sorted
    // ascending ignoring case.
    std::vector<std::string> keywords(int sensitivity) const;

private:
    // Words are kept as zero-padded 8-byte chunks so that comparing and hashing
    // work a chunk at a time. A table slot holds part of the hash, the length and the
    // word id + 1, and the word's first two chunks: a word of up to sixteen bytes
    // (nearly all of them) is recognised from its slot alone.
    struct Slot {
        uint64_t key = 0; // 0: empty
        uint64_t first = 0;
        uint64_t second = 0;
    };
    struct WordInfo {
        uint32_t chunk = 0; // first chunk in chunks_
        uint32_t length = 0;
        uint32_t count = 0;
        bool noise = false;
    };

    std::string_view word(uint32_t id) const {
        const WordInfo& w = words_[id];
        return {reinterpret_cast<const char*>(chunks_.data() + w.chunk), w.length};
    }
    void addWord(const uint64_t* folded, size_t length, size_t characters);
    // An ASCII word of 3 to 16 bytes, folded and zero-padded in two chunks.
    void addShortWord(const uint64_t (&folded)[2], size_t length);
    void insertWord(size_t slot, uint64_t key, const uint64_t* folded, size_t length);
    void countHit(uint64_t key);
    void addToken(const unsigned char* bytes, size_t length);
    void grow();

    NoiseFilter filter_;
    std::vector<Slot> table_;
    std::vector<WordInfo> words_;
    std::vector<uint64_t> chunks_;
    std::vector<uint32_t> occurrences_;
    std::vector<unsigned char> padded_; // the current line with zero padding
    std::vector<uint64_t> breakers_;    // bit per byte of the current line
    std::vector<uint64_t> wordChunks_;  // the current word, folded
};

} // namespace lumora::keywords
