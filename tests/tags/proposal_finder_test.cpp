#include "tags/proposal_finder.h"

#include "common/ascii_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace lumora::tags;
using lumora::text::Lines;

namespace {

const std::string kTitleNotFound =
    "A Title was not found!\r\rYou did not like any of the suggested titles \rOR\rThe keywords "
    "found do not go well with any suggested \rTitle and will score LOW with the Search "
    "Engines.\r\rSuggestion - Try some differnt key words for your title by using \rthe manual "
    "mode. Try combining and rearanging keywords in manual mode.";
const std::string kDescriptionNotFound =
    "A Description was not found!\r\rYou did not like any of the suggested Descriptions \rOR\rThe "
    "keywords found do not go well with any suggested \rTitle and will score LOW with the Search "
    "Engines.\r\rSuggestion - Try some differnt key words for your title by using \rthe manual "
    "mode. Try combining and rearanging keywords in manual mode.";
const std::string kTitleOpening = "Now we will pick a TITLE for your web page";
const std::string kTooFew = "You need at least 3 key words before I can find a title.\rPlease "
                            "Lower sensetivity and run Keyword finder again...";
const std::string kTitleQuestion = "Do you like this TITLE below ? \r\r";
const std::string kMatching = "Matching...                  ";

using Strings = std::vector<std::string>;

FinderInput automaticInput(Strings keywords, std::string storage = {}) {
    FinderInput input;
    input.foundKeywords = std::move(keywords);
    input.chosenKeywords = {"stale", "manual", "list"};
    input.storage = std::move(storage);
    return input;
}

FinderInput manualInput(Strings keywords) {
    FinderInput input;
    input.automaticMode = false;
    input.chosenKeywords = std::move(keywords);
    return input;
}

std::vector<FinderStep> runFinder(FinderKind kind, FinderInput input, const Lines& page,
                                  const std::vector<Answer>& answers) {
    ProposalFinder finder(kind, std::move(input));
    std::vector<FinderStep> steps{finder.start(page)};
    size_t used = 0;
    while (steps.back().question) {
        if (used == answers.size()) {
            ADD_FAILURE() << "unscripted question: " << *steps.back().question;
            break;
        }
        steps.push_back(finder.answer(answers[used++]));
    }
    EXPECT_EQ(used, answers.size()) << "scripted answers left over";
    EXPECT_TRUE(finder.finished());
    return steps;
}

} // namespace

TEST(ProposalFinder, FewerThanThreeKeywordsSearchNothing) {
    auto steps = runFinder(FinderKind::Title, automaticInput({"tea", "cake"}, "kept"),
                           {"tea and cake."}, {});
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].messages, (Strings{kTitleOpening, kTooFew}));
    EXPECT_EQ(steps[0].chosenKeywords, (Strings{"tea", "cake"})) << "copied before the test";
    EXPECT_EQ(steps[0].storage, "kept");
    EXPECT_EQ(steps[0].next, ChainNext::Stop);

    steps = runFinder(FinderKind::Description, manualInput({"tea", "cake"}), {"tea and cake."}, {});
    EXPECT_EQ(steps[0].messages,
              (Strings{"Now we will pick a DESCRIPTION for your web page", kTooFew}));
    EXPECT_FALSE(steps[0].chosenKeywords);
    EXPECT_FALSE(steps[0].titleDisplayVisible);
    EXPECT_EQ(steps[0].titleDisplayCaption, " ");
}

TEST(ProposalFinder, TitleOffRunsTheBuilderAtOnce) {
    FinderInput input = automaticInput({"tea", "cake", "jam"});
    input.includeTitle = false;
    const auto steps = runFinder(FinderKind::Title, input, {"tea and cake."}, {});
    EXPECT_EQ(steps[0].messages, Strings{kTitleOpening});
    EXPECT_EQ(steps[0].next, ChainNext::RunBuilder);
    EXPECT_FALSE(steps[0].titleDisplayVisible);
    EXPECT_EQ(steps[0].titleDisplayCaption, " ");
}

TEST(ProposalFinder, NoMatchLeavesStorageAndStopsTheChain) {
    const Lines page = {"Tea is served.", "Cake too.", "Jam on the side"};
    for (bool automatic : {true, false}) {
        FinderInput input = automatic ? automaticInput({"coffee", "tea", "milk"})
                                      : manualInput({"coffee", "tea", "milk"});
        input.storage = " earlier title";
        const auto steps = runFinder(FinderKind::Title, input, page, {});
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].messages, (Strings{kTitleOpening, kTitleNotFound}));
        EXPECT_EQ(steps[0].storage, " earlier title");
        EXPECT_EQ(steps[0].next, ChainNext::Stop);
        EXPECT_EQ(steps[0].chosenKeywords, (Strings{"coffee", "tea", "milk"}))
            << "a full walk turns the list back to its first order";
        EXPECT_FALSE(steps[0].titleDisplayVisible);
        EXPECT_EQ(steps[0].titleDisplayCaption,
                  automatic ? "Checking..." + std::string(17, ' ') : " ");
    }
}

