#include "keywords/keyword_lists.h"
#include "keywords/keyword_modes.h"
#include "keywords/quick_info_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora::keywords {
namespace {

using Items = std::vector<std::string>;
using Rows = std::set<std::size_t>;

KeywordListState fiveWords(Rows selected, std::optional<std::size_t> current = std::nullopt) {
    return {{"web", "page", "design", "html", "site"}, std::move(selected), current};
}

TEST(KeywordReports, ForwardAndReverseFormats) {
    const Items chosen = {"alpha", "beta", "gamma"};
    EXPECT_EQ(forwardReport(chosen), "alpha, beta, gamma, ");
    EXPECT_EQ(reverseReport(chosen), "gamma, beta, alpha,");
    EXPECT_EQ(forwardReport({"web page"}), "web page, ");
    EXPECT_EQ(reverseReport({"web page"}), "web page,");
    EXPECT_EQ(forwardReport({}), "");
    EXPECT_EQ(reverseReport({}), "");
}

struct CombineCase {
    const char* name;
    Rows selected;
    std::string phrase;
};

TEST(KeywordCombine, JoinsTheSelectedAmongTheTopRows) {
    const CombineCase cases[] = {
        {"items 0 and 2: rows 0 to 2 examined", {0, 2}, "web design"},
        {"items 0 and 3: item 3 is beyond row 2", {0, 3}, "web"},
        {"top item only", {0}, "web"},
        {"0, 1 and 4: rows 0 to 3 examined", {0, 1, 4}, "web page"},
        {"all selected", {0, 1, 2, 3, 4}, "web page design html site"},
    };
    for (const CombineCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeywordListState found = fiveWords(c.selected, 4);
        ASSERT_EQ(combineSelected(found), CombineOutcome::Combined);
        ASSERT_EQ(found.items.size(), 6u);
        EXPECT_EQ(found.items[0], c.phrase);
        // The combined items stay in place and selected; the new one is not selected.
        EXPECT_EQ(Items(found.items.begin() + 1, found.items.end()), fiveWords({}).items);
        Rows shifted;
        for (std::size_t row : c.selected)
            shifted.insert(row + 1);
        EXPECT_EQ(found.selected, shifted);
        EXPECT_EQ(found.current, 5u);
    }
}

TEST(KeywordCombine, RefusesWithoutTheTopItemAndOnAnEmptyList) {
    KeywordListState found = fiveWords({1, 2});
    EXPECT_EQ(combineSelected(found), CombineOutcome::TopNotSelected);
    EXPECT_EQ(found.items, fiveWords({}).items);

    KeywordListState empty;
    EXPECT_EQ(combineSelected(empty), CombineOutcome::EmptyList);
    EXPECT_TRUE(empty.items.empty());
}

TEST(KeywordCombine, AddsNothingWhenTheJoinedWordsAreBlank) {
    KeywordListState found{{" ", "\t", "web"}, {0, 1}, std::nullopt};
    EXPECT_EQ(combineSelected(found), CombineOutcome::NothingToJoin);
    EXPECT_EQ(found.items.size(), 3u);
    EXPECT_EQ(found.selected, (Rows{0, 1}));
}

TEST(KeywordCombine, TrimsThePhraseButKeepsInnerBlanks) {
    KeywordListState found{{" web", "", "page "}, {0, 1, 2}, std::nullopt};
    ASSERT_EQ(combineSelected(found), CombineOutcome::Combined);
    EXPECT_EQ(found.items[0], "web  page");
}

TEST(KeywordToTop, MovedItemIsUnselectedSoCombineAsksForTheTopItem) {
    KeywordListState found = fiveWords({0, 1}, 3);
    ASSERT_TRUE(moveCurrentToTop(found));
    EXPECT_EQ(found.items, (Items{"html", "web", "page", "design", "site"}));
    EXPECT_EQ(found.selected, (Rows{1, 2}));
    EXPECT_EQ(found.current, 0u);
    EXPECT_EQ(combineSelected(found), CombineOutcome::TopNotSelected);

    found.selected.insert(0);
    ASSERT_EQ(combineSelected(found), CombineOutcome::Combined);
    EXPECT_EQ(found.items[0], "html web page");
}

TEST(KeywordToTop, KeepsSelectionBelowTheMovedItem) {
    KeywordListState found = fiveWords({2, 4}, 2);
    ASSERT_TRUE(moveCurrentToTop(found));
    EXPECT_EQ(found.items, (Items{"design", "web", "page", "html", "site"}));
    EXPECT_EQ(found.selected, Rows{4});
}

TEST(KeywordToTop, TopItemStaysAsItIs) {
    KeywordListState found = fiveWords({0}, 0);
    ASSERT_TRUE(moveCurrentToTop(found));
    EXPECT_EQ(found.items, fiveWords({}).items);
    EXPECT_EQ(found.selected, Rows{0});
}

TEST(KeywordToTop, DoesNothingWithoutACurrentItem) {
    KeywordListState none = fiveWords({0});
    EXPECT_FALSE(moveCurrentToTop(none));
    EXPECT_EQ(none.items, fiveWords({}).items);

    KeywordListState stale = fiveWords({}, 5);
    EXPECT_FALSE(moveCurrentToTop(stale));
    EXPECT_EQ(stale.items, fiveWords({}).items);

    KeywordListState empty{{}, {}, 0};
    EXPECT_FALSE(moveCurrentToTop(empty));
}

TEST(KeywordDoubleClick, SameFoundWordTwiceIsChosenTwice) {
    const KeywordListState found = fiveWords({}, 1);
    KeywordListState chosen{{"site"}, {0}, 0};
    EXPECT_EQ(copyFoundToChosen(found, chosen), "page, site, ");
    EXPECT_EQ(copyFoundToChosen(found, chosen), "page, page, site, ");
    EXPECT_EQ(chosen.items, (Items{"page", "page", "site"}));
    EXPECT_EQ(found.items.size(), 5u);
    // The chosen list's own selection and focus mark stay on "site".
    EXPECT_EQ(chosen.selected, Rows{2});
    EXPECT_EQ(chosen.current, 2u);
}

TEST(KeywordDoubleClick, WithoutACurrentItemNothingChanges) {
    KeywordListState chosen{{"site"}, {}, std::nullopt};
    EXPECT_EQ(copyFoundToChosen(KeywordListState{}, chosen), std::nullopt);
    EXPECT_EQ(copyFoundToChosen(fiveWords({}, 9), chosen), std::nullopt);
    EXPECT_EQ(chosen.items, Items{"site"});
    EXPECT_EQ(raiseInChosen(chosen), std::nullopt);
    EXPECT_EQ(chosen.items, Items{"site"});
}

TEST(KeywordDoubleClick, ChosenItemMovesToTheTop) {
    KeywordListState chosen{{"alpha", "beta", "gamma"}, {2}, 2};
    EXPECT_EQ(raiseInChosen(chosen), "gamma, alpha, beta, ");
    EXPECT_EQ(chosen.items, (Items{"gamma", "alpha", "beta"}));
}

TEST(KeywordDelete, OnlyTheCurrentItemOfTheFocusedListGoes) {
    KeywordListState found = fiveWords({0, 2, 3}, 2);
    KeywordListState chosen{{"alpha", "beta", "gamma"}, {}, 1};
    EXPECT_EQ(deleteFromFocusedList(ListFocus::Found, found, chosen), "gamma, beta, alpha,");
    EXPECT_EQ(found.items, (Items{"web", "page", "html", "site"}));
    EXPECT_EQ(found.selected, (Rows{0, 2}));
    EXPECT_EQ(chosen.items.size(), 3u);

    EXPECT_EQ(deleteFromFocusedList(ListFocus::Chosen, found, chosen), "gamma, alpha,");
    EXPECT_EQ(found.items.size(), 4u);
}

TEST(KeywordDelete, SecondDeleteNeedsANewClick) {
    KeywordListState found;
    KeywordListState chosen{{"alpha", "beta"}, {0}, 0};
    EXPECT_EQ(deleteFromFocusedList(ListFocus::Chosen, found, chosen), "beta,");
    EXPECT_EQ(deleteFromFocusedList(ListFocus::Chosen, found, chosen), "beta,");
    EXPECT_EQ(chosen.items, Items{"beta"});
    EXPECT_TRUE(chosen.selected.empty());
}

TEST(KeywordDelete, FocusOnNeitherListStillRewritesTheReport) {
    KeywordListState found = fiveWords({0}, 0);
    KeywordListState chosen{{"alpha", "beta", "gamma"}, {}, 0};
    EXPECT_EQ(deleteFromFocusedList(ListFocus::Neither, found, chosen), "gamma, beta, alpha,");
    EXPECT_EQ(found.items.size(), 5u);
    EXPECT_EQ(chosen.items.size(), 3u);

    KeywordListState empty;
    EXPECT_EQ(deleteFromFocusedList(ListFocus::Chosen, found, empty), "");
}

TEST(KeywordModes, ModesSetOppositeButtonsAndTheirOwnTexts) {
    const ModeControls automatic = modeControls(KeywordMode::Automatic);
    const ModeControls manual = modeControls(KeywordMode::Manual);
    EXPECT_FALSE(automatic.manualStepsEnabled);
    EXPECT_TRUE(automatic.fullAutoEnabled);
    EXPECT_TRUE(manual.manualStepsEnabled);
    EXPECT_FALSE(manual.fullAutoEnabled);
    EXPECT_EQ(automatic.groupCaption, "Automatic Set Up");
    EXPECT_EQ(manual.groupCaption, "Manual Set Up");
    EXPECT_EQ(automatic.info, kAutomaticModeInfo);
    EXPECT_EQ(manual.info, kManualModeInfo);
    EXPECT_EQ(sensitivityCaption(kSensitivityAtStart), "Sensitivity 5");
    EXPECT_EQ(sensitivityCaption(kSensitivityMax), "Sensitivity 25");
}

TEST(KeywordModes, ManualScanCoversOrUncoversTheLists) {
    struct Case {
        std::size_t found;
        bool before;
        bool after;
    };
    const Case cases[] = {{0, false, true}, {0, true, true},  {1, false, false},
                          {1, true, true},  {2, true, true},  {2, false, false},
                          {3, true, false}, {11, true, false}};
    for (const Case& c : cases)
        EXPECT_EQ(groupBox2VisibleAfterManualScan(c.found, c.before), c.after)
            << c.found << " found, visible before: " << c.before;
}

} // namespace
} // namespace lumora::keywords
