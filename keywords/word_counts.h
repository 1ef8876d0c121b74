#pragma once
// The scanner's reading and counting passes in one linear sweep: every line is cut
// into lower-case words, short and noise words are dropped, and each accepted
// word's occurrences are counted in a hash table instead of by pairwise comparison.

#include "keywords/noise_filter.h"
#include "keywords/occurrence_list.h"
#include "keywords/word_breaks.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::keywords {

class WordCounts {
public:
    explicit WordCounts(NoiseFilter filter);

    // Adds the accepted words of one line, in order.
    void addLine(std::string_view line);

    // Adds every line; `progress` (if set) is told how many lines are done every few
    // hundred lines, so a caller can keep its window alive without per-line cost.
    void addLines(const std::vector<std::string>& lines,
                  const std::function<void(size_t linesDone)>& progress = {});

    // Pages of at least this many bytes are counted in two halves at once when the
    // machine has a second core, the second half's words then joined to the first's:
    // the result is the same either way. 256 KiB unless set.
    void setSplitFrom(size_t bytes) { splitFrom_ = bytes; }

    // Every accepted occurrence in document order, repeats included.
    size_t occurrenceCount() const { return occurrences_.size(); }
    std::string_view occurrence(size_t index) const { return word(occurrences_[index]); }

    // The keywords for sensitivity S: each distinct word occurring at least max(S, 1)
    // times, once each; words equal ignoring case keep the form seen first; sorted
    // ascending ignoring case.
    std::vector<std::string> keywords(int sensitivity) const;

    // Each distinct accepted word with its number of occurrences, in the order the
    // words were first met.
    template <typename Visit> void forEachAccepted(const Visit& visit) const {
        for (uint32_t id = 0; id < words_.size(); ++id)
            if (words_[id].accepted)
                visit(word(id), counts_[id]);
    }

private:
    // Lines are gathered into batches and cut into tokens from one bit per byte
    // (word_breaks.h). Words are kept as zero-padded 8-byte chunks with A-Z folded.
    // A table slot holds a word's first two chunks and its length, so a word of up
    // to sixteen bytes (nearly all of them) is recognised from its slot alone. Every
    // distinct token gets an id, short ones too: whether its occurrences count is
    // looked up with the id rather than decided by a branch per token.
    struct Slot {
        uint64_t first = 0;
        uint64_t second = 0;
        uint32_t length = 0; // 0: empty
        uint32_t entry = 0;  // id * 2, plus 1 when the word is accepted
    };
    struct WordInfo {
        uint32_t chunk = 0; // first chunk in chunks_
        uint32_t length = 0;
        bool accepted = false; // three characters or more, and not a noise word
    };

    std::string_view word(uint32_t id) const {
        const WordInfo& w = words_[id];
        return {reinterpret_cast<const char*>(chunks_.data() + w.chunk), w.length};
    }
    void appendLine(std::string_view line);
    template <typename LineAt>
    void addLineRange(size_t from, size_t to, const LineAt& lineAt,
                      const std::function<void(size_t)>& progress, size_t reportedTotal);
    void addLinesInTwo(const std::vector<std::string>& lines, size_t bytes,
                       const std::function<void(size_t)>& progress);
    void absorb(const WordCounts& later);
    void countBatch();
    void blankSkippedLines();
    uint32_t shortEntry(uint64_t first, uint64_t second, size_t length, size_t characters);
    uint32_t longEntry(const uint64_t* folded, size_t length, size_t characters);
    uint32_t rareEntry(size_t start);
    uint32_t insertWord(size_t slot, const uint64_t* folded, size_t length, size_t characters);
    void grow();
    template <typename Id> Id* countTokens(Id* out);

    NoiseFilter filter_;
    size_t splitFrom_ = 256 * 1024;
    std::vector<Slot> table_;
    unsigned tableShift_ = 0; // slot = hash >> tableShift_
    std::vector<WordInfo> words_;
    std::vector<uint32_t> counts_; // by id, dropped words too
    std::vector<uint64_t> chunks_;
    OccurrenceList occurrences_;
    std::vector<unsigned char> batch_; // lines, each followed by a blank
    size_t batchLength_ = 0;
    std::vector<size_t> lineStarts_;   // in batch_
    BlockMarks marks_;                 // of batch_
    std::vector<uint64_t> wordChunks_; // a rare word, folded
};

} // namespace lumora::keywords
