#include "editor/logic/replace_all.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace lumora::editor;

namespace {

// Replace All exactly as the dialog describes it: one press, then the caret to the top
// and presses until the continue flag drops. Quadratic, and therefore only for checking.
ReplaceAllOutcome replaceAllPressByPress(Lines page, Selection selection, const std::string& term,
                                         const std::string& replacement,
                                         const SearchOptions& options) {
    ReplaceAllOutcome result;
    result.page = std::move(page);
    bool continueFlag = false;
    auto press = [&](Selection from) {
        const FindOutcome outcome =
            findInPage(result.page, from, term, replacement, options, continueFlag);
        if (outcome.edit) {
            applyEdit(result.page, *outcome.edit);
            ++result.replacements;
        }
        if (outcome.kind == FindOutcome::Kind::NotFound)
            result.messages.push_back(outcome.message);
        return outcome.selection;
    };
    press(selection);
    continueFlag = true;
    Selection current{0, 0};
    while (continueFlag)
        current = press(current);
    result.selection = current;
    return result;
}

ReplaceAllOutcome runReplaceAll(const Lines& page, Selection selection, const std::string& term,
                                const std::string& replacement, const SearchOptions& options) {
    bool continueFlag = false;
    ReplaceAllOutcome outcome =
        replaceAll(page, selection, term, replacement, options, continueFlag);
    EXPECT_FALSE(continueFlag);
    return outcome;
}

} // namespace

TEST(ReplaceAll, EmptyReplacementWalksOverEveryOccurrenceAndChangesNothing) {
    const Lines page{"foo and foo", "more foo here"};
    const ReplaceAllOutcome outcome = runReplaceAll(page, {}, "foo", "", {});
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(outcome.page, page);
    EXPECT_EQ(outcome.messages, (std::vector<std::string>{"\"foo\" cannot be found"}));
    EXPECT_EQ(outcome.selection, (Selection{21, 0})); // just after the last occurrence
}

TEST(ReplaceAll, FooToBarWithAndWithoutMatchCase) {
    const Lines page{"Foo foo FOO", "foo"};
    const ReplaceAllOutcome folded = runReplaceAll(page, {}, "Foo", "Bar", {});
    EXPECT_EQ(folded.page, (Lines{"bar bar bar", "bar"}));
    EXPECT_EQ(folded.replacements, 4u);
    EXPECT_EQ(folded.messages, (std::vector<std::string>{"\"foo\" cannot be found"}));
    EXPECT_EQ(folded.selection, (Selection{16, 0}));

    const ReplaceAllOutcome exact = runReplaceAll(page, {}, "Foo", "Bar", {true, false, false});
    EXPECT_EQ(exact.page, (Lines{"Bar foo FOO", "foo"}));
    EXPECT_EQ(exact.messages, (std::vector<std::string>{"\"Foo\" cannot be found"}));
    EXPECT_EQ(exact.selection, (Selection{3, 0}));
}

TEST(ReplaceAll, UpwardReplacesAtMostTheSelectionAndEndsAtTheTop) {
    const Lines page{"foo foo foo"};
    const SearchOptions up{false, false, true};
    // Nothing selected: the first press only selects, the walk from the top finds nothing.
    const ReplaceAllOutcome plain = runReplaceAll(page, {11, 0}, "foo", "bar", up);
    EXPECT_FALSE(plain.changed);
    EXPECT_EQ(plain.messages.size(), 1u);
    EXPECT_EQ(plain.selection, (Selection{0, 0}));
    // An occurrence selected: the first press replaces it.
    const ReplaceAllOutcome selected = runReplaceAll(page, {4, 3}, "foo", "bar", up);
    EXPECT_EQ(selected.page, (Lines{"foo bar foo"}));
    EXPECT_EQ(selected.messages.size(), 1u);
}

