#pragma once
// What the Search Result Preview shows for one page: its title and description cut as
// a search result cuts them, their lengths against the audit's limits, and the audit's
// findings for this page alone, each as one line of text.

#include "audit/page_audit.h"
#include "audit/site_audit.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumora::audit {

struct SearchResultView {
    std::string address; // the page's file name, as a result shows its address
    std::string title;
    std::string description;
    std::string titleLength;       // "Title: 84 characters (10 to 60 read well)"
    std::string descriptionLength; // likewise
    std::vector<std::string> findings;
};

// The sentence for one finding on one page, naming the limit it breaks and its id.
std::string pageFindingText(Finding finding, const PageAudit& page, const LengthLimits& limits);

SearchResultView searchResultView(const PageAudit& page, const LengthLimits& limits,
                                  std::string_view address);

// The one line shown when the audit finds nothing on the page.
inline constexpr std::string_view kNoFindingsText =
    "No findings: the audit has nothing to say about this page.";

} // namespace lumora::audit
