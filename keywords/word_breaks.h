#pragma once
// Byte-level steps of the word scan: which lines the scanner skips, and one bit per
// byte where a word ends, so that the counting loop can find its words without
// looking at every byte.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumora::keywords {

// The characters that become blanks before words are cut (the digits included).
inline constexpr std::string_view kSeparators = ".~<>=/-,;:()!\"#$%&'&0123456789";

// Whether the scanner skips the whole line: it holds a title tag, the start of a
// comment or a named meta tag (ignoring case).
bool lineYieldsNoWords(std::string_view line);

// Whether the text right after a '<' makes the scanner skip the line (ignoring case).
bool opensSkippedLine(std::string_view afterOpen);

// One bit per byte of a run of text, 64 bytes a block: bit i of element k stands for
// byte 64 * k + i.
struct BlockMarks {
    std::vector<uint64_t> breakers; // ends a word: a blank or a separator
    std::vector<uint64_t> unusual;  // a control character or part of a multi-byte one
    std::vector<uint64_t> opens;    // '<' before 't', 'm' or '!' (either case): may skip the line
};

// Marks bytes[0, 64 * blocks) and folds A-Z to a-z there in place.
void markBlocks(unsigned char* bytes, size_t blocks, BlockMarks& marks);

// The ways markBlocks can do its work; all give the same marks. The widest the
// processor has is chosen at run time.
enum class BlockPass { Bytewise, Lanes16, Lanes32 };

// Whether this build and this processor can run `pass`.
bool blockPassAvailable(BlockPass pass);

// The pass markBlocks uses now.
BlockPass activeBlockPass();

// Makes markBlocks use `pass` (nothing: back to the widest available), so that tests
// and benchmarks reach every pass whatever the machine prefers. Returns false, and
// changes nothing, when the pass is not available.
bool forceBlockPass(std::optional<BlockPass> pass);

} // namespace lumora::keywords
