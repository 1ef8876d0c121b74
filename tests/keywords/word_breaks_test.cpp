#include "keywords/word_breaks.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using namespace lumora::keywords;

// Every byte value, in random order and neighbourhoods, marked as the scanner reads
// it one byte at a time.
TEST(WordBreaks, BlockMarksMatchTheBytes) {
    ASSERT_TRUE(blockPassAvailable(activeBlockPass()));
    std::mt19937 random(3);
    std::vector<unsigned char> bytes(64 * 40);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i < 256 ? i : random() % 256);
    // Tags that may skip a line, also across a block's end.
    const std::string tags = "<t<T<m<M<!<x<";
    for (size_t at : {300u, 64 * 10 - 3u, 64 * 20 - 1u})
        std::copy(tags.begin(), tags.end(), bytes.begin() + static_cast<long>(at));
    std::vector<unsigned char> marked = bytes;
    BlockMarks marks;
    markBlocks(marked.data(), bytes.size() / 64, marks);

    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = bytes[i];
        const auto bit = [&](const std::vector<uint64_t>& bits) {
            return (bits[i / 64] >> (i % 64)) & 1;
        };
        const bool breaker =
            c == ' ' || kSeparators.find(static_cast<char>(c)) != std::string_view::npos;
        EXPECT_EQ(bit(marks.breakers), breaker) << i;
        EXPECT_EQ(bit(marks.unusual), c < 32 || c >= 128) << i;
        const unsigned char lower = c >= 'A' && c <= 'Z' ? c + 32 : c;
        EXPECT_EQ(marked[i], lower) << i;
        if (i % 64 == 63) {
            // The next byte is in the next block: every '<' there is a candidate.
            EXPECT_EQ(bit(marks.opens), c == '<') << i;
        } else {
            const unsigned char next = marked[i + 1];
            EXPECT_EQ(bit(marks.opens), c == '<' && (next == 't' || next == 'm' || next == '!'))
                << i;
        }
    }
}

// Every pass this machine has gives the marks and the folding of the bytewise one.
TEST(WordBreaks, EveryBlockPassMarksAlike) {
    const BlockPass before = activeBlockPass();
    std::mt19937 random(11);
    std::vector<unsigned char> bytes(64 * 64);
    for (auto& c : bytes)
        c = static_cast<unsigned char>(random() % 4 ? random() % 128 : random() % 256);
    const auto mark = [&](BlockPass pass) {
        EXPECT_TRUE(forceBlockPass(pass));
        std::vector<unsigned char> marked = bytes;
        BlockMarks marks;
        markBlocks(marked.data(), bytes.size() / 64, marks);
        return std::make_tuple(marked, marks.breakers, marks.unusual, marks.opens);
    };
    const auto reference = mark(BlockPass::Bytewise);
    int compared = 0;
    for (BlockPass pass : {BlockPass::Lanes16, BlockPass::Lanes32}) {
        if (!blockPassAvailable(pass)) {
            EXPECT_FALSE(forceBlockPass(pass));
            continue;
        }
        EXPECT_EQ(mark(pass), reference) << static_cast<int>(pass);
        ++compared;
    }
    forceBlockPass(before);
#if defined(__SSE2__)
    EXPECT_GE(compared, 1);
#endif
}
