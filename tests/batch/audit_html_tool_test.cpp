// lumora-batch audit --html as its users run it: the report lands where asked, links
// each page from the report's folder, and a report that cannot be written fails the run.

#include "batch_test_support.h"

#include <gtest/gtest.h>

using lumora::testing::readFile;
using lumora::testing::runTool;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;

namespace {

struct HtmlCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string errPart; // expected in standard error; empty: none
};

TEST(AuditHtmlTool, WritesTheReportBesideTheSummary) {
    TempDir dir;
    TempDir scratch;
    fs::create_directories(dir.path() / "site/sub dir");
    fs::create_directories(dir.path() / "out");
    const std::string title = "<title>&lt;script&gt; Roses</title>\r\n";
    writeFile(dir.path() / "site/index.htm", title);
    writeFile(dir.path() / "site/sub dir/a#b.htm", title);

    const std::vector<HtmlCase> cases = {
        {"a report", {"audit", "--html", "out/report.html", "site"}, 0, ""},
        {"a folder that is not there",
         {"audit", "--html", "missing/report.html", "site"},
         1,
         "missing/report.html"},
        {"not for other commands", {"keywords", "--html", "out/k.html", "site"}, 2, "--html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = runTool(c.arguments, dir.path(), scratch.path());
        EXPECT_EQ(result.status, c.status) << result.err;
        if (c.errPart.empty())
            EXPECT_EQ(result.err, "");
        else
            EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
    }
    // The summary still goes to standard output.
    EXPECT_NE(runTool({"audit", "--html", "out/again.html", "site"}, dir.path(), scratch.path())
                  .out.find("2 pages audited"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir.path() / "out/k.html"));
    // A report kept in the site is no page of it, written or rewritten.
    for (int run = 0; run < 2; ++run)
        EXPECT_NE(
            runTool({"audit", "--html", "site/audit.html", "site"}, dir.path(), scratch.path())
                .out.find("2 pages audited"),
            std::string::npos)
            << run;

    const std::string report = readFile(dir.path() / "out/report.html");
    EXPECT_NE(report.find("<a href=\"../site/index.htm\">site/index.htm</a>"), std::string::npos);
    EXPECT_NE(report.find("<a href=\"../site/sub%20dir/a%23b.htm\">site/sub dir/a#b.htm</a>"),
              std::string::npos);
    EXPECT_NE(report.find("&lt;script&gt; Roses"), std::string::npos);
    EXPECT_EQ(report.find("<script"), std::string::npos);
}

} // namespace
