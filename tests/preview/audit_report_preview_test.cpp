// The audit's HTML report in Lumora's own preview, which draws no SVG: every table
// arrives as a table with its links, and the charts' labels stay out of sight.

#include "audit/html_report.h"
#include "preview/html_lite.h"
#include "text/page_lines.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace lumora::preview {
namespace {

std::vector<QTextTable*> tablesIn(QTextFrame* frame) {
    std::vector<QTextTable*> tables;
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            tables.push_back(table);
        const auto inner = tablesIn(child);
        tables.insert(tables.end(), inner.begin(), inner.end());
    }
    return tables;
}

QString cellText(QTextTable* table, int row, int column) {
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

TEST(AuditReportInPreview, TablesReadAndChartLabelsStayOutOfSight) {
    std::vector<audit::PageAudit> pages = {
        audit::auditPage("<title>Roses</title>", "site/a.htm"),
        audit::auditPage("<title>Roses</title>", "site/b c.htm"),
    };
    const std::vector<std::string> links = {"site/a.htm", "site/b c.htm"};
    const audit::LengthLimits limits;
    const audit::SiteAudit site = audit::auditSite(pages, limits);
    HtmlLite viewer;
    viewer.loadUtf8Lines(text::splitLines(audit::htmlReport({pages, links}, site, limits)));

    // The summary, then one table per finding that occurs.
    size_t occurring = 0;
    for (const auto& info : audit::allFindings())
        occurring += site.count(info.finding) > 0 ? 1 : 0;
    const auto tables = tablesIn(viewer.document()->rootFrame());
    ASSERT_EQ(tables.size(), 1 + occurring);
    EXPECT_EQ(cellText(tables[0], 0, 0), "Finding");
    EXPECT_EQ(cellText(tables[0], 1, 0), "pages without a title");
    EXPECT_EQ(cellText(tables[0], 1, 1), "0");
    EXPECT_EQ(cellText(tables[1], 1, 0), "site/a.htm");
    const QTextCursor link = viewer.document()->find(QStringLiteral("site/b c.htm"));
    ASSERT_FALSE(link.isNull());
    EXPECT_EQ(link.charFormat().anchorHref(), "site/b%20c.htm");

    // A chart's labels are there as text, but in transparent ink.
    const QTextCursor label = viewer.document()->find(QStringLiteral("90+ characters"));
    ASSERT_FALSE(label.isNull());
    EXPECT_EQ(label.charFormat().foreground().color().alpha(), 0);
    const QTextCursor caption = viewer.document()->find(QStringLiteral("Title lengths of 2 pages"));
    ASSERT_FALSE(caption.isNull());
    EXPECT_GT(caption.charFormat().foreground().color().alpha(), 0);
}

} // namespace
} // namespace lumora::preview
