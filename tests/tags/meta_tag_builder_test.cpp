#include "tags/meta_tag_builder.h"

#include "tags/keyword_tag_check.h"
#include "tags/keyword_tag_forms.h"

#include "tests/tags/sample_page.h"
#include "text/ascii_case.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumora::tags;
using lumora::tags::testing::kFooterComment;
using lumora::tags::testing::samplePage;
using lumora::text::Lines;

namespace {

const std::string kTitleK = "<title>!!! Where you can find k3 - k2 - k1 - and much more as we "
                            "update our site regularly***** !!!</title>";
const std::string kDescriptionK =
    "<meta name=\"description\" content=\"and info on k3 k2 k1 and much more.\">";
const std::string kKeywordsK = "<meta name=\"keywords\" content=\"k3,k2,k1,k2 k1\">";
const std::string kHiddenK = "<!--  and even k3,k2,k1 Lumora V.01.01 --> ";

MetaTagControls automaticControls() {
    MetaTagControls c;
    c.scanKeywords = {"k1", "k2", "k3"};
    c.foundKeywords = {"k1", "k2", "k3"};
    return c;
}

MetaTagControls manualControls() {
    MetaTagControls c;
    c.automaticMode = false;
    c.foundKeywords = {"k1", "k2", "k3"};
    c.chosenKeywords = {"k1", "k2", "k3"};
    return c;
}

Lines slice(const Lines& lines, size_t from, size_t to) {
    return Lines(lines.begin() + static_cast<long>(from), lines.begin() + static_cast<long>(to));
}

long countContaining(const Lines& lines, std::string_view pattern) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return lumora::text::containsFolded(line, pattern);
    });
}

bool isFooterLink(const std::string& line) {
    return line.starts_with("<p><center><FONT SIZE=\"size=\"+1\">Meta Tags By <a href=\"") &&
           line.find("\">Lumora</a><br> Click Here For <a href=\"") != std::string::npos &&
           line.ends_with("\">Free DownLoad!</a></FONT></center></p>");
}

MetaTagOutcome buildAfterYes(const Lines& page, const MetaTagControls& controls) {
    const MetaTagCheck check = checkMetaTagBuild(page, controls);
    EXPECT_FALSE(check.stopMessage) << *check.stopMessage;
    return buildMetaTags(page, controls, Answer::Yes);
}

} // namespace

TEST(MetaTagBuilder, SamplePageInAutomaticModeGetsTheNewHeadAndFooter) {
    const Lines sample = samplePage();
    ASSERT_EQ(sample.size(), 33u);
    const MetaTagOutcome outcome = buildAfterYes(sample, automaticControls());

    Lines expected = {"<html>", "<head>", kTitleK, kDescriptionK, kKeywordsK, kHiddenK};
    const Lines body = slice(sample, 5, 31); // "</head>" up to "</center>"
    expected.insert(expected.end(), body.begin(), body.end());
    ASSERT_TRUE(outcome.completed);
    ASSERT_EQ(outcome.page.size(), expected.size() + 5);
    EXPECT_EQ(slice(outcome.page, 0, expected.size()), expected);
    EXPECT_EQ(outcome.page[expected.size()], kFooterComment);
    EXPECT_TRUE(isFooterLink(outcome.page[expected.size() + 1]));
    EXPECT_EQ(slice(outcome.page, expected.size() + 2, outcome.page.size()),
              (Lines{"</body>", "</html>", " "}));

    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(outcome.descriptionStorage, "and info on k3 k2 k1 and much more.");
    EXPECT_TRUE(outcome.clearScanKeywords);
    EXPECT_TRUE(outcome.clearTagsPassed);
    EXPECT_TRUE(outcome.caretToStart);
}

