// One window serves every page of a run, keeping the page as lines only: a page must
// come out byte for byte as a window just started, with the page in its editor, gives
// it, whatever pages the one window worked on before. Each page is run alone in its own
// process in a fresh window, then all of them in one process in two orders, and over
// two workers; the pages written and the reports must agree.

#include "batch_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using lumora::testing::readFile;
using lumora::testing::runTool;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;
namespace lt = lumora::testing;

namespace {

struct Page {
    std::string name;
    std::string bytes;
};

std::string withInsert(std::string page, const std::string& after, const std::string& text) {
    page.insert(page.find(after) + after.size(), text);
    return page;
}

std::string withoutLine(const std::string& crlfPage, const std::string& line) {
    std::string out = crlfPage;
    const size_t at = out.find(line + "\r\n");
    if (at != std::string::npos)
        out.erase(at, line.size() + 2);
    return out;
}

// Pages that take the chain down different roads: tags built after questions answered,
// a page without a title, with tags already there, a failing tag test, too few
// keywords, a tiny page, an empty page, a binary one, other encodings, and characters
// the editor's text document treats apart (paragraph ends inside a line, no-break and
// line separator characters, tabs, a lone CR).
std::vector<Page> variedPages() {
    std::string latin = lt::gardenPageBytes(7);
    latin.insert(latin.find("<body>") + 6, "\r\n<p>\xe9t\xe9 caf\xe9 na\xefve</p>");
    return {
        {"sample.htm", lt::samplePageBytes()},
        {"garden1.htm", lt::gardenPageBytes(1)},
        {"garden2.htm", lt::gardenPageBytes(2)},
        {"untitled.htm", withoutLine(lt::gardenPageBytes(3), "<title>Garden notes</title>")},
        {"failing.htm", lt::failingPageBytes()},
        {"thin.htm", lt::thinPageBytes()},
        {"tiny.htm", "<p>x</p>"},
        {"empty.htm", ""},
        {"binary.htm", std::string("<p>\0\x01\x02\x03</p>", 11)}, // refused as binary
        {"bom.htm", "\xef\xbb\xbf" + lt::gardenPageBytes(4)},
        {"latin.htm", latin},
        {"lf.htm", "<html>\n<head>\n</head>\n<body>\n<p>roses garden roses garden roses "
                   "tomatoes compost tomatoes compost</p>\n</body>\n</html>\n"},
        {"breaks.htm", withInsert(lt::gardenPageBytes(5), "<body>",
                                  "\r\n<p>roses\xe2\x80\xa9garden\xef\xb7\x90roses\xc2\xa0"
                                  "tomatoes\xe2\x80\xa8"
                                  "compost\tgarden\xef\xb7\x91roses\rsoil</p>")},
    };
}

// Page name -> its report line.
std::map<std::string, std::string> reportLines(const std::string& report) {
    std::map<std::string, std::string> lines;
    size_t start = 0;
    while (start < report.size()) {
        const size_t end = report.find('\n', start);
        const std::string line = report.substr(start, end - start);
        const size_t name = line.find("site/");
        if (name != std::string::npos)
            lines[line.substr(name, line.find('"', name) - name)] = line;
        start = end == std::string::npos ? report.size() : end + 1;
    }
    return lines;
}

struct RunResult {
    std::map<std::string, std::string> reports;
    std::map<std::string, std::string> written; // page name -> bytes written, if any
};

} // namespace

TEST(OneWindow, EveryPageComesOutAsFromAFreshWindowWhateverCameBefore) {
    const std::vector<Page> pages = variedPages();
    TempDir dir;
    fs::create_directories(dir / "site");
    for (const Page& page : pages)
        writeFile(dir / "site" / page.name, page.bytes);

    const std::vector<std::vector<std::string>> commands = {
        {"auto"}, {"auto", "--no-title", "--sensitivity", "3"}, {"keywords"}, {"test"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command.front() + (command.size() > 1 ? " with options" : ""));
        // The same -o each time, so that the reports name the same outputs.
        auto runOn = [&](const std::vector<std::string>& names, const char* jobs,
                         const std::vector<std::string>& environment = {}) {
            std::vector<std::string> arguments = command;
            arguments.insert(arguments.end(), {"--json", "-j", jobs});
            if (command.front() == "auto")
                arguments.insert(arguments.end(), {"-o", "out"});
            for (const auto& name : names)
                arguments.push_back("site/" + name);
            const lt::ToolRun run = runTool(arguments, dir.path(), dir.path(), environment);
            EXPECT_LE(run.status, 1) << run.err;
            RunResult result;
            result.reports = reportLines(run.out);
            for (const auto& name : names)
                if (fs::exists(dir / "out/site" / name))
                    result.written[name] = readFile(dir / "out/site" / name);
            fs::remove_all(dir / "out");
            return result;
        };

        RunResult alone;
        for (const Page& page : pages) {
            const RunResult one = runOn({page.name}, "1", {"LUMORA_BATCH_FRESH_WINDOWS=1"});
            alone.reports.insert(one.reports.begin(), one.reports.end());
            alone.written.insert(one.written.begin(), one.written.end());
        }
        ASSERT_EQ(alone.reports.size(), pages.size());
        if (command.front() == "auto") {
            ASSERT_GE(alone.written.size(), 5u) << "too few pages built tags to tell anything";
        }

        std::vector<std::string> forward;
        for (const Page& page : pages)
            forward.push_back(page.name);
        std::vector<std::string> backward(forward.rbegin(), forward.rend());
        for (const auto& [names, jobs] :
             {std::pair{forward, "1"}, std::pair{backward, "1"}, std::pair{forward, "2"}}) {
            SCOPED_TRACE(std::string(names == forward ? "forward" : "backward") + " -j " + jobs);
            const RunResult together = runOn(names, jobs);
            EXPECT_EQ(together.reports, alone.reports);
            EXPECT_EQ(together.written, alone.written);
        }
    }
}
