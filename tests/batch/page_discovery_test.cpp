#include "batch/page_discovery.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace lumora::batch;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;

TEST(PageDiscovery, PageNamesFollowTheOpenDialogsFilterButNotCompressedCopies) {
    const std::pair<const char*, bool> cases[] = {
        {"index.htm", true},
        {"INDEX.HTM", true},
        {"page.html", true},
        {"old.htm.bak", true},
        {"a.Html", true},
        {"notes.txt", false},
        {"htm", false},
        {"page.ht", false},
        {".htm", true},
        {"xhtml", false},
        {"page.shtml", false},
        // a server's compressed copies beside the pages
        {"page.html.gz", false},
        {"INDEX.HTM.GZ", false},
        {"page.htm.br", false},
        {"page.html.zst", false},
        {"a.html.bz2", false},
        {"a.htm.xz", false},
        {"gz.htm", true},
    };
    for (const auto& [name, page] : cases)
        EXPECT_EQ(isPageName(name), page) << name;
}

TEST(PageDiscovery, DirectoriesExpandSortedAndFilesAreKeptAsNamed) {
    TempDir dir;
    fs::create_directories(dir / "site/b");
    fs::create_directories(dir / "site/a");
    fs::create_directories(dir / "empty/deeper");
    for (const char* name : {"site/z.htm", "site/b/one.html", "site/a/TWO.HTM", "site/m.txt",
                             "empty/deeper/readme.txt", "lone.txt"})
        writeFile(dir / name, "x");
    const std::string root = dir.path().string();
    const auto entries = discoverPages({root + "/lone.txt", root + "/site", root + "/empty",
                                        root + "/missing.htm", root + "/site/z.htm"});
    std::vector<std::pair<std::string, bool>> got;
    for (const auto& entry : entries)
        got.emplace_back(entry.path.substr(root.size() + 1), entry.error.empty());
    const std::vector<std::pair<std::string, bool>> expected = {
        {"lone.txt", true},        // named files are taken whatever their name
        {"site/a/TWO.HTM", true},  // sorted by path
        {"site/b/one.html", true}, //
        {"site/z.htm", true},      //
        {"empty", false},          // a directory without pages is reported
        {"missing.htm", true},     // reported when its turn comes
                                   // site/z.htm named again: worked on once
    };
    EXPECT_EQ(got, expected);
}

TEST(PageDiscovery, MirroredOutputKeepsThePathBelowTheCurrentDirectory) {
    const fs::path cwd = "/work/site";
    const std::tuple<const char*, const char*> cases[] = {
        {"index.htm", "out/index.htm"},
        {"a/b/page.htm", "out/a/b/page.htm"},
        {"./a/../c.htm", "out/c.htm"},
        {"/work/site/d/e.htm", "out/d/e.htm"},
        {"../other/f.htm", "out/work/other/f.htm"}, // outside: the whole path
        {"/srv/g.htm", "out/srv/g.htm"},
    };
    for (const auto& [page, expected] : cases)
        EXPECT_EQ(mirroredOutputPath(page, "out", cwd), fs::path(expected)) << page;
}
