#include "tags/keyword_tag_check.h"
#include "tags/keyword_tag_forms.h"

#include <gtest/gtest.h>

#include <string>

using namespace lumora::tags;
using lumora::text::Lines;

TEST(KeywordTagCheck, EveryFormIsFoundAndSelectedForItsLength) {
    for (const std::string_view form : kKeywordTagForms) {
        const Lines page{"<html>", "<head>", "<" + std::string(form) + "\" content=\"a\">"};
        const auto hit = findKeywordTag(page);
        ASSERT_TRUE(hit) << form;
        EXPECT_EQ(*hit, (KeywordTagHit{17, form.size(), 2, 1})) << form;
    }
    EXPECT_EQ(findKeywordTag({"<meta name=\"keywords\">"})->length, 19u);
}

TEST(KeywordTagCheck, FormsNotInTheListAreNoKeywordTag) {
    for (const char* line : {"<meta name =keywords content=x>", "<meta name=\"description\">",
                             "<meta  name=keywords>", "meta name=key words"})
        EXPECT_FALSE(findKeywordTag({"<head>", line})) << line;
    EXPECT_FALSE(findKeywordTag({}));
}

TEST(KeywordTagCheck, SearchIgnoresCaseAndTheFirstFormInListOrderWins) {
    const Lines page{"<META NAME = KEYWORDS content=x>", "<Meta Name=\"Keywords\" content=y>"};
    const auto hit = findKeywordTag(page);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->line, 1u);
    EXPECT_EQ(hit->offset, 32u + 2u + 1u);
    EXPECT_EQ(hit->length, 19u);
}

// The search used to begin at the page's second character, missing a tag at the first.
TEST(KeywordTagCheck, TagAtTheFirstCharacterIsFoundRegression) {
    const auto hit = findKeywordTag({"meta name = keywords content=x"});
    ASSERT_TRUE(hit);
    EXPECT_EQ(*hit, (KeywordTagHit{0, 20, 0, 0}));
}

TEST(KeywordTagCheck, OffsetsCountCharactersNotBytes) {
    const auto hit = findKeywordTag({"<!-- caf\xC3\xA9 -->", "\xE2\x82\xAC <meta name=keywords>"});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->column, 3u);
    EXPECT_EQ(hit->offset, 13u + 2u + 3u);
}
