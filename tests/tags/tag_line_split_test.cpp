#include "tags/tag_line_split.h"

#include <gtest/gtest.h>

using namespace lumora::tags;
using lumora::text::Lines;

TEST(TagLineSplit, PutsReplacedTagsOnTheirOwnLines) {
    const ReplacedTags all;
    struct Case {
        std::string line;
        Lines pieces;
    };
    const Case cases[] = {
        {"  <title>Alone</title>\t", {"  <title>Alone</title>\t"}},
        {"<p>No tags here</p>", {"<p>No tags here</p>"}},
        {"<HEAD><Title>A</TITLE>  <Meta Name=\"Keywords\" content=\"k\">  <Base Href=\"X\">",
         {"<HEAD>", "<Title>A</TITLE>", "<Meta Name=\"Keywords\" content=\"k\">",
          "  <Base Href=\"X\">"}},
        {"<title>A</title><title>B</title>", {"<title>A</title>", "<title>B</title>"}},
        {"<head><!-- x and even k Lumora V.01.01 --> <p>",
         {"<head>", "<!-- x and even k Lumora V.01.01 -->", " <p>"}},
        {"x <meta name=\"description\" content=\"no end",
         {"x ", "<meta name=\"description\" content=\"no end"}},
        {"meta name=\"keywords\" content=\"k\"> <p>",
         {"meta name=\"keywords\" content=\"k\">", " <p>"}},
        {"<title> only opens", {"<title> only opens"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(splitReplacedTags({c.line}, all), c.pieces);
    }
}

TEST(TagLineSplit, DescriptionNameInsideMetaTagIsNotSplitTwice) {
    // The keywords tag's content names the description tag: it stays one piece.
    const Lines page = {"<head><meta name=\"keywords\" content=\"meta name=\"description\">x"};
    EXPECT_EQ(
        splitReplacedTags(page, ReplacedTags{}),
        (Lines{"<head>", "<meta name=\"keywords\" content=\"meta name=\"description\">", "x"}));
}

TEST(TagLineSplit, OnlyTheTagsOfCheckedBoxesAreSplit) {
    const Lines page = {"<head><title>T</title><meta name=\"description\" content=\"d\">"};
    EXPECT_EQ(
        splitReplacedTags(
            page, {.title = false, .description = true, .keywords = true, .hiddenWords = true}),
        (Lines{"<head><title>T</title>", "<meta name=\"description\" content=\"d\">"}));
    EXPECT_EQ(
        splitReplacedTags(
            page, {.title = false, .description = false, .keywords = false, .hiddenWords = false}),
        page);
}
