#include "tags/proposal_text.h"

#include "tags/html_word_list.h"

#include <gtest/gtest.h>

using namespace lumora::tags;
using lumora::text::Lines;

TEST(ProposalText, CandidateJoinsSentenceEndsOfTheNeighbours) {
    struct Case {
        const char* what;
        Lines page;
        size_t index;
        std::string candidate;
    };
    const Case cases[] = {
        {"neighbours without full stops: the line alone", {"a b", "c d", "e f", "g h"}, 2, "e f"},
        {"closed line after a closed line", {"one.", "two."}, 1, "two."},
        {"closed line before a closed line", {"x y", "one.", "two."}, 1, "one."},
        {"first line counts an empty line before it as closed", {"one.", "two"}, 0, "one."},
        {"open line between sentences",
         {"a. tail of a", "b has. stop", "c open", "d ends. here"},
         2,
         " tail of a b has. stop  d ends."},
        {"closed line between open neighbours",
         {"x. after x", "no stop", "mid.", "next. more"},
         2,
         " after x  mid. next."},
        {"full stop only two lines up", {"lead. rest", "plain", "this"}, 2, " rest   "},
        {"title tag anywhere empties it", {"<title>a. b</title>", "c d", "e."}, 1, ""},
        {"comment start empties it", {"<!-- note. x", "word", "w"}, 1, ""},
        {"meta tag empties it", {"w", "<meta name=\"x\" content=\"a.\">", "b."}, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(candidateText(c.page, c.index), c.candidate);
    }
}

TEST(ProposalText, CleaningDropsImagesFontsSeparatorsAndHtmlWords) {
    struct Case {
        std::string candidate;
        std::string proposal;
    };
    const Case cases[] = {
        {"our shop sells fine tea.", " our shop sells fine tea"},
        {"<img src=\"cup.gif\"> fresh <b>tea</b> x.jpg", " fresh tea"},
        {"times new roman and times new roman fonts", " and new fonts"},
        {"<font face=\"arial\" color=\"#ff0000\">big 2024 sale!</font>", " sale"},
        {"caf\xC3\xA9 \t\xC3\xA9t\xC3\xA9  open", " caf\xC3\xA9 \xC3\xA9t\xC3\xA9 open"},
        {"<p> <br> &nbsp; 123", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.candidate);
        EXPECT_EQ(cleanCandidate(c.candidate), c.proposal);
    }
}

TEST(ProposalText, HtmlWordListHasItsHundredEntries) {
    EXPECT_EQ(kHtmlWordList.front(), "description");
    EXPECT_EQ(kHtmlWordList[45], ".com");
    EXPECT_EQ(kHtmlWordList[94], "basefontsize");
    for (size_t i = 95; i < 100; ++i)
        EXPECT_EQ(kHtmlWordList[i], "vspace");
    EXPECT_TRUE(isHtmlWord("cellspacing"));
    EXPECT_TRUE(isHtmlWord("a"));
    EXPECT_FALSE(isHtmlWord("A"));
    EXPECT_FALSE(isHtmlWord("tea"));
}

TEST(ProposalText, ShortAndLongProposalsGetTemplates) {
    EXPECT_EQ(shapeProposal(FinderKind::Title, " a", "k0", "k1", "k2"),
              "find it here. check out the k0, k1 and k2. see it now");
    EXPECT_EQ(shapeProposal(FinderKind::Description, "", "k0", "k1", "k2"),
              "a must see. check out the k0, k1 and k2. see it now");
    EXPECT_EQ(shapeProposal(FinderKind::Title, " ab", "k0", "k1", "k2"), " ab");

    const std::string longest = " " + std::string(249, 'w');
    EXPECT_EQ(shapeProposal(FinderKind::Title, longest, "k0", "k1", "k2"), longest);
    for (FinderKind kind : {FinderKind::Title, FinderKind::Description})
        EXPECT_EQ(shapeProposal(kind, longest + "w", "k0", "k1", "k2"),
                  "we have what your looking for. check out the k2, k1 and k0");

    // Lengths count characters: 250 two-byte letters are not too long, 2 are too short.
    std::string accented;
    for (int i = 0; i < 250; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(shapeProposal(FinderKind::Title, accented, "k0", "k1", "k2"), accented);
    EXPECT_EQ(shapeProposal(FinderKind::Title, " \xC3\xA9", "k0", "k1", "k2"),
              "find it here. check out the k0, k1 and k2. see it now");
}