TEST(MetaTagBuilder, AnswerNoKeepsTheTagsButTidiesAndAddsFooter) {
    Lines page = samplePage();
    page.insert(page.begin() + 3, ""); // the empty line after the title goes in the tidy-up
    MetaTagControls controls = automaticControls();
    const MetaTagOutcome outcome = buildMetaTags(page, controls, Answer::No);

    ASSERT_TRUE(outcome.completed);
    Lines expected = slice(samplePage(), 0, 31);
    EXPECT_EQ(slice(outcome.page, 0, 31), expected);
    EXPECT_EQ(outcome.page[31], kFooterComment);
    EXPECT_EQ(slice(outcome.page, 33, outcome.page.size()), (Lines{"</body>", "</html>", " "}));
    EXPECT_EQ(outcome.descriptionStorage, "") << "No skips the texts, so nothing is stored";
    EXPECT_TRUE(outcome.clearTagsPassed);
}

TEST(MetaTagBuilder, CancelChangesNothing) {
    const MetaTagOutcome outcome = buildMetaTags(samplePage(), automaticControls(), Answer::Cancel);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.messages, (std::vector<std::string>{"Meta Tags not added."}));
    EXPECT_EQ(outcome.page, samplePage());
    EXPECT_FALSE(outcome.clearTagsPassed);
}

TEST(MetaTagBuilder, StoredTitleForms) {
    struct Case {
        std::string stored;
        bool automatic;
        std::string titleLine;
        std::string hiddenLine;
    };
    const Case cases[] = {
        {" my page", true, "<title>!!! MY PAGE !!!</title>",
         "<!--  my page and even k3,k2,k1 Lumora V.01.01 --> "},
        {" my page", false, "<title>!!!  MY PAGE !!!</title>",
         "<!--  my page and even k3,k2,k1 Lumora V.01.01 --> "},
        {"My Page", true, "<title>!!!MY PAGE !!!</title>",
         "<!-- my page and even k3,k2,k1 Lumora V.01.01 --> "},
    };
    for (const Case& c : cases) {
        MetaTagControls controls = c.automatic ? automaticControls() : manualControls();
        controls.titleStorage = c.stored;
        const MetaTagOutcome outcome = buildAfterYes(samplePage(), controls);
        SCOPED_TRACE(c.stored + (c.automatic ? " automatic" : " manual"));
        EXPECT_EQ(outcome.page[2], c.titleLine);
        EXPECT_EQ(outcome.page[5], c.hiddenLine);
    }
}

TEST(MetaTagBuilder, DescriptionStorageIsFilledWhenEmptyAndUsedWhenFilled) {
    MetaTagControls controls = automaticControls();
    controls.descriptionStorage = " our own words";
    MetaTagOutcome outcome = buildAfterYes(samplePage(), controls);
    EXPECT_EQ(outcome.page[3], "<meta name=\"description\" content=\" our own words\">");
    EXPECT_EQ(outcome.descriptionStorage, " our own words");

    controls.descriptionStorage.clear();
    outcome = buildAfterYes(samplePage(), controls);
    EXPECT_EQ(outcome.page[3], kDescriptionK);
    EXPECT_EQ(outcome.descriptionStorage, "and info on k3 k2 k1 and much more.");
}

TEST(MetaTagBuilder, BoosterOnlyInAutomaticMode) {
    MetaTagControls manual = manualControls();
    manual.keywordBooster = true;
    EXPECT_EQ(buildAfterYes(samplePage(), manual).page[4],
              "<meta name=\"keywords\" content=\"k3,k2,k1\">");

    MetaTagControls automatic = automaticControls();
    automatic.keywordBooster = false;
    EXPECT_EQ(buildAfterYes(samplePage(), automatic).page[4],
              "<meta name=\"keywords\" content=\"k3,k2,k1\">");

    automatic.keywordBooster = true;
    automatic.scanKeywords = {"solo"};
    EXPECT_EQ(buildAfterYes(samplePage(), automatic).page[4],
              "<meta name=\"keywords\" content=\"solo,solo\">");
}

