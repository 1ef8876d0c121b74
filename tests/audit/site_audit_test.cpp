#include "audit/site_audit.h"

#include <gtest/gtest.h>

using namespace lumora::audit;

TEST(SiteAudit, FindingIdentifiersRoundTrip) {
    ASSERT_EQ(allFindings().size(), kFindingCount);
    for (size_t i = 0; i < kFindingCount; ++i) {
        const Finding finding = allFindings()[i].finding;
        EXPECT_EQ(static_cast<size_t>(finding), i);
        EXPECT_EQ(findingFromId(findingId(finding)), finding);
    }
    EXPECT_EQ(findingFromId("missing-title"), Finding::MissingTitle);
    EXPECT_EQ(findingFromId("Missing-Title"), std::nullopt);
    EXPECT_EQ(findingFromId(""), std::nullopt);
}

namespace {

PageAudit page(std::string title, std::string description, size_t titleLength = 0,
               size_t descriptionLength = 0) {
    PageAudit audit;
    audit.title = {title, true, titleLength ? titleLength : title.size()};
    audit.description = {description, true,
                         descriptionLength ? descriptionLength : description.size()};
    audit.keywords = {"k", true, 1};
    audit.tagTestPassed = true;
    return audit;
}

} // namespace

// Largest group first, equal sizes in the order of their first page, pages in page
// order, empty texts never grouped.
TEST(SiteAudit, GroupsPagesSharingATitleOrDescription) {
    const std::string d(60, 'd');
    const std::vector<PageAudit> pages = {
        page("Alpha page one", d + "1"),
        page("Beta page one", d + "2"),
        page("Alpha page one", d + "1"),
        page("Gamma page one", d + "2"),
        page("Beta page one", d + "3"),
        page("Beta page one", d + "1"),
        page("", ""),
        page("", ""),
    };
    const SiteAudit site = auditSite(pages, {});
    ASSERT_EQ(site.duplicateTitles.size(), 2u);
    EXPECT_EQ(site.duplicateTitles[0].text, "Beta page one");
    EXPECT_EQ(site.duplicateTitles[0].pages, (std::vector<size_t>{1, 4, 5}));
    EXPECT_EQ(site.duplicateTitles[1].text, "Alpha page one");
    EXPECT_EQ(site.duplicateTitles[1].pages, (std::vector<size_t>{0, 2}));
    EXPECT_EQ(site.pagesWith(Finding::DuplicateTitle), (std::vector<size_t>{0, 1, 2, 4, 5}));

    ASSERT_EQ(site.duplicateDescriptions.size(), 2u);
    EXPECT_EQ(site.duplicateDescriptions[0].pages, (std::vector<size_t>{0, 2, 5}));
    EXPECT_EQ(site.duplicateDescriptions[1].pages, (std::vector<size_t>{1, 3}));
    EXPECT_EQ(site.pagesWith(Finding::MissingTitle), (std::vector<size_t>{6, 7}));
    EXPECT_EQ(site.pagesWith(Finding::MissingDescription), (std::vector<size_t>{6, 7}));
}

// Lengths are the characters the page audit counted; the limits themselves pass, and a
// missing text is not also too short.
TEST(SiteAudit, LengthLimitsAndPageFindings) {
    const LengthLimits limits{3, 5, 4, 6};
    struct Case {
        PageAudit page;
        std::vector<Finding> findings;
    };
    PageAudit bare;
    bare.title.present = true; // "<title></title>"
    PageAudit failing = page("Title", "Desc");
    failing.tagTestPassed = false;
    failing.charsetMismatch = true;
    failing.keywords = {};
    const Case cases[] = {
        {page("abc", "abcd"), {}},
        {page("abcde", "abcdef"), {}},
        {page("ab", "abc"), {Finding::TitleTooShort, Finding::DescriptionTooShort}},
        {page("abcdef", "abcdefg"), {Finding::TitleTooLong, Finding::DescriptionTooLong}},
        // Seven bytes but five characters: within the limit.
        {page("\xc3\xa9\xc3\xa9xyz", "abcd", 5), {}},
        {bare,
         {Finding::MissingTitle, Finding::MissingDescription, Finding::MissingKeywords,
          Finding::TagTestFailed}},
        {failing, {Finding::MissingKeywords, Finding::CharsetMismatch, Finding::TagTestFailed}},
    };
    std::vector<PageAudit> pages;
    for (const auto& c : cases) {
        EXPECT_EQ(pageFindings(c.page, limits), c.findings) << c.page.title.text;
        pages.push_back(c.page);
    }
    const SiteAudit site = auditSite(pages, limits);
    EXPECT_EQ(site.pagesWith(Finding::TitleTooShort), (std::vector<size_t>{2}));
    EXPECT_EQ(site.pagesWith(Finding::TitleTooLong), (std::vector<size_t>{3}));
    EXPECT_EQ(site.pagesWith(Finding::MissingKeywords), (std::vector<size_t>{5, 6}));
    EXPECT_EQ(site.count(Finding::TagTestFailed), 2u);
    EXPECT_EQ(site.count(Finding::DuplicateTitle), 0u);
}
