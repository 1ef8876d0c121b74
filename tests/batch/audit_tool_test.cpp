// lumora-batch audit as its users run it on a small site: the summary, the JSON lines,
// and the exit status --fail-on gives.

#include "batch_test_support.h"

#include <gtest/gtest.h>

using lumora::testing::runTool;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;

namespace {

const std::string kDescription = "Roses for every garden, how to plant them, and what they need.";
const std::string kOddName = "site/a\nb\x1b[1m.htm";

class AuditTool : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string title = "<title>Garden roses and more</title>\r\n";
        page(kOddName, title);
        page("site/copy.htm", title + "<meta name=\"keywords\" content=\"roses\">\r\n");
        page("site/failing.htm", "<title>Split\r\nover lines</title>\r\n");
        page("site/index.htm", "<html lang=\"en\"><head><meta charset=\"utf-8\">\r\n" + title +
                                   "<meta name=\"description\" content=\"" + kDescription +
                                   "\">\r\n<meta name=\"keywords\" content=\"roses\">\r\n");
        std::string cafes;
        for (int i = 0; i < 13; ++i)
            cafes += "Caf\xe9 ";
        page("site/long.htm", "<meta charset=utf-8><title>" + cafes +
                                  "</title><meta name=description content=\"" + kDescription +
                                  "\"><meta name=keywords content=x>\r\n");
        page("site/notes.txt", "not a page");
    }
    void page(const std::string& name, const std::string& bytes) {
        fs::create_directories((dir.path() / name).parent_path());
        writeFile(dir.path() / name, bytes);
    }
    lumora::testing::ToolRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "audit");
        return runTool(arguments, dir.path(), scratch.path());
    }
    TempDir dir;
    TempDir scratch;
};

} // namespace

TEST_F(AuditTool, SummaryCountsFindingsAndShowsTheGroups) {
    const auto result = run({"site"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "5 pages audited\n"
                          "      0  missing-title           pages without a title\n"
                          "      3  missing-description     pages without a description\n"
                          "      2  missing-keywords        pages without keywords\n"
                          "      3  duplicate-title         pages sharing their title\n"
                          "      2  duplicate-description   pages sharing their description\n"
                          "      1  title-too-long          titles too long\n"
                          "      0  title-too-short         titles too short\n"
                          "      0  description-too-long    descriptions too long\n"
                          "      0  description-too-short   descriptions too short\n"
                          "      1  charset-mismatch        pages declaring another character "
                          "set\n"
                          "      1  tag-test-failed         pages failing the tag test\n"
                          "\nPages sharing a title (1 group):\n"
                          "  3 pages: \"Garden roses and more\"\n"
                          "    site/a\\nb\\u001b[1m.htm\n"
                          "    site/copy.htm\n"
                          "    site/index.htm\n"
                          "\nPages sharing a description (1 group):\n"
                          "  2 pages: \"" +
                              kDescription +
                              "\"\n"
                              "    site/index.htm\n"
                              "    site/long.htm\n");
}

TEST_F(AuditTool, JsonHasALinePerPageThenTheSite) {
    const auto result = run({"--json", "-j", "2", "site", "missing.htm"});
    EXPECT_EQ(result.status, 1); // a page could not be read
    EXPECT_EQ(result.err, "lumora-batch: missing.htm: cannot open: No such file or directory\n");
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = result.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(result.out.substr(at, end - at));
    ASSERT_EQ(lines.size(), 7u) << result.out;
    EXPECT_TRUE(lines[0].starts_with("{\"path\":\"site/a\\nb\\u001b[1m.htm\",\"status\":\"ok\""))
        << lines[0];
    EXPECT_TRUE(lines[4].starts_with("{\"path\":\"site/long.htm\",\"status\":\"ok\",\"size\":"))
        << lines[4];
    for (const char* part :
         {"\"title\":\"Caf\xc3\xa9 Caf\xc3\xa9 ", "\"title_length\":64,",
          "\"charset\":\"utf-8\",\"bytes\":\"windows-1252\",\"lang\":\"\"",
          "\"findings\":[\"duplicate-description\",\"title-too-long\",\"charset-mismatch\"]}"})
        EXPECT_NE(lines[4].find(part), std::string::npos) << part;
    EXPECT_NE(lines[3].find("\"lang\":\"en\",\"findings\":[\"duplicate-title\","
                            "\"duplicate-description\"]}"),
              std::string::npos)
        << lines[3];
    EXPECT_EQ(lines[5], "{\"path\":\"missing.htm\",\"status\":\"error\",\"reason\":\"cannot open: "
                        "No such file or directory\",\"messages\":[]}");
    EXPECT_TRUE(lines[6].starts_with("{\"site\":{\"pages\":5,\"unreadable\":1,")) << lines[6];
    EXPECT_NE(lines[6].find("\"duplicate_titles\":[{\"text\":\"Garden roses and more\",\"pages\":["
                            "\"site/a\\nb\\u001b[1m.htm\",\"site/copy.htm\",\"site/index.htm\"]}]"),
              std::string::npos)
        << lines[6];

    // Threads change nothing but the speed.
    EXPECT_EQ(run({"--json", "-j", "1", "site", "missing.htm"}).out, result.out);
}

TEST_F(AuditTool, FailOnSetsTheExitStatus) {
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"--fail-on", "title-too-long"}, 1},
        {{"--fail-on=tag-test-failed"}, 1},
        {{"--fail-on", "missing-title,title-too-short,description-too-long"}, 0},
        {{"--fail-on", "missing-title,charset-mismatch"}, 1},
        {{"--title-max", "70", "--fail-on", "title-too-long"}, 0},
        {{"--fail-on", "title-too-long", "--title-max", "63"}, 1},
        {{"--fail-on", "duplicate-description", "--no-title"}, 1},
        {{"--fail-on", "missing-titles"}, 2}, // not a finding: bad usage
        {{"--fail-on", "title-too-long", "-o", "out"}, 2},
    };
    for (const auto& [arguments, status] : cases) {
        std::vector<std::string> all = arguments;
        all.emplace_back("site");
        const auto result = run(all);
        EXPECT_EQ(result.status, status) << arguments[0] << " " << arguments.back();
        EXPECT_EQ(result.out.empty(), status == 2);
    }
    EXPECT_FALSE(fs::exists(dir.path() / "out"));
}

// Every command's text report shows such a name escaped, on standard output and error.
TEST_F(AuditTool, OtherCommandsEscapeNamesToo) {
    const auto result =
        runTool({"compress", "--dry-run", kOddName, "gone\x1b[2J.htm"}, dir.path(), scratch.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "site/a\\nb\\u001b[1m.htm: nothing to compress (dry run, nothing "
                          "written)\n");
    EXPECT_EQ(result.err,
              "lumora-batch: gone\\u001b[2J.htm: cannot open: No such file or directory\n");
}