TEST(ProposalFinder, RefusedSentenceComesBackInLaterPasses) {
    const auto steps = runFinder(FinderKind::Title, automaticInput({"alpha", "beta", "gamma"}),
                                 {"Alpha Beta Gamma."}, {Answer::No, Answer::No, Answer::No});
    ASSERT_EQ(steps.size(), 4u);
    const Strings turns[] = {
        {"gamma", "alpha", "beta"}, {"beta", "gamma", "alpha"}, {"alpha", "beta", "gamma"}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(steps[i].question, kTitleQuestion + " ALPHA BETA GAMMA");
        EXPECT_EQ(steps[i].storage, " alpha beta gamma");
        EXPECT_EQ(steps[i].chosenKeywords, turns[i]);
        EXPECT_EQ(steps[i].titleDisplayCaption, kMatching + turns[i][0] + " and " + turns[i][1]);
    }
    EXPECT_EQ(steps[1].messages, Strings{"Checking for more titles..."});
    EXPECT_EQ(steps[3].messages, (Strings{"Checking for more titles...", kTitleNotFound}));
    EXPECT_EQ(steps[3].storage, "") << "a refusal empties the storage";
    EXPECT_EQ(steps[3].next, ChainNext::Stop);
}

TEST(ProposalFinder, YesChoosesTheNextCommand) {
    const Lines page = {"Fresh Tea And Cake."};
    FinderInput input = manualInput({"cake", "fresh", "tea"});
    auto steps = runFinder(FinderKind::Title, input, page, {Answer::Yes});
    EXPECT_EQ(steps[0].question, kTitleQuestion + " FRESH TEA AND CAKE");
    EXPECT_TRUE(steps[0].titleDisplayVisible);
    EXPECT_EQ(steps[0].titleDisplayCaption, kMatching + "tea and cake");
    EXPECT_EQ(steps[1].storage, " fresh tea and cake");
    EXPECT_EQ(steps[1].next, ChainNext::RunDescriptionFinder);
    EXPECT_FALSE(steps[1].titleDisplayVisible);
    EXPECT_EQ(steps[1].titleDisplayCaption, " ");
    EXPECT_TRUE(steps[1].messages.empty());

    input.includeDescription = false;
    steps = runFinder(FinderKind::Title, input, page, {Answer::Yes});
    EXPECT_EQ(steps[1].next, ChainNext::RunBuilder);

    steps = runFinder(FinderKind::Description, input, page, {Answer::Yes});
    EXPECT_EQ(steps[0].question, "Do you like this DESCRIPTION below ? \r\r FRESH TEA AND CAKE");
    EXPECT_EQ(steps[1].next, ChainNext::RunBuilder);
}

TEST(ProposalFinder, CancelEmptiesStorageAndStops) {
    const Lines page = {"Fresh Tea And Cake."};
    struct Case {
        FinderKind kind;
        std::string message;
    };
    for (const Case& c :
         {Case{FinderKind::Title, "Title was not saved and will not be used."},
          Case{FinderKind::Description, "Description was not saved and will not be used."}}) {
        FinderInput input = automaticInput({"cake", "fresh", "tea"}, " old text");
        const auto steps = runFinder(c.kind, input, page, {Answer::Cancel});
        EXPECT_EQ(steps[1].messages, Strings{c.message});
        EXPECT_EQ(steps[1].storage, "");
        EXPECT_EQ(steps[1].next, ChainNext::Stop);
    }
}

TEST(ProposalFinder, DescriptionNeedsOnlyTheFirstKeyword) {
    const Lines page = {"Only gamma here."};
    auto steps = runFinder(FinderKind::Title, automaticInput({"alpha", "beta", "gamma"}), page, {});
    EXPECT_EQ(steps[0].messages.back(), kTitleNotFound);

    steps = runFinder(FinderKind::Description, automaticInput({"alpha", "beta", "gamma"}), page,
                      {Answer::No});
    EXPECT_EQ(steps[0].question, "Do you like this DESCRIPTION below ? \r\r ONLY GAMMA HERE");
    EXPECT_EQ(steps[0].titleDisplayCaption, kMatching + "gamma and alpha");
    EXPECT_EQ(steps[1].messages,
              (Strings{"Checking for more Descriptions...", kDescriptionNotFound}));
}

