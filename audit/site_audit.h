#pragma once
// Findings across the pages of a site: shared titles and descriptions, missing tags,
// lengths outside the limits, character set mismatches and pages failing the tag test.
// Each finding has a short stable identifier, used on the command line and in JSON.

#include "audit/page_audit.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::audit {

enum class Finding {
    MissingTitle,
    MissingDescription,
    MissingKeywords,
    DuplicateTitle,
    DuplicateDescription,
    TitleTooLong,
    TitleTooShort,
    DescriptionTooLong,
    DescriptionTooShort,
    CharsetMismatch,
    TagTestFailed,
};
inline constexpr size_t kFindingCount = 11;

struct FindingInfo {
    Finding finding;
    std::string_view id;    // "missing-title", ...
    std::string_view label; // "pages without a title", ... for the summary
};

// Every finding, in the order above.
std::span<const FindingInfo> allFindings();
std::string_view findingId(Finding finding);
std::string_view findingLabel(Finding finding);
std::optional<Finding> findingFromId(std::string_view id);

// Lengths in characters; a title or description outside [min, max] is a finding. An
// absent or empty one is only "missing", never "too short".
struct LengthLimits {
    size_t titleMin = 10;
    size_t titleMax = 60;
    size_t descriptionMin = 50;
    size_t descriptionMax = 160;
};

// Pages sharing one text; `pages` index the audited pages, in page order.
struct PageGroup {
    std::string text;
    std::vector<size_t> pages;
};

struct SiteAudit {
    // The largest group first; groups of one size in the order of their first page.
    std::vector<PageGroup> duplicateTitles;
    std::vector<PageGroup> duplicateDescriptions;
    // For each finding (indexed by Finding), the pages that have it, in page order. The
    // duplicate findings list every page of every group.
    std::array<std::vector<size_t>, kFindingCount> pages;

    const std::vector<size_t>& pagesWith(Finding finding) const {
        return pages[static_cast<size_t>(finding)];
    }
    size_t count(Finding finding) const { return pagesWith(finding).size(); }
};

// The findings of one page on its own (everything but the duplicates), in Finding order.
std::vector<Finding> pageFindings(const PageAudit& page, const LengthLimits& limits);

// Linear in the pages; the result depends only on the pages and their order.
SiteAudit auditSite(std::span<const PageAudit> pages, const LengthLimits& limits);

} // namespace lumora::audit