TEST(MetaTagBuilder, ManualModeTakesTheChosenListInItsOrder) {
    MetaTagControls controls = manualControls();
    controls.chosenKeywords = {"beta", "alpha"};
    controls.scanKeywords = {"ignored"};
    const MetaTagOutcome outcome = buildAfterYes(samplePage(), controls);
    EXPECT_EQ(outcome.page[2], "<title>!!! Where you can find alpha - beta - and much more as we "
                               "update our site regularly***** !!!</title>");
    EXPECT_EQ(outcome.page[4], "<meta name=\"keywords\" content=\"alpha,beta\">");
}

TEST(MetaTagBuilder, ChecksStopWithTheirMessages) {
    Lines twoLineTitle = samplePage();
    twoLineTitle[2] = "<TITLE>Help Me Find";
    twoLineTitle.insert(twoLineTitle.begin() + 3, "A Good Title</TITLE>");
    Lines noHead = samplePage();
    noHead[1] = "<HEAD >";

    MetaTagControls manualNoFound = manualControls();
    manualNoFound.foundKeywords.clear();
    MetaTagControls manualNoChosen = manualControls();
    manualNoChosen.chosenKeywords.clear();
    MetaTagControls automaticNoScan = automaticControls();
    automaticNoScan.scanKeywords.clear();

    struct Case {
        Lines page;
        MetaTagControls controls;
        std::string message;
    };
    const Case cases[] = {
        {{}, automaticControls(), "You need to load a document first!"},
        {noHead, automaticControls(),
         "This document is missing the <head> tag.\rLumora may not work without the this "
         "tage.\rPlease check your document."},
        {samplePage(), manualNoFound,
         "You need add keywords LOWER left edit box first.\rClick Get Keywords button. Then "
         "double click on the LOWER left bottom box."},
        {samplePage(), manualNoChosen,
         "You need add keywords to lower left UPPER edit box first.\rDouble click on the "
         "keywords in the LOWER left botton box."},
        {samplePage(), automaticNoScan,
         "You need to extract your keywords first! Click Get Keywords button."},
        {twoLineTitle, automaticControls(),
         "You need to put your title tags on one line only!\rMissing Title Tag = <title>help me "
         "find   ...Please fix."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const MetaTagCheck check = checkMetaTagBuild(c.page, c.controls);
        ASSERT_TRUE(check.stopMessage);
        EXPECT_EQ(*check.stopMessage, c.message);
        const MetaTagOutcome outcome = buildMetaTags(c.page, c.controls, Answer::Yes);
        EXPECT_FALSE(outcome.completed);
        EXPECT_EQ(outcome.page, c.page);
        EXPECT_EQ(outcome.messages, std::vector<std::string>{c.message});
    }
}

TEST(MetaTagBuilder, QuestionDependsOnAnExistingKeywordsTag) {
    const std::string replace =
        "You already have Meta Tags on this web page. \r\rDo you want to replace them now?";
    const std::string add =
        "Are you ready to add Meta Tags to this web page? \r\rDo you want to add them now?";
    Lines page = samplePage();
    EXPECT_EQ(checkMetaTagBuild(page, automaticControls()).question, replace);
    page[4] = "<META NAME = Keywords CONTENT=\"x\">";
    EXPECT_EQ(checkMetaTagBuild(page, automaticControls()).question, replace);
    page.erase(page.begin() + 4);
    EXPECT_EQ(checkMetaTagBuild(page, automaticControls()).question, add);
}

// The builder and the keyword-tag check must agree on a tag at the page's first character.
TEST(MetaTagBuilder, KeywordsTagAtTheFirstCharacterIsSeenAsTheCheckSeesIt) {
    for (const std::string_view form : kKeywordTagForms) {
        Lines page = samplePage();
        page.erase(page.begin() + 4); // its own keywords tag
        page.insert(page.begin(), std::string(form) + "\" content=\"x\">");
        ASSERT_TRUE(findKeywordTag(page)) << form;
        EXPECT_EQ(checkMetaTagBuild(page, automaticControls()).question,
                  "You already have Meta Tags on this web page. \r\rDo you want to replace them "
                  "now?")
            << form;
    }
}

TEST(MetaTagBuilder, TitleOffKeepsTheTitleAndPutsTheDescriptionAfterIt) {
    MetaTagControls controls = automaticControls();
    controls.includeTitle = false;
    const Lines sample = samplePage();
    const MetaTagOutcome outcome = buildAfterYes(sample, controls);
    // Partial writing: the old keywords line was marked before the hidden words looked for
    // it, so only title, description and keywords stand in the head.
    EXPECT_EQ(slice(outcome.page, 0, 6),
              (Lines{"<html>", "<head>", sample[2], kDescriptionK, kKeywordsK, "</head>"}));
    EXPECT_TRUE(outcome.messages.empty());
}

TEST(MetaTagBuilder, KeywordsWithoutDescriptionTagAreNotWritten) {
    Lines page = samplePage();
    page.erase(page.begin() + 3); // no description tag
    MetaTagControls controls = automaticControls();
    controls.includeDescription = false;
    controls.addHiddenWords = false;
    const MetaTagOutcome outcome = buildAfterYes(page, controls);
    EXPECT_EQ(
        outcome.messages,
        std::vector<std::string>{"Description tag must be present before you add Keywords Tag."});
    EXPECT_EQ(countContaining(outcome.page, "meta name=\"keywords"), 0);
    EXPECT_EQ(slice(outcome.page, 0, 4), (Lines{"<html>", "<head>", kTitleK, "</head>"}));
}

TEST(MetaTagBuilder, HiddenWordsAloneNeedAKeywordsTag) {
    Lines page = samplePage();
    page.erase(page.begin() + 4); // no keywords tag
    MetaTagControls controls = automaticControls();
    controls.includeTitle = false;
    controls.includeDescription = false;
    controls.includeKeywords = false;
    const MetaTagOutcome outcome = buildAfterYes(page, controls);
    EXPECT_EQ(outcome.messages,
              std::vector<std::string>{"Hidden text will not be added with out a Keyword Tag."});
    EXPECT_EQ(countContaining(outcome.page, "lumora v.01.01 -->"), 0);

    const MetaTagOutcome withTag = buildAfterYes(samplePage(), controls);
    EXPECT_TRUE(withTag.messages.empty());
    EXPECT_EQ(slice(withTag.page, 4, 6), (Lines{samplePage()[4], kHiddenK}));
}

TEST(MetaTagBuilder, RunningTwiceLeavesOneSetAndOneFooter) {
    MetaTagControls controls = automaticControls();
    MetaTagOutcome first = buildAfterYes(samplePage(), controls);
    controls.descriptionStorage = first.descriptionStorage;
    EXPECT_EQ(checkMetaTagBuild(first.page, controls).question,
              "You already have Meta Tags on this web page. \r\rDo you want to replace them now?");
    MetaTagOutcome second = buildAfterYes(first.page, controls);

    for (std::string_view generated : {"<title>", "meta name=\"description", "meta name=\"keywords",
                                       "lumora v.01.01 -->", "</body>"})
        EXPECT_EQ(countContaining(second.page, generated), 1) << generated;
    EXPECT_EQ(std::count_if(second.page.begin(), second.page.end(), isFooterLink), 1);
    EXPECT_EQ(slice(second.page, 0, 6), slice(first.page, 0, 6));
    EXPECT_EQ(second.page.size(), first.page.size() + 1) << "only one more closing space line";
}

TEST(MetaTagBuilder, FooterGoesBeforeTheFirstBodyEnd) {
    Lines lastLine = {"<html><head>", "<p>Text.</p>", "</body>"};
    const MetaTagOutcome outcome = buildAfterYes(lastLine, automaticControls());
    ASSERT_GE(outcome.page.size(), 4u);
    const size_t n = outcome.page.size();
    EXPECT_EQ(outcome.page[n - 4], kFooterComment);
    EXPECT_TRUE(isFooterLink(outcome.page[n - 3]));
    EXPECT_EQ(outcome.page[n - 2], "</body>");
    EXPECT_EQ(outcome.page[n - 1], " ");

    const Lines noBody = {"<html><head>", "<p>Text.</p>", "</html>"};
    const MetaTagOutcome bare = buildAfterYes(noBody, automaticControls());
    EXPECT_EQ(countContaining(bare.page, "Dear Webmaster"), 0);
    EXPECT_EQ(bare.page.back(), " ");
}

TEST(MetaTagBuilder, ShortLineAfterTitleIsDropped) {
    Lines page = samplePage();
    MetaTagControls controls = automaticControls();
    controls.includeTitle = false;
    page.insert(page.begin() + 3, "x");
    const MetaTagOutcome outcome = buildMetaTags(page, controls, Answer::No);
    EXPECT_EQ(outcome.page[3], samplePage()[3]);
    page[3] = "\xC3\xA9\xC3\xA9"; // two characters, four bytes: kept
    EXPECT_EQ(buildMetaTags(page, controls, Answer::No).page[3], page[3]);
}

// A head written on one line lost everything but the new tags when whole lines were replaced.
TEST(MetaTagBuilder, OneLineHeadKeepsItsOtherMarkup) {
    const Lines page = {"<html><head><title>Old</title><meta name=\"description\" content=\"x\">"
                        "<link rel=\"stylesheet\" href=\"Style.CSS\"></head>",
                        "<body>", "<p>Words.</p>", "</body>", "</html>"};
    const MetaTagOutcome outcome = buildAfterYes(page, automaticControls());
    ASSERT_TRUE(outcome.completed);
    const Lines expectedHead = {
        "<html><head>", kTitleK,  kDescriptionK,
        kKeywordsK,     kHiddenK, "<link rel=\"stylesheet\" href=\"Style.CSS\"></head>",
        "<body>"};
    EXPECT_EQ(slice(outcome.page, 0, expectedHead.size()), expectedHead);
    for (std::string_view tag : {"<title>", "meta name=\"description", "meta name=\"keywords"})
        EXPECT_EQ(countContaining(outcome.page, tag), 1) << tag;
    EXPECT_EQ(countContaining(outcome.page, "old</title>"), 0);
}

// The line after a head line that shared its line with the cut title used to be overwritten.
TEST(MetaTagBuilder, LineAfterSharedHeadLineSurvives) {
    const Lines page = {"<HEAD><TITLE>Old</TITLE>",
                        "<Link Href=\"A.css\">",
                        "<meta name=\"description\" content=\"x\">",
                        "</head>",
                        "<body>",
                        "</body>"};
    const MetaTagOutcome outcome = buildAfterYes(page, automaticControls());
    EXPECT_EQ(slice(outcome.page, 0, 7), (Lines{"<HEAD>", kTitleK, kDescriptionK, kKeywordsK,
                                                kHiddenK, "<Link Href=\"A.css\">", "</head>"}));
}

TEST(MetaTagBuilder, TagsKeptByTheirBoxesAreNotSplit) {
    const Lines page = {"<head><title>Keep Me</title><meta name=\"description\" content=\"x\">",
                        "</head>"};
    MetaTagControls controls = automaticControls();
    controls.includeTitle = false;
    controls.includeKeywords = false;
    controls.addHiddenWords = false;
    const MetaTagOutcome outcome = buildAfterYes(page, controls);
    EXPECT_EQ(slice(outcome.page, 0, 3),
              (Lines{"<head><title>Keep Me</title>", kDescriptionK, "</head>"}));
}
