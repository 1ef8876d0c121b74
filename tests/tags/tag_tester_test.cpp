#include "tags/tag_tester.h"

#include <gtest/gtest.h>

using namespace lumora::tags;

namespace {
std::vector<std::string> texts(const TagTestReport& report) {
    std::vector<std::string> out;
    for (const auto& m : report.messages)
        out.push_back(m.text);
    return out;
}
const std::string kPassed =
    "YOU DOCUMENT PASSED!\rYour Title Tag, Description and Key Meta Tags appear OK.\rYou should "
    "not have any problems inserting Title and Meta Tags.";
} // namespace

TEST(TagTester, PageWithoutTagsPasses) {
    const auto report = testMetaTags({"<p>hello</p>"});
    EXPECT_TRUE(report.passed);
    EXPECT_EQ(texts(report), std::vector<std::string>{kPassed});
}

TEST(TagTester, EveryOpenTitleLineIsReportedWithItsIndex) {
    const auto report = testMetaTags({"<html>", "<TITLE>One", "</title>", "<title>Two"});
    EXPECT_FALSE(report.passed);
    ASSERT_EQ(report.messages.size(), 2u);
    EXPECT_EQ(report.messages[0].text,
              "You need to put your TITLE tags on one line only!\rSee line 1 The Tag is "
              "<title>one   ...Please fix.");
    EXPECT_TRUE(report.messages[0].problem);
    EXPECT_EQ(report.messages[1].text,
              "You need to put your TITLE tags on one line only!\rSee line 3 The Tag is "
              "<title>two   ...Please fix.");
}

TEST(TagTester, KeywordTagClosedOnTheNextLineIsReportedInLowerCase) {
    const auto report =
        testMetaTags({"<head>", "<META NAME=\"Keywords\" CONTENT=\"A, B", "\">", "</head>"});
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(texts(report),
              std::vector<std::string>{
                  "You need to put your KEYWORD tag on one line only!\rSee line 1 "
                  "The Tag is <meta name=\"keywords\" content=\"a, b   ...Please fix."});
}

TEST(TagTester, DescriptionClosedWithSpaceBeforeBracketIsAccepted) {
    EXPECT_TRUE(testMetaTags({"<meta name=\"description\" content=\"x\" >"}).passed);
    const auto open = testMetaTags({"<meta name=\"description\" content=\"x"});
    EXPECT_FALSE(open.passed);
    EXPECT_EQ(open.messages[0].text.substr(0, 54),
              "You need to put your DESCRIPTION tag on one line only!");
}

TEST(TagTester, SingleQuotedNameFailsEvenWhenNothingElseIsWrong) {
    const auto report = testMetaTags({"<meta name='keywords' content='a'>"});
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(texts(report),
              std::vector<std::string>{"You need to put a  \"  instead of  '  in your Meta "
                                       "tags!\rSee line 0 The Tag is <meta name='keywords' "
                                       "content='a'>   ...Please fix."});
}

TEST(TagTester, ScriptNoticeOnceThenPassed) {
    const auto report = testMetaTags({"<SCRIPT>", "<script>", "<p>x</p>"});
    EXPECT_TRUE(report.passed);
    ASSERT_EQ(report.messages.size(), 2u);
    EXPECT_FALSE(report.messages[0].problem);
    EXPECT_EQ(report.messages[0].text,
              "Your document has JAVASCRIPT.\rIf you have large scripts Lumora may not produce "
              "good meta tags.\rJavascript will not affect the next version of Lumora.");
    EXPECT_EQ(report.messages[1].text, kPassed);
}

TEST(TagTester, ChecksRunInOrderQuoteTitleKeywordsDescription) {
    const auto report = testMetaTags({"<meta name=\"description\" content=\"d", "<title>t",
                                      "<meta name=\"keywords\" content=\"k", "<meta name='x'>"});
    ASSERT_EQ(report.messages.size(), 4u);
    EXPECT_NE(report.messages[0].text.find("See line 3"), std::string::npos);
    EXPECT_NE(report.messages[1].text.find("TITLE"), std::string::npos);
    EXPECT_NE(report.messages[2].text.find("KEYWORD"), std::string::npos);
    EXPECT_NE(report.messages[3].text.find("DESCRIPTION"), std::string::npos);
}
