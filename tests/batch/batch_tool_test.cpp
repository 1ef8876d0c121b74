// lumora-batch as its users run it: commands, exit statuses, where results go, and
// what bad input gives.

#include "batch_test_support.h"

#include "editor/logic/message_pump.h"
#include "editor/logic/scripted_interaction.h"
#include "editor/tform1.h"
#include "editor/track_bar.h"
#include "tags/tag_tester.h"

#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace lumora;
using lumora::testing::readFile;
using lumora::testing::runTool;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;
namespace lt = lumora::testing;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class BatchTool : public ::testing::Test {
protected:
    void page(const std::string& name, const std::string& bytes) {
        fs::create_directories((dir / name).parent_path());
        writeFile(dir / name, bytes);
    }
    lt::ToolRun run(const std::vector<std::string>& arguments) {
        return runTool(arguments, dir.path(), scratch.path());
    }
    TempDir dir;
    TempDir scratch;
};

// The keyword line the window's scan gives for a page: "sensitivity N: a, b, ...".
std::string windowKeywordLine(const fs::path& page) {
    editor::ScriptedInteraction ui;
    editor::IdlePump pump;
    editor::TForm1 form({ui, pump, lt::binDir().string()});
    form.keepRecentFilesInMemory();
    ui.clearRecords();
    ui.queueFile(page.string());
    form.Open2Click();
    form.RadioB_NOauto->setChecked(true);
    form.Button5Click();
    std::string line = "sensitivity " + std::to_string(form.TrackBar1->value()) + ": ";
    for (int row = 0; row < form.ListBox3->count(); ++row)
        line += (row ? ", " : "") + form.ListBox3->item(row)->text().toStdString();
    return line;
}

} // namespace

TEST_F(BatchTool, UsageErrorsExitWithTwoAndHelpWithZero) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate", "a.htm"},
        {"auto"},
        {"auto", "--bogus", "a.htm"},
        {"auto", "-j", "0", "a.htm"},
        {"keywords", "-o", "out", "a.htm"},
        {"keywords", "--filter", "no-such-list.txt", "a.htm"},
    };
    for (const auto& arguments : bad) {
        const auto result = run(arguments);
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_TRUE(contains(result.err, "lumora-batch: ")) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
    const auto help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* section : {"NAME", "SYNOPSIS", "COMMANDS", "OPTIONS", "EXIT STATUS"})
        EXPECT_TRUE(contains(help.out, std::string("\n") + section + "\n") ||
                    help.out.starts_with(std::string(section) + "\n"))
            << section;
}

