#include "editor/logic/find_in_doc.h"

#include <gtest/gtest.h>

using namespace lumora::editor;

TEST(FindInDoc, RepeatingMovesToTheNextOccurrenceThenStartsAtTheTop) {
    const Lines page{"Web pages", "and webs"};
    FindInDocOutcome outcome = findInDoc(page, {3, 0}, "web");
    EXPECT_TRUE(outcome.found);
    EXPECT_EQ(outcome.selection, (Selection{15, 3}));

    outcome = findInDoc(page, outcome.selection, "web");
    EXPECT_FALSE(outcome.found);
    EXPECT_EQ(outcome.message, "web not found. Starting at top of doc. Click find again.");
    EXPECT_EQ(outcome.selection, (Selection{0, 0}));

    outcome = findInDoc(page, outcome.selection, "web");
    EXPECT_EQ(outcome.selection, (Selection{0, 3}));
    outcome = findInDoc(page, outcome.selection, "web");
    EXPECT_EQ(outcome.selection, (Selection{15, 3}));
}

// After "Starting at top of doc" an occurrence at the very first character used to be
// skipped, because the search always began one character past the caret.
TEST(FindInDoc, FindsAnOccurrenceAtTheFirstCharacterRegression) {
    EXPECT_EQ(findInDoc({"seo tips"}, {0, 0}, "seo").selection, (Selection{0, 3}));
}

TEST(FindInDoc, SearchStartsOneCharacterPastTheCaret) {
    EXPECT_EQ(findInDoc({"seo seo"}, {4, 0}, "seo").found, false);
    EXPECT_EQ(findInDoc({"seo seo"}, {3, 0}, "seo").selection, (Selection{4, 3}));
}

TEST(FindInDoc, KeywordIsTakenAsItIs) {
    // The page is lower-cased, the keyword is not: capitals never match.
    EXPECT_FALSE(findInDoc({"SEO"}, {}, "SEO").found);
    EXPECT_TRUE(findInDoc({"SEO"}, {}, "seo").found);
    EXPECT_EQ(findInDoc({"\xC3\xA9t\xC3\xA9 seo"}, {}, "seo").selection, (Selection{4, 3}));
}

TEST(FindInDoc, CurrentKeywordIsTheFocusedItemOrTheFirst) {
    const std::vector<std::string> items{"alpha", "Beta"};
    EXPECT_EQ(currentKeyword(items, -1), "alpha");
    EXPECT_EQ(currentKeyword(items, 1), "Beta");
    EXPECT_FALSE(currentKeyword({}, -1));
    EXPECT_FALSE(currentKeyword(items, 2));
}
