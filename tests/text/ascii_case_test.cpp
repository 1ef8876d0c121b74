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
    // Lines long enough to be searched sixteen positions at a time, near misses before
    // the match, bytes above 127, and bytes that only look alike once bit 5 is set
    // (control characters for '<' and '>', '@' for '`', '[' for '{', 0xC3 for 0xE3).
    const std::string_view lines[] = {
        "<META NAME=\"Keywords\" content=\"a\"><meta name=\"keywords\">",
        "meta name meta  name=\"keywords META NAME=\"KEYWORDS",
        "<title>x</TITLE><Title>\xC3\x89t\xC3\xA9</title>",
        "-clear lines- -CLEAR LINES- -clear",
        "abcabcABCab",
        "\x1ctitle\x1e <title\x1e \x1c/title> @[ `{ \xc3\xa9 \xe3\xa9</title>x",
        "",
    };
    const std::string_view patterns[] = {
        "meta name=\"keywords",
        "<title>",
        "</title>",
        "-clear lines-",
        "bca",
        "abc",
        "\xc3\xa9</",
        "\"",
        "s",
        "`{",
        "\xe3\xa9<",
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
