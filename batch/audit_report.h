#pragma once
// How the audit command shows what it found: a short summary for a reader, or one
// JSON object per page and line followed by one object for the site.

#include "audit/site_audit.h"

#include <span>
#include <string>

namespace lumora::batch {

// Counts per finding, then the largest groups of pages sharing a title or a
// description (at most `maxGroups` of each, a few pages named per group).
std::string auditSummary(std::span<const audit::PageAudit> pages, const audit::SiteAudit& site,
                         size_t unreadable, size_t maxGroups = 10);

// One page, with every finding it has (the duplicates too), on one line.
std::string auditPageJson(const audit::PageAudit& page, std::span<const audit::Finding> findings);

// The site: page count, unreadable pages, limits, counts and the groups, on one line.
std::string auditSiteJson(std::span<const audit::PageAudit> pages, const audit::SiteAudit& site,
                          size_t unreadable, const audit::LengthLimits& limits);

// Every finding of each page, site-wide ones included, in finding order.
std::vector<std::vector<audit::Finding>> findingsByPage(size_t pageCount,
                                                        const audit::SiteAudit& site);

} // namespace lumora::batch
