#include "site_audit.h"

#include <algorithm>
#include <unordered_map>

namespace lumora::audit {

namespace {

constexpr FindingInfo kFindings[] = {
    {Finding::MissingTitle, "missing-title", "pages without a title"},
    {Finding::MissingDescription, "missing-description", "pages without a description"},
    {Finding::MissingKeywords, "missing-keywords", "pages without keywords"},
    {Finding::DuplicateTitle, "duplicate-title", "pages sharing their title"},
    {Finding::DuplicateDescription, "duplicate-description", "pages sharing their description"},
    {Finding::TitleTooLong, "title-too-long", "titles too long"},
    {Finding::TitleTooShort, "title-too-short", "titles too short"},
    {Finding::DescriptionTooLong, "description-too-long", "descriptions too long"},
    {Finding::DescriptionTooShort, "description-too-short", "descriptions too short"},
    {Finding::CharsetMismatch, "charset-mismatch", "pages declaring another character set"},
    {Finding::TagTestFailed, "tag-test-failed", "pages failing the tag test"},
};
static_assert(std::size(kFindings) == kFindingCount);

bool missing(const TagText& tag) {
    return !tag.present || tag.text.empty();
}

// Groups of two or more pages sharing one non-empty text, largest first.
std::vector<PageGroup> sharedTexts(std::span<const PageAudit> pages,
                                   const TagText PageAudit::*tag) {
    std::unordered_map<std::string_view, size_t> groupOf;
    groupOf.reserve(pages.size());
    std::vector<PageGroup> groups;
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string& text = (pages[i].*tag).text;
        if (text.empty())
            continue;
        const auto [at, fresh] = groupOf.try_emplace(text, groups.size());
        if (fresh)
            groups.push_back({text, {}});
        groups[at->second].pages.push_back(i);
    }
    std::erase_if(groups, [](const PageGroup& group) { return group.pages.size() < 2; });
    // Groups are made in the order of their first page, so a stable sort keeps that
    // order among groups of one size.
    std::stable_sort(groups.begin(), groups.end(), [](const PageGroup& a, const PageGroup& b) {
        return a.pages.size() > b.pages.size();
    });
    return groups;
}

// Every page of the groups, in page order.
std::vector<size_t> pagesOfGroups(const std::vector<PageGroup>& groups, size_t pageCount) {
    std::vector<bool> grouped(pageCount);
    for (const auto& group : groups)
        for (const size_t page : group.pages)
            grouped[page] = true;
    std::vector<size_t> pages;
    for (size_t i = 0; i < pageCount; ++i)
        if (grouped[i])
            pages.push_back(i);
    return pages;
}

} // namespace

std::span<const FindingInfo> allFindings() {
    return kFindings;
}

std::string_view findingId(Finding finding) {
    return kFindings[static_cast<size_t>(finding)].id;
}

std::string_view findingLabel(Finding finding) {
    return kFindings[static_cast<size_t>(finding)].label;
}

std::optional<Finding> findingFromId(std::string_view id) {
    for (const auto& info : kFindings)
        if (info.id == id)
            return info.finding;
    return std::nullopt;
}

std::vector<Finding> pageFindings(const PageAudit& page, const LengthLimits& limits) {
    std::vector<Finding> found;
    const bool noTitle = missing(page.title);
    const bool noDescription = missing(page.description);
    if (noTitle)
        found.push_back(Finding::MissingTitle);
    if (noDescription)
        found.push_back(Finding::MissingDescription);
    if (missing(page.keywords))
        found.push_back(Finding::MissingKeywords);
    if (!noTitle && page.title.length > limits.titleMax)
        found.push_back(Finding::TitleTooLong);
    if (!noTitle && page.title.length < limits.titleMin)
        found.push_back(Finding::TitleTooShort);
    if (!noDescription && page.description.length > limits.descriptionMax)
        found.push_back(Finding::DescriptionTooLong);
    if (!noDescription && page.description.length < limits.descriptionMin)
        found.push_back(Finding::DescriptionTooShort);
    if (page.charsetMismatch)
        found.push_back(Finding::CharsetMismatch);
    if (!page.tagTestPassed)
        found.push_back(Finding::TagTestFailed);
    return found;
}

SiteAudit auditSite(std::span<const PageAudit> pages, const LengthLimits& limits) {
    SiteAudit site;
    for (size_t i = 0; i < pages.size(); ++i)
        for (const Finding finding : pageFindings(pages[i], limits))
            site.pages[static_cast<size_t>(finding)].push_back(i);
    site.duplicateTitles = sharedTexts(pages, &PageAudit::title);
    site.duplicateDescriptions = sharedTexts(pages, &PageAudit::description);
    site.pages[static_cast<size_t>(Finding::DuplicateTitle)] =
        pagesOfGroups(site.duplicateTitles, pages.size());
    site.pages[static_cast<size_t>(Finding::DuplicateDescription)] =
        pagesOfGroups(site.duplicateDescriptions, pages.size());
    return site;
}

} // namespace lumora::audit
