#include "audit/html_escape.h"
#include "audit/html_report.h"

#include <gtest/gtest.h>

namespace lumora::audit {
namespace {

size_t occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

struct EscapeCase {
    std::string raw;
    std::string text; // as element text
    std::string href; // as a link address
};

TEST(HtmlReport, EscapesTextAndLinksTakenFromPages) {
    const std::vector<EscapeCase> cases = {
        {"a.htm", "a.htm", "a.htm"},
        {"sub dir/a#b?.htm", "sub dir/a#b?.htm", "sub%20dir/a%23b%3F.htm"},
        {"\"><script>'&", "&quot;&gt;&lt;script&gt;&#39;&amp;", "%22%3E%3Cscript%3E%27%26"},
        {"javascript:x", "javascript:x", "javascript%3Ax"},
        {"caf\xC3\xA9\n\x1B[31m.htm", "caf\xC3\xA9\\x0A\\x1B[31m.htm", "caf%C3%A9%0A%1B%5B31m.htm"},
        // Bytes that are not UTF-8 keep the report valid UTF-8.
        {"a\xE9\xC3.htm", "a\xEF\xBF\xBD\xEF\xBF\xBD.htm", "a%E9%C3.htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(htmlEscaped(c.raw), c.text);
        EXPECT_EQ(percentEncodedPath(c.raw), c.href);
    }
}

TEST(HtmlReport, LinksArePathsFromTheReportsFolder) {
    EXPECT_EQ(reportLink("site/a.htm", "site/report.html"), "a.htm");
    EXPECT_EQ(reportLink("site/sub/./b.htm", "out/r.html"), "../site/sub/b.htm");
    EXPECT_EQ(reportLink("/srv/www/c.htm", "/srv/reports/r.html"), "../www/c.htm");
    EXPECT_EQ(reportLink("d.htm", "r.html"), "d.htm");
}

class Report : public ::testing::Test {
protected:
    void add(const std::string& path, const std::string& head) {
        pages.push_back(auditPage("<html><head>" + head + "</head><body>x</body></html>", path));
        links.push_back("site/" + path);
    }
    std::string write() {
        const SiteAudit site = auditSite(pages, limits);
        return htmlReport({pages, links}, site, limits);
    }
    std::vector<PageAudit> pages;
    std::vector<std::string> links;
    LengthLimits limits;
};

TEST_F(Report, AHostileTitleArrivesAsTextAndEveryFindingHasATable) {
    const std::string hostile = "<title>&lt;script&gt;alert(\"owned\")&lt;/script&gt; "
                                "'quoted' \"text\" long enough to pass sixty characters</title>";
    add("a\"b.htm", hostile);
    add("c d.htm", hostile);
    add("none.htm", "");
    const std::string html = write();

    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(&quot;owned&quot;)&lt;/script&gt; &#39;quoted&#39;"),
              std::string::npos);
    // Linked from the group, the length table and the two missing-tag tables.
    EXPECT_EQ(occurrences(html, "<a href=\"site/a%22b.htm\">a&quot;b.htm</a>"), 4u);
    EXPECT_EQ(occurrences(html, "<a href=\"site/c%20d.htm\">c d.htm</a>"), 4u);
    // Every href is a fragment or a percent-encoded path.
    for (size_t at = html.find("href=\""); at != std::string::npos;
         at = html.find("href=\"", at + 1)) {
        const size_t start = at + 6;
        const std::string value = html.substr(start, html.find('"', start) - start);
        const bool fragment =
            value.size() > 1 && value[0] == '#' &&
            value.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", 1) == std::string::npos;
        const bool path =
            !value.empty() &&
            value.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                    "0123456789._~/%-") == std::string::npos;
        EXPECT_TRUE(fragment || path) << value;
    }
    for (const char* id : {"table-duplicate-title", "table-title-too-long", "table-missing-title",
                           "table-missing-description", "table-missing-keywords"})
        EXPECT_NE(html.find(std::string("id=\"") + id + "\""), std::string::npos) << id;
    EXPECT_EQ(html.find("id=\"table-charset-mismatch\""), std::string::npos);
}

TEST_F(Report, TheChartsMarkTheLimitsInUse) {
    limits = {12, 70, 40, 150};
    add("a.htm", "<title>Short</title><meta name=\"description\" content=\"Words\">");
    const std::string html = write();
    ASSERT_EQ(occurrences(html, "<svg "), 2u);
    const size_t titles = html.find("id=\"title-lengths\"");
    const size_t descriptions = html.find("id=\"description-lengths\"");
    ASSERT_LT(titles, descriptions);
    const std::string titleChart = html.substr(titles, descriptions - titles);
    const std::string descriptionChart = html.substr(descriptions);
    const auto limitLabels = [](const std::string& chart) {
        std::vector<std::string> labels;
        const std::string open = "<text class=\"limit\"";
        for (size_t at = chart.find(open); at != std::string::npos; at = chart.find(open, at + 1)) {
            const size_t start = chart.find('>', at) + 1;
            const size_t end = chart.find(" </text>", start);
            const std::string label = chart.substr(start, end - start);
            if (end != std::string::npos && !label.empty() &&
                label.find_first_not_of("0123456789") == std::string::npos)
                labels.push_back(label);
        }
        return labels;
    };
    EXPECT_EQ(limitLabels(titleChart), (std::vector<std::string>{"12", "70"}));
    EXPECT_EQ(limitLabels(descriptionChart.substr(0, descriptionChart.find("</svg>"))),
              (std::vector<std::string>{"40", "150"}));
    EXPECT_EQ(occurrences(titleChart, "<rect class=\"bar\""), 1u);
}

} // namespace
} // namespace lumora::audit
