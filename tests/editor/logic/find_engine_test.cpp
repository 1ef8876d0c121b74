#include "editor/logic/find_engine.h"

#include <gtest/gtest.h>

#include <string>

using namespace lumora::editor;

namespace {

const SearchOptions kDown{};
const SearchOptions kWholeWord{false, true, false};
const SearchOptions kUp{false, false, true};

FindOutcome findOnce(const Lines& page, Selection selection, const std::string& term,
                     const SearchOptions& options = kDown, const std::string& replacement = "") {
    bool continueFlag = true;
    return findInPage(page, selection, term, replacement, options, continueFlag);
}

} // namespace

struct WholeWordCase {
    const char* name;
    Lines page;
    bool found;
    size_t offset;
};

TEST(FindEngine, WholeWordFramings) {
    const WholeWordCase cases[] = {
        {"between blanks", {"a web page"}, true, 2},
        {"before a comma", {"a web, page"}, true, 2},
        {"before a full stop", {"the web."}, true, 4},
        {"between tags", {"<b>x</b>web<b>y</b>"}, true, 8},
        {"line start, blank after", {"x", "web page"}, true, 3},
        {"line start, line end after", {"x", "web", "y"}, true, 3},
        {"line end", {"the web", "next"}, true, 4},
        {"page start", {"web page"}, true, 0},
        {"page end", {"the web"}, true, 4},
        {"before a question mark", {"a web?"}, true, 2},
        {"between a quote and a blank", {"say \"web \""}, true, 5},
        {"longer word", {"webs are"}, false, 0},
        {"after a full stop", {"end.web page"}, false, 0},
        {"tag name", {"<web>"}, false, 0},
        {"before a colon", {"a web: page"}, false, 0},
        {"after a tab", {"a\tweb page"}, false, 0},
        {"after a line end, before a tag", {"x", "web<br>"}, false, 0},
    };
    for (const auto& c : cases) {
        const FindOutcome outcome = findOnce(c.page, {}, "web", kWholeWord);
        EXPECT_EQ(outcome.kind == FindOutcome::Kind::Selected, c.found) << c.name;
        if (c.found) {
            EXPECT_EQ(outcome.selection, (Selection{c.offset, 3})) << c.name;
        }
    }
}

TEST(FindEngine, WholeWordSkipsUnframedOccurrencesAndGoesOn) {
    const FindOutcome outcome = findOnce({"webs and <web> and web."}, {}, "web", kWholeWord);
    EXPECT_EQ(outcome.selection, (Selection{19, 3}));
}

// A search window of the old design cut words at its edges and framed the pieces with
// its padding; only the page's own characters may frame a term.
TEST(FindEngine, WholeWordNotFramedByWindowEdgesRegression) {
    const std::string cutAtWindowEnd = std::string(246, '.') + " webpages"; // web ends at 250
    const std::string cutAtWindowStart = std::string(221, '.') + "page" + "web more"; // at 225
    for (const auto& line : {cutAtWindowEnd, cutAtWindowStart}) {
        const FindOutcome outcome = findOnce({line}, {}, "web", kWholeWord);
        EXPECT_EQ(outcome.kind, FindOutcome::Kind::NotFound);
    }
    const std::string realHitLater = cutAtWindowEnd + " the web ";
    EXPECT_EQ(findOnce({realHitLater}, {}, "web", kWholeWord).selection,
              (Selection{realHitLater.size() - 4, 3}));
}

TEST(FindEngine, CaretDoesNotFrameATerm) {
    // The caret sits between "end." and "web".
    const FindOutcome outcome = findOnce({"end.web page"}, {4, 0}, "web", kWholeWord);
    EXPECT_EQ(outcome.kind, FindOutcome::Kind::NotFound);
}

TEST(FindEngine, TermsAcrossWindowBoundariesAreFound) {
    const std::string shortTerm = "boundary";
    const std::string longTerm = "a phrase much longer than the overlap of two windows";
    for (const auto& term : {shortTerm, longTerm}) {
        const std::string line = std::string(240, '-') + term + "--";
        EXPECT_EQ(findOnce({line}, {}, term).selection, (Selection{240, term.size()})) << term;
    }
}

TEST(FindEngine, DownwardSearchStartsAtCaretAndMovesPastASelectedOccurrence) {
    const Lines page{"foo bar foo", "foo"};
    EXPECT_EQ(findOnce(page, {0, 0}, "foo").selection, (Selection{0, 3}));
    EXPECT_EQ(findOnce(page, {0, 3}, "foo").selection, (Selection{8, 3}));
    EXPECT_EQ(findOnce(page, {8, 3}, "foo").selection, (Selection{13, 3}));
    const FindOutcome last = findOnce(page, {13, 3}, "foo");
    EXPECT_EQ(last.kind, FindOutcome::Kind::NotFound);
    EXPECT_EQ(last.selection, (Selection{16, 0})); // the search began after the selection
    // A selection that is not the term stays, and the search starts at its start.
    EXPECT_EQ(findOnce(page, {1, 5}, "bar").selection, (Selection{4, 3}));
}