TEST_F(BatchTool, KeywordsAreWhatTheWindowsScanSettlesOn) {
    page("a.htm", lt::samplePageBytes());
    page("b.htm", lt::gardenPageBytes(5));
    const auto result = run({"keywords", "a.htm", "b.htm", "-j", "1"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "a.htm: " + windowKeywordLine(dir / "a.htm") +
                              "\nb.htm: " + windowKeywordLine(dir / "b.htm") + "\n");
}

TEST_F(BatchTool, PagesItOpensNeverReachTheEditorsRecentFiles) {
    const fs::path store = lt::binDir() / "recentflz.ini";
    const bool existed = fs::exists(store);
    const std::string before = existed ? readFile(store) : std::string();
    page("a.htm", lt::samplePageBytes());
    ASSERT_EQ(run({"keywords", "a.htm"}).status, 0);
    ASSERT_EQ(fs::exists(store), existed);
    if (existed) {
        EXPECT_EQ(readFile(store), before);
    }
}

TEST_F(BatchTool, TestReportsTheTestersMessagesAndVerdict) {
    page("good.htm", lt::samplePageBytes());
    page("bad.htm", lt::failingPageBytes());
    const auto result = run({"test", "good.htm", "bad.htm"});
    EXPECT_EQ(result.status, 1); // one page failed
    std::string expected;
    for (const char* name : {"good.htm", "bad.htm"}) {
        const auto report = tags::testMetaTags(text::splitLines(readFile(dir / name)));
        expected += std::string(name) + (report.passed ? ": passed\n" : ": failed\n");
        for (const auto& message : report.messages) {
            std::string shown = message.text;
            for (size_t at = 0; (at = shown.find('\r', at)) != std::string::npos; at += 5)
                shown.replace(at, 1, "\n    ");
            expected += "    " + shown + "\n";
        }
    }
    EXPECT_EQ(result.out, expected);
}

TEST_F(BatchTool, AutoLeavesAFailingPageAndAThinPageAsTheyWere) {
    page("site/bad.htm", lt::failingPageBytes());
    page("site/thin.htm", lt::thinPageBytes());
    page("site/good.htm", lt::samplePageBytes());
    const auto result = run({"auto", "site", "--json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(readFile(dir / "site/bad.htm"), lt::failingPageBytes());
    EXPECT_EQ(readFile(dir / "site/thin.htm"), lt::thinPageBytes());
    EXPECT_NE(readFile(dir / "site/good.htm"), lt::samplePageBytes()); // written in place
    const auto lines = text::splitLines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_TRUE(lines[0].starts_with(
        R"({"path":"site/bad.htm","status":"failed","reason":"failed the tag test")"));
    EXPECT_TRUE(lines[1].starts_with(R"({"path":"site/good.htm","status":"ok")"));
    EXPECT_TRUE(contains(lines[1], R"("output":"site/good.htm")"));
    EXPECT_TRUE(lines[2].starts_with(
        R"({"path":"site/thin.htm","status":"unchanged","reason":"too few keywords)"));
}

TEST_F(BatchTool, OutputMirrorsPathsAndDryRunWritesNothing) {
    page("site/index.htm", lt::samplePageBytes());
    page("site/deep/er/page.HTML", lt::gardenPageBytes(6));
    page("site/thin.htm", lt::thinPageBytes());
    page("site/notes.txt", "not a page");

    const auto dry = run({"auto", "--dry-run", "-o", "out", "site"});
    EXPECT_EQ(dry.status, 1) << dry.err; // the thin page is left unchanged
    EXPECT_TRUE(contains(dry.out, "site/index.htm: tags built (dry run, nothing written)"));
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_EQ(readFile(dir / "site/index.htm"), lt::samplePageBytes());

    const auto real = run({"auto", "-o", "out", "site"});
    EXPECT_EQ(real.status, 1);
    EXPECT_TRUE(fs::exists(dir / "out/site/index.htm"));
    EXPECT_TRUE(fs::exists(dir / "out/site/deep/er/page.HTML"));
    EXPECT_FALSE(fs::exists(dir / "out/site/thin.htm"));  // left unchanged: not written
    EXPECT_FALSE(fs::exists(dir / "out/site/notes.txt")); // not a page
    EXPECT_EQ(readFile(dir / "site/index.htm"), lt::samplePageBytes());
    EXPECT_TRUE(contains(real.out, "site/index.htm: tags built, written to out/site/index.htm"));
}

TEST_F(BatchTool, BadInputIsReportedAndTheRunGoesOn) {
    page("ok.htm", lt::samplePageBytes());
    page("binary.htm", std::string("GIF89a\0\0\1", 9));
    fs::create_directories(dir / "empty/sub");
    ASSERT_EQ(::mkfifo((dir / "fifo.htm").c_str(), 0600), 0);
    const auto result =
        run({"keywords", "missing.htm", "binary.htm", "empty", "fifo.htm", "ok.htm"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "lumora-batch: missing.htm: cannot open: No such file or directory\n"
                          "lumora-batch: binary.htm: a binary file (it holds NUL bytes), not a "
                          "page\n"
                          "lumora-batch: empty: no *.htm* pages in this directory\n"
                          "lumora-batch: fifo.htm: not a regular file\n");
    EXPECT_TRUE(result.out.starts_with("ok.htm: sensitivity ")) << result.out;
}

TEST_F(BatchTool, WorkersGiveTheSameResultsInTheSameOrder) {
    for (unsigned i = 0; i < 6; ++i)
        page("site/p" + std::to_string(i) + ".htm", lt::gardenPageBytes(10 + i));
    page("site/bad.htm", lt::failingPageBytes());
    const auto one = run({"auto", "--json", "-j", "1", "-o", "one", "site"});
    const auto three = run({"auto", "--json", "-j", "3", "-o", "three", "site"});
    EXPECT_EQ(one.status, three.status);
    // The reports differ only in the output directory's name.
    std::string expected = one.out;
    for (size_t at = 0; (at = expected.find("\"one/", at)) != std::string::npos; at += 7)
        expected.replace(at, 5, "\"three/");
    EXPECT_EQ(three.out, expected);
    for (unsigned i = 0; i < 6; ++i) {
        const std::string name = "site/p" + std::to_string(i) + ".htm";
        EXPECT_EQ(readFile(dir / "one" / name), readFile(dir / "three" / name)) << name;
    }
}

namespace {

// ASCII text as UTF-16 with its byte order mark.
std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        out += bigEndian ? '\0' : c;
        out += bigEndian ? c : '\0';
    }
    return out;
}

} // namespace

// UTF-16 pages are read as the window reads them and written back in their encoding.
TEST_F(BatchTool, Utf16PagesAreWorkedOnLikeAnyOther) {
    const std::string text =
        "<html>\r\n<p>roses garden roses garden roses</p>  \r\n\r\n</html>\r\n";
    page("plain.htm", text);
    page("le.htm", utf16(text, false));
    page("be.htm", utf16(text, true));
    const auto keywords = run({"keywords", "--sensitivity", "2", "plain.htm", "le.htm", "be.htm"});
    EXPECT_EQ(keywords.status, 0) << keywords.err;
    const std::string line = keywords.out.substr(keywords.out.find(':'),
                                                 keywords.out.find('\n') - keywords.out.find(':'));
    EXPECT_EQ(keywords.out, "plain.htm" + line + "\nle.htm" + line + "\nbe.htm" + line + "\n");

    const auto compressed = run({"compress", "le.htm", "be.htm"});
    EXPECT_EQ(compressed.status, 0) << compressed.err;
    const std::string tight = "<html>\r\n<p>roses garden roses garden roses</p>\r\n</html>\r\n";
    EXPECT_EQ(readFile(dir / "le.htm"), utf16(tight, false));
    EXPECT_EQ(readFile(dir / "be.htm"), utf16(tight, true));
}

TEST_F(BatchTool, CompressInPlaceAndReadOnlyCommandsNeverWrite) {
    page("loose.htm", "<p>a  \r\n\r\n<p>b\t\r\n");
    const auto keywords = run({"test", "loose.htm"});
    EXPECT_EQ(readFile(dir / "loose.htm"), "<p>a  \r\n\r\n<p>b\t\r\n");
    const auto result = run({"compress", "loose.htm"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "loose.htm: compressed\n");
    EXPECT_EQ(readFile(dir / "loose.htm"), "<p>a\r\n<p>b\r\n");
}

TEST_F(BatchTool, VisibleTextReadsWhatAVisitorReadsInEveryWorker) {
    std::string body = "<html lang=\"en\"><head><title>Tulip</title>\r\n"
                       "<script>var tulip = 'tulip tulip tulip tulip tulip';</script>\r\n"
                       "<style>.tulip { font-family: helvetica }</style></head><body>\r\n";
    for (int i = 0; i < 4; ++i)
        body += "<p>Roses&nbsp;grow in the garden; a rose needs water, gardens need roses "
                "and sunny weather.</p>\r\n";
    body += "</body></html>\r\n";
    page("a.htm", body);
    page("b.htm", body);

    const auto classic = run({"keywords", "--json", "a.htm"});
    ASSERT_EQ(classic.status, 0) << classic.err;
    EXPECT_TRUE(contains(classic.out, "\"tulip\"")) << classic.out;

    for (const char* jobs : {"1", "2"}) {
        const auto visible = run(
            {"keywords", "--visible-text", "--lang", "en", "-j", jobs, "--json", "a.htm", "b.htm"});
        ASSERT_EQ(visible.status, 0) << visible.err;
        const std::string first = visible.out.substr(0, visible.out.find('\n'));
        EXPECT_EQ(visible.out, first + "\n" +
                                   std::string(first).replace(first.find("a.htm"), 5, "b.htm") +
                                   "\n");
        for (const char* absent :
             {"\"tulip\"", "\"helvetica\"", "\"font\"", "\"nbsp\"", "\"rose\""})
            EXPECT_FALSE(contains(first, absent)) << absent << " in " << first;
        for (const char* present : {"\"roses\"", "\"garden\"", "\"water\""})
            EXPECT_TRUE(contains(first, present)) << present << " in " << first;
    }
    const auto bad = run({"keywords", "--lang", "e1", "a.htm"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(contains(bad.err, "--lang must be a language code")) << bad.err;
}