TEST(ProposalFinder, TagLinesNeverYieldAProposal) {
    const Lines page = {"<TITLE>alpha beta gamma.</TITLE>",
                        "<META NAME=\"x\" content=\"alpha beta gamma\">",
                        "<!-- alpha beta gamma. -->", "plain words"};
    const auto steps =
        runFinder(FinderKind::Description, automaticInput({"alpha", "beta", "gamma"}), page, {});
    EXPECT_EQ(steps[0].messages.back(), kDescriptionNotFound);
}

TEST(ProposalFinder, TemplatesUseTheTurnedList) {
    auto steps = runFinder(FinderKind::Title, automaticInput({"center", "font", "table"}),
                           {"<center><font><table>"}, {Answer::Yes});
    EXPECT_EQ(steps[1].storage, "find it here. check out the table, center and font. see it now");
    EXPECT_EQ(steps[0].question,
              kTitleQuestion + "FIND IT HERE. CHECK OUT THE TABLE, CENTER AND FONT. SEE IT NOW");

    std::string sentence = "alpha beta gamma";
    for (int i = 0; i < 60; ++i)
        sentence += " word";
    steps = runFinder(FinderKind::Description, automaticInput({"alpha", "beta", "gamma"}),
                      {sentence + "."}, {Answer::Yes});
    EXPECT_EQ(steps[1].storage,
              "we have what your looking for. check out the beta, alpha and gamma");
}

TEST(ProposalFinder, AnswerWithoutAQuestionDoesNothing) {
    ProposalFinder finder(FinderKind::Title, automaticInput({"a1", "b2", "c3"}, "x"));
    const FinderStep step = finder.answer(Answer::No);
    EXPECT_TRUE(step.messages.empty());
    EXPECT_FALSE(step.question);
    EXPECT_EQ(step.next, ChainNext::Stop);
}

namespace {

// The walk as first described: the list really turns at every line and every candidate is
// built on every visit. Gives the questions and list orders a run of "No" answers sees.
std::vector<std::pair<std::string, Strings>> naiveWalk(FinderKind kind, const Lines& page,
                                                       Strings list) {
    Lines lowered;
    for (const auto& line : page)
        lowered.push_back(lumora::asciiLowered(line));
    std::vector<std::pair<std::string, Strings>> proposals;
    for (size_t pass = 0; pass < list.size(); ++pass)
        for (size_t i = 0; i < page.size(); ++i) {
            std::rotate(list.begin(), list.end() - 1, list.end());
            const std::string candidate = candidateText(lowered, i);
            const bool passes =
                holdsKeyword(candidate, list[0]) &&
                (kind == FinderKind::Description || holdsKeyword(candidate, list[1]));
            if (!passes)
                continue;
            const std::string proposal =
                shapeProposal(kind, cleanCandidate(candidate), list[0], list[1], list[2]);
            proposals.emplace_back(lumora::asciiUppered(proposal), list);
        }
    return proposals;
}

} // namespace

TEST(ProposalFinder, RefusingEverythingMatchesTheLineByLineWalk) {
    const Strings words = {"tea", "cake", "jam", "milk", "bread", "<p>", ".", "<title>", "x.gif"};
    std::mt19937 random(20261208);
    size_t proposals = 0;
    for (int round = 0; round < 30; ++round) {
        Lines page(1 + random() % 12);
        for (auto& line : page)
            for (size_t w = random() % 7; w > 0; --w)
                line += words[random() % words.size()] + (random() % 3 ? " " : "");
        Strings keywords = {"tea", "cake", "jam", "milk", "bread"};
        keywords.resize(3 + random() % 3);
        const FinderKind kind = round % 2 ? FinderKind::Title : FinderKind::Description;

        const auto expected = naiveWalk(kind, page, keywords);
        const auto steps = runFinder(kind, manualInput(keywords), page,
                                     std::vector<Answer>(expected.size(), Answer::No));
        ASSERT_EQ(steps.size(), expected.size() + 1) << "round " << round;
        for (size_t i = 0; i < expected.size(); ++i) {
            const std::string prefix = kind == FinderKind::Title
                                           ? kTitleQuestion
                                           : "Do you like this DESCRIPTION below ? \r\r";
            EXPECT_EQ(steps[i].question, prefix + expected[i].first);
            EXPECT_EQ(steps[i].chosenKeywords, expected[i].second);
        }
        EXPECT_EQ(steps.back().chosenKeywords, keywords);
        proposals += expected.size();
    }
    EXPECT_GT(proposals, 30u) << "the random pages must give the walk something to propose";
}