TEST(FindEngine, UpwardSearchFindsTheNearestOccurrenceEndingAtOrBeforeTheCaret) {
    const Lines page{"web web", "web"};
    EXPECT_EQ(findOnce(page, {12, 0}, "web", kUp).selection, (Selection{9, 3}));
    EXPECT_EQ(findOnce(page, {9, 3}, "web", kUp).selection, (Selection{4, 3}));
    EXPECT_EQ(findOnce(page, {4, 3}, "web", kUp).selection, (Selection{0, 3}));
    // The caret inside an occurrence: only one that ends before it counts.
    EXPECT_EQ(findOnce(page, {6, 0}, "web", kUp).selection, (Selection{0, 3}));
    const FindOutcome none = findOnce(page, {0, 3}, "web", kUp);
    EXPECT_EQ(none.kind, FindOutcome::Kind::NotFound);
    EXPECT_EQ(none.selection, (Selection{0, 3}));
    EXPECT_EQ(none.message, "\"web\" cannot be found");
}

TEST(FindEngine, UpwardWholeWord) {
    const Lines page{"a web webs end.web x"};
    EXPECT_EQ(findOnce(page, {20, 0}, "web", {false, true, true}).selection, (Selection{2, 3}));
}

TEST(FindEngine, ReplacePressedThreeTimes) {
    Lines page{"Foo x foo"};
    bool continueFlag = true;
    const FindOutcome first = findInPage(page, {0, 0}, "foo", "bar", kDown, continueFlag);
    EXPECT_EQ(first.kind, FindOutcome::Kind::Selected);
    EXPECT_EQ(first.selection, (Selection{0, 3}));

    const FindOutcome second = findInPage(page, first.selection, "foo", "bar", kDown, continueFlag);
    ASSERT_EQ(second.kind, FindOutcome::Kind::Replaced);
    EXPECT_EQ(second.edit, (PageEdit{0, 3, "bar"}));
    EXPECT_EQ(second.selection, (Selection{3, 0}));
    applyEdit(page, *second.edit);
    EXPECT_EQ(page, (Lines{"bar x foo"}));

    const FindOutcome third = findInPage(page, second.selection, "foo", "bar", kDown, continueFlag);
    EXPECT_EQ(third.kind, FindOutcome::Kind::Selected);
    EXPECT_EQ(third.selection, (Selection{6, 3}));
    EXPECT_TRUE(continueFlag);
}

TEST(FindEngine, ReplacementIsLowerCasedWithoutMatchCase) {
    bool continueFlag = true;
    EXPECT_EQ(findInPage({"Foo"}, {0, 3}, "Foo", "Bar", kDown, continueFlag).edit,
              (PageEdit{0, 3, "bar"}));
    EXPECT_EQ(findInPage({"Foo"}, {0, 3}, "Foo", "Bar", {true, false, false}, continueFlag).edit,
              (PageEdit{0, 3, "Bar"}));
    // Only A to Z change.
    EXPECT_EQ(findInPage({"x"}, {0, 1}, "X", "\xC3\x89T\xC3\xA9", kDown, continueFlag).edit,
              (PageEdit{0, 1, "\xC3\x89t\xC3\xA9"}));
}

TEST(FindEngine, MatchCaseFindsOnlyTheExactLetters) {
    const Lines page{"foo Foo"};
    EXPECT_EQ(findOnce(page, {}, "Foo", {true, false, false}).selection, (Selection{4, 3}));
    EXPECT_EQ(findOnce(page, {}, "FOO", kDown).selection, (Selection{0, 3}));
}

TEST(FindEngine, FailureReportsTheTermAsUsedAndClearsTheContinueFlag) {
    bool continueFlag = true;
    const FindOutcome outcome = findInPage({"abc"}, {1, 0}, "XYZ", "", kDown, continueFlag);
    EXPECT_EQ(outcome.kind, FindOutcome::Kind::NotFound);
    EXPECT_EQ(outcome.message, "\"xyz\" cannot be found");
    EXPECT_EQ(outcome.selection, (Selection{1, 0}));
    EXPECT_FALSE(continueFlag);
    continueFlag = true;
    EXPECT_EQ(findInPage({"abc"}, {}, "XYZ", "", {true, false, false}, continueFlag).message,
              "\"XYZ\" cannot be found");
}

// An empty term used to "match" the empty selection, so Replace inserted the
// replacement at the caret, and Replace All did so forever.
TEST(FindEngine, EmptyTermNeverMatchesRegression) {
    bool continueFlag = true;
    const FindOutcome outcome = findInPage({"abc"}, {1, 0}, "", "x", kDown, continueFlag);
    EXPECT_EQ(outcome.kind, FindOutcome::Kind::NotFound);
    EXPECT_FALSE(outcome.edit);
    EXPECT_EQ(outcome.message, "\"\" cannot be found");
}

TEST(FindEngine, OffsetsCountCharactersAndTwoPerLineBreak) {
    const Lines page{"h\xC3\xA9llo w\xC3\xB6rld", "w\xC3\xB6rld"};
    EXPECT_EQ(findOnce(page, {}, "w\xC3\xB6rld").selection, (Selection{6, 5}));
    EXPECT_EQ(findOnce(page, {6, 5}, "w\xC3\xB6rld").selection, (Selection{13, 5}));
    EXPECT_EQ(findOnce(page, {18, 0}, "w\xC3\xB6rld", kUp).selection, (Selection{13, 5}));
}

TEST(FindEngine, SettingsComeFromEitherDialogAndDirectionFromTheFindDialog) {
    EXPECT_EQ(combineSearchOptions({false, false, true}, {true, false}),
              (SearchOptions{true, false, true}));
    EXPECT_EQ(combineSearchOptions({false, true, false}, {false, false}),
              (SearchOptions{false, true, false}));
}
