#pragma once
// The site audit as one self-contained HTML file: the summary, a table per finding that
// links each page by its path relative to the report, and the length charts. No
// script, no style sheet or picture from elsewhere; tables read without the charts
// (a viewer that draws no SVG still shows every table).

#include "audit/page_audit.h"
#include "audit/site_audit.h"

#include <span>
#include <string>
#include <vector>

namespace lumora::audit {

struct HtmlReportPages {
    std::span<const PageAudit> pages; // their `path` is what the report shows
    // For each page, its path relative to the report's folder with "/" between
    // folders, as the link is to lead there.
    std::span<const std::string> links;
    size_t unreadable = 0; // pages that could not be read, left out of the report
};

std::string htmlReport(const HtmlReportPages& pages, const SiteAudit& site,
                       const LengthLimits& limits);

// `page` relative to the folder of `report`, "/" between folders; both as the
// command line named them (relative ones against the working folder).
std::string reportLink(const std::string& page, const std::string& report);

} // namespace lumora::audit
