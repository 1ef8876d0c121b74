#include "audit/search_snippet.h"

#include "text/page_lines.h"

#include <gtest/gtest.h>

namespace lumora::audit {
namespace {

struct SnippetCase {
    const char* name;
    std::string text;
    size_t room;
    std::string shown;
};

TEST(SearchSnippet, CutsAtAWordBoundaryWithDots) {
    const std::string sixty(60, 'a');
    const std::vector<SnippetCase> cases = {
        {"fits", "Roses and tulips", 60, "Roses and tulips"},
        {"exactly the room", sixty, 60, sixty},
        {"blanks run together", "  Roses\r\n\tand   tulips ", 60, "Roses and tulips"},
        {"cut before the word that does not fit", "Roses and tulips", 12, "Roses and..."},
        {"a gap right after the room keeps the last word", "Roses and tulips", 9, "Roses and..."},
        {"leading punctuation is dropped", "Roses, tulips and lilies", 10, "Roses..."},
        {"one long word is cut inside", sixty + "b", 60, sixty + "..."},
        // Characters, not bytes: eight two-byte letters fit a room of nine.
        {"counts characters", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 \xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 x",
         9, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 \xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9..."},
        {"never splits a character", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 3,
         "\xC3\xA9\xC3\xA9\xC3\xA9..."},
        {"empty", " \t ", 60, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchSnippet snippet = searchSnippet(c.text, c.room);
        EXPECT_EQ(snippet.shown, c.shown);
        EXPECT_EQ(snippet.cut, c.shown.ends_with("...") && !c.text.ends_with("..."));
        // What is kept before the dots always fits the room.
        const std::string kept =
            snippet.cut ? snippet.shown.substr(0, snippet.shown.size() - 3) : snippet.shown;
        EXPECT_LE(text::charCount(kept), c.room);
    }
}

} // namespace
} // namespace lumora::audit
