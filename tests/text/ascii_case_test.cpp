#include "text/ascii_case.h"

#include <gtest/gtest.h>

using namespace lumora::text;

TEST(FoldedText, FoldedSearch) {
    EXPECT_EQ(findFolded("<TITLE>x</Title>", "</title>"), 8u);
    EXPECT_EQ(findFolded("abcabc", "bc", 2), 4u);
    EXPECT_EQ(findFolded("ab", "abc"), std::string_view::npos);
    EXPECT_TRUE(containsFolded("<META NAME=", "<meta name="));
    EXPECT_FALSE(containsFolded("<meta", "<meta name="));
}

TEST(FoldedText, TrimRemovesControlsAndBlanksOnly) {
    EXPECT_EQ(trimControls(" \t\x01word\x1f \r"), "word");
    EXPECT_EQ(trimControls("a b"), "a b");
    EXPECT_EQ(trimControls("\t "), "");
}
