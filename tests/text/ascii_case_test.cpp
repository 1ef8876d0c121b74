#include "text/ascii_case.h"

#include "common/ascii_case.h"

#include <gtest/gtest.h>

using namespace lumora::text;

TEST(FoldedText, FoldedSearch) {
    EXPECT_EQ(findFolded("<TITLE>x</Title>", "</title>"), 8u);
    EXPECT_EQ(findFolded("abcabc", "bc", 2), 4u);
    EXPECT_EQ(findFolded("ab", "abc"), std::string_view::npos);
    EXPECT_TRUE(containsFolded("<META NAME=", "<meta name="));
    EXPECT_FALSE(containsFolded("<meta", "<meta name="));
}

TEST(FoldedText, FoldedSearchFindsWhatALoweredCopyFindsFromEveryStart) {
    // Patterns with and without a byte that has no other case (the fast path looks
    // for that byte), near misses before the match, and bytes above 127.
    const std::string_view lines[] = {
        "<META NAME=\"Keywords\" content=\"a\"><meta name=\"keywords\">",
        "meta name meta  name=\"keywords META NAME=\"KEYWORDS",
        "<title>x</TITLE><Title>\xC3\x89t\xC3\xA9</title>",
        "-clear lines- -CLEAR LINES- -clear",
        "abcabcABCab",
        "",
    };
    const std::string_view patterns[] = {
        "meta name=\"keywords", "<title>", "</title>", "-clear lines-", "bca", "abc",
        "\xc3\xa9</",           "\"",      "s",
    };
    for (const auto line : lines)
        for (const auto pattern : patterns)
            for (size_t from = 0; from <= line.size() + 1; ++from) {
                const std::string lowered = lumora::asciiLowered(line);
                const size_t expected =
                    from > line.size() ? std::string::npos : lowered.find(pattern, from);
                EXPECT_EQ(findFolded(line, pattern, from), expected)
                    << line << " / " << pattern << " from " << from;
            }
}

TEST(FoldedText, TrimRemovesControlsAndBlanksOnly) {
    EXPECT_EQ(trimControls(" \t\x01word\x1f \r"), "word");
    EXPECT_EQ(trimControls("a b"), "a b");
    EXPECT_EQ(trimControls("\t "), "");
}
