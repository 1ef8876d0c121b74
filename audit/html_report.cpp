#include "audit/html_report.h"

#include "audit/html_escape.h"
#include "audit/length_chart.h"

#include <filesystem>

namespace lumora::audit {
namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:1.5em;max-width:72em;color:#222}"
    "table{border-collapse:collapse;margin:.4em 0 1.4em}"
    "th,td{border:1px solid #bbb;padding:.2em .5em;text-align:left;vertical-align:top}"
    "th{background:#eee}td.n{text-align:right}"
    "figure{margin:.5em 0 1.5em}figcaption{font-size:90%;color:#555}figcaption "
    "p{margin-top:0;margin-bottom:0}";

// Attributes that draw the grid where style sheets are not read.
constexpr const char* kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"";

// "pages without a title" as a heading.
std::string heading(std::string_view label) {
    std::string text(label);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string count(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

class Report {
public:
    Report(const HtmlReportPages& pages, const SiteAudit& site, const LengthLimits& limits)
        : pages_(pages), site_(site), limits_(limits) {}

    std::string write() {
        out_ += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                "<title>Site audit</title>\n<style>";
        out_ += kStyle;
        out_ += "</style>\n</head>\n<body>\n<h1>Site audit</h1>\n";
        out_ += "<p>" + count(pages_.pages.size(), "page", "pages") +
                " read. Titles read well with " + std::to_string(limits_.titleMin) + " to " +
                std::to_string(limits_.titleMax) + " characters, descriptions with " +
                std::to_string(limits_.descriptionMin) + " to " +
                std::to_string(limits_.descriptionMax) + ".</p>\n";
        if (pages_.unreadable > 0)
            out_ += "<p>" + count(pages_.unreadable, "page", "pages") +
                    " could not be read and are left out.</p>\n";
        summary();
        charts();
        for (const FindingInfo& info : allFindings())
            if (site_.count(info.finding) > 0)
                findingSection(info);
        out_ += "</body>\n</html>\n";
        return std::move(out_);
    }

private:
    void summary() {
        out_ += "<h2 id=\"summary\">Summary</h2>\n";
        out_ += kTable + std::string(" class=\"summary\">\n<tr><th>Finding</th><th>Pages</th>"
                                     "</tr>\n");
        for (const FindingInfo& info : allFindings()) {
            const size_t n = site_.count(info.finding);
            std::string label = htmlEscaped(info.label);
            if (n > 0)
                label = "<a href=\"#" + std::string(info.id) + "\">" + label + "</a>";
            out_ +=
                "<tr><td>" + label + "</td><td class=\"n\">" + std::to_string(n) + "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    void charts() {
        std::vector<size_t> titles;
        std::vector<size_t> descriptions;
        for (const PageAudit& page : pages_.pages) {
            if (page.title.present)
                titles.push_back(page.title.length);
            if (page.description.present)
                descriptions.push_back(page.description.length);
        }
        out_ += "<h2 id=\"lengths\">Lengths</h2>\n";
        chart("title-lengths", "Title lengths", titles, limits_.titleMin, limits_.titleMax);
        chart("description-lengths", "Description lengths", descriptions, limits_.descriptionMin,
              limits_.descriptionMax);
    }

    void chart(const char* id, const char* what, const std::vector<size_t>& lengths, size_t min,
               size_t max) {
        out_ += "<div class=\"figure\"><figure>\n" + lengthChartSvg(id, what, lengths, min, max);
        out_ += "<figcaption><p>" + std::string(what) + " of " +
                count(lengths.size(), "page", "pages") + " that have the tag: pages per band of " +
                std::to_string(lengthBands(lengths, min, max).width) +
                " characters, pages outside " + std::to_string(min) + " to " + std::to_string(max) +
                " in orange; dashed lines mark the limits.</p></figcaption>\n"
                "</figure></div>\n";
    }

    std::string link(size_t page) const {
        return "<a href=\"" + htmlEscaped(percentEncodedPath(pages_.links[page])) + "\">" +
               htmlEscaped(pages_.pages[page].path) + "</a>";
    }

    void findingSection(const FindingInfo& info) {
        const size_t n = site_.count(info.finding);
        out_ += "<h2 id=\"" + std::string(info.id) + "\">" + htmlEscaped(heading(info.label)) +
                " (" + std::to_string(n) + ")</h2>\n";
        out_ +=
            kTable + std::string(" class=\"finding\" id=\"table-") + std::string(info.id) + "\">\n";
        switch (info.finding) {
        case Finding::DuplicateTitle:
            groups("Title", site_.duplicateTitles);
            break;
        case Finding::DuplicateDescription:
            groups("Description", site_.duplicateDescriptions);
            break;
        case Finding::TitleTooLong:
        case Finding::TitleTooShort:
            lengthRows(info.finding, "Title", &PageAudit::title);
            break;
        case Finding::DescriptionTooLong:
        case Finding::DescriptionTooShort:
            lengthRows(info.finding, "Description", &PageAudit::description);
            break;
        case Finding::CharsetMismatch:
            out_ += "<tr><th>Page</th><th>Declared</th><th>Bytes</th></tr>\n";
            for (const size_t page : site_.pagesWith(info.finding)) {
                const PageAudit& audit = pages_.pages[page];
                out_ += "<tr><td>" + link(page) + "</td><td>" + htmlEscaped(audit.declaredCharset) +
                        "</td><td>" + std::string(byteCharsetName(audit.byteCharset)) +
                        "</td></tr>\n";
            }
            break;
        case Finding::TagTestFailed:
            out_ += "<tr><th>Page</th><th>Tag test</th></tr>\n";
            for (const size_t page : site_.pagesWith(info.finding)) {
                const std::string& message = pages_.pages[page].tagTestMessage;
                out_ += "<tr><td>" + link(page) + "</td><td>" +
                        htmlEscaped(message.substr(0, message.find('\r'))) + "</td></tr>\n";
            }
            break;
        case Finding::MissingTitle:
        case Finding::MissingDescription:
        case Finding::MissingKeywords:
            out_ += "<tr><th>Page</th></tr>\n";
            for (const size_t page : site_.pagesWith(info.finding))
                out_ += "<tr><td>" + link(page) + "</td></tr>\n";
            break;
        }
        out_ += "</table>\n";
    }

    void groups(const char* what, const std::vector<PageGroup>& groups) {
        out_ += std::string("<tr><th>") + what + "</th><th>Pages</th></tr>\n";
        for (const PageGroup& group : groups) {
            out_ += "<tr><td>" + htmlEscaped(group.text) + "</td><td>";
            for (size_t i = 0; i < group.pages.size(); ++i)
                out_ += (i ? "<br>" : "") + link(group.pages[i]);
            out_ += "</td></tr>\n";
        }
    }

    void lengthRows(Finding finding, const char* what, const TagText PageAudit::*tag) {
        out_ += std::string("<tr><th>Page</th><th>Length</th><th>") + what + "</th></tr>\n";
        for (const size_t page : site_.pagesWith(finding)) {
            const TagText& text = pages_.pages[page].*tag;
            out_ += "<tr><td>" + link(page) + "</td><td class=\"n\">" +
                    std::to_string(text.length) + "</td><td>" + htmlEscaped(text.text) +
                    "</td></tr>\n";
        }
    }

    const HtmlReportPages& pages_;
    const SiteAudit& site_;
    const LengthLimits& limits_;
    std::string out_;
};

} // namespace

std::string htmlReport(const HtmlReportPages& pages, const SiteAudit& site,
                       const LengthLimits& limits) {
    return Report(pages, site, limits).write();
}

std::string reportLink(const std::string& page, const std::string& report) {
    namespace fs = std::filesystem;
    const fs::path from = fs::absolute(fs::path(report)).lexically_normal().parent_path();
    const fs::path to = fs::absolute(fs::path(page)).lexically_normal();
    fs::path relative = to.lexically_relative(from);
    if (relative.empty())
        relative = to;
    return relative.generic_string();
}

} // namespace lumora::audit