TEST(ReplaceAll, FirstPressThatFailsShowsItsMessageAndTheWalkStillRuns) {
    const ReplaceAllOutcome outcome = runReplaceAll({"foo x"}, {5, 0}, "foo", "bar", {});
    EXPECT_EQ(outcome.page, (Lines{"bar x"}));
    EXPECT_EQ(outcome.messages, (std::vector<std::string>(2, "\"foo\" cannot be found")));
}

TEST(ReplaceAll, ReplacementHoldingTheTermDoesNotLoop) {
    const ReplaceAllOutcome outcome = runReplaceAll({"ab ab"}, {}, "ab", "xaby", {});
    EXPECT_EQ(outcome.page, (Lines{"xaby xaby"}));
    EXPECT_EQ(outcome.selection, (Selection{9, 0}));
}

TEST(ReplaceAll, WholeWordSeesTheInsertedTextAsItsNeighbour) {
    // The second tag is framed by ">" and the page end until the first becomes "x".
    const ReplaceAllOutcome outcome =
        runReplaceAll({"<b><b>"}, {}, "<b>", "x", {false, true, false});
    EXPECT_EQ(outcome.page, (Lines{"x<b>"}));
    EXPECT_EQ(outcome.replacements, 1u);
}

TEST(ReplaceAll, TermHoldingALineBreak) {
    const ReplaceAllOutcome outcome =
        runReplaceAll({"ab", "cd", "ab", "cd"}, {}, "b\r\nc", "-", {});
    EXPECT_EQ(outcome.page, (Lines{"a-d", "a-d"}));
    EXPECT_EQ(outcome.selection, (Selection{7, 0}));
}

TEST(ReplaceAll, EmptyTermReplacesNothing) {
    const ReplaceAllOutcome outcome = runReplaceAll({"abc"}, {1, 0}, "", "x", {});
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(outcome.messages, (std::vector<std::string>(2, "\"\" cannot be found")));
}

TEST(ReplaceAll, AgreesWithPressByPressOnRandomPages) {
    std::mt19937 random(20261208);
    const std::vector<std::string> pieces = {"web", "Web", "WEB", "we", "b",        " ", " ", ".",
                                             ",",   "<",   ">",   "\"", "\xC3\xA9", "s", "\t"};
    const std::vector<std::string> terms = {"web",  "WEB",  "we", "eb", "b",
                                            "web ", " web", ".",  "<",  "\""};
    const std::vector<std::string> replacements = {"",         "bar",     "Web", "x ",
                                                   "\xC3\xA9", "web web", "<",   "a\r\nb"};
    auto pick = [&](const auto& list) { return list[random() % list.size()]; };
    for (int round = 0; round < 20000; ++round) {
        const std::string term = pick(terms);
        const std::string replacement = pick(replacements);
        const SearchOptions options{random() % 2 == 0, random() % 2 == 0, random() % 4 == 0};
        // Occurrences side by side test what the inserted text does to the next one.
        Lines page(1 + random() % 4);
        for (auto& line : page)
            for (int n = static_cast<int>(random() % 10); n > 0; --n)
                line += random() % 3 == 0 ? term : pick(pieces);
        const size_t length = pageTextLength(page);
        const size_t start = random() % (length + 1);
        const Selection selection{start, random() % 2 ? 0 : random() % (length - start + 1)};

        const ReplaceAllOutcome expected =
            replaceAllPressByPress(page, selection, term, replacement, options);
        const ReplaceAllOutcome actual = runReplaceAll(page, selection, term, replacement, options);
        const std::string context = "round " + std::to_string(round) + " term '" + term +
                                    "' replacement '" + replacement + "'";
        ASSERT_EQ(actual.page, expected.page) << context;
        ASSERT_EQ(actual.selection, expected.selection) << context;
        ASSERT_EQ(actual.messages, expected.messages) << context;
        ASSERT_EQ(actual.replacements, expected.replacements) << context;
        ASSERT_EQ(actual.changed, actual.replacements > 0) << context;
    }
}
