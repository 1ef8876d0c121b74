// The automatic chain as the window runs it after a scan: title finder, description finder,
// meta tag builder, each fed from what the one before left in the shared controls.
#include "tags/meta_tag_builder.h"
#include "tags/proposal_finder.h"

#include "tests/tags/sample_page.h"

#include <gtest/gtest.h>

#include <deque>

using namespace lumora::tags;
using lumora::tags::testing::kFooterComment;
using lumora::tags::testing::samplePage;
using lumora::text::Lines;

namespace {

// The controls the chain reads and writes, as the window holds them.
struct Window {
    Lines page = samplePage();
    std::vector<std::string> listBox3 = {"engines", "search", "title"};
    std::vector<std::string> memo6 = {"engines", "search", "title"};
    std::vector<std::string> listBox4;
    std::string titleStorage;
    std::string descriptionStorage;
    bool includeDescription = true;
    bool tagsPassed = true;
    std::vector<std::string> shown;
    std::vector<std::string> asked;
    std::deque<Answer> answers;

    Answer ask(const std::string& question) {
        asked.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << question;
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    ChainNext runFinder(FinderKind kind) {
        FinderInput input;
        input.foundKeywords = listBox3;
        input.chosenKeywords = listBox4;
        input.includeDescription = includeDescription;
        input.storage = kind == FinderKind::Title ? titleStorage : descriptionStorage;
        ProposalFinder finder(kind, input);
        FinderStep step = finder.start(page);
        while (true) {
            shown.insert(shown.end(), step.messages.begin(), step.messages.end());
            if (step.chosenKeywords)
                listBox4 = *step.chosenKeywords;
            (kind == FinderKind::Title ? titleStorage : descriptionStorage) = step.storage;
            if (!step.question)
                return step.next;
            step = finder.answer(ask(*step.question));
        }
    }

    void runBuilder() {
        MetaTagControls controls;
        controls.scanKeywords = memo6;
        controls.foundKeywords = listBox3;
        controls.chosenKeywords = listBox4;
        controls.titleStorage = titleStorage;
        controls.descriptionStorage = descriptionStorage;
        controls.includeDescription = includeDescription;
        const MetaTagCheck check = checkMetaTagBuild(page, controls);
        if (check.stopMessage) {
            shown.push_back(*check.stopMessage);
            return;
        }
        const MetaTagOutcome outcome = buildMetaTags(page, controls, ask(check.question));
        shown.insert(shown.end(), outcome.messages.begin(), outcome.messages.end());
        if (!outcome.completed)
            return;
        page = outcome.page;
        descriptionStorage = outcome.descriptionStorage;
        if (outcome.clearScanKeywords)
            memo6.clear();
        if (outcome.clearTagsPassed)
            tagsPassed = false;
    }

    void runChain() {
        ChainNext next = runFinder(FinderKind::Title);
        if (next == ChainNext::RunDescriptionFinder)
            next = runFinder(FinderKind::Description);
        if (next == ChainNext::RunBuilder)
            runBuilder();
    }
};

const std::string kAccepted =
    " and help search engines rank your pages well search engines read the first";

} // namespace

TEST(TagChain, YesToEverythingWritesTheAcceptedTitleAndDescription) {
    Window window;
    window.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    window.runChain();

    EXPECT_EQ(window.asked,
              (std::vector<std::string>{
                  "Do you like this TITLE below ? \r\r AND HELP SEARCH ENGINES RANK YOUR PAGES "
                  "WELL SEARCH ENGINES READ THE FIRST",
                  "Do you like this DESCRIPTION below ? \r\r AND HELP SEARCH ENGINES RANK YOUR "
                  "PAGES WELL SEARCH ENGINES READ THE FIRST",
                  "You already have Meta Tags on this web page. \r\rDo you want to replace them "
                  "now?"}));
    EXPECT_EQ(window.shown,
              (std::vector<std::string>{"Now we will pick a TITLE for your web page",
                                        "Now we will pick a DESCRIPTION for your web page"}));
    EXPECT_EQ(window.titleStorage, kAccepted);
    EXPECT_EQ(window.descriptionStorage, kAccepted);

    const Lines sample = samplePage();
    Lines expected = {
        "<html>",
        "<head>",
        "<title>!!! AND HELP SEARCH ENGINES RANK YOUR PAGES WELL SEARCH ENGINES READ THE FIRST "
        "!!!</title>",
        "<meta name=\"description\" content=\"" + kAccepted + "\">",
        "<meta name=\"keywords\" content=\"title,search,engines,search engines\">",
        "<!--  and help search engines rank your pages well search engines read the first and "
        "even title,search,engines Lumora V.01.01 --> ",
    };
    expected.insert(expected.end(), sample.begin() + 5, sample.begin() + 31);
    ASSERT_EQ(window.page.size(), expected.size() + 5);
    EXPECT_EQ(Lines(window.page.begin(), window.page.begin() + 32), expected);
    EXPECT_EQ(window.page[32], kFooterComment);
    EXPECT_EQ(Lines(window.page.begin() + 34, window.page.end()),
              (Lines{"</body>", "</html>", " "}));
    EXPECT_TRUE(window.memo6.empty());
    EXPECT_FALSE(window.tagsPassed);
    EXPECT_EQ(window.listBox4, (std::vector<std::string>{"search", "title", "engines"}));
}

TEST(TagChain, CancelAtTheTitleStopsEverything) {
    Window window;
    window.answers = {Answer::Cancel};
    window.runChain();
    EXPECT_EQ(window.page, samplePage());
    EXPECT_EQ(window.asked.size(), 1u);
    EXPECT_EQ(window.shown.back(), "Title was not saved and will not be used.");
    EXPECT_EQ(window.titleStorage, "");
    EXPECT_TRUE(window.tagsPassed);
    EXPECT_FALSE(window.memo6.empty());
}

TEST(TagChain, TitleWithoutDescriptionGoesStraightToTheBuilder) {
    Window window;
    window.includeDescription = false;
    window.answers = {Answer::Yes, Answer::Yes};
    window.runChain();
    EXPECT_EQ(window.shown,
              (std::vector<std::string>{"Now we will pick a TITLE for your web page"}));
    EXPECT_EQ(window.descriptionStorage, "and info on title search engines and much more.");
    const Lines sample = samplePage();
    EXPECT_EQ(Lines(window.page.begin(), window.page.begin() + 6),
              (Lines{"<html>", "<head>",
                     "<title>!!! AND HELP SEARCH ENGINES RANK YOUR PAGES WELL SEARCH ENGINES READ "
                     "THE FIRST !!!</title>",
                     sample[3],
                     "<meta name=\"keywords\" content=\"title,search,engines,search engines\">",
                     "</head>"}));
}
