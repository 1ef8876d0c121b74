#include "audit_report.h"

#include "batch/page_result.h"

namespace lumora::batch {

namespace {

using audit::Finding;

constexpr size_t kPagesNamedPerGroup = 5;

void appendGroups(std::string& out, std::string_view heading,
                  std::span<const audit::PageGroup> groups, std::span<const audit::PageAudit> pages,
                  size_t maxGroups) {
    if (groups.empty())
        return;
    out += "\n" + std::string(heading) + " (" + std::to_string(groups.size()) +
           (groups.size() == 1 ? " group" : " groups") + "):\n";
    for (size_t g = 0; g < groups.size() && g < maxGroups; ++g) {
        const auto& group = groups[g];
        out += "  " + std::to_string(group.pages.size()) + " pages: \"" + displayName(group.text) +
               "\"\n";
        for (size_t i = 0; i < group.pages.size() && i < kPagesNamedPerGroup; ++i)
            out += "    " + displayName(pages[group.pages[i]].path) + "\n";
        if (group.pages.size() > kPagesNamedPerGroup)
            out +=
                "    and " + std::to_string(group.pages.size() - kPagesNamedPerGroup) + " more\n";
    }
    if (groups.size() > maxGroups)
        out += "  and " + std::to_string(groups.size() - maxGroups) + " more groups\n";
}

void appendGroupsJson(std::string& out, std::span<const audit::PageGroup> groups,
                      std::span<const audit::PageAudit> pages) {
    out += '[';
    for (size_t g = 0; g < groups.size(); ++g) {
        out += g ? ",{\"text\":" : "{\"text\":";
        out += jsonString(groups[g].text) + ",\"pages\":[";
        for (size_t i = 0; i < groups[g].pages.size(); ++i)
            out += (i ? "," : "") + jsonString(pages[groups[g].pages[i]].path);
        out += "]}";
    }
    out += ']';
}

void appendTag(std::string& out, std::string_view name, const audit::TagText& tag) {
    out += ",\"" + std::string(name) + "\":" + jsonString(tag.text) + ",\"" + std::string(name) +
           "_length\":" + std::to_string(tag.length);
}

} // namespace

std::vector<std::vector<Finding>> findingsByPage(size_t pageCount, const audit::SiteAudit& site) {
    std::vector<std::vector<Finding>> findings(pageCount);
    for (const auto& info : audit::allFindings())
        for (const size_t page : site.pagesWith(info.finding))
            findings[page].push_back(info.finding);
    return findings;
}

std::string auditSummary(std::span<const audit::PageAudit> pages, const audit::SiteAudit& site,
                         size_t unreadable, size_t maxGroups) {
    std::string out =
        std::to_string(pages.size()) + (pages.size() == 1 ? " page" : " pages") + " audited";
    if (unreadable > 0)
        out += ", " + std::to_string(unreadable) + " could not be read";
    out += "\n";
    for (const auto& info : audit::allFindings()) {
        std::string count = std::to_string(site.count(info.finding));
        out += std::string(count.size() < 7 ? 7 - count.size() : 0, ' ') + count + "  " +
               std::string(info.id) +
               std::string(info.id.size() < 22 ? 24 - info.id.size() : 2, ' ') +
               std::string(info.label) + "\n";
    }
    appendGroups(out, "Pages sharing a title", site.duplicateTitles, pages, maxGroups);
    appendGroups(out, "Pages sharing a description", site.duplicateDescriptions, pages, maxGroups);
    return out;
}

std::string auditPageJson(const audit::PageAudit& page, std::span<const Finding> findings) {
    std::string out = "{\"path\":" + jsonString(page.path) +
                      ",\"status\":\"ok\",\"size\":" + std::to_string(page.size);
    appendTag(out, "title", page.title);
    appendTag(out, "description", page.description);
    appendTag(out, "keywords", page.keywords);
    out += std::string(",\"tag_test\":") + (page.tagTestPassed ? "\"passed\"" : "\"failed\"");
    out += ",\"tag_message\":" + jsonString(page.tagTestMessage);
    out += ",\"charset\":" + jsonString(page.declaredCharset);
    out += ",\"bytes\":" + jsonString(audit::byteCharsetName(page.byteCharset));
    out += ",\"lang\":" + jsonString(page.lang);
    out += ",\"findings\":[";
    for (size_t i = 0; i < findings.size(); ++i)
        out += (i ? "," : "") + jsonString(audit::findingId(findings[i]));
    return out + "]}\n";
}

std::string auditSiteJson(std::span<const audit::PageAudit> pages, const audit::SiteAudit& site,
                          size_t unreadable, const audit::LengthLimits& limits) {
    std::string out = "{\"site\":{\"pages\":" + std::to_string(pages.size()) +
                      ",\"unreadable\":" + std::to_string(unreadable);
    out += ",\"limits\":{\"title_min\":" + std::to_string(limits.titleMin) +
           ",\"title_max\":" + std::to_string(limits.titleMax) +
           ",\"description_min\":" + std::to_string(limits.descriptionMin) +
           ",\"description_max\":" + std::to_string(limits.descriptionMax) + "}";
    out += ",\"counts\":{";
    bool first = true;
    for (const auto& info : audit::allFindings()) {
        out += (first ? "" : ",") + jsonString(info.id) + ":" +
               std::to_string(site.count(info.finding));
        first = false;
    }
    out += "},\"duplicate_titles\":";
    appendGroupsJson(out, site.duplicateTitles, pages);
    out += ",\"duplicate_descriptions\":";
    appendGroupsJson(out, site.duplicateDescriptions, pages);
    return out + "}}\n";
}

} // namespace lumora::batch
